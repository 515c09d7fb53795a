// SPDX-License-Identifier: GPL-3.0-or-later
// Lending books: the loan window, the date picker and the loan book picker.

#include "LoanFixture.h"
#include "core/loans/LoanSheet.h"
#include "core/text/Text.h"

using namespace quaderna;
using namespace quaderna::testing;

namespace {

// The sheet line of a loan, column by column.
std::string sheetLine(const std::string& code, const std::string& title, const std::string& data,
                      const std::string& scad, const char* sep = "  Scad: ") {
    return "Cod. " + text::padCut(code, 24) + "  " + text::padCut(title, 80) + "  Data: " + data + sep + scad;
}

} // namespace

class LoanWindow : public LoanFixture {};

TEST_F(LoanWindow, ALoanMarksTheBookLentAndAppendsTheLoanToTheYearFile) {
    const std::string libriBefore = readBytes(libri());
    openLoans();
    EXPECT_TRUE(loans.visible());
    EXPECT_EQ(loans.caption, " Quaderna 3.0 - Prestiti libri anno 2022");
    EXPECT_TRUE(loans.panSelezione.visible);
    EXPECT_FALSE(loans.panContainer.visible);
    EXPECT_TRUE(loans.hasFocus(loans.btnImporta));

    importUser(loans.btnImporta, "rossi");
    EXPECT_EQ(loans.txtTesserato.text, "Rossi Mario");
    EXPECT_EQ(loans.txtNumTessera.text, "T-1");
    EXPECT_EQ(loans.txtRecapito.text, "333 1234567");
    person.click(loans.btnVisualizza);
    EXPECT_TRUE(loans.panContainer.visible);
    EXPECT_FALSE(loans.panSelezione.visible);
    EXPECT_EQ(loans.titTesserato.text, "Rossi Mario");
    EXPECT_EQ(loans.titData.text, "10/03/2022");
    EXPECT_EQ(loans.lstRecords.count(), 0);
    EXPECT_TRUE(loans.hasFocus(loans.titDataSca));
    EXPECT_FALSE(std::filesystem::exists(year(2022))); // a look creates nothing

    pickDueDate({2022, 3, 24});
    EXPECT_EQ(loans.titDataSca.text, "24/03/2022");
    lendBook("B2");

    // The book record: only Prestato and Scadenza changed; the other books as they were.
    const std::string libriAfter = readBytes(libri());
    ASSERT_EQ(libriAfter.size(), libriBefore.size());
    const std::string before = libriBefore.substr(TLibro::Size, TLibro::Size);
    const std::string after = libriAfter.substr(TLibro::Size, TLibro::Size);
    const auto prestato = TLibro::F::Prestato;
    const auto scadenza = TLibro::F::Scadenza;
    EXPECT_EQ(after.substr(0, prestato.offset), before.substr(0, prestato.offset));
    EXPECT_EQ(after.substr(scadenza.end()), before.substr(scadenza.end()));
    EXPECT_EQ(readField(after, prestato), "Tessera n. T-1");
    EXPECT_EQ(readField(after, scadenza), "24/03/2022");
    EXPECT_EQ(libriAfter.substr(0, TLibro::Size), libriBefore.substr(0, TLibro::Size));
    EXPECT_EQ(libriAfter.substr(2 * TLibro::Size), libriBefore.substr(2 * TLibro::Size));

    // The loan record, byte for byte.
    TPrestito expected = loan("Rossi Mario", "T-1", "B2", "Il Gattopardo", "10/03/2022", "24/03/2022");
    EXPECT_EQ(readBytes(year(2022)), expected.encode());

    // The sheet grows by the new line; the window is ready for the next loan.
    EXPECT_EQ(loans.lstRecords.items(), std::vector<std::string>{sheetLine(
                                            "B2", "Il Gattopardo", "10/03/2022", "24/03/2022", "  Scad. ")});
    EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
    EXPECT_EQ(ui.lastText(), kAggiunto);
    EXPECT_EQ(loans.titCodice.text, "");
    EXPECT_EQ(loans.titTitolo.text, "");
    EXPECT_EQ(loans.titDataSca.text, "");
    EXPECT_EQ(loans.titData.text, "10/03/2022");
    EXPECT_TRUE(loans.hasFocus(loans.titDataSca));

    // A second loan to the same user; the first book is no longer offered.
    pickDueDate({2022, 3, 10});
    ui.onDialog<TfrmTrovaPrestitiLibri>([&](TfrmTrovaPrestitiLibri& d) {
        person.click(d.btnCerca);
        ASSERT_EQ(d.lstRecords.count(), 2);
        EXPECT_EQ(d.lstRecords.items()[0].substr(0, 7), "Cod. A1");
        EXPECT_EQ(d.lstRecords.items()[1].substr(0, 7), "Cod. C3");
        person.doubleClick(d.lstRecords, 1);
    });
    person.click(loans.btnImportaLibro);
    EXPECT_EQ(storedLoans(year(2022)).size(), 2u);
    EXPECT_EQ(storedBooks(dir.path()).at(2).Prestato, "Tessera n. T-1");
    EXPECT_EQ(loans.lstRecords.count(), 2);

    // Closing goes back to the launcher; reopened, the sheet is rebuilt with "Scad:".
    person.click(loans.btnEsci);
    EXPECT_FALSE(loans.visible());
    EXPECT_TRUE(app.frmAvvio.visible());
    loanSheetOf("rossi");
    EXPECT_EQ(
        loans.lstRecords.items(),
        (std::vector<std::string>{sheetLine("B2", "Il Gattopardo", "10/03/2022", "24/03/2022"),
                                  sheetLine("C3", "La coscienza di Zeno", "10/03/2022", "10/03/2022")}));
}

