// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/BookSearch.h"
#include "core/catalogue/Convalida.h"
#include "core/catalogue/TrovaDisponibili.h"
#include "core/catalogue/TrovaLibri.h"
#include "core/forms/CriteriaSearch.h"
#include "core/forms/ListWindow.h"
#include "core/text/Text.h"
#include "support/AppFixture.h"
#include "support/Books.h"

#include <algorithm>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

TLibro full(std::string titolo, std::string codice, std::string autore, std::string citta = "Milano",
            std::string editore = "Einaudi", std::string anno = "1958") {
    TLibro b = book(std::move(titolo), std::move(codice), std::move(autore));
    b.Citta = std::move(citta);
    b.Editore = std::move(editore);
    b.Anno = std::move(anno);
    return b;
}

} // namespace

class BookSearchWindow : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmLibri);
    }
    // Opens the search from the book window, lets `criteria` fill it, presses Cerca and hands the
    // result to `then` before the window closes.
    template <class W> void search(std::function<void(W&)> criteria, std::function<void(W&)> then) {
        ui.onDialog<W>([this, criteria, then](W& d) {
            criteria(d);
            person.mouseDown(d.btnCerca);
            EXPECT_TRUE(d.lblAttendere.visible);
            person.click(d.btnCerca);
            then(d);
            if (d.visible())
                person.click(d.btnChiudi);
        });
        person.click(std::is_same_v<W, TfrmTrovaLibri> ? app.frmLibri.cmdTrova : app.frmLibri.cmdDisponibili);
    }
    std::vector<std::string> found(std::function<void(TfrmTrovaLibri&)> criteria) {
        std::vector<std::string> lines;
        search<TfrmTrovaLibri>(criteria, [&](TfrmTrovaLibri& d) { lines = d.lstRecords.items(); });
        return lines;
    }
};

TEST(BookLine, ColumnsArePaddedOrCut) {
    const TLibro b = full("Il nome della rosa", "b-7", "Eco Umberto", "Milano", "Bompiani", "1980");
    EXPECT_EQ(bookLine(b.encode()),
              "Cod. b-7                       Il nome della rosa                                  "
              "Eco Umberto                     Milano Bompiani 1980");
    const TLibro longer = full(std::string(60, 'T'), std::string(24, 'C'), "  Verga  ", "", "", "");
    EXPECT_EQ(bookLine(longer.encode()), "Cod. " + std::string(24, 'C') + "  " + std::string(50, 'T') +
                                             "  Verga" + std::string(25, ' ') + "    ");
}

TEST_F(BookSearchWindow, CriteriaMatchAsTypedWithAToZFolded) {
    storeBooks(dir.path(),
               {full("La coscienza di Zeno", "Z1", "SVEVO ITALO"), full("Senilità", "Z2", "Svevo Italo"),
                full("Il barone rampante", "C1", "Calvino Italo"), full("La luna e i falò", "P1", "Pavese")});
    struct Case {
        std::function<void(TfrmTrovaLibri&)> fill;
        std::vector<std::string> codes;
    } cases[] = {
        {[](auto& d) { d.txtAutore.text = "svevo"; }, {"Z1", "Z2"}}, // small letters find capitals
        {[](auto& d) { d.txtAutore.text = "vino"; }, {"C1"}},        // part of a longer surname
        {[](auto& d) { d.txtTitolo.text = "SENILITÀ"; }, {}},        // an accented capital is another letter
        {[](auto& d) { d.txtTitolo.text = "senilità"; }, {"Z2"}},
        {[](auto& d) { d.txtAutore.text = "italo "; },
         {}}, // trailing blank: only the word followed by a blank
        {[](auto& d) { d.txtAutore.text = "svevo "; }, {"Z1", "Z2"}},
        {[](auto& d) { d.txtAutore.text = " italo"; }, {"C1", "Z1", "Z2"}},
        {[](auto& d) { d.txtAutore.text = "zeno "; }, {}},
        {[](auto& d) {
             d.txtAutore.text = "svevo";
             d.txtTitolo.text = "zeno";
         },
         {"Z1"}}, // two criteria: both must match
        {[](auto& d) {
             d.txtAutore.text = "calvino";
             d.txtTitolo.text = "zeno";
         },
         {}},
        {[](auto&) {}, {"C1", "P1", "Z1", "Z2"}}, // no criterion: every book
        {[](auto& d) {
             d.txtTitolo.text = "zzz";
             d.txtAutore.text = " ";
         },
         {}}, // a blank criterion neither counts nor stands in for one that fails
        {[](auto& d) { d.txtCodice.text = "中"; }, {}}, // a character no stored text can hold
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::vector<std::string> codes;
        for (const auto& line : found(cases[i].fill))
            codes.push_back(text::trim(line.substr(5, 24)));
        EXPECT_EQ(codes, cases[i].codes) << "case " << i;
    }
}

