// SPDX-License-Identifier: GPL-3.0-or-later
// The spreadsheet exports: the file's exact bytes, the four windows' grids and columns, their
// questions, and what a failure or "Annulla" leaves on disk.

#include "core/export/ExpAnagrafica.h"
#include "core/export/ExpLibri.h"
#include "core/export/ExpPrestiti.h"
#include "core/export/ExpPrestitiSca.h"
#include "core/export/SpreadsheetExport.h"
#include "core/text/Text.h"
#include "history/LoanFiles.h"
#include "support/AppFixture.h"
#include "support/Books.h"
#include "support/Users.h"

#include <fcntl.h>
#include <unistd.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

// The head and the table's opening, as the file must begin, with the sheet's name; the style
// sheet keeps the data cells as text in LibreOffice Calc.
std::string expectedHead(const std::string& sheet) {
    return "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">"
           "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
           "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet><x:Name>" +
           sheet +
           "</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
           "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
           "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
           "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]-->"
           "<style>.testo{mso-number-format:\"\\@\";}</style></head><body><table x:str>";
}

std::string headerRow(const std::vector<std::pair<std::string, int>>& columns) {
    std::string r = "<tr>";
    for (const auto& [header, width] : columns)
        r += "<td style=\"text-align: left; font-weight: bold;\" width=" + std::to_string(width) + ">" +
             text::toCp1252(header) + "</td>";
    return r + "</tr>";
}

std::string dataRow(const std::vector<std::string>& cells) {
    std::string r = "<tr>";
    for (const auto& c : cells)
        r += "<td style=\"text-align: left;\" class=testo>" + c + "</td>";
    return r + "</tr>";
}

const std::string kTail = "</table></body></html>";
const char* const kDomanda =
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
    "schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?";
const char* const kRiuscita =
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?";
const char* const kNonRiuscita = "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi "
                                 "che il file di Excel non sia già aperto.";

// The files of a folder whose names start with a dot: what a write in progress would leave.
std::vector<std::string> hiddenFiles(const std::filesystem::path& dir) {
    std::vector<std::string> r;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().filename().string().front() == '.')
            r.push_back(e.path().filename().string());
    return r;
}

} // namespace

class Exports : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmAvvio);
        app.hide(app.frmPassword);
    }
    // Opens the book export from the book window and lets `inside` work in it.
    void fromBooks(std::function<void(TfrmExpLibri&)> inside) {
        ui.onDialog<TfrmExpLibri>([&](TfrmExpLibri& d) {
            inside(d);
            if (d.visible())
                person.click(d.cmdEsci);
        });
        person.click(app.frmAvvio.btnLibri);
        person.click(app.frmLibri.cmdEsporta);
    }
    std::filesystem::path xls(const char* name) const { return dir / name; }
};

TEST(SpreadsheetText, MarkupCharactersControlsAndForeignLettersReachTheSheetAsTyped) {
    const struct {
        const char* typed;
        std::string written;
    } cases[] = {
        {"<i>Rosa</i> & co.", "&lt;i&gt;Rosa&lt;/i&gt; &amp; co."},
        {"  Città è  ", "Citt\xE0 \xE8"},
        {"Prezzo: 10 €", "Prezzo: 10 \x80"},
        {"riga\r\nseguente\tfine", "riga  seguente fine"},
        {"Łódź", "&#321;\xF3"
                 "d&#378;"},
        {"a > b", "a &gt; b"},
    };
    for (const auto& c : cases) {
        std::string out;
        spreadsheet::appendText(out, c.typed);
        EXPECT_EQ(out, c.written) << c.typed;
    }
    EXPECT_NE(
        spreadsheet::head("Libri & <altro>", {{"A", 1}}).find("<x:Name>Libri &amp; &lt;altro&gt;</x:Name>"),
        std::string::npos);
}