TEST_F(LoanWindow, ALoanAfterMidnightOnNewYearsEveGoesIntoTheNewYearsFile) {
    ui.fixedToday = {2021, 12, 31};
    loanSheetOf("rossi");
    EXPECT_EQ(loans.caption, " Quaderna 3.0 - Prestiti libri anno 2021");
    lend("A1", {2022, 1, 14});
    // Midnight strikes with the sheet open.
    ui.fixedToday = {2022, 1, 1};
    lend("B2", {2022, 1, 15});
    EXPECT_EQ(ui.lastText(), kAggiunto);
    EXPECT_EQ(readBytes(year(2021)),
              loan("Rossi Mario", "T-1", "A1", "I promessi sposi", "31/12/2021", "14/01/2022").encode());
    EXPECT_EQ(readBytes(year(2022)),
              loan("Rossi Mario", "T-1", "B2", "Il Gattopardo", "01/01/2022", "15/01/2022").encode());
    EXPECT_EQ(loans.caption, " Quaderna 3.0 - Prestiti libri anno 2022");
    EXPECT_EQ(loans.lstRecords.items().back(),
              sheetLine("B2", "Il Gattopardo", "01/01/2022", "15/01/2022", "  Scad. "));
}

TEST_F(LoanWindow, TheSheetListsTheOpenLoansOfThisCardOnly) {
    storeLoans(year(2022),
               {loan("Rossi Mario", "T-1", "A1", "Uno", "01/03/2022", "15/03/2022"),
                loan("Rossi Mario", "T-10", "A2", "Altra tessera", "01/03/2022", "15/03/2022"),
                loan("Rossi Mario", "T-1", "A3", "Reso", "01/03/2022", "15/03/2022", "05/03/2022"),
                loan("Rossi Mario", "t-1", "A4", "Altre lettere", "01/03/2022", "15/03/2022"),
                loan("Altro Nome", "  T-1 ", "A5", "Tessera con spazi", "02/03/2022", "16/03/2022"),
                loan("Rossi Mario", "T-1", "A6", "Reso con spazi", "01/03/2022", "15/03/2022", "  ")});
    storeLoans(year(2021), {loan("Rossi Mario", "T-1", "Z9", "Anno prima", "01/12/2021", "15/12/2021")});
    loanSheetOf("rossi");
    EXPECT_EQ(loans.lstRecords.items(),
              (std::vector<std::string>{sheetLine("A1", "Uno", "01/03/2022", "15/03/2022"),
                                        sheetLine("A5", "Tessera con spazi", "02/03/2022", "16/03/2022"),
                                        sheetLine("A6", "Reso con spazi", "01/03/2022", "15/03/2022")}));
}

TEST_F(LoanWindow, LongCodesAndTitlesAreCutInTheRecordAndOnTheSheet) {
    const std::string title(100, 'T');
    const std::string code(24, 'C');
    storeBooks(dir.path(), {book(title, code)});
    loanSheetOf("rossi");
    lend(code, {2022, 4, 1});
    const auto stored = storedLoans(year(2022));
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].Titolo, std::string(80, 'T'));
    EXPECT_EQ(stored[0].Codice, code);
    EXPECT_EQ(storedBooks(dir.path()).at(3).Titolo, title); // the book keeps its whole title
    EXPECT_EQ(loans.lstRecords.items().at(0),
              "Cod. " + code + "  " + std::string(80, 'T') + "  Data: 10/03/2022  Scad. 01/04/2022");
}

