#include "core/catalogue/Codici_Dewey.h"

#include "core/catalogue/DeweyData.h"
#include "core/forms/Application.h"
#include "core/forms/ListFind.h"
#include "core/reports/Layouts.h"
#include "core/text/Text.h"

namespace quaderna {

TfrmCodici_Dewey::TfrmCodici_Dewey(Application& app)
    : Form(app, "TfrmCodici_Dewey", " Tabella Codici Dewey") {
    lblAttendere.visible = false;
    lblMemory.visible = false;
    timCarica.onTimer = [this] { timCaricaTimer(); };
    btnTrova.onClick = [this] { btnTrovaClick(); };
    txtTrova.onKeyDown = [this](Key& k) { txtTrovaKeyDown(k); };
    lstRecords.onDblClick = [this] { lstRecordsDblClick(); };
    btnStampa.onMouseDown = [this] { btnStampaMouseDown(); };
    btnStampa.onClick = [this] { btnStampaClick(); };
    btnChiudi.onClick = [this] { btnChiudiClick(); };
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

void TfrmCodici_Dewey::btnTrovaClick() {
    findInList(lstRecords, txtTrova.text, app.session.deweyFindKey, ui());
}

void TfrmCodici_Dewey::txtTrovaKeyDown(Key& key) {
    if (key.code == VK::Return) {
        key.swallow();
        setFocus(btnTrova);
    }
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
    Report report = reports::riepilogoDati();
    reports::fillList(report, "Tabella Codici Dewey", lstRecords.items());
    ui().print(report);
    lblAttendere.visible = false;
}

void TfrmCodici_Dewey::btnChiudiClick() {
    app.close(*this);
}

void TfrmCodici_Dewey::FormClose(CloseAction&) {
    app.frmLibri.setFocus(app.frmLibri.txtDewey);
}

} // namespace quaderna
