// SPDX-License-Identifier: GPL-3.0-or-later
// Returning books: the returns window and the return confirmation.

#include "LoanFixture.h"
#include "core/text/Text.h"

using namespace quaderna;
using namespace quaderna::testing;

class ReturnWindow : public LoanFixture {};

TEST_F(ReturnWindow, AReturnMakesTheBookAvailableAndDatesTheLoanRecord) {
    const std::string libriBefore = readBytes(libri());
    loanSheetOf("rossi");
    lend("B2", {2022, 3, 24});
    ui.fixedToday = {2022, 3, 21};
    const std::string libriLent = readBytes(libri());
    const std::string yearLent = readBytes(year(2022));
    person.click(loans.btnEsci);

    openReturns();
    EXPECT_EQ(returns.caption, " Quaderna 3.0 - Restituzioni libri");
    EXPECT_EQ(returns.txtAnno.text, "2022");
    EXPECT_TRUE(returns.hasFocus(returns.txtAnno));
    importUser(returns.btnImporta, "rossi");
    EXPECT_EQ(returns.txtNumTessera.text, "T-1");
    person.click(returns.btnVisualizza);
    EXPECT_TRUE(returns.panContainer.visible);
    EXPECT_TRUE(returns.hasFocus(returns.lstRecords));
    EXPECT_EQ(returns.titDataRes.text, "21/03/2022");
    ASSERT_EQ(returns.lstRecords.count(), 1);
    EXPECT_EQ(returns.lstRecords.items()[0].substr(111), "  Data: 10/03/2022  Scad: 24/03/2022");

    clickLine(0);
    EXPECT_EQ(returns.titCodice.text, "B2");
    EXPECT_EQ(returns.titTitolo.text, "Il Gattopardo");
    EXPECT_EQ(returns.titData.text, "10/03/2022");
    EXPECT_EQ(returns.titDataSca.text, "24/03/2022");
    EXPECT_EQ(returns.lblPosizione.text, "1");

    // "Annulla" writes nothing and keeps the selection.
    confirmReturn([&](TfrmRendiLibro& d) {
        EXPECT_EQ(d.caption, " Quaderna 3.0 - Conferma restituzione libro");
        EXPECT_EQ(d.txtTitolo.text, "Il Gattopardo");
        EXPECT_EQ(d.txtCodice.text, "B2");
        EXPECT_EQ(d.txtAutore.text, "Tomasi di Lampedusa Giuseppe");
        EXPECT_EQ(d.lblPosizione.text, "2");
        EXPECT_TRUE(d.hasFocus(d.btnConferma));
        person.click(d.btnAnnulla);
    });
    EXPECT_EQ(readBytes(libri()), libriLent);
    EXPECT_EQ(readBytes(year(2022)), yearLent);
    EXPECT_EQ(returns.titCodice.text, "B2");

    confirmReturn();
    // The book is as it was before the loan, byte for byte; the other books were not touched.
    EXPECT_EQ(readBytes(libri()), libriBefore);
    TPrestito expected = loan("Rossi Mario", "T-1", "B2", "Il Gattopardo", "10/03/2022", "24/03/2022");
    expected.DataRes = "21/03/2022";
    EXPECT_EQ(readBytes(year(2022)), expected.encode());
    EXPECT_EQ(returns.lstRecords.count(), 0);
    EXPECT_EQ(returns.titCodice.text, "");
    EXPECT_EQ(returns.lblPosizione.text, "");
    EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
    EXPECT_EQ(ui.lastText(), kRimosso);

    // The book can be lent again.
    person.click(returns.btnEsci);
    EXPECT_TRUE(app.frmAvvio.visible());
    loanSheetOf("bianchi");
    lend("B2", {2022, 4, 4});
    EXPECT_EQ(storedBooks(dir.path()).at(1).Prestato, "Tessera n. T-2");
}

TEST_F(ReturnWindow, ALoanOfLastYearIsReturnedInLastYearsFile) {
    ui.fixedToday = {2021, 12, 20};
    loanSheetOf("rossi");
    lend("A1", {2022, 1, 20});
    person.click(loans.btnEsci);
    ASSERT_EQ(storedLoans(year(2021)).size(), 1u);

    ui.fixedToday = {2022, 1, 10};
    openReturns();
    EXPECT_EQ(returns.txtAnno.text, "2022");
    person.retype(returns.txtAnno, "2021");
    importUser(returns.btnImporta, "rossi");
    person.click(returns.btnVisualizza);
    ASSERT_EQ(returns.lstRecords.count(), 1);
    clickLine(0);
    confirmReturn();
    EXPECT_EQ(storedLoans(year(2021)).at(0).DataRes, "10/01/2022");
    EXPECT_FALSE(std::filesystem::exists(year(2022)));
    EXPECT_EQ(storedBooks(dir.path()).at(0).Prestato, std::string(kLibroDisponibile));
    EXPECT_EQ(storedBooks(dir.path()).at(0).Scadenza, "");
}

