// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/Password.h"

#include "core/Application.h"
#include "core/shell/Crypt.h"
#include "core/storage/Ini.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

#include <cerrno>
#include <system_error>

namespace quaderna {

namespace password {

std::string normalForm(std::string_view typed) {
    return text::trim(text::upperAZ(typed));
}

std::string readStored(const std::filesystem::path& dataDir) {
    const std::string raw = ini::readString(dataDir / FileName, Section, KeyName);
    const auto plain = Crypt::Unscramble(raw);
    if (!plain)
        throw IoError("the stored password is not hexadecimal", EINVAL);
    return text::trim(*plain);
}

void writeStored(const std::filesystem::path& dataDir, std::string_view password) {
    ini::writeString(dataDir / FileName, Section, KeyName, text::trim(Crypt::Scramble(password)));
}

bool installFirstAccess(const std::filesystem::path& dataDir) {
    std::error_code ec;
    if (std::filesystem::exists(dataDir / FileName, ec) || ec)
        return false;
    writeStored(dataDir, FirstAccess);
    return true;
}

} // namespace password

namespace {
constexpr const char* kErrata = "Attenzione: password errata.";
constexpr const char* kErroreLettura =
    "Attenzione: si è verificato un errore durante la procedura di lettura "
    "della password. Si consiglia di reinstallare il software.";
} // namespace

TfrmPassword::TfrmPassword(Application& app) : Form(app, "TfrmPassword", " Quaderna 3.0 - Autenticazione") {
    txtPassword.password = true;
    cmdOK.enabled = false;
    lblPrimoAccesso.text = std::string("Password di primo accesso:\n") + password::FirstAccess;
    lblPrimoAccesso.visible = false;
    txtPassword.onChange = [this] { txtPasswordChange(); };
    txtPassword.onKeyUp = [this](Key&) { txtPasswordChange(); };
    txtPassword.onKeyDown = [this](Key& k) { txtPasswordKeyDown(k); };
    cmdOK.onClick = [this] { cmdOKClick(); };
    cmdEsci.onClick = [this] { cmdEsciClick(); };
    btnCambiaPassword.onClick = [this] { btnCambiaPasswordClick(); };
}

void TfrmPassword::FormShow() {
    // Once the password has been changed the window no longer tells anyone the first one. A file
    // that cannot be read shows no line either: OK will say what is wrong.
    try {
        lblPrimoAccesso.visible = password::readStored(app.dataDir()) == password::FirstAccess;
    } catch (const std::exception&) {
        lblPrimoAccesso.visible = false;
    }
    txtPasswordChange();
    setFocus(txtPassword);
}

void TfrmPassword::FormClose(CloseAction& action) {
    // The login window has no close button: it goes away only by the password or by "Esci".
    action = CloseAction::None;
}

void TfrmPassword::txtPasswordChange() {
    cmdOK.enabled = !text::trimView(txtPassword.text).empty();
}

void TfrmPassword::txtPasswordKeyDown(Key& key) {
    if (key.code != VK::Return)
        return;
    key.swallow();
    if (!text::trimView(txtPassword.text).empty())
        cmdOKClick();
}

void TfrmPassword::cmdOKClick() {
    std::string stored;
    try {
        stored = password::readStored(app.dataDir());
    } catch (const std::exception&) {
        ui().showMessage(kErroreLettura);
        return;
    }
    if (password::normalForm(txtPassword.text) == stored) {
        app.show(app.frmAvvio);
        app.hide(*this);
        return;
    }
    ui().showMessage(kErrata);
    txtPassword.text.clear();
    txtPasswordChange();
    setFocus(txtPassword);
}

void TfrmPassword::cmdEsciClick() {
    app.hide(*this);
    app.terminate();
}

void TfrmPassword::btnCambiaPasswordClick() {
    app.show(app.frmCambiaPassword);
    app.hide(*this);
}

} // namespace quaderna
