// SPDX-License-Identifier: GPL-3.0-or-later
// The loan history: the query window's rules and messages, and the list it opens.

#include "core/history/MenuRiepilogoPrestiti.h"
#include "core/history/RiepilogoPrestiti.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"
#include "history/LoanFiles.h"
#include "support/AppFixture.h"

#include <cstdio>
#include <optional>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

const char* const kDataValida = "Per poter visualizzare il riepilogo è necessario indicare una data valida.";

// What the list window showed while it was open.
struct Listed {
    std::vector<std::string> lines;
    std::string total, tipologia, intervallo;
    bool waiting = false;
};

} // namespace

class History : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmAvvio);
        app.hide(app.frmPassword);
        person.click(app.frmAvvio.btnStorico);
        person.click(app.frmMenuStorico.btnApriStorico);
    }
    TfrmMenuRiepilogoPrestiti& q = app.frmMenuRiepilogoPrestiti;

    // Day and month as the lists offer them: "01" is item 0, "Gennaio" item 0.
    void ask(const std::string& year, const std::string& code, int dayFrom, int monthFrom, int dayTo,
             int monthTo) {
        person.retype(q.txtAnno, year);
        person.retype(q.txtTipologia, code);
        if (dayFrom)
            person.pick(q.txtGiornoInizio, dayFrom - 1);
        if (monthFrom)
            person.pick(q.txtMeseInizio, monthFrom - 1);
        if (dayTo)
            person.pick(q.txtGiornoFine, dayTo - 1);
        if (monthTo)
            person.pick(q.txtMeseFine, monthTo - 1);
    }
    // Presses "Visualizza riepilogo" as a person does; what the list showed, if it opened.
    std::optional<Listed> visualizza(std::function<void(TfrmRiepilogoPrestiti&)> inside = {}) {
        std::optional<Listed> shown;
        ui.onDialog<TfrmRiepilogoPrestiti>([&](TfrmRiepilogoPrestiti& d) {
            shown = Listed{d.lstRecords.items(), d.lblTotCosti.text, d.titTipologia.text,
                           d.lblIntervallo.text, q.lblAttendere.visible};
            EXPECT_TRUE(d.hasFocus(d.txtTrova));
            if (inside)
                inside(d);
            if (d.visible())
                person.click(d.btnEsci);
        });
        person.click(q.btnVisualizza);
        return shown;
    }
    std::filesystem::path year(const char* y) const { return dir / (std::string(y) + ".bib"); }
};

TEST_F(History, TheQueryOpensFromTheSubMenuWithThisYearAndAnEmptyInterval) {
    EXPECT_TRUE(q.visible());
    EXPECT_FALSE(app.frmMenuStorico.visible());
    EXPECT_EQ(q.caption, " Quaderna 3.0 - Storico Prestiti");
    EXPECT_EQ(q.txtAnno.text, "2022");
    EXPECT_EQ(q.lblAnnoInizio.text, "2022");
    EXPECT_EQ(q.lblAnnoFine.text, "2022");
    for (ComboEdit* c : {&q.txtGiornoInizio, &q.txtMeseInizio, &q.txtGiornoFine, &q.txtMeseFine}) {
        EXPECT_EQ(c->text, "");
        EXPECT_EQ(c->itemIndex, -1);
    }
    EXPECT_EQ(q.txtGiornoInizio.items.size(), 31u);
    EXPECT_EQ(q.txtGiornoInizio.items.front(), "01");
    EXPECT_EQ(q.txtGiornoInizio.items.back(), "31");
    EXPECT_EQ(q.txtMeseFine.items[8], "Settembre");
    EXPECT_TRUE(q.hasFocus(q.txtTipologia));

    // Values typed last time are gone at the next showing.
    ask("2024", "ABC", 1, 1, 31, 12);
    person.click(q.btnEsci);
    EXPECT_TRUE(app.frmAvvio.visible());
    EXPECT_FALSE(q.visible());
    person.click(app.frmAvvio.btnStorico);
    person.click(app.frmMenuStorico.btnApriStorico);
    EXPECT_EQ(q.txtAnno.text, "2022");
    EXPECT_EQ(q.txtTipologia.text, "");
    EXPECT_EQ(q.txtMeseFine.text, "");
}

