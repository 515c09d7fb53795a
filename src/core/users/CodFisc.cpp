// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/CodFisc.h"

#include "core/Application.h"
#include "core/text/Text.h"

#include <array>
#include <optional>
#include <vector>

namespace quaderna {

namespace {

constexpr const char* kLunghezza =
    "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.";
constexpr const char* kValido = "Il codice fiscale digitato è VALIDO.";
constexpr const char* kErrato = "Attenzione: il codice fiscale digitato è ERRATO.";

constexpr char32_t kFirst = U'0';
constexpr char32_t kLast = U'Z';
constexpr std::size_t kSigns = kLast - kFirst + 1;

// Values of the characters "0" to "Z" at the odd positions (1, 3, ..., 15). The seven signs
// between "9" and "A" count 0.
// clang-format off
constexpr std::array<int, kSigns> kDispari = {
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21,                                // 0-9
    0, 0, 0, 0, 0, 0, 0,                                              // : ; < = > ? @
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18,                      // A-M
    20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23,                  // N-Z
};
// clang-format on

// Values at the even positions (2, 4, ..., 14): digits count themselves, letters their place from 0.
constexpr std::array<int, kSigns> kPari = [] {
    std::array<int, kSigns> t{};
    for (int d = 0; d <= 9; ++d)
        t[static_cast<std::size_t>(d)] = d;
    for (int l = 0; l < 26; ++l)
        t[static_cast<std::size_t>(U'A' - kFirst + l)] = l;
    return t;
}();

std::vector<char32_t> characters(std::string_view s) {
    std::vector<char32_t> r;
    for (std::size_t i = 0; i < s.size();)
        r.push_back(text::nextCodePoint(s, i));
    return r;
}

// The check character of the first fifteen characters; nothing when one of them lies outside
// "0" to "Z", since such a code cannot be right.
std::optional<char32_t> carattereDiControllo(const std::vector<char32_t>& code) {
    int somma = 0;
    for (std::size_t i = 0; i < 15; ++i) {
        const char32_t c = code[i];
        if (c < kFirst || c > kLast)
            return std::nullopt;
        const std::size_t k = c - kFirst;
        somma += i % 2 == 0 ? kDispari[k] : kPari[k];
    }
    return static_cast<char32_t>(U'A' + somma % 26);
}

} // namespace

TfrmCodFisc::TfrmCodFisc(Application& app) : Form(app, "TfrmCodFisc", " Controllo codice fiscale") {
    txtCodFisc.onChange = [this] { txtCodFiscTyping(); };
    txtCodFisc.onKeyDown = [this](Key& k) { txtCodFiscKeyDown(k); };
    btnControlla.onClick = [this] { btnControllaClick(); };
    btnChiudi.onClick = [this] { btnChiudiClick(); };
}

void TfrmCodFisc::FormCreate() {
    txtCodFisc.maxLength = 16;
}

void TfrmCodFisc::FormShow() {
    setFocus(txtCodFisc);
}

void TfrmCodFisc::txtCodFiscTyping() {
    const std::string shown = text::trim(text::upperAZ(txtCodFisc.text));
    if (shown != txtCodFisc.text)
        txtCodFisc.text = shown;
}

void TfrmCodFisc::txtCodFiscKeyDown(Key& key) {
    if (key.code == VK::Return)
        setFocus(btnControlla);
}

void TfrmCodFisc::btnControllaClick() {
    const std::vector<char32_t> code = characters(text::upperAZ(txtCodFisc.text));
    if (code.size() != 16) {
        ui().messageBox(kLunghezza, MsgKind::Warning);
        setFocus(txtCodFisc);
        return;
    }
    const std::optional<char32_t> atteso = carattereDiControllo(code);
    if (atteso && *atteso == code[15])
        ui().messageBox(kValido, MsgKind::Information);
    else
        ui().messageBox(kErrato, MsgKind::Warning);
    app.close(*this);
}

void TfrmCodFisc::btnChiudiClick() {
    app.close(*this);
}

} // namespace quaderna