TEST_F(LoanWindow, AUserWithoutNameOrCardGetsNoSheet) {
    openLoans();
    const struct {
        const char* name;
        const char* card;
        const char* message;
    } cases[] = {
        {"", "T-1",
         "Attenzione: per visualizzare la scheda prestito è necessario indicare il nome dell'utente "
         "importandolo dall'archivio anagrafico."},
        {"  ", "T-1",
         "Attenzione: per visualizzare la scheda prestito è necessario indicare il nome dell'utente "
         "importandolo dall'archivio anagrafico."},
        {"Rossi Mario", " ",
         "Attenzione: per visualizzare la scheda prestito è necessario indicare il numero di tessera "
         "dell'utente importandolo dall'archivio anagrafico."},
    };
    for (const auto& c : cases) {
        loans.txtTesserato.text = c.name; // as a user record with such values would leave them
        loans.txtNumTessera.text = c.card;
        person.click(loans.btnVisualizza);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
        EXPECT_EQ(ui.lastText(), c.message);
        EXPECT_TRUE(loans.hasFocus(loans.btnImporta));
        EXPECT_TRUE(loans.panSelezione.visible);
    }
    EXPECT_FALSE(std::filesystem::exists(year(2022)));
}

TEST_F(LoanWindow, TheDueDateIsCheckedBeforeTheBookIsChosen) {
    loanSheetOf("rossi");
    const struct {
        const char* due;
        Shown::Kind kind;
        const char* message;
    } refused[] = {
        {"", Shown::Warning,
         "Attenzione: indicare la data di scadenza del prestito prima di importare il libro."},
        {"31/02/2022", Shown::Plain,
         "Attenzione: la data di scadenza del prestito 31/02/2022 non esiste.\n\r\n\rPer poter compilare la "
         "scheda è necessario indicare una data valida nel formato gg/mm/aaaa."},
        {"09/03/2022", Shown::Plain,
         "Attenzione: la data di scadenza (09/03/2022) non può essere anteriore a quella del prestito "
         "(10/03/2022).\n\r\n\rPer poter compilare la scheda è necessario indicare una data di scadenza "
         "valida."},
    };
    for (const auto& c : refused) {
        loans.titDataSca.text = c.due; // the calendar's or an older program's text
        person.click(loans.btnImportaLibro);
        EXPECT_EQ(ui.lastMessage().kind, c.kind) << c.due;
        EXPECT_EQ(ui.lastText(), c.message);
        EXPECT_TRUE(loans.hasFocus(loans.titDataSca));
    }
    EXPECT_TRUE(ui.dialogsShown.size() == 1u); // only the user search so far

    // Today itself is a due date; "Chiudi" in the picker lends nothing.
    pickDueDate({2022, 3, 10});
    const std::string libriBefore = readBytes(libri());
    ui.onDialog<TfrmTrovaPrestitiLibri>([&](TfrmTrovaPrestitiLibri& d) {
        EXPECT_EQ(d.lblMemory.text, "prestiti_libri");
        EXPECT_EQ(d.caption, " Trova libri disponibili per il prestito");
        person.click(d.btnCerca);
        person.click(d.btnChiudi);
    });
    person.click(loans.btnImportaLibro);
    EXPECT_EQ(ui.dialogsShown.back(), "TfrmTrovaPrestitiLibri");
    EXPECT_EQ(readBytes(libri()), libriBefore);
    EXPECT_FALSE(std::filesystem::exists(year(2022)));
    EXPECT_EQ(loans.titDataSca.text, "10/03/2022");
}

