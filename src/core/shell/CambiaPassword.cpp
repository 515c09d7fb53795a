// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/CambiaPassword.h"

#include "core/Application.h"
#include "core/shell/Password.h"
#include "core/text/Text.h"

namespace quaderna {

namespace {

constexpr const char* kVecchiaErrata = "Attenzione: vecchia password errata.";
constexpr const char* kNonConfermata = "Attenzione: la nuova password non è stata confermata correttamente. "
                                       "E' necessario reinserire entrambi i valori.";
constexpr const char* kCompletata = "Modifica della password completata con successo.";
constexpr const char* kErroreModifica = "Attenzione: si è verificato un errore durante la procedura di "
                                        "modifica della password. Si consiglia di reinstallare il software.";
// The scramble keeps one byte per character: a character beyond that could be set but never
// typed again, so the new password is refused.
constexpr const char* kCaratteriNonAmmessi =
    "Attenzione: la nuova password contiene caratteri che non possono essere memorizzati (ad esempio il "
    "simbolo dell'euro o lettere di alfabeti diversi da quello latino).\n\r\n\rE' necessario scegliere una "
    "password composta da lettere, cifre e segni comuni e reinserire entrambi i valori.";

bool storable(std::string_view s) {
    for (std::size_t i = 0; i < s.size();)
        if (text::nextCodePoint(s, i) > 0xFF)
            return false;
    return true;
}

} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(Application& app)
    : Form(app, "TfrmCambiaPassword", " Cambia password") {
    for (Edit* e : {&txtPasswordOld, &txtPasswordNew, &txtConferma}) {
        e->password = true;
        e->onChange = [this] { typing(); };
        e->onKeyUp = [this](Key&) { typing(); };
    }
    cmdOK.enabled = false;
    setEnterChain({&txtPasswordOld, &txtPasswordNew, &txtConferma});
    cmdOK.onClick = [this] { cmdOKClick(); };
    cmdEsci.onClick = [this] { cmdEsciClick(); };
}

void TfrmCambiaPassword::FormShow() {
    txtPasswordOld.text.clear();
    txtPasswordNew.text.clear();
    txtConferma.text.clear();
    typing();
    setFocus(txtPasswordOld);
}

void TfrmCambiaPassword::typing() {
    cmdOK.enabled = !text::trimView(txtPasswordOld.text).empty() &&
                    !text::trimView(txtPasswordNew.text).empty() && !text::trimView(txtConferma.text).empty();
}

void TfrmCambiaPassword::cmdOKClick() {
    try {
        const std::string stored = password::readStored(app.dataDir());
        if (password::normalForm(txtPasswordOld.text) != stored) {
            ui().showMessage(kVecchiaErrata);
            txtPasswordOld.text.clear();
            typing();
            setFocus(txtPasswordOld);
            return;
        }
        if (text::trimView(txtPasswordNew.text) != text::trimView(txtConferma.text)) {
            ui().showMessage(kNonConfermata);
            txtPasswordNew.text.clear();
            txtConferma.text.clear();
            typing();
            setFocus(txtPasswordNew);
            return;
        }
        const std::string nuova = password::normalForm(txtPasswordNew.text);
        if (!storable(nuova)) {
            ui().showMessage(kCaratteriNonAmmessi);
            txtPasswordNew.text.clear();
            txtConferma.text.clear();
            typing();
            setFocus(txtPasswordNew);
            return;
        }
        app.backupBefore(*this, app.dataDir() / password::FileName);
        password::writeStored(app.dataDir(), nuova);
    } catch (const std::exception&) {
        ui().showMessage(kErroreModifica);
        return;
    }
    ui().showMessage(kCompletata);
    app.close(*this);
}

void TfrmCambiaPassword::cmdEsciClick() {
    app.close(*this);
}

void TfrmCambiaPassword::FormClose(CloseAction&) {
    app.frmPassword.txtPassword.text.clear();
    app.show(app.frmPassword);
    app.frmPassword.setFocus(app.frmPassword.txtPassword);
}

} // namespace quaderna
