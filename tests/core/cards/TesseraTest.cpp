// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cards/Tessera.h"
#include "core/cards/AnteprimaTessera.h"
#include "core/cards/DatiEnte.h"
#include "core/cards/StampaTessera.h"
#include "core/reports/Report.h"
#include "core/storage/Ini.h"
#include "core/users/TrovaAnagrafica.h"
#include "support/AppFixture.h"
#include "support/Users.h"

using namespace quaderna;
using namespace quaderna::testing;

namespace {

const std::string kArchivio =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i "
    "privilegi di scrittura nella cartella di installazione del programma.";

std::string tagOf(const ImageRef& image) {
    const auto* fake = dynamic_cast<const FakeImage*>(image.get());
    return fake ? fake->tag : std::string("(none)");
}

} // namespace

class CardWindow : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmAvvio);
        app.hide(app.frmPassword);
    }
    TfrmTessera& w = app.frmTessera;
    const std::filesystem::path ini = dir / "Tesserini.ini";

    void open() { person.click(app.frmAvvio.btnTessere); }
    std::string iniValue(const char* section, const char* key) { return ini::readString(ini, section, key); }

    // The user part of the card, as a person reads it.
    std::vector<std::string> card() const {
        return {w.txtTesserato.text, w.txtCarica.text,    w.txtNumTessera.text,  w.txtDataRil.text,
                w.txtDataScade.text, w.lblPosizione.text, tagOf(w.imgFoto.image)};
    }
    std::vector<std::string> library() const {
        return {w.titAssociazione.text, w.titSottotitolo01.text, w.titSottotitolo02.text,
                w.titAnnotazioni.text};
    }
    static std::vector<std::string> design() {
        return {"Cognome e nome", "Informazioni aggiuntive", "Tessera n.", "GG/MM/AAAA", "GG/MM/AAAA", "",
                "foto_bianco"};
    }

    // Opens the print window, lets the person do `what` in it.
    void printWindow(std::function<void(TfrmStampaTessera&)> what) {
        ui.onDialog<TfrmStampaTessera>(what);
        person.click(w.cmdStampa);
    }
};

TEST_F(CardWindow, FirstUseShowsNoLibraryDataAndTheDefaultLogoAndWritesOnlyWhatIsChanged) {
    // Before the window is first shown it holds its design texts.
    EXPECT_EQ(library(), (std::vector<std::string>{"Denominazione biblioteca", "Indirizzo e città",
                                                   "Telefono e altri recapiti", "Annotazioni"}));
    open();
    EXPECT_TRUE(w.visible());
    EXPECT_FALSE(app.frmAvvio.visible());
    EXPECT_EQ(w.caption, " Quaderna 3.0 - Stampa Tessere");
    EXPECT_EQ(library(), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(card(), design());
    EXPECT_EQ(tagOf(w.imgLogo.image), "tessera_logo");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(ini));

    // Nothing changed: nothing is written, the default logo is not stored as the library's own.
    person.click(w.imgEsci);
    EXPECT_FALSE(w.visible());
    EXPECT_TRUE(app.frmAvvio.visible());
    EXPECT_FALSE(std::filesystem::exists(ini));
    EXPECT_FALSE(std::filesystem::exists(dir / "Logo.jpg"));
    EXPECT_TRUE(ui.messages.empty());

    // The library's name typed and the logo deleted: the file gets that key, the logo the blank.
    open();
    ui.onDialog<TfrmDatiEnte>([&](TfrmDatiEnte& d) {
        person.retype(d.txtAssociazione, "Biblioteca civica");
        person.click(d.btnApplica);
    });
    person.click(w.titAssociazione);
    person.click(w.btnCancLogo);
    person.click(w.imgEsci);
    EXPECT_EQ(readBytes(ini), "[Dati Ente]\r\nDenominazione=Biblioteca civica\r\n");
    EXPECT_EQ(readBytes(dir / "Logo.jpg"), "IMG:puntino");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CardWindow, LibraryDataAndLogoComeBackAtEachShowingAndOnlyTheTextsChangedAreWritten) {
    const std::string stored = "; impostazioni\r\n[Margini Stampa]\r\nSuperiore=2\r\n\r\n[Dati Ente]\r\n"
                               "Denominazione= Biblioteca di Citt\xE0 Alta \r\nAnnotazioni=Orario 9-13\r\n";
    writeBytes(ini, stored);
    writeBytes(dir / "Logo.jpg", "IMG:stemma");
    open();
    EXPECT_EQ(library(), (std::vector<std::string>{"Biblioteca di Città Alta", "", "", "Orario 9-13"}));
    EXPECT_EQ(tagOf(w.imgLogo.image), "stemma");

    // The dialog applied with the texts as they are changes nothing.
    ui.onDialog<TfrmDatiEnte>([&](TfrmDatiEnte& d) { person.click(d.btnApplica); });
    person.click(w.titAssociazione);
    app.close(w);
    EXPECT_EQ(readBytes(ini), stored);

    // The texts edited in the library data dialog reach the file when the window closes; while
    // the window was open another desk changed the note, which stays as that desk wrote it.
    open();
    ui.onDialog<TfrmDatiEnte>([&](TfrmDatiEnte& d) {
        person.retype(d.txtSottotitolo01, "  Via Roma 1, Bergamo ");
        person.click(d.btnApplica);
    });
    person.click(w.titSottotitolo01);
    EXPECT_EQ(w.titSottotitolo01.text, "Via Roma 1, Bergamo");
    EXPECT_EQ(iniValue("Dati Ente", "Sottotitolo 1"), "");
    ini::writeString(ini, "Dati Ente", "Annotazioni", "Orario 9-18");
    app.close(w); // the title bar
    EXPECT_TRUE(app.frmAvvio.visible());
    EXPECT_EQ(iniValue("Dati Ente", "Denominazione"), "Biblioteca di Città Alta");
    EXPECT_EQ(iniValue("Dati Ente", "Sottotitolo 1"), "Via Roma 1, Bergamo");
    EXPECT_EQ(iniValue("Dati Ente", "Sottotitolo 2"), "");
    EXPECT_EQ(iniValue("Dati Ente", "Annotazioni"), "Orario 9-18");
    EXPECT_EQ(iniValue("Margini Stampa", "Superiore"), "2");
    EXPECT_EQ(readBytes(ini).rfind("; impostazioni\r\n[Margini Stampa]\r\nSuperiore=2\r\n\r\n[Dati Ente]\r\n"
                                   "Denominazione= Biblioteca di Citt\xE0 Alta \r\n",
                                   0),
              0u)
        << "the keys not changed keep their bytes";
    EXPECT_EQ(readBytes(dir / "Logo.jpg"), "IMG:stemma");
    EXPECT_TRUE(ui.messages.empty());

    // Showing again starts from a blank card with the stored data.
    person.click(app.frmAvvio.imgTessere);
    EXPECT_EQ(w.titSottotitolo01.text, "Via Roma 1, Bergamo");
    EXPECT_EQ(card(), design());
}

