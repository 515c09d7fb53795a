// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/PartitaIva.h"
#include "users/CheckerFixture.h"

#include <set>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

const std::string kErrata =
    "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon è "
    "quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.";
const std::string kLunghezza = "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.";

std::string valida(const std::string& ufficio) {
    return "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato dall'Ufficio IVA "
           "del "
           "Comune di " +
           ufficio + ".";
}

} // namespace

using PartitaIva = CheckerTest<TfrmPartitaIva, &TfrmPartitaIva::txtPartitaIva>;

TEST_F(PartitaIva, ValidNumbersNameTheOfficeThatIssuedThem) {
    const struct {
        const char* numero;
        const char* ufficio;
    } cases[] = {
        {"00488410010", "Torino"},    {"01654010345", "Parma"},
        {"00159560366", "Modena"},    {"01234560405", "Forlì"},
        {"02438750586", "Roma 1"},    {"01234560967", "Monza (Milano 2)"},
        {"06363391001", "Roma 2"},    {"12345671015", "Bologna 2"},
        {"12345671205", "Bologna 2"}, // 120 repeats 101
        {"12345671213", "Napoli 2"},  // 121 repeats 102
        {"00000000000", ""},          // no office 000
        {"12345671106", ""},          // nor 110
    };
    for (const auto& c : cases) {
        for (const Outcome& r : {check(c.numero), type(c.numero)}) {
            EXPECT_EQ(r.text(), valida(c.ufficio)) << c.numero;
            EXPECT_EQ(r.shown, c.numero);
            EXPECT_EQ(r.kind(), Shown::Information);
            EXPECT_EQ(r.messages.size(), 1u);
            EXPECT_FALSE(r.stillOpen);
        }
    }
}

TEST_F(PartitaIva, OneDigitChangedOrALetterFromTheCallerMakesItWrong) {
    for (const char* numero : {"00488410011", "00488410019", "10488410010", "00588410010", "02438750587",
                               "0043875058A", "O2438750586", "0243875058 ", " 2438750586", "0243-750586",
                               "0048841001à"}) { // eleven characters, twelve bytes
        const Outcome r = check(numero);
        EXPECT_EQ(r.text(), kErrata) << numero;
        EXPECT_EQ(r.kind(), Shown::Warning);
        EXPECT_FALSE(r.stillOpen);
    }
}

TEST_F(PartitaIva, AnyOtherLengthIsRefusedAndTheWindowStaysOpenOnTheBox) {
    for (const auto& [fromCaller, typed] : {std::pair<std::string, std::string>{"", ""},
                                            {"", "0048841001"},
                                            {"0048841001", ""},
                                            {"004884100100", ""},
                                            {"00488410010 ", ""}}) { // not trimmed: 12 characters
        const Outcome r = check(fromCaller, typed);
        EXPECT_EQ(r.text(), kLunghezza) << fromCaller << typed;
        EXPECT_EQ(r.kind(), Shown::Warning);
        EXPECT_TRUE(r.stillOpen);
        EXPECT_EQ(r.focus, "txtPartitaIva");
    }
}

TEST_F(PartitaIva, OnlyDigitsAndTheEditingKeysReachTheBox) {
    ui.onDialog<TfrmPartitaIva>([&](TfrmPartitaIva& d) {
        EXPECT_TRUE(d.hasFocus(d.txtPartitaIva));
        person.type(d.txtPartitaIva, "IT 004-884.100 10xyzè");
        EXPECT_EQ(d.txtPartitaIva.text, "00488410010");
        for (int code : {VK::Back, VK::Delete, VK::Left, VK::Right, VK::Home, VK::End}) {
            Key key{code, 0};
            d.keyDown(d.txtPartitaIva, key);
            EXPECT_FALSE(key.swallowed()) << code;
        }
        for (int code : {VK::Up, VK::Down, VK::Escape, int('V')}) {
            Key key{code, 0};
            d.keyDown(d.txtPartitaIva, key);
            EXPECT_TRUE(key.swallowed()) << code;
        }
        person.press(d.txtPartitaIva, VK::Back);
        EXPECT_EQ(d.txtPartitaIva.text, "0048841001");
        person.type(d.txtPartitaIva, "0\r");
        EXPECT_TRUE(d.hasFocus(d.btnControlla));
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(d.visible());
        person.click(d.btnControlla);
    });
    app.runDialog<TfrmPartitaIva>(app.frmAvvio);
    EXPECT_EQ(texts(), std::vector<std::string>{valida("Torino")});
}

TEST_F(PartitaIva, ChiudiClosesWithoutAWord) {
    ui.onDialog<TfrmPartitaIva>([&](TfrmPartitaIva& d) { person.click(d.btnChiudi); });
    app.runDialog<TfrmPartitaIva>(app.frmAvvio, "", [](TfrmPartitaIva& d) { d.txtPartitaIva.text = "123"; });
    EXPECT_EQ(ui.dialogsShown, std::vector<std::string>{"TfrmPartitaIva"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST(PartitaIvaOffices, CodesOneToOneHundredTwoAndTheTwoRepeatsHaveNamesAndNoOthers) {
    auto code = [](int n) {
        std::string s = std::to_string(n);
        return std::string(3 - s.size(), '0') + s;
    };
    std::set<std::string> names;
    for (int n = 0; n <= 999; ++n) {
        const std::string name = partitaiva::ufficio(code(n));
        const bool named = (n >= 1 && n <= 102) || n == 120 || n == 121;
        EXPECT_EQ(!name.empty(), named) << n;
        if (n <= 102)
            names.insert(name);
    }
    EXPECT_EQ(names.size(), 103u); // 102 different names and the empty one
    EXPECT_EQ(partitaiva::ufficio("120"), partitaiva::ufficio("101"));
    EXPECT_EQ(partitaiva::ufficio("121"), partitaiva::ufficio("102"));
    EXPECT_EQ(partitaiva::ufficio("099"), "Chiavari (Genova 2)");
    EXPECT_EQ(partitaiva::ufficio("097"), "Prato (Firenze 2)");
    EXPECT_EQ(partitaiva::ufficio("66"), "");
    EXPECT_EQ(partitaiva::ufficio("0066"), "");
}
