// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/Convalida.h"
#include "support/AppFixture.h"
#include "support/Books.h"
#include "support/Faults.h"

#include <functional>
#include <sys/stat.h>

using namespace quaderna;
using namespace quaderna::testing;

class BookWindow : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(w);
    }
    TfrmLibri& w = app.frmLibri;
    const std::string archive = (dir / "Libri.pro").string();

    // Title, code and author typed, the code checked by the code check window.
    void composeValid(const char* titolo, const char* codice, const char* autore) {
        person.type(w.txtTitolo, titolo);
        person.type(w.txtCodice, codice);
        person.type(w.txtAutore, autore);
        ui.onDialog<TfrmConvalida>([this](TfrmConvalida& d) { person.click(d.btnOK); });
        person.click(w.btnCodice);
    }
};

TEST_F(BookWindow, NewScreenOnShow) {
    EXPECT_EQ(w.txtPrestato.text, "Libro disponibile per il prestito");
    EXPECT_EQ(w.txtConvalida.text, "No");
    EXPECT_EQ(w.lblPosizione.text, "");
    EXPECT_TRUE(w.hasFocus(w.txtTitolo));
    EXPECT_EQ(w.txtGenere.items.size(), 120u);
    EXPECT_EQ(w.txtLingua.items.size(), 213u);
    EXPECT_EQ(w.txtGenere.items.front(), "Agricoltura");
    EXPECT_EQ(w.txtLingua.items.back(), "Zulu");
    EXPECT_EQ(w.txtTitolo.maxLength, 250);
    EXPECT_EQ(w.txtDewey.maxLength, 3);
}

TEST_F(BookWindow, SaveChecksRunInOrderWithTheirFocus) {
    const std::string attenzione = "Attenzione: per salvare la scheda è necessario ";
    struct Step {
        std::function<void()> fill; // what the person does before pressing Salva
        std::string message;
        Control* focus;
    } steps[] = {
        {[&] { person.type(w.txtTitolo, "   "); }, attenzione + "indicare il titolo del libro.",
         &w.txtTitolo},
        {[&] { person.type(w.txtTitolo, "Il Gattopardo"); },
         attenzione + "indicare il codice identificativo del libro.", &w.txtCodice},
        {[&] { person.type(w.txtCodice, "GT-1"); },
         attenzione +
             "convalidare il codice identificativo del libro utilizzando il pulsante a destra del campo di "
             "testo Codice.",
         &w.txtCodice},
        {[&] {
             ui.onDialog<TfrmConvalida>([this](TfrmConvalida& d) { person.click(d.btnOK); });
             person.click(w.btnCodice);
             person.type(w.txtAutore, "  ");
             w.setFocus(w.txtNote);
         },
         attenzione + "indicare l'autore del libro.", &w.txtAutore},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].fill();
        person.click(w.cmdSalva);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Warning) << i;
        EXPECT_EQ(ui.lastText(), steps[i].message) << i;
        EXPECT_EQ(w.focused(), steps[i].focus) << i;
    }
    EXPECT_EQ(readBytes(archive), "");
}

TEST_F(BookWindow, SaveAppendsOnceThenOverwritesTheSameRecord) {
    storeBooks(dir.path(), {book("Primo", "A1"), book("Secondo", "A2")});
    composeValid("Il Gattopardo", "GT-1", "Tomasi di Lampedusa");
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
    EXPECT_EQ(ui.lastText(), "La scheda corrente è stata inserita in archivio.");
    EXPECT_EQ(w.lblPosizione.text, "3");

    person.type(w.txtNote, "prima edizione");
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastText(), "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    EXPECT_EQ(w.lblPosizione.text, "3");
    const auto books = storedBooks(dir.path());
    ASSERT_EQ(books.size(), 3u);
    EXPECT_EQ(books[2].Titolo, "Il Gattopardo");
    EXPECT_EQ(books[2].Note, "prima edizione");
    EXPECT_EQ(books[2].Convalida, "Sì");
    EXPECT_EQ(books[2].Prestato, "Libro disponibile per il prestito");
    EXPECT_EQ(books[2].Annullata, "No");
}

