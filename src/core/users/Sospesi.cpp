// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/Sospesi.h"

#include "core/Application.h"
#include "core/forms/Messages.h"
#include "core/storage/RecordFile.h"

namespace quaderna {

TfrmSospesi::TfrmSospesi(Application& app)
    : UserList(app, "TfrmSospesi", " Riepilogo tessere in attesa di rinnovo",
               "Riepilogo tessere in attesa di rinnovo") {}

void TfrmSospesi::FormCreate() {
    lastFindKey.clear();
    txtTrova.text.clear();
    lstRecords.clear();
    try {
        lstRecords.setItems(renewalLines(app.dataFile(TTesserato::FileName), app.today()));
    } catch (const IoError&) {
        // An archive that cannot be read must not pass for one with no card to renew.
        ui().showMessage(msg::ArchivioNonAccessibile);
    }
    setFocus(txtTrova);
}

void TfrmSospesi::deliver(const TTesserato& user, std::int64_t position) {
    app.frmAnagrafica.showUser(user, position);
}

} // namespace quaderna
