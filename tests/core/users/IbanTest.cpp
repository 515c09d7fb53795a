// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/Iban.h"
#include "core/text/Text.h"
#include "users/CheckerFixture.h"

using namespace quaderna;
using namespace quaderna::testing;

namespace {

const std::string kValido = "L'IBAN digitato è VALIDO.";
const std::string kErrato = "Attenzione: l'IBAN digitato è ERRATO!";
const std::string kLunghezza = "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.";

} // namespace

using Iban = CheckerTest<TfrmIban, &TfrmIban::txtIban>;

TEST_F(Iban, IbansOfTwentySevenCharactersThatPassTheRuleAreValid) {
    for (const char* iban : {
             "IT60X0542811101000000123456",
             "it60x0542811101000000123456",
             "FR1420041010050500013M02606", // no country is checked
             "IT73X0542811101IBAN00123456", // the account part holds the four letters
             "IT47X054281110100IBAN123456",
             "IBAN DE89370400440532013000", // the word before a shorter IBAN, from the caller
             "iban de89370400440532013000",
         }) {
        // A blank typed into the box is trimmed away at once, so only the caller can pass one.
        const bool typeable = std::string_view(iban).find(' ') == std::string_view::npos;
        std::vector<Outcome> outcomes{check(iban)};
        if (typeable) {
            outcomes.push_back(type(iban));
            EXPECT_EQ(outcomes.back().shown, text::upperAZ(iban));
        }
        for (const Outcome& r : outcomes) {
            EXPECT_EQ(r.text(), kValido) << iban;
            EXPECT_EQ(r.kind(), Shown::Information);
            EXPECT_EQ(r.messages.size(), 1u);
            EXPECT_FALSE(r.stillOpen);
        }
    }
}

TEST_F(Iban, OneCharacterChangedOrACharacterOutsideTheRuleMakesItWrong) {
    for (const char* iban : {
             "IT60X0542811101000000123457", // account digit
             "IT61X0542811101000000123456", // check digit
             "IT60Y0542811101000000123456", // national check letter
             "IS60X0542811101000000123456", // country
             "IT60X0542811101000000132456", // two digits swapped
             "IT73X0542811101IBAM00123456", "IT60X0542811101-00000123456",
             "IT60X054281110100000012345è", // 27 characters, 28 bytes
             "IBANIT60X054281110100000012", // the word, then a cut Italian IBAN
         }) {
        const Outcome r = check(iban);
        EXPECT_EQ(r.text(), kErrato) << iban;
        EXPECT_EQ(r.kind(), Shown::Warning);
        EXPECT_FALSE(r.stillOpen);
    }
}

TEST_F(Iban, AnyOtherLengthIsRefusedAndTheWindowStaysOpenOnTheBox) {
    for (const auto& [fromCaller, typed] : {
             std::pair<std::string, std::string>{"", ""},
             {"", "IT60X054281110100000012345"},        // 26
             {"IT60X054281110100000012345", ""},        // 26
             {"IT60X05428111010000001234567", ""},      // 28
             {"IT60 X054 2811 1010 0000 0123 456", ""}, // 27 without the blanks, 33 with them
             {"", "  it60x054281110100000012345  "},    // blanks around never count
             {"", "IBAN DE89370400440532013000"},       // the typed blank is trimmed away
         }) {
        const Outcome r = check(fromCaller, typed);
        EXPECT_EQ(r.text(), kLunghezza) << fromCaller << typed;
        EXPECT_EQ(r.kind(), Shown::Warning);
        EXPECT_TRUE(r.stillOpen);
        EXPECT_EQ(r.focus, "txtIban");
    }
}

TEST_F(Iban, TheBoxTakesAnyCharacterInCapitalsAndEnterMovesToControlla) {
    ui.onDialog<TfrmIban>([&](TfrmIban& d) {
        EXPECT_TRUE(d.hasFocus(d.txtIban));
        person.type(d.txtIban, " it60x0542811101000000123456 and more");
        EXPECT_EQ(d.txtIban.text, "IT60X0542811101000000123456");
        person.press(d.txtIban, VK::Back);
        person.type(d.txtIban, "7\r");
        EXPECT_TRUE(d.hasFocus(d.btnControlla));
        EXPECT_TRUE(d.visible());
        EXPECT_TRUE(ui.messages.empty());
        person.click(d.btnControlla);
        EXPECT_FALSE(d.visible());
    });
    app.runDialog<TfrmIban>(app.frmAvvio);
    EXPECT_EQ(texts(), std::vector<std::string>{kErrato});
}

TEST_F(Iban, AfterTheLengthWarningThePersonCompletesTheIbanOrCloses) {
    ui.onDialog<TfrmIban>([&](TfrmIban& d) {
        person.click(d.btnControlla);
        EXPECT_TRUE(d.visible());
        EXPECT_TRUE(d.hasFocus(d.txtIban));
        person.type(d.txtIban, "6");
        person.click(d.btnControlla);
        EXPECT_FALSE(d.visible());
    });
    app.runDialog<TfrmIban>(app.frmAvvio, "",
                            [](TfrmIban& d) { d.txtIban.text = "IT60X054281110100000012345"; });
    EXPECT_EQ(texts(), (std::vector<std::string>{kLunghezza, kValido}));

    ui.messages.clear();
    ui.onDialog<TfrmIban>([&](TfrmIban& d) { person.click(d.btnChiudi); });
    app.runDialog<TfrmIban>(app.frmAvvio, "",
                            [](TfrmIban& d) { d.txtIban.text = "IT60X0542811101000000123456"; });
    EXPECT_TRUE(ui.messages.empty());
}