TEST_F(BookSearchWindow, CancelledAndLentBooks) {
    TLibro cancelled = full("Annullato", "X1", "A");
    cancelled.Annullata = "Sì";
    TLibro unknownFlag = full("Senza flag", "X2", "A");
    unknownFlag.Annullata = "";
    TLibro lent = full("Prestato", "X3", "A");
    lent.Prestato = "Tessera n. 9";
    lent.Scadenza = "30/04/2026";
    storeBooks(dir.path(), {cancelled, unknownFlag, lent, full("Libero", "X4", "A")});
    std::vector<std::string> all, available;
    std::string countAll, countAvailable;
    search<TfrmTrovaLibri>([](auto&) {},
                           [&](auto& d) {
                               all = d.lstRecords.items();
                               countAll = d.lblTrovate.text;
                           });
    search<TfrmTrovaDisponibili>([](auto&) {},
                                 [&](auto& d) {
                                     available = d.lstRecords.items();
                                     countAvailable = d.lblTrovate.text;
                                 });
    ASSERT_EQ(all.size(), 2u);
    EXPECT_NE(all[0].find("Cod. X3"), std::string::npos);
    EXPECT_NE(all[1].find("Cod. X4"), std::string::npos);
    EXPECT_EQ(countAll, "Il presente riepilogo contiene 2 schede.");
    ASSERT_EQ(available.size(), 1u);
    EXPECT_NE(available[0].find("Cod. X4"), std::string::npos);
    EXPECT_EQ(countAvailable, "Il presente riepilogo contiene 1 schede.");
}

TEST_F(BookSearchWindow, ALongArchiveListsEveryBookInListOrder) {
    // 3,000 books, more than the program reads in one go: the list is built from two parts of the
    // file side by side, and must be the same as the lines of every book, in list order, equal
    // lines in the order of the file.
    std::vector<TLibro> books;
    std::vector<std::string> expected;
    for (int i = 0; i < 3000; ++i) {
        TLibro b = full(i % 7 ? "Città di mare" : "Viaggio", "K-" + std::to_string(i % 1200), "Autore",
                        i % 2 ? "Roma" : "Torino", "Editore", std::to_string(1900 + i % 100));
        if (i % 11 == 0)
            b.Annullata = "Sì";
        else
            expected.push_back(bookLine(b.encode()));
        books.push_back(b);
    }
    storeBooks(dir.path(), books);
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::string& a, const std::string& b) { return text::listLess(a, b); });
    EXPECT_EQ(found([](auto&) {}), expected);
}

TEST_F(BookSearchWindow, ListIsSortedWithSmallLettersAsCapitals) {
    storeBooks(dir.path(), {full("Uno", "C1", "A"), full("Due", "b-7", "A"), full("Tre", "a_2", "A"),
                            full("Quattro", "B10", "A")});
    std::vector<std::string> codes;
    for (const auto& line : found([](auto&) {}))
        codes.push_back(text::trim(line.substr(5, 24)));
    EXPECT_EQ(codes, (std::vector<std::string>{"a_2", "b-7", "B10", "C1"}));
}

