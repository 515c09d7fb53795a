// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/Anagrafica.h"
#include "core/storage/Prestito.h"
#include "core/text/Text.h"
#include "core/users/Carta.h"
#include "core/users/CodFisc.h"
#include "core/users/Iban.h"
#include "core/users/PartitaIva.h"
#include "core/users/Zoom.h"
#include "support/AppFixture.h"
#include "support/Faults.h"
#include "support/Users.h"

#include <map>
#include <sys/stat.h>

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

class UserWindow : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmAvvio);
        person.click(app.frmAvvio.btnAnagrafica);
    }
    TfrmAnagrafica& w = app.frmAnagrafica;
    const std::string archive = (dir / "Tesserati.pro").string();

    // A picture file as the fake desktop reads it.
    std::filesystem::path picture(const std::string& name, const std::string& tag) {
        writeBytes(dir / name, "IMG:" + tag);
        return dir / name;
    }
    void composeValid(const char* nome, const char* tessera, const char* scadenza = "31/12/2022") {
        person.type(w.txtTesserato, nome);
        person.type(w.txtNumTessera, tessera);
        person.type(w.txtDataScade, scadenza);
    }
};

TEST_F(UserWindow, OpensFromTheLauncherOnANewRecordAndClosesBackToIt) {
    EXPECT_TRUE(w.visible());
    EXPECT_FALSE(app.frmAvvio.visible());
    EXPECT_EQ(w.caption, " Quaderna 3.0 - Archivio Utenti");
    EXPECT_EQ(w.txtDataRil.text, "10/03/2022");
    EXPECT_EQ(w.txtPreavviso.text, "0");
    EXPECT_EQ(w.lblPosizione.text, "");
    EXPECT_EQ(tagOf(w.imgFoto.image), "foto_bianco");
    EXPECT_FALSE(w.chkAnnullata.checked);
    EXPECT_EQ(w.chkAnnullata.text, "Tessera annullata");
    EXPECT_TRUE(w.hasFocus(w.txtTesserato)); // where a person starts typing
    for (ComboEdit* c : {&w.txtProvNasc, &w.txtProvRes}) {
        ASSERT_EQ(c->items.size(), 112u);
        EXPECT_EQ(c->items.front(), "AG");
        EXPECT_NE(std::find(c->items.begin(), c->items.end(), "MI"), c->items.end());
        EXPECT_EQ(c->items.back(), "VV");
    }
    person.click(w.cmdEsci);
    EXPECT_FALSE(w.visible());
    EXPECT_TRUE(app.frmAvvio.visible());
}

TEST_F(UserWindow, FieldWidthsLimitTyping) {
    const std::map<std::string, int> widths = {
        {"txtTesserato", 50},    {"txtCarica", 50},    {"txtNumTessera", 24},   {"txtDataRil", 10},
        {"txtDataScade", 10},    {"txtDataNasc", 10},  {"txtComuneNasc", 50},   {"txtProvNasc", 2},
        {"txtSesso", 1},         {"txtComuneRes", 50}, {"txtProvRes", 2},       {"txtCapRes", 5},
        {"txtIndirizzoRes", 50}, {"txtPreavviso", 3},  {"txtTitoli", 250},      {"txtTelCasa", 30},
        {"txtTelUff", 30},       {"txtTelCel", 30},    {"txtRecapito", 50},     {"txtFax", 30},
        {"txtEmail", 50},        {"txtCodFisc", 16},   {"txtCarta", 30},        {"txtScadeCarta", 30},
        {"txtPartitaIva", 11},   {"txtIban", 27},      {"txtIntestatario", 50}, {"txtNote", 250}};
    ASSERT_EQ(w.fieldBoxes().size(), widths.size());
    for (const auto& [member, box] : w.fieldBoxes())
        EXPECT_EQ(box->maxLength, widths.at(box->name())) << box->name();
    person.type(w.txtCapRes, "0012345");
    EXPECT_EQ(w.txtCapRes.text, "00123");
}

TEST_F(UserWindow, NewEmptiesEverythingAndShowingAgainDoesToo) {
    storeUsers(dir.path(), {user("Rossi Mario", "7")});
    writeBytes(dir / "1.jpg", "IMG:volto");
    person.click(w.cmdPrimo);
    w.lblFile01.text = "documento.pdf";
    person.toggle(w.chkAnnullata);
    person.click(w.cmdNuovo);
    EXPECT_EQ(w.txtTesserato.text, "");
    EXPECT_EQ(w.txtDataScade.text, "");
    EXPECT_EQ(w.txtDataRil.text, "10/03/2022");
    EXPECT_EQ(w.txtPreavviso.text, "0");
    EXPECT_EQ(w.lblFile01.text, "");
    EXPECT_FALSE(w.chkAnnullata.checked);
    EXPECT_EQ(w.lblPosizione.text, "");
    EXPECT_EQ(tagOf(w.imgFoto.image), "foto_bianco");
    EXPECT_TRUE(w.hasFocus(w.txtTesserato));

    person.click(w.cmdUltimo);
    EXPECT_EQ(tagOf(w.imgFoto.image), "volto");
    app.close(w);
    app.show(w);
    EXPECT_EQ(w.txtTesserato.text, "");
    EXPECT_EQ(w.lblPosizione.text, "");
    EXPECT_EQ(tagOf(w.imgFoto.image), "foto_bianco");
}