TEST_F(History, TheYearTakesDigitsAndTheDaysAndMonthsComeOnlyFromTheirLists) {
    person.retype(q.txtAnno, "2a0-2 4x");
    EXPECT_EQ(q.txtAnno.text, "2024");
    EXPECT_EQ(q.lblAnnoInizio.text, "2024");
    EXPECT_EQ(q.lblAnnoFine.text, "2024");
    person.press(q.txtAnno, VK::Return);
    EXPECT_TRUE(q.hasFocus(q.txtTipologia));
    person.press(q.txtTipologia, VK::Return);
    EXPECT_TRUE(q.hasFocus(q.txtGiornoInizio));

    person.type(q.txtGiornoInizio, "12");
    EXPECT_EQ(q.txtGiornoInizio.text, "");
    person.paste(q.txtGiornoInizio, "7");
    EXPECT_EQ(q.txtGiornoInizio.text, "");
    person.pick(q.txtGiornoInizio, 6);
    EXPECT_EQ(q.txtGiornoInizio.text, "07");
    person.press(q.txtGiornoInizio, VK::Back);
    EXPECT_EQ(q.txtGiornoInizio.text, "07");
    person.type(q.txtMeseInizio, "Marzo");
    EXPECT_EQ(q.txtMeseInizio.text, "");
    person.pick(q.txtMeseInizio, 2);
    EXPECT_EQ(q.txtMeseInizio.text, "Marzo");
    EXPECT_EQ(q.txtMeseInizio.itemIndex, 2);

    // Enter runs along the interval to "Visualizza riepilogo".
    person.press(q.txtMeseInizio, VK::Return);
    EXPECT_TRUE(q.hasFocus(q.txtGiornoFine));
    person.press(q.txtGiornoFine, VK::Return);
    EXPECT_TRUE(q.hasFocus(q.txtMeseFine));
    person.press(q.txtMeseFine, VK::Return);
    EXPECT_TRUE(q.hasFocus(q.btnVisualizza));

    // A text that is not exactly an item (set by other means) is emptied when the field is left.
    q.txtGiornoFine.text = "7";
    q.txtMeseFine.text = "marzo";
    person.click(q.txtGiornoFine);
    person.click(q.txtMeseFine);
    person.click(q.txtTipologia);
    EXPECT_EQ(q.txtGiornoFine.text, "");
    EXPECT_EQ(q.txtMeseFine.text, "marzo");
}

TEST_F(History, TheMissingPartsAreAskedForInOrder) {
    const struct {
        std::string year;
        int d1, m1, d2, m2;
        std::string message;
        Control* focus;
    } cases[] = {
        {"202", 1, 1, 31, 12, "Attenzione: indicare l'anno solare utilizzando quattro cifre.", &q.txtAnno},
        {"2024", 0, 0, 0, 0,
         "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata.",
         &q.txtGiornoInizio},
        {"2024", 1, 0, 0, 0,
         "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata.",
         &q.txtMeseInizio},
        {"2024", 1, 1, 0, 0,
         "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata.",
         &q.txtGiornoFine},
        {"2024", 1, 1, 31, 0,
         "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata.",
         &q.txtMeseFine},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        app.hide(q);
        app.show(q);
        ask(c.year, "", c.d1, c.m1, c.d2, c.m2);
        ui.messages.clear();
        person.mouseDown(q.btnVisualizza);
        EXPECT_TRUE(q.lblAttendere.visible);
        EXPECT_FALSE(visualizza());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, Shown::Warning);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_TRUE(q.hasFocus(*c.focus));
        EXPECT_FALSE(q.lblAttendere.visible);
    }
    EXPECT_FALSE(std::filesystem::exists(year("202")));
}

