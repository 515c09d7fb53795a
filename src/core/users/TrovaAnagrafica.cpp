// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/TrovaAnagrafica.h"

#include "core/Application.h"
#include "core/forms/Messages.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

namespace quaderna {

TfrmTrovaAnagrafica::TfrmTrovaAnagrafica(Application& app)
    : CriteriaSearch(app, "TfrmTrovaAnagrafica", " Trova utenti in archivio", "Riepilogo anagrafica utenti") {
}

bool TfrmTrovaAnagrafica::forReturn() const {
    return text::trim(lblMemory.text) == "reg_restituzioni";
}

void TfrmTrovaAnagrafica::search(const std::array<std::string, 10>& typed, text::Lines& lines) {
    searchUsers(app.dataFile(TTesserato::FileName), typed, lines, forReturn());
}

std::string TfrmTrovaAnagrafica::lineOf(std::string_view record) const {
    // The chosen line is compared with the lines as listed: a cancelled card's marked line finds
    // that card, and the plain line the cards in use.
    return forReturn() ? listedUserLine(record) : userLine(record);
}

void TfrmTrovaAnagrafica::deliver(const TTesserato& user, std::int64_t position) {
    const std::string marker = text::trim(lblMemory.text);
    if (marker == "anagrafica")
        app.frmAnagrafica.showUser(user, position);
    else if (marker == "tessera")
        // Name, additional information, card number, both dates, the position and the photo.
        app.frmTessera.showUser(user, position);
    else if (marker == "reg_prestiti" || marker == "reg_restituzioni") {
        // The loan and returns windows take name, card number and preferred contact.
        auto take = [&](Edit& name, Edit& card, Edit& contact) {
            name.text = text::trim(user.Tesserato);
            card.text = text::trim(user.NumTessera);
            contact.text = text::trim(user.Recapito);
        };
        if (marker == "reg_prestiti")
            take(app.frmPrestiti.txtTesserato, app.frmPrestiti.txtNumTessera, app.frmPrestiti.txtRecapito);
        else
            take(app.frmRestituzioni.txtTesserato, app.frmRestituzioni.txtNumTessera,
                 app.frmRestituzioni.txtRecapito);
    }
}

} // namespace quaderna