TEST_F(Exports, TheBookExportWritesItsExactBytesAndOpensTheFileOnRequest) {
    TLibro a = book("Il nome della rosa", "NAR-1", "Eco Umberto");
    a.Citta = "Milano";
    a.Note = "Prima edizione";
    TLibro b = book("  <i>Rosa</i> & co.  ", "NAR-2", "Deledda Grazia");
    b.Annullata = "Sì";
    TLibro c = book("Perché è così", "SAG-3", "Levi Primo");
    c.Prezzo = "12,50 €";
    storeBooks(dir.path(), {a, b, c});

    fromBooks([&](TfrmExpLibri& d) {
        EXPECT_EQ(d.caption, " Esporta archivio libri in Microsoft Excel");
        ASSERT_EQ(d.grdRecords.rowCount(), 3);
        EXPECT_EQ(d.grdRecords.columnCount(), 26);
        EXPECT_EQ(d.grdRecords.text(0, 0), "1");
        EXPECT_EQ(d.grdRecords.text(2, 0), "3");
        EXPECT_EQ(d.grdRecords.text(1, 1), "<i>Rosa</i> & co.");
        EXPECT_EQ(d.grdRecords.text(1, 25), "Sì");
        EXPECT_EQ(d.grdRecords.columns()[13].header, "Città pubblicazione");
        EXPECT_EQ(d.grdRecords.columns()[13].width, 250);
        EXPECT_EQ(d.grdRecords.columns()[4].width, 300);
        person.click(d.cmdEsporta);
        EXPECT_TRUE(d.visible());
    });
    ASSERT_GE(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].kind, Shown::Confirmation);
    EXPECT_EQ(ui.messages[0].text, kDomanda);
    EXPECT_EQ(ui.messages[1].text, kRiuscita);
    ASSERT_EQ(ui.shellOpened.size(), 1u);
    EXPECT_EQ(ui.shellOpened[0], "\"" + xls("Libri.xls").string() + "\"");

    const std::vector<std::pair<std::string, int>> header = {{"Titolo libro", 350},
                                                             {"Codice identificativo", 250},
                                                             {"Scaffale", 250},
                                                             {"Autore", 280},
                                                             {"Nazione", 250},
                                                             {"Curatore", 250},
                                                             {"Codice Dewey", 150},
                                                             {"Pagine", 100},
                                                             {"Genere", 250},
                                                             {"Giudizio", 250},
                                                             {"Casa editrice", 250},
                                                             {"ISBN", 200},
                                                             {"Città pubblicazione", 250},
                                                             {"Anno pubblicazione", 200},
                                                             {"Volumi", 200},
                                                             {"Prezzo", 200},
                                                             {"Collana", 250},
                                                             {"Formato", 250},
                                                             {"Titolo originale", 300},
                                                             {"Lingua", 250},
                                                             {"Prima pubblicazione", 200},
                                                             {"Traduttore", 250},
                                                             {"Versione", 250},
                                                             {"Note", 350},
                                                             {"Scheda annullata", 150}};
    const auto row = [](const std::string& titolo, const std::string& codice, const std::string& autore,
                        const std::string& citta, const std::string& prezzo, const std::string& note,
                        const std::string& annullata) {
        std::vector<std::string> cells(25);
        cells[0] = titolo;
        cells[1] = codice;
        cells[3] = autore;
        cells[12] = citta;
        cells[15] = prezzo;
        cells[23] = note;
        cells[24] = annullata;
        return dataRow(cells);
    };
    const std::string expected =
        expectedHead("Riepilogo Libri") + headerRow(header) +
        row("Il nome della rosa", "NAR-1", "Eco Umberto", "Milano", "", "Prima edizione", "No") +
        row("&lt;i&gt;Rosa&lt;/i&gt; &amp; co.", "NAR-2", "Deledda Grazia", "", "", "", "S\xEC") +
        row("Perch\xE9 \xE8 cos\xEC", "SAG-3", "Levi Primo", "", "12,50 \x80", "", "No") + kTail;
    const std::string written = readBytes(xls("Libri.xls"));
    EXPECT_EQ(written, expected);
    EXPECT_EQ(written.find_first_of("\r\n"), std::string::npos);
    EXPECT_NE(written.find("Citt\xE0 pubblicazione"), std::string::npos);
    EXPECT_TRUE(hiddenFiles(dir.path()).empty());
}