TEST_F(History, TheCalendarDecidesWhichIntervalsExist) {
    const struct {
        const char* year;
        int d1, m1, d2, m2;
        const char* message; // none: the list opens
        Control* focus;
    } cases[] = {
        {"2024", 29, 2, 29, 2, nullptr, nullptr},
        {"2025", 29, 2, 31, 3, "Attenzione: la data 29/02/2025 di inizio intervallo non esiste.\n\r\n\r",
         &q.txtGiornoInizio},
        {"2024", 1, 4, 31, 4, "Attenzione: la data 31/04/2024 di fine intervallo non esiste.\n\r\n\r",
         &q.txtGiornoFine},
        {"2024", 10, 3, 9, 3,
         "Attenzione: la data di fine intervallo (09/03/2024) non può essere anteriore a quella di inizio "
         "intervallo (10/03/2024).\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare un "
         "intervallo di tempo valido.",
         nullptr},
        {"2024", 10, 3, 10, 3, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.year) + " " + std::to_string(c.d1) + "/" + std::to_string(c.m1));
        ask(c.year, "", c.d1, c.m1, c.d2, c.m2);
        ui.messages.clear();
        const auto listed = visualizza();
        if (!c.message) {
            EXPECT_TRUE(listed);
            EXPECT_TRUE(ui.messages.empty());
            continue;
        }
        EXPECT_FALSE(listed);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, Shown::Plain);
        std::string want = c.message;
        if (want.find("non esiste") != std::string::npos)
            want += kDataValida;
        EXPECT_EQ(ui.messages[0].text, want);
        EXPECT_TRUE(q.hasFocus(c.focus ? *c.focus : static_cast<Control&>(q.btnVisualizza)));
    }
    EXPECT_EQ(q.lblDataInizio.text, "10/03/2024");
    EXPECT_EQ(q.lblDataFine.text, "10/03/2024");
}

TEST_F(History, TheListShowsTheLoansOfTheIntervalInFileOrderWithTheirTotal) {
    storeLoans(year("2024"),
               {loan("A-1", "01/01/2024"), loan("B-2", "15/03/2024", "20/03/2024", "Bianchi Anna"),
                loan("C-3", "31/03/2024"), loan("D-4", "01/04/2024"), loan("A-1", "02/03/2024", "05/03/2024"),
                loan("E-5", "31/12/2024")});
    ask("2024", "", 1, 1, 31, 12);
    auto whole = visualizza();
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->lines.size(), 6u);
    EXPECT_EQ(whole->total, "6");
    EXPECT_EQ(whole->tipologia, "Tutti i prestiti");
    EXPECT_EQ(whole->intervallo, "Dal   01/01/2024   al   31/12/2024");

    ask("2024", "", 1, 3, 31, 3);
    person.mouseDown(q.btnVisualizza);
    auto march = visualizza();
    ASSERT_TRUE(march);
    // File order; the last day of the interval is in, the day after is not.
    ASSERT_EQ(march->lines.size(), 3u);
    const std::string titolo = text::padCut("Il nome della rosa", 48);
    EXPECT_EQ(march->lines[0], "Cod. " + text::padCut("B-2", 24) + "  " + titolo +
                                   "  Data: 15/03/2024  Rest. 20/03/2024  Utente: Bianchi Anna");
    EXPECT_EQ(march->lines[1], "Cod. " + text::padCut("C-3", 24) + "  " + titolo +
                                   "  Data: 31/03/2024  Rest. " + std::string(10, ' ') +
                                   "  Utente: Rossi Mario");
    EXPECT_NE(march->lines[2].find("Data: 02/03/2024  Rest. 05/03/2024"), std::string::npos);
    EXPECT_EQ(march->total, "3");
    EXPECT_EQ(march->intervallo, "Dal   01/03/2024   al   31/03/2024");
    // The waiting label stays while the list is open and goes with it.
    EXPECT_TRUE(march->waiting);
    EXPECT_FALSE(q.lblAttendere.visible);
}

TEST_F(History, ALongYearIsListedWholeInFileOrder) {
    // 33,000 loans: more than the program reads in one go, so the year is read in two halves.
    std::vector<TPrestito> loans;
    for (int i = 0; i < 33000; ++i) {
        char date[16];
        std::snprintf(date, sizeof date, "%02d/%02d/2024", 1 + i % 28, 1 + i % 12);
        loans.push_back(loan("L-" + std::to_string(i), date));
    }
    storeLoans(year("2024"), loans);
    ask("2024", "", 1, 1, 31, 12);
    const auto listed = visualizza();
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->lines.size(), loans.size());
    for (std::size_t i = 0; i < loans.size(); ++i)
        ASSERT_EQ(listed->lines[i].substr(0, 29), "Cod. " + text::padCut("L-" + std::to_string(i), 24)) << i;
    EXPECT_EQ(listed->total, "33000");
}