TEST_F(UserWindow, SaveChecksRunInOrderWithTheirMessageKindAndFocus) {
    const std::string salvare = "Attenzione: per salvare la scheda è necessario indicare ";
    const std::string formato =
        " non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida nel "
        "formato gg/mm/aaaa.";
    struct Step {
        std::function<void()> fill; // what the person does before pressing Salva
        Shown::Kind kind;
        std::string message;
        Control* focus;
    } steps[] = {
        {[&] { person.type(w.txtTesserato, "  "); }, Shown::Warning, salvare + "il nome delL'utente.",
         &w.txtTesserato},
        {[&] { person.type(w.txtTesserato, "Rossi Mario"); }, Shown::Warning,
         salvare + "il numero di tessera delL'utente.", &w.txtNumTessera},
        {[&] {
             person.type(w.txtNumTessera, "12");
             person.retype(w.txtDataRil, " ");
         },
         Shown::Warning, salvare + "la data di rilascio della tessera.", &w.txtDataRil},
        {[&] { person.retype(w.txtDataRil, "29/02/2023"); }, Shown::Warning,
         salvare + "la data di scadenza della tessera.", &w.txtDataScade},
        {[&] {
             person.type(w.txtDataScade, "31/02/2021");
             w.txtDataRil.text = " 29/02/2023 "; // set by code: the message quotes the trimmed text
             w.setFocus(w.txtNote);
         },
         Shown::Plain, "Attenzione: la data di rilascio della tessera 29/02/2023" + formato, &w.txtDataRil},
        {[&] {
             person.retype(w.txtDataRil, "29/02/2024");
             w.setFocus(w.txtNote);
         },
         Shown::Plain, "Attenzione: la data di scadenza della tessera 31/02/2021" + formato, &w.txtDataScade},
        {[&] {
             person.retype(w.txtDataScade, "28/02/2024");
             w.setFocus(w.txtNote);
         },
         Shown::Plain,
         "Attenzione: la data di scadenza (28/02/2024) non può essere anteriore a quella di rilascio "
         "della tessera (29/02/2024).",
         &w.txtNote}, // the focus stays where it was
        {[&] {
             person.retype(w.txtDataScade, "29/02/2024"); // equal dates pass
             person.retype(w.txtPreavviso, "");
             w.setFocus(w.txtNote);
         },
         Shown::Warning, salvare + "i giorni di preavviso.", &w.txtPreavviso},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].fill();
        const std::size_t before = ui.messages.size();
        person.click(w.cmdSalva);
        ASSERT_EQ(ui.messages.size(), before + 1) << i;
        EXPECT_EQ(ui.lastMessage().kind, steps[i].kind) << i;
        EXPECT_EQ(ui.lastText(), steps[i].message) << i;
        EXPECT_EQ(w.focused(), steps[i].focus) << i;
        EXPECT_FALSE(std::filesystem::exists(archive)) << i;
        EXPECT_EQ(w.lblPosizione.text, "") << i;
    }
    person.type(w.txtPreavviso, "0");
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
    EXPECT_EQ(ui.lastText(), "La scheda corrente è stata inserita in archivio.");
    EXPECT_EQ(storedUsers(dir.path()).at(0).DataScade, "29/02/2024");
}

TEST_F(UserWindow, DatesThatDoNotExistOrAreNotDayMonthYearAreRefused) {
    composeValid("Rossi Mario", "12");
    for (const char* typed : {"29/02/2023", "31/04/2022", "00/01/2022", "10/13/2022", "1/3/22", "10-03-2022",
                              "1O/03/2022", "aa/bb/cccc", "10/03/ 2022", "è/03/2022"}) {
        person.retype(w.txtDataScade, typed);
        person.click(w.cmdSalva);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Plain) << typed;
        EXPECT_EQ(ui.lastText().rfind("Attenzione: la data di scadenza della tessera " + w.txtDataScade.text +
                                          " non esiste.",
                                      0),
                  0u)
            << typed;
        EXPECT_TRUE(w.hasFocus(w.txtDataScade));
    }
    EXPECT_FALSE(std::filesystem::exists(archive));
    // One or two digits for day and month are dates all the same.
    person.retype(w.txtDataScade, "1/3/2023");
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
    EXPECT_EQ(storedUsers(dir.path()).at(0).DataScade, "1/3/2023");
}