TEST_F(LoanWindow, TheDatePickerOpensOnTodayAndWritesOnlyWhenAskedByTheLoanWindow) {
    loanSheetOf("rossi");
    // "Annulla" leaves the box as it was.
    ui.onDialog<TfrmCalendario>([&](TfrmCalendario& c) {
        EXPECT_EQ(c.caption, " Importazione data");
        EXPECT_EQ(c.lblMemory.text, "prestiti_libri");
        EXPECT_EQ(c.calAppuntamenti.date, (Date{2022, 3, 10}));
        EXPECT_TRUE(c.hasFocus(c.calAppuntamenti));
        c.calAppuntamenti.date = {2022, 5, 2};
        person.click(c.btnAnnulla);
        EXPECT_FALSE(c.visible());
    });
    person.click(loans.btnDataSca);
    EXPECT_EQ(loans.titDataSca.text, "");

    // A double-click on a day imports it, as "Importa" does.
    ui.onDialog<TfrmCalendario>([&](TfrmCalendario& c) {
        c.calAppuntamenti.date = {2022, 5, 2};
        c.calAppuntamenti.onDblClick();
    });
    person.click(loans.btnDataSca);
    EXPECT_EQ(loans.titDataSca.text, "02/05/2022");
    // And Enter on the calendar.
    ui.onDialog<TfrmCalendario>([&](TfrmCalendario& c) {
        c.calAppuntamenti.date = {2022, 5, 3};
        person.press(c.calAppuntamenti, VK::Return);
    });
    person.click(loans.btnDataSca);
    EXPECT_EQ(loans.titDataSca.text, "03/05/2022");

    // Any other key in the box opens the calendar; Backspace and Delete empty it.
    for (int key : {VK::Back, VK::Delete}) {
        loans.titDataSca.text = "02/05/2022";
        const auto shown = ui.dialogsShown.size();
        person.press(loans.titDataSca, key);
        EXPECT_EQ(loans.titDataSca.text, "");
        EXPECT_EQ(ui.dialogsShown.size(), shown);
    }
    ui.onDialog<TfrmCalendario>([&](TfrmCalendario& c) { person.click(c.btnImportaData); });
    person.type(loans.titDataSca, "x");
    EXPECT_EQ(ui.dialogsShown.back(), "TfrmCalendario");
    EXPECT_EQ(loans.titDataSca.text, "10/03/2022");
    person.press(loans.titDataSca, VK::Return);
    EXPECT_EQ(ui.dialogsShown.back(), "TfrmCalendario");

    // With another marker "Importa" does nothing and the picker stays open.
    bool open = false;
    ui.onDialog<TfrmCalendario>([&](TfrmCalendario& c) {
        person.click(c.btnImportaData);
        open = c.visible();
    });
    loans.titDataSca.text.clear();
    app.runDialog<TfrmCalendario>(loans, "altro");
    EXPECT_TRUE(open);
    EXPECT_EQ(loans.titDataSca.text, "");
}

TEST_F(LoanWindow, ThePickerMarksOnlyTheFirstAvailableCopyWithTheChosenLine) {
    // Three copies with the same line: one lent to another reader, two available.
    TLibro lent = book("Il nome della rosa", "R7", "Eco Umberto");
    lent.Prestato = "Tessera n. T-2";
    lent.Scadenza = "20/03/2022";
    const TLibro copy = book("Il nome della rosa", "R7", "Eco Umberto");
    storeBooks(dir.path(), {lent, copy, copy});
    storeLoans(year(2022),
               {loan("Bianchi Anna", "T-2", "R7", "Il nome della rosa", "06/03/2022", "20/03/2022")});
    const std::string libriBefore = readBytes(libri());
    loanSheetOf("rossi");
    pickDueDate({2022, 4, 30});
    ui.onDialog<TfrmTrovaPrestitiLibri>([&](TfrmTrovaPrestitiLibri& d) {
        person.type(d.txtCodice, "R7");
        person.click(d.btnCerca);
        ASSERT_EQ(d.lstRecords.count(), 2); // the two available copies
        person.doubleClick(d.lstRecords, 1);
        EXPECT_EQ(d.lblPosizione.text, "5");
    });
    person.click(loans.btnImportaLibro);

    const std::string libriAfter = readBytes(libri());
    EXPECT_EQ(libriAfter.substr(0, 4 * TLibro::Size), libriBefore.substr(0, 4 * TLibro::Size));
    EXPECT_EQ(libriAfter.substr(5 * TLibro::Size), libriBefore.substr(5 * TLibro::Size));
    const auto books = storedBooks(dir.path());
    EXPECT_EQ(books[3].Prestato, "Tessera n. T-2"); // the lent twin keeps its reader and date
    EXPECT_EQ(books[3].Scadenza, "20/03/2022");
    EXPECT_EQ(books[4].Prestato, "Tessera n. T-1");
    EXPECT_EQ(books[4].Scadenza, "30/04/2022");
    EXPECT_EQ(books[5].Prestato, std::string(kLibroDisponibile));
    const auto stored = storedLoans(year(2022));
    ASSERT_EQ(stored.size(), 2u); // one loan registered
    EXPECT_EQ(stored[1].NumTessera, "T-1");
}