TEST_F(BookWindow, StoredTextIsTrimmedAndCutAndTheCheckBoxIsAFlag) {
    composeValid("x", "K", "y");
    w.txtTitolo.text = std::string(300, 'T'); // set by code, past the box's limit
    w.txtAutore.text = " Verga ";
    w.txtCitta.text = "Città \xE4\xB8\xAD\x01";
    person.toggle(w.chkAnnullata);
    person.click(w.cmdSalva);
    const std::string bytes = readBytes(archive);
    ASSERT_EQ(bytes.size(), TLibro::Size);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 250);
    EXPECT_EQ(bytes.substr(330, 6), "\x05Verga");
    EXPECT_EQ(bytes.substr(704, 8), std::string("\x07"
                                                "Citt\xE0 ?"));
    EXPECT_EQ(bytes.substr(1728, 3), "\x02S\xEC");
}

TEST_F(BookWindow, TypingStopsAtTheFieldWidth) {
    person.type(w.txtDewey, "82345");
    EXPECT_EQ(w.txtDewey.text, "823");
}

TEST_F(BookWindow, NavigationBranches) {
    // Empty archive: every step reports it; Next also empties the position.
    w.lblPosizione.text = "4";
    for (Button* b : {&w.cmdPrimo, &w.cmdIndietro, &w.cmdUltimo, &w.cmdAvanti}) {
        person.click(*b);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
        EXPECT_EQ(ui.lastText(), "L'archivio non contiene nessuna scheda.");
    }
    EXPECT_EQ(w.lblPosizione.text, "");
    EXPECT_FALSE(std::filesystem::exists(archive)) << "a look creates no archive";

    storeBooks(dir.path(), {book("Uno", "C1"), book("Due", "C2"), book("Tre", "C3")});
    ui.messages.clear();
    struct Case {
        const char* position;
        Button* step;
        const char* expected; // position afterwards
        const char* title;
    } cases[] = {
        {"", &w.cmdIndietro, "1", "Uno"}, // Previous with no position shows the first record
        {"", &w.cmdAvanti, "1", "Uno"},   {"", &w.cmdUltimo, "3", "Tre"},    {"", &w.cmdPrimo, "1", "Uno"},
        {"2", &w.cmdAvanti, "3", "Tre"},  {"2", &w.cmdIndietro, "1", "Uno"}, {"3", &w.cmdPrimo, "1", "Uno"},
    };
    for (const auto& c : cases) {
        w.lblPosizione.text = c.position;
        person.click(*c.step);
        EXPECT_EQ(w.lblPosizione.text, c.expected) << c.position << " " << c.step->name();
        EXPECT_EQ(w.txtTitolo.text, c.title) << c.position << " " << c.step->name();
    }
    // At the ends nothing happens and nothing is said.
    person.click(w.cmdUltimo);
    w.txtNote.text = "non salvato";
    person.click(w.cmdAvanti);
    EXPECT_EQ(w.lblPosizione.text, "3");
    EXPECT_EQ(w.txtNote.text, "non salvato");
    person.click(w.cmdPrimo);
    person.click(w.cmdIndietro);
    EXPECT_EQ(w.lblPosizione.text, "1");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BookWindow, NavigationShowsTheStoredFlagsAndLoanFields) {
    TLibro lent = book("Prestato", "P1");
    lent.Prestato = "Tessera n. 12";
    lent.Scadenza = "20/04/2026";
    lent.Annullata = "Sì";
    lent.File01 = "copertina.jpg";
    TLibro odd = book("Strano", "S1");
    odd.Annullata = "";
    storeBooks(dir.path(), {lent, odd});
    person.click(w.cmdPrimo);
    EXPECT_TRUE(w.chkAnnullata.checked);
    EXPECT_EQ(w.txtPrestato.text, "Tessera n. 12");
    EXPECT_EQ(w.txtScadenza.text, "20/04/2026");
    EXPECT_EQ(w.lblFile01.text, "copertina.jpg");
    person.click(w.cmdAvanti); // an empty flag leaves the box as it was
    EXPECT_TRUE(w.chkAnnullata.checked);
    EXPECT_EQ(w.txtTitolo.text, "Strano");
}