TEST_F(UserWindow, NewRecordIsAppendedOnceThenUpdatedInPlaceWithItsPhoto) {
    storeUsers(dir.path(), {user("Primo", "1"), user("Secondo", "2")});
    composeValid("Rossi Mario", "  A-12  ");
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
    EXPECT_EQ(ui.lastText(), "La scheda corrente è stata inserita in archivio.");
    EXPECT_EQ(w.lblPosizione.text, "3");
    // No photo was loaded: the blank face is the third user's photo.
    EXPECT_EQ(readBytes(dir / "3.jpg"), "IMG:foto_bianco");

    ui.filesToOpen.push_back(picture("ritratto.bmp", "ritratto"));
    person.click(w.btnSfoglia);
    person.type(w.txtNote, "socio fondatore");
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastText(), "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    EXPECT_EQ(w.lblPosizione.text, "3");
    EXPECT_EQ(readBytes(dir / "3.jpg"), "IMG:ritratto");
    EXPECT_FALSE(std::filesystem::exists(dir / "1.jpg"));

    const auto users = storedUsers(dir.path());
    ASSERT_EQ(users.size(), 3u);
    EXPECT_EQ(users[2].Tesserato, "Rossi Mario");
    EXPECT_EQ(users[2].NumTessera, "A-12");
    EXPECT_EQ(users[2].DataRil, "10/03/2022");
    EXPECT_EQ(users[2].Preavviso, "0");
    EXPECT_EQ(users[2].Note, "socio fondatore");
    EXPECT_EQ(users[2].Annullata, "No");
    EXPECT_EQ(users[0].Tesserato, "Primo");
}

TEST_F(UserWindow, UpdatingOneRecordLeavesEveryOtherByteAlone) {
    storeUsers(dir.path(), {user("Uno", "1"), user("Due", "2"), user("Tre", "3")});
    const std::string before = readBytes(archive);
    person.click(w.cmdPrimo);
    person.click(w.cmdAvanti);
    w.txtCarica.text = "Presidente";
    person.click(w.cmdSalva);
    const std::string after = readBytes(archive);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(0, TTesserato::Size), before.substr(0, TTesserato::Size));
    EXPECT_EQ(after.substr(2 * TTesserato::Size), before.substr(2 * TTesserato::Size));
    EXPECT_EQ(storedUsers(dir.path())[1].Carica, "Presidente");
    EXPECT_EQ(readBytes(dir / "2.jpg"), "IMG:foto_bianco");
}

TEST_F(UserWindow, StoredTextIsTrimmedAndCutAndTheCheckBoxIsAFlag) {
    composeValid("Rossi Mario", "12");
    w.txtTitoli.text = std::string(300, 'T'); // set by code, past the box's limit
    w.txtComuneRes.text = "  Città 中 ";
    person.toggle(w.chkAnnullata);
    person.click(w.cmdSalva);
    std::string bytes = readBytes(archive);
    ASSERT_EQ(bytes.size(), TTesserato::Size);
    EXPECT_EQ(static_cast<unsigned char>(bytes[331]), 250);
    EXPECT_EQ(bytes.substr(216, 8), std::string("\x07"
                                                "Citt\xE0 ?"));
    EXPECT_EQ(bytes.substr(1229, 3), "\x02S\xEC");
    person.toggle(w.chkAnnullata);
    person.click(w.cmdSalva);
    bytes = readBytes(archive);
    EXPECT_EQ(bytes.substr(1229, 3), "\x02No");
}