TEST_F(ReturnWindow, AClickSelectsTheLastOpenLoanOfThisCardWithTheClickedLine) {
    const TPrestito same = loan("Rossi Mario", "T-1", "A1", "I promessi sposi", "01/03/2022", "15/03/2022");
    TPrestito returned = same;
    returned.DataRes = "05/03/2022";
    TPrestito otherCard = same;
    otherCard.NumTessera = "T-2";
    // Lent, returned and lent again with the same dates; later in the file a returned twin and a
    // twin of another card.
    storeLoans(year(2022),
               {returned, same, returned, otherCard,
                loan("Rossi Mario", "T-1", "C3", "La coscienza di Zeno", "02/03/2022", "16/03/2022")});
    returnSheetOf("rossi", "2022");
    ASSERT_EQ(returns.lstRecords.count(), 2);
    clickLine(0);
    EXPECT_EQ(returns.lblPosizione.text, "2");
    EXPECT_EQ(returns.titCodice.text, "A1");
    clickLine(1);
    EXPECT_EQ(returns.lblPosizione.text, "5");
    EXPECT_EQ(returns.titCodice.text, "C3");

    // Returned, the right record gets the date; its twins stay as they were.
    clickLine(0);
    const std::string before = readBytes(year(2022));
    confirmReturn();
    const std::string after = readBytes(year(2022));
    EXPECT_EQ(after.substr(0, TPrestito::Size), before.substr(0, TPrestito::Size));
    EXPECT_EQ(after.substr(2 * TPrestito::Size), before.substr(2 * TPrestito::Size));
    EXPECT_EQ(storedLoans(year(2022)).at(1).DataRes, "10/03/2022");
    ASSERT_EQ(returns.lstRecords.count(), 1);
    EXPECT_EQ(returns.lstRecords.items()[0].substr(0, 7), "Cod. C3");

    // A click that finds no loan (the line no longer stands in the file) selects nothing.
    clickLine(0);
    ASSERT_EQ(returns.titCodice.text, "C3");
    writeBytes(year(2022), before.substr(0, 4 * TPrestito::Size));
    clickLine(0);
    EXPECT_EQ(returns.titCodice.text, "");
    EXPECT_EQ(returns.lblPosizione.text, "");
}

TEST_F(ReturnWindow, TheYearIsFourDigitsAndAYearWithoutLoansShowsAnEmptySheet) {
    openReturns();
    importUser(returns.btnImporta, "rossi");
    person.retype(returns.txtAnno, "2o2l");
    EXPECT_EQ(returns.txtAnno.text, "22");
    person.paste(returns.txtAnno, "x0");
    EXPECT_EQ(returns.txtAnno.text, "220");
    person.click(returns.btnVisualizza);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
    EXPECT_EQ(ui.lastText(), "Attenzione: indicare l'anno solare utilizzando quattro cifre.");
    EXPECT_TRUE(returns.hasFocus(returns.txtAnno));
    EXPECT_TRUE(returns.panSelezione.visible);
    person.type(returns.txtAnno, "19");
    EXPECT_EQ(returns.txtAnno.text, "2201"); // four characters at most
    // Enter in the year goes to "Importa utente".
    person.press(returns.txtAnno, VK::Return);
    EXPECT_TRUE(returns.hasFocus(returns.btnImporta));
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        EXPECT_NE(e.path().extension(), ".bib") << e.path();

    person.click(returns.btnVisualizza);
    EXPECT_TRUE(returns.panContainer.visible);
    EXPECT_EQ(returns.lstRecords.count(), 0);
    EXPECT_FALSE(std::filesystem::exists(year(2201))); // a look at a year creates no file for it

    // Nothing to remove, nothing to print.
    person.click(returns.btnRimuovi);
    EXPECT_EQ(ui.lastText(), "Operazione non applicabile: l'elenco non contiene nessuna voce.");
    person.click(returns.btnStampa);
    EXPECT_EQ(ui.lastText(), "Operazione di stampa non applicabile: l'elenco non contiene nessuna voce.");
    EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
}