TEST_F(CardWindow, ATextOrLogoThatCouldNotBeReadIsNeverWrittenBack) {
    const std::string stored =
        "[Dati Ente]\r\nDenominazione=Biblioteca civica\r\nSottotitolo 1=Via Roma 1\r\n"
        "Sottotitolo 2=Tel. 035 123456\r\nAnnotazioni=Tessera personale\r\n";
    writeBytes(ini, stored);
    writeBytes(dir / "Logo.jpg", "a damaged picture");
    // At the opening the settings cannot be read (something else stands under their name, as a
    // share that fails for a moment); they are back by the closing.
    const auto unreadable = [&](std::function<void()> whileOpen) {
        std::filesystem::rename(ini, dir / "aside.ini");
        std::filesystem::create_directory(ini);
        ui.messages.clear();
        open();
        EXPECT_EQ(library(), (std::vector<std::string>{"", "", "", ""}));
        EXPECT_EQ(tagOf(w.imgLogo.image), "tessera_logo");
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.lastText(), kArchivio);
        whileOpen();
        std::filesystem::remove(ini);
        std::filesystem::rename(dir / "aside.ini", ini);
        person.click(w.imgEsci);
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(readBytes(dir / "Logo.jpg"), "a damaged picture");
    };
    unreadable([] {});
    EXPECT_EQ(readBytes(ini), stored);

    // What the librarian types then is written, and only that.
    unreadable([&] {
        ui.onDialog<TfrmDatiEnte>([&](TfrmDatiEnte& d) {
            person.retype(d.txtAnnotazioni, "Valida un anno");
            person.click(d.btnApplica);
        });
        person.click(w.titAnnotazioni);
    });
    EXPECT_EQ(library(), (std::vector<std::string>{"", "", "", "Valida un anno"}));
    EXPECT_EQ(iniValue("Dati Ente", "Denominazione"), "Biblioteca civica");
    EXPECT_EQ(iniValue("Dati Ente", "Sottotitolo 1"), "Via Roma 1");
    EXPECT_EQ(iniValue("Dati Ente", "Sottotitolo 2"), "Tel. 035 123456");
    EXPECT_EQ(iniValue("Dati Ente", "Annotazioni"), "Valida un anno");

    // A chosen file that is not a picture shows the default logo and replaces nothing either.
    writeBytes(dir / "rotto.jpg", "not a picture");
    open();
    ui.filesToOpen = {dir / "rotto.jpg"};
    person.click(w.imgLogo);
    EXPECT_EQ(tagOf(w.imgLogo.image), "tessera_logo");
    person.click(w.imgEsci);
    EXPECT_EQ(readBytes(dir / "Logo.jpg"), "a damaged picture");
    EXPECT_FALSE(std::filesystem::exists(dir / "Backup" / "2022-03-10" / "Logo.jpg"));
}