TEST_F(Exports, NoWritesNothingAndAnotherExportReplacesTheFileWhole) {
    storeBooks(dir.path(), {book("Uno", "A-1"), book("Due", "A-2")});
    writeBytes(xls("Libri.xls"), "il file di ieri");
    ui.answers = {MsgButton::No};
    fromBooks([&](TfrmExpLibri& d) { person.click(d.cmdEsporta); });
    EXPECT_EQ(readBytes(xls("Libri.xls")), "il file di ieri");
    EXPECT_EQ(ui.messages.size(), 1u);

    // Yes, then No to opening it: written, not opened.
    ui.answers = {MsgButton::Yes, MsgButton::No};
    fromBooks([&](TfrmExpLibri& d) { person.click(d.cmdEsporta); });
    const std::string first = readBytes(xls("Libri.xls"));
    EXPECT_NE(first.find(">Due</td>"), std::string::npos);
    EXPECT_TRUE(ui.shellOpened.empty());

    // A book more, exported again: the file is the new one, whole.
    storeBooks(dir.path(), {book("Tre", "A-3")});
    ui.shellOpenSucceeds = false;
    ui.messages.clear();
    fromBooks([&](TfrmExpLibri& d) { person.click(d.cmdEsporta); });
    const std::string second = readBytes(xls("Libri.xls"));
    EXPECT_NE(second.find(">Tre</td>"), std::string::npos);
    EXPECT_EQ(second.substr(second.size() - kTail.size()), kTail);
    // The desktop has no program for the file: said.
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[2].kind, Shown::Warning);
    EXPECT_EQ(ui.messages[2].text,
              "Attenzione: il sistema non permette di aprire il file di Excel.\n\r\n\r"
              "Accertarsi che sul computer sia installato un programma per la gestione dei "
              "fogli di calcolo.");
}

TEST_F(Exports, AFileOpenElsewhereOrReadOnlyGivesTheMessageAndTheWindowStays) {
    storeBooks(dir.path(), {book("Uno", "A-1")});
    writeBytes(xls("Libri.xls"), "aperto nel foglio di calcolo");

    // The spreadsheet program holds the file with a lock, as it does while it shows it.
    const int other = ::open(xls("Libri.xls").c_str(), O_RDWR);
    ASSERT_GE(other, 0);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(other, F_OFD_SETLK, &lock), 0);
    fromBooks([&](TfrmExpLibri& d) {
        person.click(d.cmdEsporta);
        EXPECT_TRUE(d.visible());
        EXPECT_EQ(ui.lastMessage().kind, Shown::Plain);
        EXPECT_EQ(ui.lastText(), kNonRiuscita);
    });
    ::close(other);
    EXPECT_EQ(readBytes(xls("Libri.xls")), "aperto nel foglio di calcolo");

    makeReadOnly(xls("Libri.xls"));
    ui.messages.clear();
    fromBooks([&](TfrmExpLibri& d) {
        person.click(d.cmdEsporta);
        EXPECT_TRUE(d.visible());
        EXPECT_EQ(ui.lastText(), kNonRiuscita);
    });
    EXPECT_EQ(readBytes(xls("Libri.xls")), "aperto nel foglio di calcolo");
    EXPECT_TRUE(ui.shellOpened.empty());
    EXPECT_TRUE(hiddenFiles(dir.path()).empty());
}

