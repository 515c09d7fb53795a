// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/Codici_Dewey.h"

#include "core/Application.h"
#include "core/catalogue/DeweyData.h"
#include "core/text/Text.h"

namespace quaderna {

TfrmCodici_Dewey::TfrmCodici_Dewey(Application& app)
    : ListWindow(app, "TfrmCodici_Dewey", " Tabella Codici Dewey", "Tabella Codici Dewey", false) {
    lblAttendere.visible = false;
    lblMemory.visible = false;
    timCarica.onTimer = [this] { timCaricaTimer(); };
    lstRecords.onDblClick = [this] { lstRecordsDblClick(); };
    btnStampa.onMouseDown = [this] { btnStampaMouseDown(); };
    btnStampa.onClick = [this] { btnStampaClick(); };
}

void TfrmCodici_Dewey::FormShow() {
    lstRecords.itemIndex = lstRecords.count() > 0 ? 0 : -1;
    txtTrova.text.clear();
    lstRecords.clear();
    // The rows are loaded a moment after the window is on screen, behind the loading picture.
    timCarica.enabled = true;
    setFocus(txtTrova);
}

void TfrmCodici_Dewey::timCaricaTimer() {
    timCarica.enabled = false;
    const auto rows = deweyRows();
    lstRecords.setItems(std::vector<std::string>(rows.begin(), rows.end()));
    panDewey.visible = false;
}

std::string& TfrmCodici_Dewey::findKey() {
    return app.session.deweyFindKey;
}

void TfrmCodici_Dewey::lstRecordsDblClick() {
    if (text::trim(lblMemory.text) == "libri" && lstRecords.itemIndex >= 0 &&
        lstRecords.itemIndex < lstRecords.count())
        app.frmLibri.txtDewey.text = text::left(lstRecords.selectedText(), 3);
    app.close(*this);
}

void TfrmCodici_Dewey::btnStampaMouseDown() {
    lblAttendere.visible = true;
}

void TfrmCodici_Dewey::btnStampaClick() {
    ListWindow::btnStampaClick();
    lblAttendere.visible = false;
}

void TfrmCodici_Dewey::FormClose(CloseAction&) {
    app.frmLibri.setFocus(app.frmLibri.txtDewey);
}

} // namespace quaderna