TEST_F(BookSearchWindow, PanelsAndFocusAroundTheSearch) {
    storeBooks(dir.path(), {full("Uno", "C1", "A")});
    ui.onDialog<TfrmTrovaLibri>([&](TfrmTrovaLibri& d) {
        EXPECT_TRUE(d.panAvvio.visible);
        EXPECT_FALSE(d.panContainer.visible);
        EXPECT_TRUE(d.hasFocus(d.txtTitolo));
        EXPECT_EQ(d.lblMemory.text, "libri");
        person.press(d.txtNote, VK::Return);
        EXPECT_TRUE(d.hasFocus(d.txtTitolo));
        person.press(d.txtTitolo, VK::Return);
        EXPECT_TRUE(d.hasFocus(d.txtCodice));
        d.txtAutore.text = "a";
        person.click(d.btnCerca);
        EXPECT_EQ(d.lblConta.text, "1");
        EXPECT_FALSE(d.panAvvio.visible);
        EXPECT_TRUE(d.panContainer.visible);
        EXPECT_FALSE(d.lblAttendere.visible);
        EXPECT_TRUE(d.hasFocus(d.txtTrova));
        person.type(d.txtTrova, "uno\r");
        EXPECT_TRUE(d.hasFocus(d.btnTrova));
        EXPECT_EQ(d.lstRecords.itemIndex, -1); // Enter moved the focus; it did not search
        person.click(d.btnChiudi);
        EXPECT_FALSE(d.visible());
    });
    person.click(app.frmLibri.cmdTrova);
    EXPECT_EQ(ui.dialogsShown, std::vector<std::string>{"TfrmTrovaLibri"});
    EXPECT_EQ(app.frmLibri.lblPosizione.text, ""); // Chiudi writes nothing
}

TEST_F(BookSearchWindow, TrovaRepeatsWrapsAndRestartsWithANewKey) {
    storeBooks(dir.path(), {full("Mare nostro", "A1", "x"), full("Il monte", "A2", "x"),
                            full("IL MARE", "A3", "x"), full("Terra", "A4", "x")});
    search<TfrmTrovaLibri>([](auto&) {},
                           [&](TfrmTrovaLibri& d) {
                               const auto trova = [&](const char* key) {
                                   d.txtTrova.text = key;
                                   person.click(d.btnTrova);
                                   return d.lstRecords.itemIndex;
                               };
                               EXPECT_EQ(trova("mare"),
                                         0); // a new key starts from the first line, which is tested too
                               EXPECT_EQ(trova("mare"), 2);
                               EXPECT_EQ(trova("mare"), 0); // wraps to the top
                               EXPECT_EQ(trova("monte"), 1);
                               EXPECT_EQ(trova("nulla"), 1); // nothing found: the selection stays, no message
                               EXPECT_EQ(trova(""), 1);
                               EXPECT_TRUE(ui.messages.empty());
                           });
}

TEST_F(BookSearchWindow, TrovaOnAnEmptyList) {
    search<TfrmTrovaLibri>([](auto&) {},
                           [&](TfrmTrovaLibri& d) {
                               EXPECT_EQ(d.lblTrovate.text, "Il presente riepilogo contiene 0 schede.");
                               person.click(d.btnTrova);
                               EXPECT_EQ(ui.lastMessage().kind, Shown::Plain);
                               EXPECT_EQ(ui.lastText(),
                                         "Ricerca non applicabile: la lista non contiene nessuna voce.");
                           });
    EXPECT_FALSE(std::filesystem::exists(file("Libri.pro"))) << "a search creates no archive";
}