TEST_F(Exports, AnnullaWhileWritingLeavesTheOldFileAndNoPartOfTheNewOne) {
    std::vector<TLibro> books;
    for (int i = 0; i < 3000; ++i)
        books.push_back(book("Libro " + std::to_string(i), "C-" + std::to_string(i)));
    storeBooks(dir.path(), books);
    writeBytes(xls("Libri.xls"), "il file di ieri");
    ui.annulla = [](const FakePlatform::ProgressShown& p) {
        return p.text == "Esportazione in corso..." && p.done >= 2048;
    };
    fromBooks([&](TfrmExpLibri& d) {
        EXPECT_EQ(d.grdRecords.rowCount(), 3000);
        person.click(d.cmdEsporta);
        EXPECT_TRUE(d.visible());
    });
    EXPECT_EQ(readBytes(xls("Libri.xls")), "il file di ieri");
    EXPECT_TRUE(hiddenFiles(dir.path()).empty());
    ASSERT_FALSE(ui.statuses.empty());
    EXPECT_EQ(ui.statuses.back(),
              (std::pair<std::string, std::string>{"TfrmExpLibri",
                                                   "Esportazione annullata: il file non è stato scritto."}));
    EXPECT_EQ(ui.messages.size(), 1u); // only the question
}

TEST_F(Exports, AnnullaWhileTheGridFillsKeepsTheWindowClosedAndAnUnreadableArchiveIsSaid) {
    std::vector<TLibro> books(2000, book("Libro", "C-1"));
    storeBooks(dir.path(), books);
    ui.annulla = [](const FakePlatform::ProgressShown& p) { return p.done >= 1024; };
    bool opened = false;
    fromBooks([&](TfrmExpLibri&) { opened = true; });
    EXPECT_FALSE(opened);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_FALSE(ui.progressShown.empty());
    EXPECT_EQ(ui.progressShown[0].text, "Caricamento delle schede in corso...");
    ui.annulla = nullptr;

    makeUnreadable(dir / TLibro::FileName);
    int rows = -1;
    fromBooks([&](TfrmExpLibri& d) { rows = d.grdRecords.rowCount(); });
    EXPECT_EQ(rows, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, Shown::Plain);
    EXPECT_EQ(
        ui.messages[0].text,
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i "
        "privilegi di scrittura nella cartella di installazione del programma.");
}

TEST_F(Exports, OnlyTheColumnsNotMarkedReadOnlyTakeChangesAndTheFileHasThem) {
    storeBooks(dir.path(), {book("Titolo", "A-1", "Autore vero")});
    fromBooks([&](TfrmExpLibri& d) {
        Grid& g = d.grdRecords;
        EXPECT_FALSE(g.edit(0, 0, "7"));            // N.
        EXPECT_FALSE(g.edit(0, 1, "Altro titolo")); // Titolo libro
        EXPECT_TRUE(g.edit(0, 4, "Autore corretto"));
        EXPECT_EQ(g.text(0, 4), "Autore corretto");
        EXPECT_EQ(g.text(0, 1), "Titolo");
        person.click(d.cmdEsporta);
    });
    const std::string file = readBytes(xls("Libri.xls"));
    EXPECT_NE(file.find(">Autore corretto</td>"), std::string::npos);
    EXPECT_EQ(file.find("Autore vero"), std::string::npos);
    // The book archive itself is never changed by the export.
    EXPECT_EQ(storedBooks(dir.path())[0].Autore, "Autore vero");
}

