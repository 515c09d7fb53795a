// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/Iban.h"

#include "core/Application.h"
#include "core/text/Text.h"

#include <algorithm>
#include <string>

namespace quaderna {

namespace {

constexpr const char* kLunghezza = "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.";
constexpr const char* kValido = "L'IBAN digitato è VALIDO.";
constexpr const char* kErrato = "Attenzione: l'IBAN digitato è ERRATO!";

// The IBAN as the rule reads it: without blanks, in capitals, without a leading "IBAN", with the
// country code and the check digits moved to the end and every letter written as 10 to 35.
std::string comeNumero(std::string_view iban) {
    std::string s;
    for (char c : iban)
        if (c != ' ')
            s += text::upperAZ(c);
    // Only a leading "IBAN" is the word written before the code: the same four letters further on
    // belong to the account number.
    if (s.rfind("IBAN", 0) == 0)
        s.erase(0, 4);
    std::rotate(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(4, s.size())),
                s.end());
    std::string r;
    for (char c : s) {
        if (c >= 'A' && c <= 'Z')
            r += std::to_string(c - 'A' + 10);
        else
            r += c;
    }
    return r;
}

// The remainder modulo 97 of a long decimal number, taken piece by piece so that no partial value
// exceeds nine digits. Anything but digits gives 0.
int resto97(const std::string& n) {
    if (!text::isDigits(n))
        return 0;
    long resto = 0;
    for (std::size_t i = 0; i < n.size();) {
        std::string pezzo = i == 0 ? std::string() : std::to_string(resto);
        const std::size_t presi = std::min(9 - pezzo.size(), n.size() - i);
        pezzo += n.substr(i, presi);
        i += presi;
        resto = std::stol(pezzo) % 97;
    }
    return static_cast<int>(resto);
}

} // namespace

TfrmIban::TfrmIban(Application& app) : Form(app, "TfrmIban", " Controllo IBAN") {
    txtIban.onKeyDown = [this](Key& k) { txtIbanKeyDown(k); };
    txtIban.onChange = [this] { txtIbanTyping(); };
    btnControlla.onClick = [this] { btnControllaClick(); };
    btnChiudi.onClick = [this] { btnChiudiClick(); };
}

void TfrmIban::FormCreate() {
    txtIban.maxLength = 27;
}

void TfrmIban::FormShow() {
    setFocus(txtIban);
}

void TfrmIban::txtIbanKeyDown(Key& key) {
    if (key.code == VK::Return)
        setFocus(btnControlla);
}

void TfrmIban::txtIbanTyping() {
    const std::string shown = text::trim(text::upperAZ(txtIban.text));
    if (shown != txtIban.text)
        txtIban.text = shown;
}

void TfrmIban::btnControllaClick() {
    const std::string iban = text::trim(txtIban.text);
    if (text::length(iban) != 27) {
        ui().messageBox(kLunghezza, MsgKind::Warning);
        setFocus(txtIban);
        return;
    }
    if (resto97(comeNumero(iban)) == 1)
        ui().messageBox(kValido, MsgKind::Information);
    else
        ui().messageBox(kErrato, MsgKind::Warning);
    app.close(*this);
}

void TfrmIban::btnChiudiClick() {
    app.close(*this);
}

} // namespace quaderna