TEST_F(CardWindow, TheDayCopiesKeepTheLogoAndTheTextsAsTheyWereBeforeTheDaysFirstChange) {
    writeBytes(ini, "[Dati Ente]\r\nDenominazione=Biblioteca civica\r\n");
    writeBytes(dir / "Logo.jpg", "IMG:stemma");
    writeBytes(dir / "nuovo.jpg", "IMG:nuovo");
    writeBytes(dir / "altro.jpg", "IMG:altro");
    const auto day = dir / "Backup" / "2022-03-10";
    ASSERT_EQ(ui.today(), (Date{2022, 3, 10}));

    open();
    ui.filesToOpen = {dir / "nuovo.jpg"};
    person.click(w.imgLogo);
    person.click(w.imgEsci);
    EXPECT_EQ(readBytes(dir / "Logo.jpg"), "IMG:nuovo");
    EXPECT_EQ(readBytes(day / "Logo.jpg"), "IMG:stemma");
    EXPECT_FALSE(std::filesystem::exists(day / "Tesserini.ini")) << "the texts did not change";

    open();
    ui.filesToOpen = {dir / "altro.jpg"};
    person.click(w.imgLogo);
    ui.onDialog<TfrmDatiEnte>([&](TfrmDatiEnte& d) {
        person.retype(d.txtAssociazione, "Biblioteca comunale");
        person.click(d.btnApplica);
    });
    person.click(w.titAssociazione);
    person.click(w.imgEsci);
    EXPECT_EQ(readBytes(dir / "Logo.jpg"), "IMG:altro");
    EXPECT_EQ(readBytes(day / "Logo.jpg"), "IMG:stemma") << "the day's first change is kept";
    EXPECT_EQ(readBytes(day / "Tesserini.ini"), "[Dati Ente]\r\nDenominazione=Biblioteca civica\r\n");
    EXPECT_EQ(iniValue("Dati Ente", "Denominazione"), "Biblioteca comunale");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CardWindow, TheLibraryDataDialogEditsTheFourTextsOnScreenOnly) {
    writeBytes(ini, "[Dati Ente]\r\nDenominazione=Biblioteca civica\r\nSottotitolo 1=Via Roma 1\r\n"
                    "Sottotitolo 2=Tel. 035 123456\r\nAnnotazioni=Tessera personale\r\n");
    open();
    const std::vector<std::string> stored = library();
    // Each of the four texts opens the dialog, filled with the four texts, on the library's name.
    for (Label* l : {&w.titAssociazione, &w.titSottotitolo01, &w.titSottotitolo02, &w.titAnnotazioni}) {
        SCOPED_TRACE(l->name());
        bool shown = false;
        ui.onDialog<TfrmDatiEnte>([&](TfrmDatiEnte& d) {
            shown = true;
            EXPECT_EQ(d.caption, " Dati biblioteca");
            EXPECT_EQ(d.lblMemory.text, "tessera");
            EXPECT_EQ((std::vector<std::string>{d.txtAssociazione.text, d.txtSottotitolo01.text,
                                                d.txtSottotitolo02.text, d.txtAnnotazioni.text}),
                      stored);
            EXPECT_TRUE(d.hasFocus(d.txtAssociazione));
            person.retype(d.txtAssociazione, "Da non salvare");
            person.click(d.btnAnnulla);
            EXPECT_FALSE(d.visible());
        });
        person.click(*l);
        EXPECT_TRUE(shown);
        EXPECT_EQ(library(), stored);
    }

    ui.onDialog<TfrmDatiEnte>([&](TfrmDatiEnte& d) {
        // Enter runs along the four boxes and back to the first.
        for (Edit* next : {&d.txtSottotitolo01, &d.txtSottotitolo02, &d.txtAnnotazioni, &d.txtAssociazione}) {
            person.press(*d.focused(), VK::Return);
            EXPECT_EQ(d.focused(), next);
        }
        person.retype(d.txtAssociazione, " Biblioteca comunale ");
        person.retype(d.txtSottotitolo02, "");
        person.retype(d.txtAnnotazioni, "  Valida un anno  ");
        person.click(d.btnApplica);
        EXPECT_FALSE(d.visible());
    });
    person.click(w.titAnnotazioni);
    EXPECT_EQ(library(),
              (std::vector<std::string>{"Biblioteca comunale", "Via Roma 1", "", "Valida un anno"}));
    EXPECT_EQ(iniValue("Dati Ente", "Denominazione"), "Biblioteca civica");

    // Called with any other marker, "Applica e chiudi" only closes.
    ui.onDialog<TfrmDatiEnte>([&](TfrmDatiEnte& d) {
        person.type(d.txtAssociazione, "Altro");
        person.click(d.btnApplica);
    });
    app.runDialog<TfrmDatiEnte>(w, "anagrafica");
    EXPECT_EQ(w.titAssociazione.text, "Biblioteca comunale");
}