TEST_F(LoanWindow, ABookLentMeanwhileFromAnotherDeskIsNotLentTwice) {
    // Two desks on one folder: both list the book, the first lends it.
    FakePlatform otherUi;
    Application other(otherUi, dir.path());
    other.start();
    Person otherPerson(otherUi);
    loanSheetOf("rossi");
    pickDueDate({2022, 3, 20});
    lendBook("B2", 0, [&] {
        // While this desk looks at the list, the other one lends the same book.
        other.show(other.frmPrestiti);
        other.frmPrestiti.txtTesserato.text = "Bianchi Anna";
        other.frmPrestiti.txtNumTessera.text = "T-2";
        otherPerson.click(other.frmPrestiti.btnVisualizza);
        other.frmPrestiti.titDataSca.text = "25/03/2022";
        otherUi.onDialog<TfrmTrovaPrestitiLibri>([&](TfrmTrovaPrestitiLibri& d) {
            otherPerson.click(d.btnCerca);
            otherPerson.doubleClick(d.lstRecords, 1);
        });
        otherPerson.click(other.frmPrestiti.btnImportaLibro);
        ASSERT_EQ(otherUi.lastText(), kAggiunto);
    });
    EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
    EXPECT_EQ(ui.lastText(), "Attenzione: il libro selezionato non è più disponibile per il prestito.\n\r\n\r"
                             "Ripetere la ricerca per scegliere un altro libro.");
    EXPECT_EQ(storedBooks(dir.path()).at(1).Prestato, "Tessera n. T-2");
    EXPECT_EQ(storedLoans(year(2022)).size(), 1u);
    EXPECT_EQ(loans.lstRecords.count(), 0);
    EXPECT_EQ(loans.titCodice.text, "");
    EXPECT_EQ(loans.titDataSca.text, "20/03/2022"); // ready to choose another book
}

TEST_F(LoanWindow, ThePrintAsksFirstAndPrintsTheSheet) {
    loanSheetOf("rossi");
    person.click(loans.btnStampa);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
    EXPECT_EQ(ui.lastText(), "Operazione di stampa non applicabile: l'elenco non contiene nessuna voce.");
    lend("A1", {2022, 3, 31});
    ui.answers = {MsgButton::No};
    person.click(loans.btnStampa);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Confirmation);
    EXPECT_EQ(ui.lastText(), "Si vuole stampare il presente elenco?");
    EXPECT_TRUE(ui.printed.empty());
    person.click(loans.btnStampa);
    ASSERT_EQ(ui.printed.size(), 1u);
    Report& r = ui.printed[0];
    EXPECT_EQ(r.name, "Riepilogo dati");
    EXPECT_EQ(r.at("txtTitolo").text(), "Prestiti librari dell'utente Rossi Mario - Tessera n. T-1");
    EXPECT_EQ(r.at("txtRiepilogo").lines(), loans.lstRecords.items());
}

TEST_F(LoanWindow, TheUserSearchWritesIntoTheLoanAndReturnsWindows) {
    TTesserato spaced = user("  Verdi Luca ", " T-9 ");
    spaced.Recapito = " 02 555 ";
    storeUsers(dir.path(), {spaced});
    for (const char* marker : {"reg_prestiti", "reg_restituzioni"}) {
        ui.onDialog<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& d) {
            person.type(d.txtTesserato, "verdi");
            person.click(d.btnCerca);
            person.doubleClick(d.lstRecords, 0);
        });
        app.runDialog<TfrmTrovaAnagrafica>(app.frmAvvio, marker);
    }
    for (Form* f : std::initializer_list<Form*>{&loans, &returns}) {
        auto& name = *static_cast<Edit*>(f->find("txtTesserato"));
        auto& card = *static_cast<Edit*>(f->find("txtNumTessera"));
        auto& contact = *static_cast<Edit*>(f->find("txtRecapito"));
        EXPECT_EQ(name.text, "Verdi Luca") << f->className();
        EXPECT_EQ(card.text, "T-9");
        EXPECT_EQ(contact.text, "02 555");
    }
    EXPECT_TRUE(app.frmAnagrafica.txtTesserato.text.empty());
}

TEST(LoanLine, ColumnsOfTheSheet) {
    const TPrestito p = loan("Rossi", "T-1", " b-7 ", "  Il nome della rosa ", "01/03/2022", " 15/03/2022 ");
    EXPECT_EQ(loanLine(p.encode()), "Cod. b-7" + std::string(21, ' ') + "  Il nome della rosa" +
                                        std::string(62, ' ') + "  Data: 01/03/2022  Scad: 15/03/2022");
    EXPECT_EQ(loanLine(p.encode(), "  Scad. ").substr(129), "  Scad. 15/03/2022");
}