TEST_F(UserWindow, NavigationBranchesAndPhotos) {
    // Empty archive: every step reports it; Next also empties the position.
    w.lblPosizione.text = "4";
    for (Button* b : {&w.cmdPrimo, &w.cmdIndietro, &w.cmdUltimo, &w.cmdAvanti}) {
        person.click(*b);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
        EXPECT_EQ(ui.lastText(), "L'archivio non contiene nessuna scheda.");
    }
    EXPECT_EQ(w.lblPosizione.text, "");
    EXPECT_FALSE(std::filesystem::exists(archive)) << "a look creates no archive";

    storeUsers(dir.path(), {user("Uno", "1"), user("Due", "2"), user("Tre", "3")});
    writeBytes(dir / "1.jpg", "IMG:uno");
    writeBytes(dir / "3.jpg", "non un'immagine"); // unreadable: the blank face
    ui.messages.clear();
    struct Case {
        const char* position;
        Button* step;
        const char* expected; // position afterwards
        const char* name;
        const char* photo;
    } cases[] = {
        {"", &w.cmdIndietro, "1", "Uno", "uno"}, // Previous while composing shows the first record
        {"", &w.cmdAvanti, "1", "Uno", "uno"},          {"", &w.cmdUltimo, "3", "Tre", "foto_bianco"},
        {"", &w.cmdPrimo, "1", "Uno", "uno"},           {"1", &w.cmdAvanti, "2", "Due", "foto_bianco"},
        {"2", &w.cmdIndietro, "1", "Uno", "uno"},       {"3", &w.cmdPrimo, "1", "Uno", "uno"},
        {"1", &w.cmdUltimo, "3", "Tre", "foto_bianco"},
    };
    for (const auto& c : cases) {
        w.lblPosizione.text = c.position;
        person.click(*c.step);
        EXPECT_EQ(w.lblPosizione.text, c.expected) << c.position << " " << c.step->name();
        EXPECT_EQ(w.txtTesserato.text, c.name) << c.position << " " << c.step->name();
        EXPECT_EQ(tagOf(w.imgFoto.image), c.photo) << c.position << " " << c.step->name();
    }
    // At the ends nothing happens and nothing is said; unsaved changes stay on screen.
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

TEST_F(UserWindow, NavigationShowsEveryStoredFieldTrimmedAndTheFlagRule) {
    TTesserato full = user("  Bianchi Anna ", "B-9", "15/06/2023", "30");
    full.Carica = "Socia sostenitrice";
    full.DataNasc = "02/02/1980";
    full.ComuneNasc = "Pavia";
    full.ProvNasc = "PV";
    full.Sesso = "F";
    full.ComuneRes = "Milano";
    full.ProvRes = "MI";
    full.CapRes = "20100";
    full.IndirizzoRes = "Via Dante 3";
    full.Titoli = "Laurea in lettere";
    full.TelCasa = "02 123456";
    full.TelUff = "02 654321";
    full.TelCel = "333 1234567";
    full.Recapito = "cellulare";
    full.Fax = "02 111111";
    full.Email = "anna@example.org";
    full.CodFisc = "BNCNNA80B42G388X";
    full.Carta = "4111111111111111";
    full.ScadeCarta = "12/25";
    full.PartitaIva = "00488410010";
    full.Iban = "IT60X0542811101000000123456";
    full.Intestatario = "Bianchi Anna";
    full.Note = "nota";
    full.Annullata = "Sì";
    full.File01 = "domanda.pdf";
    full.Desc03 = "ricevuta";
    TTesserato odd = user("Strano", "S");
    odd.Annullata = "";
    TTesserato no = user("Normale", "N");
    storeUsers(dir.path(), {full, odd, no});
    person.click(w.cmdPrimo);
    const TTesserato shown = w.composeRecord();
    for (const auto& f : TTesserato::Fields)
        if (std::string_view(f.name) != "Annullata") {
            EXPECT_EQ(shown.*(f.member), text::trim(full.*(f.member))) << f.name;
        }
    EXPECT_TRUE(w.chkAnnullata.checked);
    EXPECT_EQ(w.lblFile01.text, "domanda.pdf");
    EXPECT_EQ(w.lblDesc03.text, "ricevuta");
    person.click(w.cmdAvanti); // neither "Sì" nor "No": the box stays as it was
    EXPECT_TRUE(w.chkAnnullata.checked);
    EXPECT_EQ(w.txtTesserato.text, "Strano");
    person.click(w.cmdAvanti);
    EXPECT_FALSE(w.chkAnnullata.checked);
}

TEST_F(UserWindow, PhotoIsLoadedScaledStoredAtItsOwnSizeDeletedAndZoomed) {
    ui.filesToOpen.push_back(std::nullopt); // the person cancels the dialog
    person.click(w.btnSfoglia);
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].title, "Selezionare un file di immagine in formato Jpeg o Bitmap.");
    ASSERT_EQ(ui.fileDialogs[0].filters.size(), 2u);
    EXPECT_EQ(ui.fileDialogs[0].filters[0].description, "Immagine JPEG (*.jpg; *.jpeg)");
    EXPECT_EQ(ui.fileDialogs[0].filters[0].patterns, "*.jpg;*.jpeg");
    EXPECT_EQ(ui.fileDialogs[0].filters[1].description, "Immagine Bitmap (*.bmp)");
    EXPECT_EQ(ui.fileDialogs[0].filters[1].patterns, "*.bmp");
    EXPECT_EQ(tagOf(w.imgFoto.image), "foto_bianco");

    ui.filesToOpen.push_back(picture("volto.jpg", "volto"));
    person.click(w.btnSfoglia);
    EXPECT_EQ(tagOf(w.imgFoto.image), "volto");

    // Zoom: the current photo, full screen; a click on the picture or around it closes, and so do
    // Enter and Escape.
    for (int where = 0; where < 4; ++where) {
        std::string zoomed, caption;
        bool stillOpen = true;
        ui.onDialog<TfrmZoom>([&](TfrmZoom& z) {
            zoomed = tagOf(z.imgFoto.image);
            caption = z.caption;
            if (where < 2)
                person.click(where == 0 ? static_cast<Control&>(z.imgFoto) : z.panContainer);
            else
                person.press(z.panContainer, where == 2 ? VK::Return : VK::Escape);
            stillOpen = z.visible();
        });
        person.click(w.btnZoom);
        EXPECT_EQ(zoomed, "volto");
        EXPECT_EQ(caption, " Fai clic sulla foto per chiudere questa finestra");
        EXPECT_FALSE(stillOpen) << where;
    }

    writeBytes(dir / "rotto.jpg", "non un'immagine");
    ui.filesToOpen.push_back(dir / "rotto.jpg");
    person.click(w.btnSfoglia);
    EXPECT_EQ(tagOf(w.imgFoto.image), "foto_bianco");

    ui.filesToOpen.push_back(picture("volto.jpg", "volto"));
    person.click(w.btnSfoglia);
    person.click(w.btnCancFoto);
    EXPECT_EQ(tagOf(w.imgFoto.image), "foto_bianco");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "1.jpg")); // photos reach the disk only with Save
}

