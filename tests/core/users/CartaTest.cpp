// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/Carta.h"
#include "core/text/Text.h"
#include "users/CheckerFixture.h"

using namespace quaderna;
using namespace quaderna::testing;

namespace {

const std::string kErrato = "Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon è quindi possibile "
                            "fornire informazioni relative al tipo di carta di credito.";
const std::string kVuoto =
    "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo.";

std::string valido(const std::string& numero, const std::string& tipo) {
    return "Il numero di carta di credito " + numero +
           " risulta valido.\r\n\r\nLa carta di credito è del tipo " + tipo + ".";
}

} // namespace

using Carta = CheckerTest<TfrmCarta, &TfrmCarta::txtNumero>;

TEST_F(Carta, NumbersThatPassTheRuleAreNamedByTheirLeadingDigits) {
    const struct {
        const char* numero;
        const char* tipo;
    } cases[] = {
        {"4111111111111111", "Visa"},
        {"4012888888881881", "Visa"},
        {"5555555555554444", "MasterCard"},
        {"5105105105105100", "MasterCard"},
        {"6011111111111117", "Discover"},
        {"6011000990139424", "Discover"},
        {"378282246310005", "American Express"},
        {"340000000000009", "American Express"},
        {"3530111333300000", "JCB"},
        {"3566002020360505", "JCB"},
        {"3100000000000003", "JCB"},
        {"3300000000000001", "JCB"},
        {"30569309025904", "Diner's Club / Carte Blanche"},
        {"36227206271667", "Diner's Club / Carte Blanche"},
        {"38520000023237", "Diner's Club / Carte Blanche"},
    };
    for (const auto& c : cases) {
        for (const Outcome& r : {check(c.numero), type(c.numero)}) {
            EXPECT_EQ(r.text(), valido(c.numero, c.tipo));
            EXPECT_EQ(r.shown, c.numero);
            EXPECT_EQ(r.kind(), Shown::Information);
            EXPECT_EQ(r.messages.size(), 1u);
            EXPECT_FALSE(r.stillOpen);
        }
    }
}

TEST_F(Carta, SeparatorsFromTheCallerAreSkippedButShownAndOnlyTwentyCharactersAreRead) {
    const struct {
        const char* numero;
        const char* tipo; // null: wrong
    } cases[] = {
        {"4111 1111 1111 1111", "Visa"},           {"4111-1111-1111-1111", "Visa"},
        {"3782-822463-10005", "American Express"}, {"  5555555555554444  ", "MasterCard"}, // shown trimmed
        {"4111111111111111    9", "Visa"},   // the 21st character is not read
        {"4111  1111  1111  1111", nullptr}, // neither are the last two digits
    };
    for (const auto& c : cases) {
        const Outcome r = check(c.numero);
        EXPECT_EQ(r.text(), c.tipo ? valido(text::trim(c.numero), c.tipo) : kErrato) << c.numero;
        EXPECT_FALSE(r.stillOpen);
    }
}

TEST_F(Carta, WrongNumbersAndNumbersOfNoKnownFamilyAreWrong) {
    for (const char* numero : {"4111111111111112", // last digit changed
                               "4111111111111121", // two digits swapped
                               "5555555555554445", "378282246310006",
                               "2223003122003222", // passes the rule, begins with 2
                               "7000000000000005", "8000000000000003", "9000000000000001", "1000000000000008",
                               "0000000000000000", "0",
                               "--- ---", // no digits at all
                               "VISA"}) {
        const Outcome r = check(numero);
        EXPECT_EQ(r.text(), kErrato) << numero;
        EXPECT_EQ(r.kind(), Shown::Warning);
        EXPECT_FALSE(r.stillOpen);
    }
}

TEST_F(Carta, ANumberBeginningWithThreeWithNoKnownPrefixIsValidWithoutAType) {
    for (const char* numero : {"3200000000000002", "3900000000000005", "3 400000000000000"}) {
        const Outcome r = check(numero);
        EXPECT_EQ(r.text(), "Il numero di carta di credito " + std::string(numero) +
                                " risulta valido.\r\n\r\nNon è però possibile stabilire il tipo "
                                "della carta di credito.");
        EXPECT_EQ(r.kind(), Shown::Information);
        EXPECT_FALSE(r.stillOpen);
    }
}

TEST_F(Carta, AnEmptyBoxIsRefusedAndTheWindowStaysOpenOnTheBox) {
    for (const char* fromCaller : {"", "   "}) {
        const Outcome r = check(fromCaller);
        EXPECT_EQ(r.text(), kVuoto);
        EXPECT_EQ(r.kind(), Shown::Warning);
        EXPECT_TRUE(r.stillOpen);
        EXPECT_EQ(r.focus, "txtNumero");
    }
}

TEST_F(Carta, OnlyDigitsAndTheEditingKeysReachTheBoxAndEnterMovesToControlla) {
    ui.onDialog<TfrmCarta>([&](TfrmCarta& d) {
        EXPECT_TRUE(d.hasFocus(d.txtNumero));
        person.type(d.txtNumero, "4111 1111-1111.1111 x");
        EXPECT_EQ(d.txtNumero.text, "4111111111111111");
        for (int code : {VK::Back, VK::Delete, VK::Left, VK::Right, VK::Home, VK::End}) {
            Key key{code, 0};
            d.keyDown(d.txtNumero, key);
            EXPECT_FALSE(key.swallowed()) << code;
        }
        for (int code : {VK::Up, VK::Down, VK::Escape, int('V')}) {
            Key key{code, 0};
            d.keyDown(d.txtNumero, key);
            EXPECT_TRUE(key.swallowed()) << code;
        }
        person.press(d.txtNumero, VK::Back);
        person.type(d.txtNumero, "2\r");
        EXPECT_EQ(d.txtNumero.text, "4111111111111112");
        EXPECT_TRUE(d.hasFocus(d.btnControlla));
        EXPECT_TRUE(ui.messages.empty());
        person.click(d.btnControlla);
        EXPECT_FALSE(d.visible());
    });
    app.runDialog<TfrmCarta>(app.frmAvvio);
    EXPECT_EQ(texts(), std::vector<std::string>{kErrato});
}

TEST_F(Carta, ABoxFilledWithBlanksAroundIsTrimmedAtTheFirstChange) {
    ui.onDialog<TfrmCarta>([&](TfrmCarta& d) {
        person.type(d.txtNumero, "1");
        EXPECT_EQ(d.txtNumero.text, "4111 1111 1111 1111 1");
        person.press(d.txtNumero, VK::Back);
        person.click(d.btnControlla);
    });
    app.runDialog<TfrmCarta>(app.frmAvvio, "",
                             [](TfrmCarta& d) { d.txtNumero.text = " 4111 1111 1111 1111 "; });
    EXPECT_EQ(texts(), std::vector<std::string>{valido("4111 1111 1111 1111", "Visa")});
}