TEST_F(ReturnWindow, RemovingNeedsASelectedLineAndAnUnknownCodeStillReturnsTheLoan) {
    storeLoans(year(2022), {loan("Rossi Mario", "T-1", "ZZ-404", "Perduto", "01/03/2022", "15/03/2022")});
    returnSheetOf("rossi", "2022");
    person.click(returns.btnRimuovi);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
    EXPECT_EQ(ui.lastText(),
              "Attenzione: selezionare un libro con un clic prima di premere il pulsante Rimuovi da elenco.");
    clickLine(0);
    const std::string libriBefore = readBytes(libri());
    confirmReturn([&](TfrmRendiLibro& d) {
        EXPECT_EQ(d.txtTitolo.text, "");
        EXPECT_EQ(d.lblPosizione.text, "");
        EXPECT_TRUE(d.hasFocus(d.btnConferma));
        person.click(d.btnConferma);
    });
    EXPECT_EQ(readBytes(libri()), libriBefore);
    EXPECT_EQ(storedLoans(year(2022)).at(0).DataRes, "10/03/2022");
    EXPECT_EQ(ui.lastText(), kRimosso);
}

TEST_F(ReturnWindow, AReturnTakesTheUsersCurrentNameAndContact) {
    storeLoans(year(2022), {loan("Rossi M.", "T-1", "A1", "I promessi sposi", "01/03/2022", "15/03/2022")});
    returnSheetOf("rossi", "2022");
    clickLine(0);
    confirmReturn();
    const TPrestito p = storedLoans(year(2022)).at(0);
    EXPECT_EQ(p.Tesserato, "Rossi Mario");
    EXPECT_EQ(p.Recapito, "333 1234567");
    EXPECT_EQ(p.Data, "01/03/2022");
    EXPECT_EQ(p.DataSca, "15/03/2022");
}

TEST_F(ReturnWindow, ThePrintAsksFirstAndPrintsTheSheet) {
    storeLoans(year(2022),
               {loan("Rossi Mario", "T-1", "A1", "I promessi sposi", "01/03/2022", "15/03/2022")});
    returnSheetOf("rossi", "2022");
    ui.answers = {MsgButton::No};
    person.click(returns.btnStampa);
    EXPECT_EQ(ui.lastText(), "Si vuole stampare il presente elenco?");
    EXPECT_TRUE(ui.printed.empty());
    person.click(returns.btnStampa);
    ASSERT_EQ(ui.printed.size(), 1u);
    EXPECT_EQ(ui.printed[0].at("txtTitolo").text(), "Prestiti dell'utente Rossi Mario - Tessera n. T-1");
    EXPECT_EQ(ui.printed[0].at("txtRiepilogo").lines(), returns.lstRecords.items());
}

TEST_F(ReturnWindow, TheDaysFirstLoanOrReturnCopiesTheArchivesItChanges) {
    storeLoans(year(2022),
               {loan("Bianchi Anna", "T-2", "C3", "La coscienza di Zeno", "01/03/2022", "15/03/2022")});
    const std::string libriBefore = readBytes(libri());
    const std::string yearBefore = readBytes(year(2022));
    loanSheetOf("rossi");
    lend("A1", {2022, 3, 31});
    const auto day = dir / "Backup" / "2022-03-10";
    EXPECT_EQ(readBytes(day / "Libri.pro"), libriBefore);
    EXPECT_EQ(readBytes(day / "2022.bib"), yearBefore);

    ui.fixedToday = {2022, 3, 11};
    const std::string libriLent = readBytes(libri());
    const std::string yearLent = readBytes(year(2022));
    person.click(loans.btnEsci);
    returnSheetOf("rossi", "2022");
    clickLine(0);
    confirmReturn();
    const auto next = dir / "Backup" / "2022-03-11";
    EXPECT_EQ(readBytes(next / "Libri.pro"), libriLent);
    EXPECT_EQ(readBytes(next / "2022.bib"), yearLent);
    EXPECT_TRUE(ui.statuses.empty());
}