TEST_F(UserWindow, EmailOpensABlankMessage) {
    person.click(w.cmdEmail);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
    EXPECT_EQ(ui.lastText(), "Attenzione: indicare l'indirizzo e-mail dell'utente.");
    EXPECT_TRUE(w.hasFocus(w.txtEmail));
    EXPECT_TRUE(ui.shellOpened.empty());
    person.type(w.txtEmail, " mario.rossi@example.org ");
    EXPECT_EQ(w.txtEmail.text, "mario.rossi@example.org"); // trimmed as it is typed
    person.click(w.cmdEmail);
    EXPECT_EQ(ui.shellOpened, std::vector<std::string>{"\"mailto:mario.rossi@example.org\""});
}

TEST_F(UserWindow, RenewalNoticeChecksItsFieldsThenPreparesTheMessage) {
    const std::string inviare = "Attenzione: per inviare l'avviso è necessario indicare ";
    person.retype(w.txtDataRil, "");
    const struct {
        Edit* fill;
        const char* value;
        std::string message;
        Edit* focus;
    } steps[] = {
        {nullptr, "", inviare + "cognome e nome dell'utente.", &w.txtTesserato},
        {&w.txtTesserato, " Rossi Mario ", inviare + "il numero della tessera.", &w.txtNumTessera},
        {&w.txtNumTessera, "A-12", inviare + "la data di rilascio del tesserino.", &w.txtDataRil},
        {&w.txtDataRil, "01/01/2021", inviare + "la data di scadenza del tesserino.", &w.txtDataScade},
        {&w.txtDataScade, "31/13/2021", inviare + "l'indirizzo e-mail dell'utente.", &w.txtEmail},
    };
    for (const auto& s : steps) {
        if (s.fill)
            person.type(*s.fill, s.value);
        w.setFocus(w.txtNote);
        person.click(w.btnEmail);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
        EXPECT_EQ(ui.lastText(), s.message);
        EXPECT_EQ(w.focused(), s.focus);
    }
    EXPECT_TRUE(ui.shellOpened.empty());
    person.type(w.txtEmail, "mario@example.org");
    person.click(w.btnEmail); // the dates are not checked here
    ASSERT_EQ(ui.shellOpened.size(), 1u);
    EXPECT_EQ(
        ui.shellOpened[0],
        "\"mailto:mario@example.org?subject=Rinnovo tessera biblioteca&body=Gentilissimo Utente Rossi "
        "Mario, con la presente le ricordiamo che la sua tessera n. A-12, rilasciata in data 01/01/2021 e "
        "con scadenza in data 31/13/2021, ha bisogno di essere rinnovata. Pertanto, la preghiamo di "
        "recarsi con cortese sollecitudine presso i nostri uffici per provvedere al rinnovo. In attesa di "
        "un suo riscontro, le porgiamo cordiali saluti.\"");
}

TEST_F(UserWindow, FiscalCodeButtonPicksTheVatCheckForDigitsOnly) {
    const struct {
        const char* typed;
        const char* dialog;
        const char* received;
    } cases[] = {
        {"", "TfrmCodFisc", ""},
        {"rssmra80a01h501u", "TfrmCodFisc", "RSSMRA80A01H501U"},
        {"00488410010", "TfrmPartitaIva", "00488410010"},
        {"0048841001A", "TfrmCodFisc", "0048841001A"},
        {"123", "TfrmPartitaIva", "123"},
    };
    for (const auto& c : cases) {
        std::string received;
        ui.onDialog<TfrmCodFisc>([&](TfrmCodFisc& d) {
            received = d.txtCodFisc.text;
            person.click(d.btnChiudi);
        });
        ui.onDialog<TfrmPartitaIva>([&](TfrmPartitaIva& d) {
            received = d.txtPartitaIva.text;
            person.click(d.btnChiudi);
        });
        ui.dialogsShown.clear();
        person.retype(w.txtCodFisc, c.typed);
        person.click(w.cmdCodFisc);
        EXPECT_EQ(ui.dialogsShown, std::vector<std::string>{c.dialog}) << c.typed;
        EXPECT_EQ(received, c.received) << c.typed;
    }
    // A value set by code with blanks around it reaches the checker trimmed.
    std::string received;
    ui.onDialog<TfrmPartitaIva>([&](TfrmPartitaIva& d) { received = d.txtPartitaIva.text; });
    w.txtCodFisc.text = " 00488410010 ";
    person.click(w.cmdCodFisc);
    EXPECT_EQ(received, "00488410010");
}