TEST_F(CardWindow, BrowsingShowsEveryUserCancelledOnesTooWithTheirPhotos) {
    TTesserato first = user("  Rossi Mario ", " A-1 ", "31/12/2022");
    first.Carica = " Socio ordinario ";
    TTesserato cancelled = user("Bianchi Anna", "A-2", "30/06/2021");
    cancelled.Annullata = "Sì";
    storeUsers(dir.path(), {first, cancelled, user("Verdi Luca", "A-3")});
    writeBytes(dir / "1.jpg", "IMG:rossi");
    writeBytes(dir / "3.jpg", "not a picture");
    const std::string archive = readBytes(dir / "Tesserati.pro");
    open();

    const struct {
        Button& command;
        std::vector<std::string> shown;
    } steps[] = {
        {w.cmdIndietro, {"Rossi Mario", "Socio ordinario", "A-1", "01/01/2022", "31/12/2022", "1", "rossi"}},
        {w.cmdAvanti, {"Bianchi Anna", "", "A-2", "01/01/2022", "30/06/2021", "2", "foto_bianco"}},
        {w.cmdAvanti, {"Verdi Luca", "", "A-3", "01/01/2022", "31/12/2022", "3", "foto_bianco"}},
        {w.cmdAvanti, {"Verdi Luca", "", "A-3", "01/01/2022", "31/12/2022", "3", "foto_bianco"}},
        {w.cmdIndietro, {"Bianchi Anna", "", "A-2", "01/01/2022", "30/06/2021", "2", "foto_bianco"}},
        {w.cmdPrimo, {"Rossi Mario", "Socio ordinario", "A-1", "01/01/2022", "31/12/2022", "1", "rossi"}},
        {w.cmdIndietro, {"Rossi Mario", "Socio ordinario", "A-1", "01/01/2022", "31/12/2022", "1", "rossi"}},
        {w.cmdUltimo, {"Verdi Luca", "", "A-3", "01/01/2022", "31/12/2022", "3", "foto_bianco"}},
        {w.cmdNuovo, design()},
        {w.cmdAvanti, {"Rossi Mario", "Socio ordinario", "A-1", "01/01/2022", "31/12/2022", "1", "rossi"}},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        person.click(steps[i].command);
        EXPECT_EQ(card(), steps[i].shown) << i;
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readBytes(dir / "Tesserati.pro"), archive) << "the card window never writes the archive";
}

TEST_F(CardWindow, AnEmptyOrUnreadableArchiveIsSaidAndTheCardStaysAsItWas) {
    open();
    for (Button* b : {&w.cmdPrimo, &w.cmdIndietro, &w.cmdAvanti, &w.cmdUltimo}) {
        ui.messages.clear();
        w.lblPosizione.text = "4";
        person.click(*b);
        ASSERT_EQ(ui.messages.size(), 1u) << b->name();
        EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
        EXPECT_EQ(ui.lastText(), "L'archivio non contiene nessuna scheda.");
        EXPECT_EQ(w.lblPosizione.text, b == &w.cmdAvanti ? "" : "4") << b->name();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "Tesserati.pro")) << "a look creates no archive";

    // A read-only archive is read; one that cannot be opened is said.
    storeUsers(dir.path(), {user("Rossi Mario", "A-1")});
    makeReadOnly(dir / "Tesserati.pro");
    ui.messages.clear();
    person.click(w.cmdPrimo);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    EXPECT_EQ(w.txtTesserato.text, "Rossi Mario");
    makeUnreadable(dir / "Tesserati.pro");
    person.click(w.cmdUltimo);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
    EXPECT_EQ(ui.lastText(), kArchivio);
    EXPECT_EQ(w.txtTesserato.text, "Rossi Mario");
    EXPECT_EQ(w.lblPosizione.text, "1");
}