TEST_F(BookSearchWindow, DoubleClickLoadsTheLastEqualRecordIntoTheCaller) {
    TLibro first = full("Gemello", "G1", "Autore");
    first.Note = "primo";
    TLibro second = full("Gemello", "G1", "Autore");
    second.Note = "secondo";
    second.Annullata = "Sì"; // not listed, but loaded when its line equals the chosen one
    TLibro other = full("Altro", "H1", "Autore");
    other.Scadenza = "02/05/2026";
    other.Prestato = "Tessera n. 3";
    storeBooks(dir.path(), {first, other, second});
    search<TfrmTrovaLibri>([](auto&) {},
                           [&](TfrmTrovaLibri& d) {
                               ASSERT_EQ(d.lstRecords.count(), 2);
                               person.doubleClick(d.lstRecords, 0);
                               EXPECT_FALSE(d.visible());
                           });
    TfrmLibri& w = app.frmLibri;
    EXPECT_EQ(w.txtTitolo.text, "Gemello");
    EXPECT_EQ(w.txtNote.text, "secondo");
    EXPECT_EQ(w.lblPosizione.text, "3");
    EXPECT_TRUE(w.chkAnnullata.checked);
    EXPECT_EQ(w.txtConvalida.text, "Sì");
    person.type(w.txtCodice, "x"); // the caller is now showing a stored book: its code is locked
    EXPECT_EQ(w.txtCodice.text, "G1");

    search<TfrmTrovaLibri>([](auto& d) { d.txtTitolo.text = "altro"; },
                           [&](TfrmTrovaLibri& d) { person.doubleClick(d.lstRecords, 0); });
    EXPECT_EQ(w.lblPosizione.text, "2");
    EXPECT_EQ(w.txtPrestato.text, "Tessera n. 3");
    EXPECT_EQ(w.txtScadenza.text, "02/05/2026");
}

TEST_F(BookSearchWindow, DoubleClickWithoutASelectionOrAnUnknownMarkerWritesNothing) {
    storeBooks(dir.path(), {full("Uno", "C1", "A")});
    search<TfrmTrovaLibri>([](auto&) {}, [&](TfrmTrovaLibri& d) { person.doubleClick(d.lstRecords, -1); });
    EXPECT_EQ(app.frmLibri.lblPosizione.text, "");
    ui.onDialog<TfrmTrovaLibri>([&](TfrmTrovaLibri& d) {
        person.click(d.btnCerca);
        person.doubleClick(d.lstRecords, 0);
    });
    app.runDialog<TfrmTrovaLibri>(app.frmLibri, "altro");
    EXPECT_EQ(app.frmLibri.lblPosizione.text, "");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BookSearchWindow, UnreadableArchiveKeepsTheCriteriaPanel) {
    storeBooks(dir.path(), {full("Uno", "C1", "A")});
    makeUnreadable(file("Libri.pro"));
    search<TfrmTrovaLibri>(
        [](auto&) {},
        [&](TfrmTrovaLibri& d) {
            EXPECT_EQ(ui.lastMessage().kind, Shown::Plain);
            EXPECT_EQ(ui.lastText(),
                      "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
                      "possedere i privilegi di scrittura nella cartella di installazione del programma.");
            EXPECT_TRUE(d.panAvvio.visible);
            EXPECT_FALSE(d.panContainer.visible);
            EXPECT_FALSE(d.lblAttendere.visible);
        });
}

class CodeCheck : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmLibri);
    }
    // Types the code, presses the check icon, looks at the verdict, then answers with `button`.
    void check(const std::string& code, std::function<void(TfrmConvalida&)> look, bool ok = true) {
        app.frmLibri.txtCodice.text = code;
        ui.onDialog<TfrmConvalida>([&](TfrmConvalida& d) {
            look(d);
            person.click(ok ? d.btnOK : d.btnAnnulla);
        });
        person.click(app.frmLibri.btnCodice);
    }
};