TEST_F(UserWindow, TheOtherCheckersReceiveTheirTrimmedValueAndGiveNothingBack) {
    w.txtPartitaIva.text = " 00488410010 ";
    w.txtCarta.text = " 4111111111111111 ";
    w.txtIban.text = " IT60X0542811101000000123456 ";
    std::vector<std::string> received;
    ui.onDialog<TfrmPartitaIva>([&](TfrmPartitaIva& d) {
        received.push_back(d.txtPartitaIva.text);
        person.click(d.btnControlla);
    });
    ui.onDialog<TfrmCarta>([&](TfrmCarta& d) {
        received.push_back(d.txtNumero.text);
        person.click(d.btnControlla);
    });
    ui.onDialog<TfrmIban>([&](TfrmIban& d) {
        received.push_back(d.txtIban.text);
        person.click(d.btnControlla);
    });
    person.click(w.cmdPartitaIva);
    person.click(w.cmdCarta);
    person.click(w.cmdIban);
    EXPECT_EQ(received,
              (std::vector<std::string>{"00488410010", "4111111111111111", "IT60X0542811101000000123456"}));
    EXPECT_EQ(ui.dialogsShown, (std::vector<std::string>{"TfrmPartitaIva", "TfrmCarta", "TfrmIban"}));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text.rfind("Il numero di partita IVA digitato risulta VALIDO.", 0), 0u);
    EXPECT_EQ(ui.messages[1].text.rfind("Il numero di carta di credito 4111111111111111 risulta valido.", 0),
              0u);
    EXPECT_EQ(ui.messages[2].text, "L'IBAN digitato è VALIDO.");
    EXPECT_EQ(w.txtCarta.text, " 4111111111111111 ");
}

TEST_F(UserWindow, TypingAids) {
    person.type(w.txtCodFisc, " rssmra80a01h501u");
    EXPECT_EQ(w.txtCodFisc.text, "RSSMRA80A01H501U");
    person.type(w.txtIban, "it60 x"); // the blank is trimmed away as soon as it is typed
    EXPECT_EQ(w.txtIban.text, "IT60X");
    person.type(w.txtProvNasc, "mi");
    EXPECT_EQ(w.txtProvNasc.text, "MI");
    person.type(w.txtProvRes, "xè");
    EXPECT_EQ(w.txtProvRes.text, "Xè"); // any two characters; accented letters stay
    person.type(w.txtSesso, "f");
    EXPECT_EQ(w.txtSesso.text, "F");
    person.type(w.txtEmail, " a@b.it ");
    EXPECT_EQ(w.txtEmail.text, "a@b.it");

    // Digit-only boxes: digits, Backspace, Delete and the arrows pass; other keys are swallowed.
    for (Edit* box : {&w.txtCarta, &w.txtPreavviso, &w.txtPartitaIva}) {
        person.retype(*box, "");
        person.type(*box, "1a-2 3.");
        EXPECT_EQ(box->text, "123") << box->name();
        person.press(*box, VK::Back);
        EXPECT_EQ(box->text, "12") << box->name();
        for (int code : {VK::Delete, VK::Left, VK::Right}) {
            Key k{code, 0};
            w.keyDown(*box, k);
            EXPECT_FALSE(k.swallowed()) << box->name() << " " << code;
        }
        Key ctrlV{'V', 0};
        w.keyDown(*box, ctrlV);
        EXPECT_TRUE(ctrlV.swallowed()) << box->name();
    }
}

TEST_F(UserWindow, EnterMovesAlongTheChainAndTheProvinceListsLoseTheirSelection) {
    const std::vector<Edit*> chain = {
        &w.txtTesserato, &w.txtCarica,       &w.txtNumTessera,   &w.txtDataRil,    &w.txtDataScade,
        &w.txtDataNasc,  &w.txtComuneNasc,   &w.txtProvNasc,     &w.txtSesso,      &w.txtComuneRes,
        &w.txtProvRes,   &w.txtCapRes,       &w.txtIndirizzoRes, &w.txtPreavviso,  &w.txtTitoli,
        &w.txtTelCasa,   &w.txtTelUff,       &w.txtTelCel,       &w.txtRecapito,   &w.txtFax,
        &w.txtEmail,     &w.txtCodFisc,      &w.txtCarta,        &w.txtScadeCarta, &w.txtPartitaIva,
        &w.txtIban,      &w.txtIntestatario, &w.txtNote};
    w.txtProvNasc.itemIndex = 5;
    w.txtProvRes.itemIndex = 7;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        person.press(*chain[i], VK::Return);
        EXPECT_TRUE(w.hasFocus(*chain[(i + 1) % chain.size()])) << chain[i]->name();
    }
    EXPECT_EQ(w.txtProvNasc.itemIndex, -1);
    EXPECT_EQ(w.txtProvRes.itemIndex, -1);
}