TEST_F(BookWindow, StoredBookIsSavedWithoutANewCheckAndItsCodeIsLocked) {
    storeBooks(dir.path(), {book("Uno", "C1")});
    person.click(w.cmdPrimo);
    person.type(w.txtCodice, "XYZ");
    person.press(w.txtCodice, VK::Back);
    person.press(w.txtCodice, VK::Delete);
    EXPECT_EQ(w.txtCodice.text, "C1");
    Key left{VK::Left, 0}, right{VK::Right, 0};
    w.keyDown(w.txtCodice, left);
    w.keyDown(w.txtCodice, right);
    EXPECT_FALSE(left.swallowed());
    EXPECT_FALSE(right.swallowed());
    person.press(w.txtCodice, VK::Return);
    EXPECT_TRUE(w.hasFocus(w.txtScaffale));

    w.txtTitolo.text = "Uno, riveduto";
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastText(), "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    EXPECT_EQ(storedBooks(dir.path())[0].Titolo, "Uno, riveduto");
    EXPECT_EQ(storedBooks(dir.path()).size(), 1u);

    person.click(w.btnCodice);
    EXPECT_EQ(ui.lastText(), "Il codice identificativo del libro è già stato convalidato.");
    EXPECT_TRUE(ui.dialogsShown.empty());
}

TEST_F(BookWindow, DuplicateKeepsTheDescriptionAndMakesANewBook) {
    person.click(w.cmdDuplica);
    EXPECT_EQ(ui.lastText(),
              "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa "
              "è stata inserita in archivio.");
    TLibro b = book("Storia d'Italia", "SI-1", "Croce");
    b.Genere = "Storia";
    b.Prestato = "Tessera n. 4";
    b.Scadenza = "01/05/2026";
    b.File01 = "indice.pdf";
    b.Annullata = "Sì";
    storeBooks(dir.path(), {b});
    person.click(w.cmdPrimo);
    person.click(w.cmdDuplica);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
    EXPECT_EQ(ui.lastText(),
              "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine "
              "premere Salva per inserire la scheda in archivio.");
    EXPECT_EQ(w.txtTitolo.text, "Storia d'Italia");
    EXPECT_EQ(w.txtGenere.text, "Storia");
    EXPECT_EQ(w.txtCodice.text, "");
    EXPECT_EQ(w.txtPrestato.text, "Libro disponibile per il prestito");
    EXPECT_EQ(w.txtScadenza.text, "");
    EXPECT_EQ(w.txtConvalida.text, "No");
    EXPECT_FALSE(w.chkAnnullata.checked);
    EXPECT_EQ(w.lblFile01.text, "");
    EXPECT_EQ(w.lblPosizione.text, "");
    EXPECT_TRUE(w.hasFocus(w.txtCodice));

    // The duplicate needs its own code and check; then it is appended.
    person.type(w.txtCodice, "SI-2");
    ui.onDialog<TfrmConvalida>([this](TfrmConvalida& d) { person.click(d.btnOK); });
    person.click(w.btnCodice);
    person.click(w.cmdSalva);
    EXPECT_EQ(w.lblPosizione.text, "2");
    EXPECT_EQ(storedBooks(dir.path())[1].Codice, "SI-2");
}

TEST_F(BookWindow, EditingTheCodeAfterACheckKeepsTheVerdict) {
    composeValid("Titolo", "AB-1", "Autore");
    EXPECT_EQ(w.txtConvalida.text, "Sì");
    person.type(w.txtCodice, "7");
    person.click(w.cmdSalva);
    EXPECT_EQ(storedBooks(dir.path())[0].Codice, "AB-17");
    person.click(w.cmdNuovo);
    EXPECT_EQ(w.txtConvalida.text, "No");
}