// A card cancelled while its books are out: the search opened for a return lists it, its line
// marked, so the books can come back; the loan window's search still leaves it out.
TEST_F(ReturnWindow, ACancelledCardStillBringsItsBooksBack) {
    loanSheetOf("rossi");
    lend("B2", {2022, 3, 24});
    person.click(loans.btnEsci);
    std::vector<TTesserato> users = storedUsers(dir.path());
    users.at(0).Annullata = "Sì";
    writeBytes(dir / "Tesserati.pro", users.at(0).encode() + users.at(1).encode());

    std::vector<std::string> listed;
    ui.onDialog<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& d) {
        person.click(d.btnCerca);
        listed = d.lstRecords.items();
        person.click(d.btnChiudi);
    });
    openLoans();
    person.click(loans.btnImporta);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].substr(0, 12), "Bianchi Anna");
    person.click(loans.btnEsci);

    openReturns();
    ui.onDialog<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& d) {
        person.click(d.btnCerca);
        listed = d.lstRecords.items();
        EXPECT_EQ(d.lblTrovate.text, "Il presente riepilogo contiene 2 schede.");
        person.doubleClick(d.lstRecords, 1);
    });
    person.click(returns.btnImporta);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].find("ANNULLATA"), std::string::npos);
    EXPECT_EQ(listed[1],
              "Rossi Mario                     Tessera n. T-1                   Scad. 31/12/2022  Tel. "
              "333 1234567   [TESSERA ANNULLATA]  ");
    EXPECT_EQ(returns.txtTesserato.text, "Rossi Mario");
    EXPECT_EQ(returns.txtNumTessera.text, "T-1");
    person.click(returns.btnVisualizza);
    ASSERT_EQ(returns.lstRecords.count(), 1);
    clickLine(0);
    confirmReturn();
    EXPECT_EQ(ui.lastText(), kRimosso);
    EXPECT_EQ(storedLoans(year(2022)).at(0).DataRes, "10/03/2022");
    EXPECT_EQ(storedBooks(dir.path()).at(1).Prestato, std::string(kLibroDisponibile));
}

TEST_F(ReturnWindow, AReturnFreesTheCopyItsLoanLent) {
    // Copies that share a code, as imported or older archives have them (positions 4 to 9).
    const auto copy = [](const std::string& code, const std::string& card, const std::string& due) {
        TLibro b = book("Copia condivisa", code);
        if (!card.empty()) {
            b.Prestato = "Tessera n. " + card;
            b.Scadenza = due;
        }
        return b;
    };
    storeBooks(dir.path(), {copy("D4", "T-1", "24/03/2022"), copy("D4", "T-2", "30/03/2022"),
                            copy("D4", "T-2", "31/03/2022"), copy("D4", "", ""),
                            copy("E5", "T-1", "24/03/2022"), copy("E5", "", "")});
    storeLoans(year(2022),
               {loan("Bianchi Anna", "T-2", "D4", "Copia condivisa", "01/03/2022", "31/03/2022"),
                loan("Bianchi Anna", "T-2", "D4", "Copia condivisa", "02/03/2022", "15/04/2022"),
                loan("Bianchi Anna", "T-2", "E5", "Copia condivisa", "03/03/2022", "24/03/2022")});
    const struct {
        const char* why;
        int line;
        std::size_t copy; // 1-based position of the copy freed
    } cases[] = {
        {"the copy lent to this card until the loan's due date", 0, 6},
        {"failing that, a copy lent to this card", 0, 5},
        {"failing that, the first copy with the code", 0, 8},
    };
    returnSheetOf("bianchi", "2022");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string before = readBytes(libri());
        clickLine(c.line);
        confirmReturn([&](TfrmRendiLibro& d) {
            EXPECT_EQ(d.lblPosizione.text, std::to_string(c.copy));
            EXPECT_EQ(d.txtTitolo.text, "Copia condivisa");
            person.click(d.btnConferma);
        });
        EXPECT_EQ(ui.lastText(), kRimosso);
        const std::string after = readBytes(libri());
        for (std::size_t k = 0; k < after.size() / TLibro::Size; ++k) {
            if (k + 1 == c.copy)
                continue;
            EXPECT_EQ(after.substr(k * TLibro::Size, TLibro::Size),
                      before.substr(k * TLibro::Size, TLibro::Size))
                << "copy " << k + 1 << " changed";
        }
        const TLibro freed = storedBooks(dir.path()).at(c.copy - 1);
        EXPECT_EQ(freed.Prestato, std::string(kLibroDisponibile));
        EXPECT_EQ(freed.Scadenza, "");
    }
    // Rossi's copy of D4 is still his.
    EXPECT_EQ(storedBooks(dir.path()).at(3).Prestato, "Tessera n. T-1");
}