TEST_F(UserWindow, PreviewAndPrintHandTheUserSheetOfTheScreenToThePrinter) {
    person.type(w.txtTesserato, "Rossi Mario");
    person.click(w.cmdAnteprima);
    ASSERT_EQ(ui.previewed.size(), 1u);
    EXPECT_EQ(ui.previewed[0].at("txtTitolo").text(), "SCHEDA ANAGRAFICA UTENTE");
    EXPECT_EQ(ui.previewed[0].at("txtCampo01").text(), "Rossi Mario");
    EXPECT_TRUE(ui.printed.empty());
    person.type(w.txtNumTessera, "A-12");
    person.click(w.cmdStampa);
    ASSERT_EQ(ui.printed.size(), 1u);
    EXPECT_EQ(ui.printed[0].at("txtCampo03").text(), "A-12");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(w.visible());
}

TEST_F(UserWindow, ReadOnlyArchiveIsReadButRefusesEverySave) {
    storeUsers(dir.path(), {user("Uno", "1")});
    const std::string before = readBytes(archive);
    makeReadOnly(archive);
    person.click(w.cmdPrimo);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    EXPECT_EQ(w.txtTesserato.text, "Uno");
    EXPECT_EQ(w.lblPosizione.text, "1");
    person.click(w.cmdNuovo);
    composeValid("Nuovo", "N1");
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
    EXPECT_EQ(ui.lastText(), kArchivio);
    EXPECT_EQ(w.lblPosizione.text, "");
    EXPECT_EQ(w.txtTesserato.text, "Nuovo"); // the fields keep what they held
    EXPECT_EQ(readBytes(archive), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "2.jpg"));
}

TEST_F(UserWindow, ReadOnlyFolderKeepsTheRecordButNotThePhoto) {
    storeUsers(dir.path(), {user("Uno", "1")});
    writeBytes(dir / "1.jpg", "IMG:vecchia");
    TempDir elsewhere;
    writeBytes(elsewhere / "volto.jpg", "IMG:volto");
    makeReadOnly(dir.path());

    // The existing archive takes the record; the folder takes no new photo file: the blank face
    // goes back on screen and nothing more is said.
    composeValid("Nuovo", "N1");
    ui.filesToOpen.push_back(elsewhere / "volto.jpg");
    person.click(w.btnSfoglia);
    EXPECT_EQ(tagOf(w.imgFoto.image), "volto");
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
    EXPECT_EQ(w.lblPosizione.text, "2");
    EXPECT_EQ(storedUsers(dir.path()).size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir / "2.jpg"));
    EXPECT_EQ(tagOf(w.imgFoto.image), "foto_bianco");

    // In a folder that takes files again, a read-only photo file is not replaced either.
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
    makeReadOnly(dir / "1.jpg");
    person.click(w.cmdPrimo);
    EXPECT_EQ(tagOf(w.imgFoto.image), "vecchia");
    ui.filesToOpen.push_back(elsewhere / "volto.jpg");
    person.click(w.btnSfoglia);
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
    EXPECT_EQ(readBytes(dir / "1.jpg"), "IMG:vecchia");
    EXPECT_EQ(tagOf(w.imgFoto.image), "foto_bianco");
}

TEST_F(UserWindow, APhotoThatCannotBeSavedLeavesTheOldOneWhole) {
    HangGuard guard(20);
    storeUsers(dir.path(), {user("Uno", "1"), user("Due", "2")});
    writeBytes(dir / "1.jpg", "IMG:vecchia");
    person.click(w.cmdPrimo);
    EXPECT_EQ(tagOf(w.imgFoto.image), "vecchia");
    // A large new photo on a disk that has room for the archive's update only.
    ui.filesToOpen.push_back(picture("grande.jpg", std::string(20000, 'g')));
    person.click(w.btnSfoglia);
    {
        DiskFull full(10000);
        person.click(w.cmdSalva);
    }
    EXPECT_EQ(ui.lastText(), "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    EXPECT_TRUE(readBytes(dir / "1.jpg") == "IMG:vecchia") << "the old photo was torn";
    EXPECT_EQ(tagOf(w.imgFoto.image), "foto_bianco");
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        EXPECT_NE(e.path().filename().string().front(), '.') << "a temporary file was left behind";

    // A FIFO or a device in place of a photo shows the blank face at once, and is not written.
    ::mkfifo((dir / "2.jpg").c_str(), 0644);
    person.click(w.cmdAvanti);
    EXPECT_EQ(w.lblPosizione.text, "2");
    EXPECT_EQ(tagOf(w.imgFoto.image), "foto_bianco");
    ui.filesToOpen.push_back(picture("volto.jpg", "volto"));
    person.click(w.btnSfoglia);
    person.click(w.cmdSalva);
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "2.jpg"));
    EXPECT_EQ(tagOf(w.imgFoto.image), "foto_bianco");
}

TEST_F(UserWindow, ReadOnlyFolderWithoutAnArchiveRefusesTheFirstSave) {
    makeReadOnly(dir.path());
    composeValid("Nuovo", "N1");
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
    EXPECT_EQ(ui.lastText(), kArchivio);
    EXPECT_FALSE(std::filesystem::exists(archive));
    EXPECT_FALSE(std::filesystem::exists(dir / "1.jpg"));
}