TEST_F(History, LongTextsAreCutToTheirColumnsAndTrova) {
    TPrestito p = loan("  CODICE-MOLTO-LUNGO-DI-VENTISEI  ", "10/05/2024");
    p.Titolo = "  Storia della letteratura italiana dalle origini al Novecento, volume primo";
    storeLoans(year("2024"), {p, loan("X", "11/05/2024", "", "Verdi Giuseppe")});
    ask("2024", "", 1, 5, 31, 5);
    const auto listed = visualizza([&](TfrmRiepilogoPrestiti& d) {
        person.type(d.txtTrova, "VERDI");
        person.click(d.btnTrova);
        EXPECT_EQ(d.lstRecords.itemIndex, 1);
    });
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->lines[0],
              "Cod. CODICE-MOLTO-LUNGO-DI-VE  Storia della letteratura italiana dalle origini "
              "  Data: 10/05/2024  Rest.             Utente: Rossi Mario");
}

TEST_F(History, TheCodeFilterTakesTheWholeCodeWithoutRegardToTheCaseOfAToZ) {
    storeLoans(year("2024"),
               {loan("ABC-1", "10/01/2024"), loan("abc-12", "11/01/2024"), loan("ÈX-1", "12/01/2024"),
                loan("", "13/01/2024"), loan("  abc-1 ", "14/01/2024")});
    const struct {
        const char* filter;
        std::size_t lines;
    } cases[] = {{"abc-1", 2}, {"  ABC-1  ", 2}, {"abc", 0}, {"èx-1", 0}, {"ÈX-1", 1}, {"", 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        ask("2024", c.filter, 1, 1, 31, 1);
        const auto listed = visualizza();
        ASSERT_TRUE(listed);
        EXPECT_EQ(listed->lines.size(), c.lines);
        EXPECT_EQ(listed->total, std::to_string(c.lines));
        const std::string filter = text::trim(c.filter);
        EXPECT_EQ(listed->tipologia, filter.empty() ? "Tutti i prestiti" : filter);
    }
}

TEST_F(History, ALoanWhoseDateCannotBeReadIsLeftOutAndTheListingGoesOn) {
    storeLoans(year("2024"), {loan("A-1", "05/02/2024"), loan("B-2", "31/02/2024"), loan("C-3", "ieri"),
                              loan("D-4", ""), loan("E-5", "06/02/2024")});
    ask("2024", "", 1, 1, 31, 12);
    const auto listed = visualizza();
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->lines.size(), 2u);
    EXPECT_EQ(listed->lines[0].substr(0, 8), "Cod. A-1");
    EXPECT_EQ(listed->lines[1].substr(0, 8), "Cod. E-5");
    EXPECT_EQ(listed->total, "2");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(History, AYearWithoutAFileListsNothingAndAFileThatCannotBeReadIsSaid) {
    ask("2019", "", 1, 1, 31, 12);
    auto listed = visualizza();
    ASSERT_TRUE(listed);
    EXPECT_TRUE(listed->lines.empty());
    EXPECT_EQ(listed->total, "0");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(year("2019"))) << "a query creates no year file";

    makeUnreadable(year("2024"));
    ask("2024", "", 1, 1, 31, 12);
    listed = visualizza();
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->total, "0");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, Shown::Plain);
    EXPECT_EQ(ui.messages[0].text, "Attenzione: il file di archivio non risulta accessibile.");
    EXPECT_TRUE(std::filesystem::is_directory(year("2024")));
}