TEST_F(Exports, TheUserExportJoinsTownsAndProvincesWithBlanks) {
    TTesserato a = user("Rossi Mario", "T-1");
    a.ComuneNasc = "Roma";
    a.CapRes = "20121";
    a.ComuneRes = "Milano";
    a.ProvRes = "MI";
    a.Titoli = "Laurea";
    a.CodFisc = "RSSMRA80A01H501U";
    TTesserato b = user("Bianchi Anna", "T-2");
    b.Annullata = "Sì";
    storeUsers(dir.path(), {a, b});
    std::vector<std::string> first, second;
    ui.onDialog<TfrmExpAnagrafica>([&](TfrmExpAnagrafica& d) {
        EXPECT_EQ(d.caption, " Esporta archivio anagrafico utenti in Microsoft Excel");
        for (int c = 0; c < d.grdRecords.columnCount(); ++c) {
            first.push_back(d.grdRecords.text(0, c));
            second.push_back(d.grdRecords.text(1, c));
        }
        EXPECT_EQ(d.grdRecords.columns()[11].header, "Titolo di studio e altre qualifiche");
        EXPECT_EQ(d.grdRecords.columns()[18].header, "Codice Fiscale");
        person.click(d.cmdEsporta);
        person.click(d.cmdEsci);
    });
    app.show(app.frmAnagrafica);
    person.click(app.frmAnagrafica.cmdExcel);
    ASSERT_EQ(first.size(), 26u);
    EXPECT_EQ(first[7], "Roma ");
    EXPECT_EQ(first[9], "20121 Milano MI");
    EXPECT_EQ(second[9], "  ");
    EXPECT_EQ(second[25], "Sì");

    const std::string file = readBytes(xls("Tesserati.xls"));
    EXPECT_EQ(file.substr(0, expectedHead("Riepilogo Anagrafica Utenti").size()),
              expectedHead("Riepilogo Anagrafica Utenti"));
    EXPECT_NE(file.find("width=300>Titoli di studio e altre qualifiche</td>"), std::string::npos);
    EXPECT_NE(file.find("width=250>Codice fiscale</td>"), std::string::npos);
    EXPECT_NE(file.find("<td style=\"text-align: left;\" class=testo>Roma</td>"
                        "<td style=\"text-align: left;\" class=testo></td>"
                        "<td style=\"text-align: left;\" class=testo>20121 Milano MI</td>"),
              std::string::npos);
    EXPECT_NE(file.find(">S\xEC</td></tr></table>"), std::string::npos);
    // 25 columns in the file: no "N.".
    const std::string headerRow = file.substr(file.find("<tr>"), file.find("</tr>") - file.find("<tr>"));
    std::size_t columns = 0;
    for (std::size_t at = headerRow.find("<td"); at != std::string::npos; at = headerRow.find("<td", at + 1))
        ++columns;
    EXPECT_EQ(columns, 25u);
}

class LoanExports : public Exports {
protected:
    void SetUp() override {
        Exports::SetUp();
        person.click(app.frmAvvio.btnStorico);
        person.click(app.frmMenuStorico.btnApriStorico);
    }
    TfrmMenuRiepilogoPrestiti& q = app.frmMenuRiepilogoPrestiti;

    template <class W> std::vector<std::vector<std::string>> rowsOf(Button& link, bool exportIt = true) {
        std::vector<std::vector<std::string>> rows;
        ui.onDialog<W>([&](W& d) {
            for (int r = 0; r < d.grdRecords.rowCount(); ++r) {
                rows.emplace_back();
                for (int c = 0; c < d.grdRecords.columnCount(); ++c)
                    rows.back().push_back(d.grdRecords.text(r, c));
            }
            if (exportIt)
                person.click(d.cmdEsporta);
            person.click(d.cmdEsci);
        });
        person.click(link);
        return rows;
    }
};