TEST_F(CardWindow, TheUserSearchWithMarkerTesseraPutsTheChosenUserOnTheCard) {
    TTesserato u = user("Verdi Luca", "B-7", "28/02/2023");
    u.Carica = "Studente";
    u.Email = "luca@example.org";
    storeUsers(dir.path(), {user("Rossi Mario", "A-1"), u});
    writeBytes(dir / "2.jpg", "IMG:verdi");
    open();
    ui.onDialog<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& d) {
        EXPECT_EQ(d.lblMemory.text, "tessera");
        person.type(d.txtTesserato, "verdi");
        person.click(d.btnCerca);
        ASSERT_EQ(d.lstRecords.count(), 1);
        person.doubleClick(d.lstRecords, 0);
        EXPECT_FALSE(d.visible());
    });
    person.click(w.cmdTrova);
    EXPECT_EQ(card(), (std::vector<std::string>{"Verdi Luca", "Studente", "B-7", "01/01/2022", "28/02/2023",
                                                "2", "verdi"}));
    // The user archive window is left alone.
    EXPECT_EQ(app.frmAnagrafica.txtTesserato.text, "");
    EXPECT_EQ(app.frmAnagrafica.lblPosizione.text, "");

    // Closing the search without a choice leaves the card as it was.
    ui.onDialog<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& d) { person.click(d.btnAnnulla); });
    person.click(w.cmdTrova);
    EXPECT_EQ(w.lblPosizione.text, "2");
}

TEST_F(CardWindow, TheLogoIsLoadedOrDeletedAndThePhotoDeletedOnTheCardOnly) {
    storeUsers(dir.path(), {user("Rossi Mario", "A-1")});
    writeBytes(dir / "1.jpg", "IMG:rossi");
    writeBytes(dir / "stemma.jpg", "IMG:stemma");
    writeBytes(dir / "rotto.jpg", "not a picture");
    open();

    ui.filesToOpen = {dir / "stemma.jpg", std::nullopt, dir / "rotto.jpg"};
    person.click(w.imgLogo);
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].title, "Selezionare un file di immagine in formato Jpeg o Bitmap.");
    ASSERT_EQ(ui.fileDialogs[0].filters.size(), 2u);
    EXPECT_EQ(ui.fileDialogs[0].filters[0].description, "Immagine JPEG (*.jpg; *.jpeg)");
    EXPECT_EQ(ui.fileDialogs[0].filters[0].patterns, "*.jpg;*.jpeg");
    EXPECT_EQ(ui.fileDialogs[0].filters[1].description, "Immagine Bitmap (*.bmp)");
    EXPECT_EQ(ui.fileDialogs[0].filters[1].patterns, "*.bmp");
    EXPECT_EQ(tagOf(w.imgLogo.image), "stemma");
    person.click(w.imgLogo); // cancelled
    EXPECT_EQ(tagOf(w.imgLogo.image), "stemma");
    person.click(w.imgLogo); // not a picture
    EXPECT_EQ(tagOf(w.imgLogo.image), "tessera_logo");

    person.click(w.cmdPrimo);
    person.click(w.btnCancFoto);
    EXPECT_EQ(tagOf(w.imgFoto.image), "puntino");
    EXPECT_EQ(w.lblPosizione.text, "1");
    person.click(w.btnCancLogo);
    EXPECT_EQ(tagOf(w.imgLogo.image), "puntino");
    printWindow([&](TfrmStampaTessera& d) { person.click(d.btnStampa); });
    ASSERT_EQ(ui.printed.size(), 1u);
    EXPECT_EQ(tagOf(ui.printed[0].at("imgFoto").image), "puntino");
    EXPECT_EQ(tagOf(ui.printed[0].at("imgLogo").image), "puntino");
    EXPECT_EQ(ui.printed[0].at("txtTesserato").text(), "Rossi Mario");

    person.click(w.imgEsci);
    EXPECT_EQ(readBytes(dir / "1.jpg"), "IMG:rossi") << "the user's photo file is not touched";
    EXPECT_EQ(readBytes(dir / "Logo.jpg"), "IMG:puntino") << "a deleted logo is stored blank";
}

TEST_F(CardWindow, AReadOnlyFolderStillClosesTheWindowAndSaysTheDataWereNotKept) {
    writeBytes(dir / "Logo.jpg", "IMG:stemma");
    writeBytes(dir / "nuovo.jpg", "IMG:nuovo");
    open();
    ui.onDialog<TfrmDatiEnte>([&](TfrmDatiEnte& d) {
        person.retype(d.txtAssociazione, "Biblioteca civica");
        person.click(d.btnApplica);
    });
    person.click(w.titAssociazione);
    ui.filesToOpen = {dir / "nuovo.jpg"};
    person.click(w.imgLogo);
    makeReadOnly(dir.path());
    makeReadOnly(dir / "Logo.jpg");
    person.click(w.imgEsci);
    EXPECT_FALSE(w.visible());
    EXPECT_TRUE(app.frmAvvio.visible());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
    EXPECT_EQ(ui.lastText(), kArchivio);
    EXPECT_FALSE(std::filesystem::exists(ini));
    EXPECT_EQ(readBytes(dir / "Logo.jpg"), "IMG:stemma");
    EXPECT_EQ(tagOf(w.imgLogo.image), "tessera_logo");
}