TEST_F(CodeCheck, VerdictsWithCaseBlanksCancelledBooksAndSeveralCarriers) {
    TLibro cancelled = book("Ritirato", "OLD-1");
    cancelled.Annullata = "Sì";
    storeBooks(dir.path(), {book("Zeta", "AB-1"), book("Alfa", " ab-1 "), cancelled, book("Altro", "AB 1")});
    struct Case {
        const char* code;
        bool valid;
        std::vector<std::string> titles; // of the books listed, in list order
    } cases[] = {
        {"ab-1", false, {"Alfa", "Zeta"}},
        {"  AB-1 ", false, {"Alfa", "Zeta"}},
        {"old-1", false, {"Ritirato"}},
        {"AB1", true, {}}, // an inner blank makes another code
        {"AB 1", false, {"Altro"}},
        {"À"
         "B-1",
         true,
         {}},
    };
    for (const auto& c : cases) {
        check(c.code, [&](TfrmConvalida& d) {
            EXPECT_EQ(d.txtCodice.text, "CODICE DA CONVALIDARE:  " + text::trim(c.code));
            EXPECT_EQ(d.txtResponso.text, c.valid ? "CODICE LIBRO VALIDO" : "CODICE LIBRO NON VALIDO")
                << c.code;
            EXPECT_EQ(d.txtIndicazioni.text,
                      c.valid ? "Il codice è univoco e può quindi essere assegnato al libro corrente."
                              : "Il codice non è univoco e non può quindi essere assegnato al libro "
                                "corrente.");
            std::vector<std::string> titles;
            for (const auto& line : d.lstRecords.items())
                titles.push_back(text::trim(line.substr(31)));
            EXPECT_EQ(titles, c.titles) << c.code;
            EXPECT_TRUE(d.hasFocus(d.btnOK));
        });
        EXPECT_EQ(app.frmLibri.txtConvalida.text, c.valid ? "Sì" : "No") << c.code;
    }
}

TEST_F(CodeCheck, AnnullaKeepsTheFlagAndAnEmptyArchiveAcceptsAnyCode) {
    check(
        "NUOVO", [](TfrmConvalida& d) { EXPECT_EQ(d.txtResponso.text, "CODICE LIBRO VALIDO"); }, false);
    EXPECT_EQ(app.frmLibri.txtConvalida.text, "No");
    EXPECT_FALSE(std::filesystem::exists(file("Libri.pro"))) << "a check creates no archive";
    check("NUOVO", [](TfrmConvalida&) {});
    EXPECT_EQ(app.frmLibri.txtConvalida.text, "Sì");
}

TEST_F(CodeCheck, AnEmptyCodeIsNotChecked) {
    app.frmLibri.txtCodice.text = "   ";
    person.click(app.frmLibri.btnCodice);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
    EXPECT_EQ(
        ui.lastText(),
        "Indicare il codice identificativo da assegnare al libro prima di premere il pulsante di convalida.");
    EXPECT_TRUE(app.frmLibri.hasFocus(app.frmLibri.txtCodice));
    EXPECT_TRUE(ui.dialogsShown.empty());
}

TEST_F(CodeCheck, AnUnreadableArchiveGivesValid) {
    storeBooks(dir.path(), {book("Uno", "C1")});
    // A read-only archive is read: the code is taken.
    makeReadOnly(file("Libri.pro"));
    check(
        "C1", [](TfrmConvalida& d) { EXPECT_NE(d.txtResponso.text, "CODICE LIBRO VALIDO"); }, false);
    makeUnreadable(file("Libri.pro"));
    check("C1", [](TfrmConvalida& d) { EXPECT_EQ(d.txtResponso.text, "CODICE LIBRO VALIDO"); });
}

namespace {

// A search whose archive fails after two matching records: the disk gave way in the middle.
class FailingSearch : public CriteriaSearch<ListWindow> {
public:
    explicit FailingSearch(Application& app) : CriteriaSearch(app, "TfrmProva", " Prova", "Prova") {}
    Edit txtUno{this, "txtUno"};
    std::array<Edit*, 10> criteria() override {
        return {&txtUno, &txtUno, &txtUno, &txtUno, &txtUno, &txtUno, &txtUno, &txtUno, &txtUno, &txtUno};
    }

protected:
    void search(const std::array<std::string, 10>&, text::Lines& lines) override {
        lines.push_back("Secondo");
        lines.push_back("Primo");
        throw IoError("cannot read Libri.pro", 5);
    }
};

} // namespace

TEST_F(BookSearchWindow, AFailedSearchSaysSoAndKeepsTheLinesFoundSoFar) {
    FailingSearch w(app);
    w.FormCreate();
    person.click(w.btnCerca);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Plain);
    EXPECT_EQ(ui.lastText(), msg::ArchivioNonAccessibile);
    EXPECT_EQ(w.lstRecords.items(), (std::vector<std::string>{"Primo", "Secondo"}));
    EXPECT_FALSE(w.panContainer.visible); // the panels are not switched
    EXPECT_TRUE(w.panAvvio.visible);
}
