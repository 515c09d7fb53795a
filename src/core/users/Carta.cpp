// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/Carta.h"

#include "core/Application.h"
#include "core/forms/KeyFilters.h"
#include "core/text/Text.h"

#include <string>

namespace quaderna {

namespace {

constexpr const char* kVuoto =
    "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo.";
constexpr const char* kErrato = "Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon è quindi "
                                "possibile fornire informazioni relative al tipo di carta di credito.";
constexpr const char* kTipo = "La carta di credito è del tipo ";
// A number that passes the rule and begins with 3, but with none of the prefixes of the types
// that begin with 3.
constexpr const char* kTipoIgnoto = "Non è però possibile stabilire il tipo della carta di credito.";

// Only the digits among the first characters of the number take part in the check.
constexpr std::size_t kCaratteriLetti = 20;

std::string cifre(std::string_view numero) {
    std::string r;
    std::size_t letti = 0;
    for (std::size_t i = 0; i < numero.size() && letti < kCaratteriLetti; ++letti) {
        const char32_t c = text::nextCodePoint(numero, i);
        if (c >= U'0' && c <= U'9')
            r += static_cast<char>(c);
    }
    return r;
}

// The last digit is the check digit; leftwards from the one before it every other digit is
// doubled, less 9 when the double exceeds 9.
bool luhn(const std::string& d) {
    if (d.empty())
        return false;
    int somma = 0;
    bool doppia = true;
    for (std::size_t i = d.size() - 1; i-- > 0; doppia = !doppia) {
        int v = d[i] - '0';
        if (doppia) {
            v *= 2;
            if (v > 9)
                v -= 9;
        }
        somma += v;
    }
    return d.back() - '0' == (10 - somma % 10) % 10;
}

// The types of the numbers that begin with 3, by their first two characters.
const char* tipoDaPrefisso(std::string_view prefisso) {
    if (prefisso == "30" || prefisso == "36" || prefisso == "38")
        return "Diner's Club / Carte Blanche";
    if (prefisso == "34" || prefisso == "37")
        return "American Express";
    if (prefisso == "31" || prefisso == "33" || prefisso == "35")
        return "JCB";
    return nullptr;
}

} // namespace

TfrmCarta::TfrmCarta(Application& app) : Form(app, "TfrmCarta", " Controllo carta di credito") {
    txtNumero.onKeyDown = [this](Key& k) { txtNumeroKeyDown(k); };
    txtNumero.onChange = [this] { txtNumeroTyping(); };
    btnControlla.onClick = [this] { btnControllaClick(); };
    btnChiudi.onClick = [this] { btnChiudiClick(); };
}

void TfrmCarta::FormCreate() {
    txtNumero.maxLength = 30;
}

void TfrmCarta::FormShow() {
    setFocus(txtNumero);
}

void TfrmCarta::txtNumeroKeyDown(Key& key) {
    if (key.code == VK::Return) {
        setFocus(btnControlla);
        return;
    }
    digitsOnly(key);
}

void TfrmCarta::txtNumeroTyping() {
    const std::string shown = text::trim(text::upperAZ(txtNumero.text));
    if (shown != txtNumero.text)
        txtNumero.text = shown;
}

void TfrmCarta::btnControllaClick() {
    const std::string numero = text::trim(txtNumero.text);
    if (numero.empty()) {
        ui().messageBox(kVuoto, MsgKind::Warning);
        setFocus(txtNumero);
        return;
    }
    const std::string d = cifre(txtNumero.text);
    const int tipo = luhn(d) ? d.front() - '0' - 2 : 0;
    const char* nome = nullptr;
    switch (tipo) {
    case 1:
        nome = tipoDaPrefisso(text::left(numero, 2));
        break;
    case 2:
        nome = "Visa";
        break;
    case 3:
        nome = "MasterCard";
        break;
    case 4:
        nome = "Discover";
        break;
    default:
        break;
    }
    const std::string valido = "Il numero di carta di credito " + numero + " risulta valido.\r\n\r\n";
    if (nome)
        ui().messageBox(valido + kTipo + nome + ".", MsgKind::Information);
    else if (tipo == 1)
        ui().messageBox(valido + kTipoIgnoto, MsgKind::Information);
    else
        ui().messageBox(kErrato, MsgKind::Warning);
    app.close(*this);
}

void TfrmCarta::btnChiudiClick() {
    app.close(*this);
}

} // namespace quaderna