TEST_F(CardWindow, ASettingsFileThatCannotBeReadOrWrittenIsSaidAndKeptAsItIs) {
    // A read-only file: everything reads, nothing is written, each failed write is said once.
    writeBytes(ini, "[Dati Ente]\r\nDenominazione=Biblioteca civica\r\n[Margini Stampa]\r\nSuperiore=4\r\n");
    const std::string before = readBytes(ini);
    makeReadOnly(ini);
    open();
    EXPECT_EQ(w.titAssociazione.text, "Biblioteca civica");
    EXPECT_TRUE(ui.messages.empty());
    printWindow([&](TfrmStampaTessera& d) {
        EXPECT_EQ(d.txtTop.text, "4");
        person.click(d.btnTopPlus);
        person.click(d.btnApplicaTop);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
        EXPECT_EQ(ui.lastText(), kArchivio);
        EXPECT_TRUE(d.visible());
        person.click(d.btnStampa);
    });
    ASSERT_EQ(ui.printed.size(), 1u);
    EXPECT_EQ(ui.printed[0].page.margins.top, 5);
    // The texts did not change: closing does not try to write them.
    person.click(w.imgEsci);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(w.visible());
    EXPECT_TRUE(app.frmAvvio.visible());
    EXPECT_EQ(readBytes(ini), before);

    // Something that cannot be read in its place: no library data, offsets 0, said each time.
    std::filesystem::remove(ini);
    std::filesystem::create_directory(ini);
    ui.messages.clear();
    open();
    EXPECT_EQ(library(), (std::vector<std::string>{"", "", "", ""}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
    EXPECT_EQ(ui.lastText(), kArchivio);
    printWindow([&](TfrmStampaTessera& d) {
        EXPECT_EQ(d.txtTop.text, "0");
        EXPECT_EQ(d.txtLeft.text, "0");
        person.click(d.btnAnnulla);
    });
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(std::filesystem::is_directory(ini));
}

TEST_F(CardWindow, PrintingPlacesTheCardByTheOffsetsOnScreenAndFillsItFromTheWindow) {
    writeBytes(ini, "[Margini Stampa]\r\nSuperiore=-3\r\nSinistro=5\r\n[Dati Ente]\r\n"
                    "Denominazione=Biblioteca [civica]\r\nSottotitolo 1=Via Roma 1\r\n"
                    "Sottotitolo 2=Tel. 035 123456\r\nAnnotazioni=Tessera personale\r\n");
    const std::string before = readBytes(ini);
    TTesserato u = user("Rossi Mario", "A-1", "31/12/2023");
    u.Carica = "Socio";
    storeUsers(dir.path(), {u});
    writeBytes(dir / "1.jpg", "IMG:rossi");
    writeBytes(dir / "Logo.jpg", "IMG:stemma");
    open();
    person.click(w.cmdPrimo);

    printWindow([&](TfrmStampaTessera& d) {
        EXPECT_EQ(d.caption, " Stampa tessera biblioteca");
        EXPECT_EQ(d.txtTop.text, "-3");
        EXPECT_EQ(d.txtLeft.text, "5");
        EXPECT_TRUE(d.txtTop.readOnly);
        EXPECT_TRUE(d.txtLeft.readOnly);
        EXPECT_FALSE(d.lblAttendere.visible);
        person.mouseDown(d.btnStampa);
        EXPECT_TRUE(d.lblAttendere.visible);
        EXPECT_EQ(d.lblAttendere.text, "Elaborazione in corso. Attendere...");
        person.click(d.btnStampa);
        EXPECT_FALSE(d.lblAttendere.visible);
        EXPECT_FALSE(d.visible());
    });
    ASSERT_EQ(ui.printed.size(), 1u);
    Report r = ui.printed[0];
    EXPECT_EQ(r.name, "Tesserino");
    EXPECT_EQ(r.page.orientation, Orientation::Portrait);
    EXPECT_EQ(r.page.margins, (Margins{5, -3, 0, 0}));
    // The card's corner, from the paper's corner.
    const ReportObject& sfondo = *r.find("shpSfondo");
    EXPECT_NEAR(r.page.margins.left + units::toMm(sfondo.left), 15, 1e-9);
    EXPECT_NEAR(r.page.margins.top + units::toMm(sfondo.top), 7, 1e-9);
    const std::pair<const char*, const char*> texts[] = {{"txtAssociazione", "Biblioteca [civica]"},
                                                         {"txtSottotitolo01", "Via Roma 1"},
                                                         {"txtSottotitolo02", "Tel. 035 123456"},
                                                         {"txtAnnotazioni", "Tessera personale"},
                                                         {"txtTesserato", "Rossi Mario"},
                                                         {"txtCarica", "Socio"},
                                                         {"txtNumTessera", "A-1"},
                                                         {"txtDataRil", "01/01/2022"},
                                                         {"txtDataScade", "31/12/2023"},
                                                         {"titDataRil", "Data rilascio:"},
                                                         {"titDataScade", "Data scadenza:"}};
    for (const auto& [object, text] : texts)
        EXPECT_EQ(r.at(object).text(), text) << object;
    EXPECT_EQ(tagOf(r.at("imgFoto").image), "rossi");
    EXPECT_EQ(tagOf(r.at("imgLogo").image), "stemma");
    EXPECT_EQ(readBytes(ini), before) << "printing stores nothing";

    // A cancelled print dialog prints nothing and the window closes all the same.
    ui.printDialogAccepts = false;
    printWindow([&](TfrmStampaTessera& d) {
        person.click(d.btnStampa);
        EXPECT_FALSE(d.visible());
    });
    EXPECT_EQ(ui.printed.size(), 1u);
}

TEST_F(CardWindow, PrintingWithNoUserShowsTheDesignTextsAndTheBlankFace) {
    open();
    printWindow([&](TfrmStampaTessera& d) {
        EXPECT_EQ(d.txtTop.text, "0");
        EXPECT_EQ(d.txtLeft.text, "0");
        person.click(d.btnStampa);
    });
    ASSERT_EQ(ui.printed.size(), 1u);
    Report r = ui.printed[0];
    EXPECT_EQ(r.page.margins, (Margins{0, 0, 0, 0}));
    EXPECT_EQ(r.at("txtTesserato").text(), "Cognome e nome");
    EXPECT_EQ(r.at("txtCarica").text(), "Informazioni aggiuntive");
    EXPECT_EQ(r.at("txtNumTessera").text(), "Tessera n.");
    EXPECT_EQ(r.at("txtDataRil").text(), "GG/MM/AAAA");
    EXPECT_EQ(r.at("txtDataScade").text(), "GG/MM/AAAA");
    EXPECT_EQ(r.at("txtAssociazione").text(), "");
    EXPECT_EQ(tagOf(r.at("imgFoto").image), "foto_bianco");
    EXPECT_EQ(tagOf(r.at("imgLogo").image), "tessera_logo");
    EXPECT_FALSE(std::filesystem::exists(ini)) << "with no settings file, printing writes none";
}

TEST_F(CardWindow, OffsetsMoveByOneMillimetreAndAreStoredOnlyByTheirOwnApplica) {
    writeBytes(ini, "[Margini Stampa]\r\nSuperiore=2\r\nSinistro=-1\r\n");
    const std::string before = readBytes(ini);
    open();
    printWindow([&](TfrmStampaTessera& d) {
        for (int i = 0; i < 3; ++i)
            person.click(d.btnTopPlus);
        EXPECT_EQ(d.txtTop.text, "5");
        person.click(d.btnAnnulla);
        EXPECT_FALSE(d.visible());
    });
    EXPECT_EQ(readBytes(ini), before);
    EXPECT_TRUE(ui.printed.empty());

    printWindow([&](TfrmStampaTessera& d) {
        EXPECT_EQ(d.txtTop.text, "2") << "the saved value comes back";
        for (int i = 0; i < 3; ++i)
            person.click(d.btnTopMinus);
        person.click(d.btnLeftMinus);
        person.click(d.btnLeftMinus);
        EXPECT_EQ(d.txtTop.text, "-1");
        EXPECT_EQ(d.txtLeft.text, "-3");
        person.click(d.btnApplicaTop);
        EXPECT_EQ(iniValue("Margini Stampa", "Superiore"), "-1");
        EXPECT_EQ(iniValue("Margini Stampa", "Sinistro"), "-1") << "each Applica writes its own key";
        person.click(d.btnLeftPlus);
        person.click(d.btnApplicaLeft);
        EXPECT_EQ(iniValue("Margini Stampa", "Sinistro"), "-2");
        person.click(d.btnLeftPlus);
        person.click(d.btnStampa);
    });
    ASSERT_EQ(ui.printed.size(), 1u);
    EXPECT_EQ(ui.printed[0].page.margins, (Margins{-1, -1, 0, 0}))
        << "the screen's values print, applied or not";
    EXPECT_EQ(iniValue("Margini Stampa", "Sinistro"), "-2");

    // With no settings file both offsets are 0 and the file appears only with an Applica.
    std::filesystem::remove(ini);
    printWindow([&](TfrmStampaTessera& d) {
        EXPECT_EQ(d.txtTop.text, "0");
        EXPECT_EQ(d.txtLeft.text, "0");
        person.click(d.btnLeftPlus);
        person.click(d.btnAnnulla);
    });
    EXPECT_FALSE(std::filesystem::exists(ini));
    printWindow([&](TfrmStampaTessera& d) {
        person.click(d.btnLeftPlus);
        person.click(d.btnApplicaLeft);
        person.click(d.btnAnnulla);
    });
    EXPECT_EQ(readBytes(ini), "[Margini Stampa]\r\nSinistro=1\r\n");
}

// A stored offset that is not a whole number used to stop "+", "-" and "Stampa" with a conversion
// error: it now reads as 0, and the file keeps it until an "Applica" replaces it.
TEST_F(CardWindow, AnOffsetThatIsNotAWholeNumberReadsAsZero) {
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"abc", "0"},
        {"2,5", "0"},
        {"1.5", "0"},
        {"3mm", "0"},
        {"- 3", "0"},
        {"0x10", "0"},
        {"", "0"},
        {"99999999999", "0"},
        {" +4 ", "4"},
        {"-07", "-7"},
        {"2147483647", "2147483647"},
    };
    open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        writeBytes(ini, std::string("[Margini Stampa]\r\nSuperiore=") + c.stored +
                            "\r\nSinistro=" + c.stored + "\r\n");
        const std::string before = readBytes(ini);
        ui.printed.clear();
        printWindow([&](TfrmStampaTessera& d) {
            EXPECT_EQ(d.txtTop.text, c.shown);
            EXPECT_EQ(d.txtLeft.text, c.shown);
            person.click(d.btnTopPlus);
            person.click(d.btnLeftMinus);
            person.click(d.btnStampa);
        });
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(readBytes(ini), before);
        ASSERT_EQ(ui.printed.size(), 1u);
        const double shown = std::stod(c.shown);
        // At the top of the range "+" stays where it is.
        EXPECT_EQ(ui.printed[0].page.margins.top, shown == 2147483647 ? shown : shown + 1);
        EXPECT_EQ(ui.printed[0].page.margins.left, shown - 1);
    }

    writeBytes(ini, "[Margini Stampa]\r\nSuperiore=2,5\r\nSinistro=x\r\n");
    printWindow([&](TfrmStampaTessera& d) {
        person.click(d.btnApplicaTop);
        person.click(d.btnAnnulla);
    });
    EXPECT_EQ(readBytes(ini), "[Margini Stampa]\r\nSuperiore=0\r\nSinistro=x\r\n");
}

