// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/CodFisc.h"
#include "core/text/Text.h"
#include "users/CheckerFixture.h"

using namespace quaderna;
using namespace quaderna::testing;

namespace {

const std::string kValido = "Il codice fiscale digitato è VALIDO.";
const std::string kErrato = "Attenzione: il codice fiscale digitato è ERRATO.";
const std::string kLunghezza =
    "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.";

// Codes in the official form with their check characters. Together they put every digit and
// every letter at an odd position at least once, and one has letters for digits (omocodia).
const char* const kValidi[] = {
    "RSSMRA85T10A562S", "BNCLCU90E45F205U", "FRRGLI72H12G273T", "VRDGPP13R10B293P", "KWLJHN64B03Z404G",
    "QTTPLA01A41L219Z", "YNGXNZ88M22D969P", "GLLZOE99P60H501A", "NVOVTR77C07E463U", "WDDJNS55S18Z114I",
    "DLMNTN80A01F839O", "MRTMTT91D08F205J", "ZNIGXU80A01H501Q", "JCUFNC66L20A944Y", "RSSMRA85T10A5S2E",
};

} // namespace

using CodFisc = CheckerTest<TfrmCodFisc, &TfrmCodFisc::txtCodFisc>;

TEST_F(CodFisc, ValidCodesTypedOrPassedInAnyCaseAreValidAndCloseTheWindow) {
    for (const char* code : kValidi) {
        const std::string lower = text::lowerAZ(code);
        for (const auto& [fromCaller, typed] : {std::pair<std::string, std::string>{code, ""},
                                                {lower, ""},
                                                {"", code},
                                                {"", lower},
                                                {"", "  " + lower + "  "}}) {
            const Outcome r = check(fromCaller, typed);
            EXPECT_EQ(r.text(), kValido) << fromCaller << typed;
            EXPECT_EQ(r.shown, typed.empty() ? fromCaller : std::string(code));
            EXPECT_EQ(r.kind(), Shown::Information);
            EXPECT_EQ(r.messages.size(), 1u);
            EXPECT_FALSE(r.stillOpen);
        }
    }
}

TEST_F(CodFisc, TheBoxShowsWhatIsTypedTrimmedAndInCapitalsAsItIsTyped) {
    ui.onDialog<TfrmCodFisc>([&](TfrmCodFisc& d) {
        EXPECT_TRUE(d.hasFocus(d.txtCodFisc));
        person.type(d.txtCodFisc, "  rss");
        EXPECT_EQ(d.txtCodFisc.text, "RSS");
        person.type(d.txtCodFisc, "mrà "); // an accented letter keeps its case
        EXPECT_EQ(d.txtCodFisc.text, "RSSMRà");
        person.type(d.txtCodFisc, "85t10a562sXYZ"); // the box holds 16 characters
        EXPECT_EQ(d.txtCodFisc.text, "RSSMRà"
                                     "85T10A562S");
        EXPECT_TRUE(ui.messages.empty());
        person.click(d.btnChiudi);
        EXPECT_FALSE(d.visible());
    });
    app.runDialog<TfrmCodFisc>(app.frmAvvio);
    EXPECT_EQ(ui.dialogsShown, std::vector<std::string>{"TfrmCodFisc"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CodFisc, OneCharacterChangedMakesTheCodeWrong) {
    // The check character one letter off, a letter changed at an odd and at an even position,
    // a digit changed.
    for (const char* code :
         {"RSSMRA85T10A562T", "RSSMRA85T10A562R", "RSSMRA85T10A562A", "TSSMRA85T10A562S", "RSSNRA85T10A562S",
          "RSSMRA85T10A563S", "MRTMTT91D08F205K", "ZNIGXU80A01H502Q"}) {
        const Outcome r = check(code);
        EXPECT_EQ(r.text(), kErrato) << code;
        EXPECT_EQ(r.kind(), Shown::Warning);
        EXPECT_FALSE(r.stillOpen);
    }
}

TEST_F(CodFisc, CharactersOutsideDigitsAndCapitalsMakeTheCodeWrong) {
    // From the caller: a blank inside, a dash, an accented letter (16 characters, 17 bytes), an
    // accented check character, a lower-case letter outside a-z.
    for (const char* code : {"RSSMRA85 10A562S", "RSSMRA85-10A562S",
                             "RSSMRÀ"
                             "85T10A562S",
                             "RSSMRA85T10A562È", "RSSMRA85T10A56ñS"}) {
        const Outcome r = check(code);
        EXPECT_EQ(r.text(), kErrato) << code;
        EXPECT_FALSE(r.stillOpen);
    }
}

TEST_F(CodFisc, TheSignsBetweenNineAndACountZero) {
    // At even positions "A" counts 0, and so does each of the seven signs in its place.
    for (const char* sign : {":", ";", "<", "=", ">", "?", "@"}) {
        std::string code = "RSSMRA85T10A562S";
        code.replace(5, 1, sign);
        EXPECT_EQ(check(code).text(), kValido) << code;
        code.replace(11, 1, sign);
        EXPECT_EQ(check(code).text(), kValido) << code;
    }
    // At odd positions they count 0 like "1" and "B": "R" (8) replaced by ":" needs the check
    // character moved back by 8.
    EXPECT_EQ(check("RSSM:A85T10A562K").text(), kValido);
}

TEST_F(CodFisc, AnyOtherLengthIsRefusedAndTheWindowStaysOpenOnTheBox) {
    for (const auto& [fromCaller, typed] : {std::pair<std::string, std::string>{"", ""},
                                            {"", "rssmra85t10a562"},
                                            {"", "RSSMRA85T10A562 "},
                                            {"RSSMRA85T10A562SX", ""},
                                            {"RSSMRA85T10A562", ""}}) {
        const Outcome r = check(fromCaller, typed);
        EXPECT_EQ(r.text(), kLunghezza) << fromCaller << typed;
        EXPECT_EQ(r.kind(), Shown::Warning);
        EXPECT_TRUE(r.stillOpen);
        EXPECT_EQ(r.focus, "txtCodFisc");
    }
}

TEST_F(CodFisc, AfterTheLengthWarningThePersonCompletesTheCode) {
    ui.onDialog<TfrmCodFisc>([&](TfrmCodFisc& d) {
        person.type(d.txtCodFisc, "rssmra85t10a562\r");
        EXPECT_TRUE(d.hasFocus(d.btnControlla));
        person.click(d.btnControlla);
        EXPECT_EQ(ui.lastText(), kLunghezza);
        EXPECT_TRUE(d.visible());
        EXPECT_TRUE(d.hasFocus(d.txtCodFisc));
        person.type(d.txtCodFisc, "s");
        person.click(d.btnControlla);
        EXPECT_FALSE(d.visible());
    });
    app.runDialog<TfrmCodFisc>(app.frmAvvio);
    EXPECT_EQ(texts(), (std::vector<std::string>{kLunghezza, kValido}));
}

TEST_F(CodFisc, EnterMovesToControllaWithoutPressingIt) {
    ui.onDialog<TfrmCodFisc>([&](TfrmCodFisc& d) {
        d.txtCodFisc.text = "RSSMRA85T10A562S";
        person.press(d.txtCodFisc, VK::Return);
        EXPECT_TRUE(d.hasFocus(d.btnControlla));
        EXPECT_TRUE(d.visible());
        EXPECT_TRUE(ui.messages.empty());
        person.click(d.btnChiudi);
    });
    app.runDialog<TfrmCodFisc>(app.frmAvvio);
    EXPECT_TRUE(ui.messages.empty());
}
