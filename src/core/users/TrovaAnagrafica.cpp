#include "core/users/TrovaAnagrafica.h"

#include "core/forms/Application.h"
#include "core/forms/Messages.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

namespace quaderna {

TfrmTrovaAnagrafica::TfrmTrovaAnagrafica(Application& app)
    : UserList(app, "TfrmTrovaAnagrafica", " Trova utenti in archivio", "Riepilogo anagrafica utenti") {
    lblAttendere.visible = false;
    lblConta.visible = false;
    lblMemory.visible = false;
    panContainer.visible = false;
    const auto boxes = criteria();
    setEnterChain(
        {boxes[0], boxes[1], boxes[2], boxes[3], boxes[4], boxes[5], boxes[6], boxes[7], boxes[8], boxes[9]});
    btnCerca.onMouseDown = [this] { btnCercaMouseDown(); };
    btnCerca.onClick = [this] { btnCercaClick(); };
    btnAnnulla.onClick = [this] { btnAnnullaClick(); };
}

void TfrmTrovaAnagrafica::FormShow() {
    lastFindKey.clear();
    lstRecords.itemIndex = lstRecords.count() > 0 ? 0 : -1;
    txtTrova.text.clear();
    setFocus(txtTesserato);
}

void TfrmTrovaAnagrafica::FormClose(CloseAction& action) {
    UserList::FormClose(action);
    lblAttendere.visible = false;
}

void TfrmTrovaAnagrafica::btnCercaMouseDown() {
    lblAttendere.visible = true;
}

void TfrmTrovaAnagrafica::btnCercaClick() {
    std::array<std::string, 10> typed;
    int inUse = 0;
    const auto boxes = criteria();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        typed[i] = boxes[i]->text;
        if (!text::trimView(typed[i]).empty())
            ++inUse;
    }
    lblConta.text = std::to_string(inUse);
    lstRecords.clear();
    try {
        lstRecords.setItems(searchUsers(app.dataFile(TTesserato::FileName), typed));
    } catch (const IoError&) {
        lblAttendere.visible = false;
        ui().showMessage(msg::ArchivioNonAccessibile);
        return;
    }
    lblAttendere.visible = false;
    lblTrovate.text = "Il presente riepilogo contiene " + std::to_string(lstRecords.count()) + " schede.";
    panContainer.visible = true;
    panAvvio.visible = false;
    txtTrova.text.clear();
    setFocus(txtTrova);
}

void TfrmTrovaAnagrafica::btnAnnullaClick() {
    app.close(*this);
}

void TfrmTrovaAnagrafica::deliver(const TTesserato& user, std::int64_t position) {
    const std::string marker = text::trim(lblMemory.text);
    if (marker == "anagrafica")
        app.frmAnagrafica.showUser(user, position);
    // "tessera": the card window takes name, additional information, card number, both dates,
    // the position and the photo; "reg_prestiti" and "reg_restituzioni": the loan and returns
    // windows take name, card number and preferred contact. They go here when those windows are
    // part of the program.
}

} // namespace quaderna