TEST_F(LoanExports, TheRegisterListsEveryLoanOfTheYearAndAnEmptyYearGetsItsFile) {
    // Today is 10/03/2022 for the tests.
    storeLoans(dir / "2022.bib",
               {loan("A-1", "01/02/2022", "05/02/2022", "Rossi Mario"), loan("B-2", "02/02/2022")});
    person.retype(q.txtAnno, "2022");
    const auto rows = rowsOf<TfrmExpPrestiti>(q.lnkEsporta);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "01/02/2022", "A-1", "Il nome della rosa", "30/06/2024",
                                                 "05/02/2022", "Rossi Mario", "T-1", "333 1234567"}));
    EXPECT_EQ(rows[1][0], "2");
    const std::string file = readBytes(xls("Registro_Prestiti.xls"));
    EXPECT_EQ(file.substr(0, expectedHead("Registro Prestiti").size()), expectedHead("Registro Prestiti"));
    EXPECT_NE(file.find(headerRow({{"Data prestito", 180},
                                   {"Codice identificativo", 200},
                                   {"Titolo", 350},
                                   {"Data scadenza", 180},
                                   {"Data restituzione", 180},
                                   {"Cognome e nome utente", 250},
                                   {"Tessera n.", 200},
                                   {"Recapito preferenziale", 250}})),
              std::string::npos);

    person.retype(q.txtAnno, "2019");
    EXPECT_TRUE(rowsOf<TfrmExpPrestiti>(q.cmdEsporta).empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "2019.bib")) << "an export creates no year file";
    EXPECT_EQ(readBytes(xls("Registro_Prestiti.xls")), expectedHead("Registro Prestiti") +
                                                           headerRow({{"Data prestito", 180},
                                                                      {"Codice identificativo", 200},
                                                                      {"Titolo", 350},
                                                                      {"Data scadenza", 180},
                                                                      {"Data restituzione", 180},
                                                                      {"Cognome e nome utente", 250},
                                                                      {"Tessera n.", 200},
                                                                      {"Recapito preferenziale", 250}}) +
                                                           kTail);
}

TEST_F(LoanExports, OverdueMeansNotReturnedAndDueBeforeToday) {
    // Today is 10/03/2022.
    TPrestito yesterday = loan("A-1", "01/02/2022"), today = loan("B-2", "01/02/2022"),
              tomorrow = loan("C-3", "01/02/2022"), returned = loan("D-4", "01/01/2022", "20/02/2022"),
              damaged = loan("E-5", "01/02/2022"), later = loan("F-6", "02/01/2022");
    yesterday.DataSca = "09/03/2022";
    today.DataSca = "10/03/2022";
    tomorrow.DataSca = "11/03/2022";
    returned.DataSca = "15/01/2022";
    damaged.DataSca = "31/02/2022";
    later.DataSca = "01/02/2022";
    storeLoans(dir / "2022.bib", {yesterday, today, tomorrow, returned, damaged, later});
    person.retype(q.txtAnno, "2022");
    const auto rows = rowsOf<TfrmExpPrestitiSca>(q.lnkScaduti);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "1");
    EXPECT_EQ(rows[0][2], "A-1");
    EXPECT_EQ(rows[1][0], "2");
    EXPECT_EQ(rows[1][2], "F-6");
    const std::string file = readBytes(xls("Prestiti_Scaduti.xls"));
    EXPECT_EQ(file.substr(0, expectedHead("Prestiti Scaduti").size()), expectedHead("Prestiti Scaduti"));
    EXPECT_NE(file.find(">A-1<"), std::string::npos);
    EXPECT_EQ(file.find(">B-2<"), std::string::npos);
}

TEST_F(LoanExports, TheThreeExportsWriteThreeFilesAndNeverTouchTheOthers) {
    storeBooks(dir.path(), {book("Uno", "A-1")});
    storeUsers(dir.path(), {user("Rossi Mario", "T-1")});
    storeLoans(dir / "2022.bib", {loan("A-1", "01/02/2022")});
    writeBytes(xls("Libri.xls"), "libri");
    writeBytes(xls("Tesserati.xls"), "utenti");
    writeBytes(xls("Prestiti_Scaduti.xls"), "scaduti");
    person.retype(q.txtAnno, "2022");
    rowsOf<TfrmExpPrestiti>(q.cmdEsporta);
    EXPECT_EQ(readBytes(xls("Libri.xls")), "libri");
    EXPECT_EQ(readBytes(xls("Tesserati.xls")), "utenti");
    EXPECT_EQ(readBytes(xls("Prestiti_Scaduti.xls")), "scaduti");
    EXPECT_NE(readBytes(xls("Registro_Prestiti.xls")).find(">A-1<"), std::string::npos);
    EXPECT_EQ(ui.dialogsShown, std::vector<std::string>{"TfrmExpPrestiti"});
}