TEST_F(BookWindow, IsbnIsUpperCasedAndTrimmedOnKeyReleaseAndSearchedOnTheWeb) {
    person.click(w.btnGoogle);
    EXPECT_EQ(ui.lastText(), "Attenzione: per poter effettuare una ricerca sul Web è necessario compilare il "
                             "campo relativo all'ISBN del libro.");
    EXPECT_TRUE(w.hasFocus(w.txtIsbn));
    person.type(w.txtIsbn, "88-04-1234-x ");
    EXPECT_EQ(w.txtIsbn.text, "88-04-1234-X");
    person.click(w.btnGoogle);
    ASSERT_EQ(ui.shellOpened.size(), 1u);
    EXPECT_EQ(ui.shellOpened[0], "\"https://www.google.com/search?q=ISBN:88-04-1234-X\"");
    w.txtIsbn.text = "88 04 1234"; // pasted, with inner blanks
    person.click(w.btnGoogle);
    EXPECT_EQ(ui.shellOpened[1], "\"https://www.google.com/search?q=ISBN:88 04 1234\"");

    // No browser on the desktop.
    ui.shellOpenSucceeds = false;
    ui.messages.clear();
    person.click(w.btnGoogle);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
    EXPECT_EQ(ui.lastText(), "Attenzione: il sistema non permette di collegarsi al motore di ricerca di "
                             "Google.\n\r\n\rAccertarsi che la propria connessione a Internet funzioni "
                             "correttamente.");
}

TEST_F(BookWindow, EnterChainAndSuggestionLists) {
    person.press(w.txtTitolo, VK::Return);
    EXPECT_TRUE(w.hasFocus(w.txtCodice));
    w.txtGenere.itemIndex = 3;
    person.press(w.txtPagine, VK::Return);
    EXPECT_TRUE(w.hasFocus(w.txtGenere));
    EXPECT_EQ(w.txtGenere.itemIndex, -1);
    person.press(w.txtScadenza, VK::Return);
    EXPECT_TRUE(w.hasFocus(w.txtTitolo));
}

TEST_F(BookWindow, ArchiveFailuresAreReportedAndChangeNothing) {
    storeBooks(dir.path(), {book("Uno", "C1")});
    const std::string before = readBytes(archive);
    makeReadOnly(archive);
    // A read-only archive is read, and refuses the save.
    person.click(w.cmdPrimo);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    EXPECT_EQ(w.txtTitolo.text, "Uno");
    person.click(w.cmdNuovo);
    composeValid("Nuovo", "N1", "Autore");
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
    EXPECT_EQ(w.lblPosizione.text, "");
    EXPECT_EQ(readBytes(archive), before);
}

TEST_F(BookWindow, AnArchiveThatIsNoFileIsRefusedAtOnce) {
    HangGuard guard(20);
    const std::string kArchivio =
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
        "possedere i privilegi di scrittura nella cartella di installazione del programma.";
    const std::function<void()> kinds[] = {
        [&] { std::filesystem::create_symlink("/dev/null", archive); },
        [&] { std::filesystem::create_symlink("/dev/zero", archive); },
        [&] { ::mkfifo(archive.c_str(), 0644); },
        [&] { std::filesystem::create_directory(archive); },
    };
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        std::filesystem::remove(archive);
        kinds[i]();
        person.click(w.cmdNuovo);
        composeValid("Nuovo", "N1", "Autore");
        person.click(w.cmdSalva);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Error) << i;
        EXPECT_EQ(ui.lastText(), kArchivio) << i;
        EXPECT_EQ(w.lblPosizione.text, "") << i;
        person.click(w.cmdUltimo);
        EXPECT_EQ(ui.lastText(), kArchivio) << i;
    }
}