TEST_F(CardWindow, ThePreviewShowsTheCardAtItsDesignedPlace) {
    writeBytes(ini, "[Margini Stampa]\r\nSuperiore=4\r\nSinistro=6\r\n");
    storeUsers(dir.path(), {user("Rossi Mario", "A-1")});
    open();
    person.click(w.cmdUltimo);
    ui.onDialog<TfrmAnteprimaTessera>([&](TfrmAnteprimaTessera& d) {
        EXPECT_EQ(d.caption, " Anteprima di stampa");
        EXPECT_FALSE(d.lblAttendere.visible);
        person.mouseDown(d.btnStampa);
        EXPECT_TRUE(d.lblAttendere.visible);
        EXPECT_EQ(d.lblAttendere.text, "Elaborazione in corso. Attendere...");
        person.click(d.btnStampa);
        EXPECT_FALSE(d.visible());
    });
    person.click(w.cmdAnteprima);
    ASSERT_EQ(ui.previewed.size(), 1u);
    EXPECT_TRUE(ui.printed.empty());
    Report r = ui.previewed[0];
    EXPECT_EQ(r.name, "Tesserino");
    EXPECT_EQ(r.page.orientation, Orientation::Portrait);
    EXPECT_EQ(r.page.margins, (Margins{0, 0, 0, 0}));
    EXPECT_EQ(r.at("txtTesserato").text(), "Rossi Mario");
    EXPECT_EQ(tagOf(r.at("imgFoto").image), "foto_bianco");

    ui.onDialog<TfrmAnteprimaTessera>([&](TfrmAnteprimaTessera& d) { person.click(d.btnAnnulla); });
    person.click(w.cmdAnteprima);
    EXPECT_EQ(ui.previewed.size(), 1u);
    EXPECT_EQ(ui.dialogsShown, (std::vector<std::string>{"TfrmAnteprimaTessera", "TfrmAnteprimaTessera"}));
}