TEST_F(UserWindow, DamagedArchiveIsReadWithoutHarmAndMendedByTheNextAppend) {
    std::string rec = user("Uno", "1").encode();
    rec[TTesserato::F::Sesso.offset] = static_cast<char>(250); // a length beyond the width
    rec[TTesserato::F::Sesso.offset + 1] = 'M';
    writeBytes(archive, rec + std::string(1000, '\x7f')); // and a partial record after it
    person.click(w.cmdUltimo);
    EXPECT_EQ(w.lblPosizione.text, "1");
    EXPECT_EQ(w.txtSesso.text, "M");
    EXPECT_TRUE(ui.messages.empty());

    person.click(w.cmdNuovo);
    composeValid("Due", "2");
    person.click(w.cmdSalva);
    EXPECT_EQ(w.lblPosizione.text, "2");
    EXPECT_EQ(std::filesystem::file_size(archive), 2 * TTesserato::Size);
    EXPECT_EQ(storedUsers(dir.path())[1].Tesserato, "Due");

    // A position label that is not a record number is an archive failure, not a crash.
    w.lblPosizione.text = "x";
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
    person.click(w.cmdAvanti);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
    w.lblPosizione.text = "9";
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
    EXPECT_EQ(std::filesystem::file_size(archive), 2 * TTesserato::Size);
}

TEST_F(UserWindow, ADesktopWithNoMailProgramIsSaidNotIgnored) {
    ui.shellOpenSucceeds = false;
    const std::string warning =
        "Attenzione: il sistema non permette di avviare il programma di posta elettronica.\n\r\n\rAccertarsi "
        "che sul computer sia installato e configurato un programma per l'invio della posta elettronica.";
    person.type(w.txtTesserato, "Rossi Mario");
    person.type(w.txtNumTessera, "A-12");
    person.retype(w.txtDataScade, "01/01/2030");
    person.type(w.txtEmail, "mario@example.org");
    for (Button* b : {&w.cmdEmail, &w.btnEmail}) {
        ui.messages.clear();
        person.click(*b);
        ASSERT_EQ(ui.messages.size(), 1u) << b->name();
        EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
        EXPECT_EQ(ui.lastText(), warning);
    }
}

// A card number changed while the old number has books out: the loans stay with the old number,
// so the librarian is asked first; No writes nothing.
TEST_F(UserWindow, ChangingTheNumberOfACardWithOpenLoansAsksFirst) {
    storeUsers(dir.path(), {user("Rossi Mario", "12"), user("Bianchi Anna", "13")});
    const auto loanOf = [](const std::string& card, const std::string& returned) {
        TPrestito p;
        p.NumTessera = card;
        p.Codice = "A1";
        p.Data = "01/03/2021";
        p.DataSca = "30/03/2021";
        p.DataRes = returned;
        return p.encode();
    };
    writeBytes(dir / "2021.bib", loanOf("12", "") + loanOf("13", "") + loanOf(" 12 ", ""));
    writeBytes(dir / "2022.bib", loanOf("12", "") + loanOf("12", "05/03/2022"));
    writeBytes(dir / "2020.bib", loanOf("12", "01/02/2020"));
    const std::string before = readBytes(dir / "Tesserati.pro");
    person.click(w.cmdPrimo);
    person.type(w.txtNote, "trasferito");
    person.click(w.cmdSalva); // the same number: no question
    EXPECT_EQ(ui.lastText(), "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    const std::string saved = readBytes(dir / "Tesserati.pro");

    person.retype(w.txtNumTessera, "12-B");
    ui.answers.push_back(MsgButton::No);
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Confirmation);
    EXPECT_EQ(
        ui.lastText(),
        "Attenzione: la tessera n. 12 ha 3 prestiti non ancora restituiti (anni 2021, 2022). Con il nuovo "
        "numero 12-B i prestiti restano registrati con la tessera n. 12 e non compariranno nella scheda "
        "prestiti della tessera n. 12-B: le restituzioni vanno registrate prima di cambiare il "
        "numero.\n\r\n\rSi vuole salvare comunque la scheda?");
    EXPECT_EQ(readBytes(dir / "Tesserati.pro"), saved);
    EXPECT_TRUE(w.hasFocus(w.txtNumTessera));

    ui.answers.push_back(MsgButton::Yes);
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastText(), "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    EXPECT_EQ(storedUsers(dir.path()).at(0).NumTessera, "12-B");
    EXPECT_NE(before, saved);

    // A card whose loans are all returned changes number without a question.
    person.click(w.cmdUltimo);
    writeBytes(dir / "2021.bib", loanOf("12", "") + loanOf("13", "10/03/2021"));
    const std::size_t shown = ui.messages.size();
    person.retype(w.txtNumTessera, "14");
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.messages.size(), shown + 1);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Information);
}
