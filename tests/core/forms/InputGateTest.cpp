// SPDX-License-Identifier: GPL-3.0-or-later
// The one input gate: text from every route obeys the same rules as typed keys.

#include "support/AppFixture.h"
#include "support/Books.h"

using namespace quaderna;
using namespace quaderna::testing;

class InputGate : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(libri);
    }
    TfrmLibri& libri = app.frmLibri;
    TfrmAnagrafica& utenti = app.frmAnagrafica;

    void showStoredBook() {
        storeBooks(dir.path(), {book("Il Gattopardo", "GT-1")});
        person.click(libri.cmdPrimo);
        ASSERT_EQ(libri.lblPosizione.text, "1");
    }
};

TEST_F(InputGate, TheLockedCodeOfAStoredBookRefusesTextFromEveryRoute) {
    showStoredBook();
    person.type(libri.txtCodice, "X");
    person.paste(libri.txtCodice, "ZZ-9");
    person.press(libri.txtCodice, VK::Back);
    person.press(libri.txtCodice, VK::Delete);
    // A paste over the whole code (its text selected) is refused too, not just what it adds.
    libri.input(libri.txtCodice, {0, 4, "ZZ-9", Proposal::Route::Other});
    EXPECT_EQ(libri.txtCodice.text, "GT-1");
    // Enter still moves on to the shelf.
    person.press(libri.txtCodice, VK::Return);
    EXPECT_TRUE(libri.hasFocus(libri.txtScaffale));
}

TEST_F(InputGate, ADigitOnlyBoxKeepsTheDigitsOfAPasteAndTheWidthHolds) {
    app.show(utenti);
    struct Case {
        const char* pasted;
        const char* stands;
    } cases[] = {
        {"12", "012"},   // after the "0" that a new user starts with, up to the width of 3
        {"3a4b", "012"}, // no room left: nothing changes
    };
    for (const auto& c : cases) {
        person.paste(utenti.txtPreavviso, c.pasted);
        EXPECT_EQ(utenti.txtPreavviso.text, c.stands) << c.pasted;
    }
    person.retype(utenti.txtPreavviso, "");
    person.paste(utenti.txtPreavviso, "1 2\n3x4");
    EXPECT_EQ(utenti.txtPreavviso.text, "123");
}

TEST_F(InputGate, PastedTextIsCutToTheFieldWidthAndLineBreaksBecomeBlanks) {
    person.paste(libri.txtDewey, "8531234");
    EXPECT_EQ(libri.txtDewey.text, "853");
    person.paste(libri.txtTitolo, "Il nome\r\ndella rosa");
    EXPECT_EQ(libri.txtTitolo.text, "Il nome della rosa");
    person.retype(libri.txtTitolo, "");
    person.paste(libri.txtTitolo, std::string(300, 'x'));
    EXPECT_EQ(libri.txtTitolo.text, std::string(250, 'x'));
}

TEST_F(InputGate, ReadOnlyBoxesTakeNothing) {
    person.type(libri.txtPrestato, "a");
    person.paste(libri.txtScadenza, "01/01/2030");
    EXPECT_EQ(libri.txtPrestato.text, "Libro disponibile per il prestito");
    EXPECT_EQ(libri.txtScadenza.text, "");
}

TEST_F(InputGate, TheChangeHandlerRunsOnPastesAndPicks) {
    app.show(utenti);
    person.paste(utenti.txtCodFisc, " rssmra ");
    EXPECT_EQ(utenti.txtCodFisc.text, "RSSMRA");
    person.type(utenti.txtProvRes, "t");
    EXPECT_EQ(utenti.txtProvRes.text, "T");
    const auto& items = utenti.txtProvRes.items;
    const int to = static_cast<int>(std::find(items.begin(), items.end(), "TO") - items.begin());
    person.pick(utenti.txtProvRes, to);
    EXPECT_EQ(utenti.txtProvRes.text, "TO");
    EXPECT_EQ(utenti.txtProvRes.itemIndex, to);
}

TEST_F(InputGate, KeysEditAtTheCaretAndTheSelection) {
    person.type(libri.txtTitolo, "Il nome della rosa");
    Key k{0, U'X'};
    InputResult r = libri.typeKey(libri.txtTitolo, k, 3, 4); // "nome" selected
    EXPECT_EQ(r.text, "Il X della rosa");
    EXPECT_EQ(r.caret, 4u);
    Key back{VK::Back, 0};
    r = libri.typeKey(libri.txtTitolo, back, 4, 0);
    EXPECT_EQ(r.text, "Il  della rosa");
    Key del{VK::Delete, 0};
    r = libri.typeKey(libri.txtTitolo, del, 0, 0);
    EXPECT_EQ(r.text, "l  della rosa");
    Key left{VK::Left, 0};
    r = libri.typeKey(libri.txtTitolo, left, 2, 0);
    EXPECT_FALSE(r.changed);
}

TEST_F(InputGate, TheMouseGoesDownThenTakesTheFocusThenClicks) {
    std::vector<std::string> seen;
    Form form(app, "TfrmProva", "");
    Button b{&form, "btnProva"};
    b.onMouseDown = [&] { seen.push_back(form.hasFocus(b) ? "down with focus" : "down"); };
    b.onClick = [&] { seen.push_back(form.hasFocus(b) ? "click with focus" : "click"); };
    person.click(b);
    EXPECT_EQ(seen, (std::vector<std::string>{"down", "click with focus"}));
    b.enabled = false;
    person.click(b);
    EXPECT_EQ(seen.size(), 2u);
}