TEST_F(BookWindow, AFullDiskKeepsEveryWholeRecordAndTheNextSaveMendsTheFile) {
    storeBooks(dir.path(), {book("Uno", "C1")});
    const std::string before = readBytes(archive);
    composeValid("Nuovo", "N1", "Autore");
    {
        DiskFull full(TLibro::Size + 1000); // part of a record fits, not all of it
        person.click(w.cmdSalva);
    }
    EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
    EXPECT_EQ(w.lblPosizione.text, "");
    EXPECT_EQ(readBytes(archive).substr(0, before.size()), before);
    EXPECT_EQ(storedBooks(dir.path()).size(), 1u);

    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastText(), "La scheda corrente è stata inserita in archivio.");
    EXPECT_EQ(w.lblPosizione.text, "2");
    EXPECT_EQ(std::filesystem::file_size(archive), 2 * TLibro::Size);
}

TEST_F(BookWindow, DamagedArchiveIsReadWithoutHarm) {
    std::string rec = book("Uno", "C1").encode();
    rec[TLibro::F::Dewey.offset] = static_cast<char>(250); // a length beyond the width
    writeBytes(archive, rec + std::string(1000, '\x7f'));  // and a partial record after it
    person.click(w.cmdUltimo);
    EXPECT_EQ(w.lblPosizione.text, "1");
    EXPECT_EQ(w.txtDewey.text.size(), 0u); // the three bytes after the length are zeros
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BookWindow, ClosingShowsTheLauncher) {
    person.click(w.cmdEsci);
    EXPECT_FALSE(w.visible());
    EXPECT_TRUE(app.frmAvvio.visible());
}

TEST_F(BookWindow, ReadOnlyFolderRefusesTheFirstSave) {
    std::filesystem::create_directory(dir / "ro");
    FakePlatform other;
    Application a(other, dir / "ro");
    a.start();
    a.show(a.frmLibri);
    makeReadOnly(dir / "ro");
    Person p(other);
    p.click(a.frmLibri.cmdPrimo);
    EXPECT_EQ(other.lastText(), "L'archivio non contiene nessuna scheda.");
    p.type(a.frmLibri.txtTitolo, "Nuovo");
    p.type(a.frmLibri.txtCodice, "N1");
    p.type(a.frmLibri.txtAutore, "Autore");
    other.onDialog<TfrmConvalida>([&p](TfrmConvalida& d) { p.click(d.btnOK); });
    p.click(a.frmLibri.btnCodice);
    EXPECT_EQ(a.frmLibri.txtConvalida.text, "Sì");
    p.click(a.frmLibri.cmdSalva);
    EXPECT_EQ(other.lastMessage().kind, Shown::Error);
    EXPECT_FALSE(std::filesystem::exists(dir / "ro" / "Libri.pro"));
}

TEST_F(BookWindow, SaveReadsThePositionLabelStrictlyAndNeverWritesOverTheWrongRecord) {
    storeBooks(dir.path(), {book("Uno", "U-1"), book("Due", "D-2")});
    const std::string before = readBytes(dir / "Libri.pro");
    person.click(w.cmdPrimo);
    person.retype(w.txtTitolo, "Uno, rivisto");
    for (const char* label : {"1x", "+1", "0", "-1", "1.0", "0x1", "1 2", "99999999999999999999"}) {
        ui.messages.clear();
        w.lblPosizione.text = label;
        person.click(w.cmdSalva);
        ASSERT_EQ(ui.messages.size(), 1u) << label;
        EXPECT_EQ(ui.lastMessage().kind, Shown::Error) << label;
        EXPECT_EQ(readBytes(dir / "Libri.pro"), before) << label;
    }
    // Blanks around the number are only blanks.
    w.lblPosizione.text = " 1 ";
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
    EXPECT_EQ(storedBooks(dir.path())[0].Titolo, "Uno, rivisto");
    EXPECT_EQ(storedBooks(dir.path())[1].Titolo, "Due");
}