TEST_F(History, TheListedLoansAreReadAgainWhenShownAndLoansCutFromTheFileAreNotPrinted) {
    // 700 loans, one in seven with a date that cannot be read: the listed loans are not one run
    // of the file, and the list reads it in several pieces, forwards and back.
    std::vector<TPrestito> loans;
    for (int i = 0; i < 700; ++i)
        loans.push_back(loan("C-" + std::to_string(i), i % 7 == 3 ? "ieri" : "10/06/2024"));
    storeLoans(year("2024"), loans);
    std::vector<std::string> expected;
    for (const TPrestito& l : loans)
        if (l.Data != "ieri")
            expected.push_back(history::historyLine(l.encode()));
    ask("2024", "", 1, 1, 31, 12);
    ui.answers = {MsgButton::Yes};
    visualizza([&](TfrmRiepilogoPrestiti& d) {
        ASSERT_EQ(d.lstRecords.count(), 600);
        for (int i : {599, 0, 300, 299, 450, 1})
            EXPECT_EQ(d.lstRecords.item(i), expected[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(d.lstRecords.items(), expected);

        // A return recorded meanwhile at another desk shows on the line once its part of the file
        // is read again.
        TPrestito returned = loans[600];
        returned.DataRes = "20/06/2024";
        RecordFile(year("2024"), TPrestito::Size).writeAt(600, returned.encode());
        EXPECT_EQ(d.lstRecords.item(0), expected[0]);
        EXPECT_EQ(d.lstRecords.item(514), history::historyLine(returned.encode()));

        // The file cut short by another program: the loans gone show as empty lines, and the list
        // is not printed with them missing.
        std::filesystem::resize_file(year("2024"), 100 * TPrestito::Size);
        EXPECT_EQ(d.lstRecords.item(80), expected[80]);
        EXPECT_EQ(d.lstRecords.item(500), "");
        person.click(d.btnStampa);
        EXPECT_EQ(ui.lastText(), "Attenzione: il file di archivio non risulta accessibile.");
    });
    EXPECT_TRUE(ui.printed.empty());
}

TEST_F(History, ThePrintedListEndsWithTheSeparatorTheIntervalAndTheTotal) {
    storeLoans(year("2024"), {loan("A-1", "05/02/2024"), loan("B-2", "06/02/2024", "07/02/2024")});
    ask("2024", "", 1, 3, 31, 3);
    visualizza([&](TfrmRiepilogoPrestiti& d) {
        person.click(d.btnStampa);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
        EXPECT_EQ(ui.lastText(),
                  "Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce.");
    });
    EXPECT_TRUE(ui.printed.empty());

    ask("2024", "b-2", 1, 2, 29, 2);
    ui.answers = {MsgButton::No, MsgButton::Yes};
    std::vector<std::string> lines;
    visualizza([&](TfrmRiepilogoPrestiti& d) {
        lines = d.lstRecords.items();
        person.click(d.btnStampa);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Confirmation);
        EXPECT_EQ(ui.lastText(), "Si vuole stampare il presente riepilogo?");
        EXPECT_TRUE(ui.printed.empty());
        person.click(d.btnStampa);
    });
    ASSERT_EQ(ui.printed.size(), 1u);
    const Report& r = ui.printed[0];
    EXPECT_EQ(r.memo("txtTitolo")->text(), "Riepilogo prestiti libri - Codice: b-2");
    ASSERT_EQ(lines.size(), 1u);
    const std::vector<std::string> printed = {lines[0], "- - - - - - - - - - - - - - - -",
                                              "INTERVALLO SELEZIONATO:    Dal   01/02/2024   al   29/02/2024",
                                              "TOTALE PRESTITI:  1"};
    EXPECT_EQ(r.memo("txtRiepilogo")->lines(), printed);
}

TEST_F(History, TheExportLinksCheckTheYearAndNameItsFile) {
    for (Button* link : {&q.cmdEsporta, &q.lnkEsporta, &q.cmdScaduti, &q.lnkScaduti}) {
        SCOPED_TRACE(link->name());
        person.retype(q.txtAnno, "24");
        q.lblFile.text = "FilePath";
        ui.messages.clear();
        person.click(*link);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Attenzione: indicare l'anno solare utilizzando quattro cifre.");
        EXPECT_TRUE(q.hasFocus(q.txtAnno));
        EXPECT_EQ(q.lblFile.text, "FilePath");
        person.retype(q.txtAnno, "2024");
        person.click(*link);
        EXPECT_EQ(q.lblFile.text, (dir / "2024.bib").string());
    }
}
