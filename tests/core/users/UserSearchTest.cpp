// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/Text.h"
#include "core/users/Sospesi.h"
#include "core/users/TrovaAnagrafica.h"
#include "support/AppFixture.h"
#include "support/Users.h"

using namespace quaderna;
using namespace quaderna::testing;

namespace {

std::string tagOf(const ImageRef& image) {
    const auto* fake = dynamic_cast<const FakeImage*>(image.get());
    return fake ? fake->tag : std::string("(none)");
}

// The card numbers of the listed lines, in list order.
std::vector<std::string> cards(const std::vector<std::string>& lines) {
    std::vector<std::string> r;
    for (const auto& line : lines) {
        const std::size_t at = line.find("Tessera n. ");
        r.push_back(text::trim(line.substr(at + 11, 20)));
    }
    return r;
}

} // namespace

class UserLists : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(w);
    }
    TfrmAnagrafica& w = app.frmAnagrafica;

    // Opens the search from the user window, lets `criteria` fill it, presses Cerca and hands the
    // window to `then` before it closes.
    void search(std::function<void(TfrmTrovaAnagrafica&)> criteria,
                std::function<void(TfrmTrovaAnagrafica&)> then) {
        ui.onDialog<TfrmTrovaAnagrafica>([this, criteria, then](TfrmTrovaAnagrafica& d) {
            criteria(d);
            person.mouseDown(d.btnCerca);
            EXPECT_TRUE(d.lblAttendere.visible);
            person.click(d.btnCerca);
            then(d);
            if (d.visible())
                person.click(d.btnChiudi);
        });
        person.click(w.cmdTrova);
    }
    std::vector<std::string> found(std::function<void(TfrmTrovaAnagrafica&)> criteria) {
        std::vector<std::string> lines;
        search(criteria, [&](TfrmTrovaAnagrafica& d) { lines = d.lstRecords.items(); });
        return cards(lines);
    }
    // Opens the renewals list and hands it to `then` before it closes.
    void renewals(std::function<void(TfrmSospesi&)> then) {
        ui.onDialog<TfrmSospesi>([this, then](TfrmSospesi& d) {
            then(d);
            if (d.visible())
                person.click(d.btnChiudi);
        });
        person.click(w.cmdScadute);
    }
    std::vector<std::string> awaitingRenewal() {
        std::vector<std::string> lines;
        renewals([&](TfrmSospesi& d) { lines = d.lstRecords.items(); });
        return cards(lines);
    }
};

TEST(UserLine, ColumnsArePaddedOrCut) {
    TTesserato u = user("Rossi Mario", "A-12", "31/12/2022");
    u.Recapito = "333 1234567";
    u.Note = "socio fondatore";
    EXPECT_EQ(userLine(u.encode()), "Rossi Mario                     Tessera n. A-12                  Scad. "
                                    "31/12/2022  Tel. 333 1234567   socio fondatore");
    TTesserato longer = user("  De' Medici Lorenzo detto il Magnifico  ", std::string(24, '9'), " 1/1/2023 ");
    longer.Recapito = "via Larga 1, Firenze";
    EXPECT_EQ(userLine(longer.encode()), "De' Medici Lorenzo detto il Ma  Tessera n. " +
                                             std::string(20, '9') +
                                             "  Scad. 1/1/2023    Tel. via Larga 1,  ");
    // Accented letters take one column, as in the archive.
    EXPECT_EQ(userLine(user("Nicolò Ugo", "1").encode()).substr(0, 31), "Nicolò Ugo" + std::string(20, ' '));
}

TEST_F(UserLists, CriteriaMatchAsTypedWithAToZFoldedAndAllMustMatch) {
    TTesserato rossi = user("ROSSI MARIO", "1", "20/03/2021");
    rossi.ComuneRes = "Milano";
    rossi.CodFisc = "RSSMRA80A01F205X";
    TTesserato bianchi = user("Bianchi Maria", "2", "05/11/2021");
    bianchi.ComuneRes = "Città di Castello";
    bianchi.Titoli = "Laurea";
    TTesserato verdi = user("Verdi Giuseppe", "3", "15/03/2022");
    verdi.Carica = "Presidente";
    verdi.Note = "rossi di sera";
    storeUsers(dir.path(), {rossi, bianchi, verdi});
    struct Case {
        std::function<void(TfrmTrovaAnagrafica&)> fill;
        std::vector<std::string> cards;
    } cases[] = {
        {[](auto& d) { d.txtTesserato.text = "rossi"; }, {"1"}},
        {[](auto& d) { d.txtTesserato.text = "mario"; }, {"1"}},
        {[](auto& d) { d.txtTesserato.text = "rossi  mario"; }, {}}, // two blanks between the words
        {[](auto& d) { d.txtTesserato.text = "rossì"; }, {}},        // an accented letter is another letter
        {[](auto& d) { d.txtTesserato.text = "MARI"; }, {"2", "1"}},
        {[](auto& d) { d.txtComuneRes.text = "città"; }, {"2"}},
        {[](auto& d) { d.txtComuneRes.text = "CITTÀ"; }, {}},
        {[](auto& d) { d.txtDataScade.text = "2021"; }, {"2", "1"}}, // dates compare as text
        {[](auto& d) { d.txtDataScade.text = "/03/"; }, {"1", "3"}},
        {[](auto& d) { d.txtDataRil.text = "01/01/2022"; }, {"2", "1", "3"}},
        {[](auto& d) { d.txtNote.text = "rossi"; }, {"3"}},
        {[](auto& d) { d.txtCarica.text = "presid"; }, {"3"}},
        {[](auto& d) { d.txtCodFisc.text = "f205"; }, {"1"}},
        {[](auto& d) { d.txtTitoli.text = "laurea"; }, {"2"}},
        {[](auto& d) { d.txtNumTessera.text = "3"; }, {"3"}},
        {[](auto& d) { d.txtComuneNasc.text = "a"; }, {}},
        {[](auto& d) { d.txtTesserato.text = "mario "; }, {}}, // a trailing blank is looked for too
        {[](auto& d) { d.txtTesserato.text = " mario"; }, {"1"}},
        {[](auto& d) {
             d.txtTesserato.text = "rossi";
             d.txtComuneRes.text = "milano";
         },
         {"1"}},
        {[](auto& d) {
             d.txtTesserato.text = "rossi";
             d.txtComuneRes.text = "roma";
         },
         {}},                            // two criteria in use, one not matching
        {[](auto&) {}, {"2", "1", "3"}}, // no criterion: every user
        // A criterion of blanks only is not in use: it neither counts nor stands in for one that
        // fails, although every name holds a blank.
        {[](auto& d) {
             d.txtTesserato.text = "  ";
             d.txtComuneRes.text = "roma";
         },
         {}},
        {[](auto& d) { d.txtTesserato.text = " "; }, {"2", "1", "3"}},
        {[](auto& d) { d.txtNote.text = "中"; }, {}}, // a character no stored text can hold
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(found(cases[i].fill), cases[i].cards) << "case " << i;
}

TEST_F(UserLists, CountLabelsAndPanels) {
    storeUsers(dir.path(), {user("Uno", "1"), user("Due", "2")});
    ui.onDialog<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& d) {
        EXPECT_EQ(d.caption, " Trova utenti in archivio");
        EXPECT_EQ(d.lblMemory.text, "anagrafica");
        EXPECT_TRUE(d.panAvvio.visible);
        EXPECT_FALSE(d.panContainer.visible);
        EXPECT_TRUE(d.hasFocus(d.txtTesserato));
        EXPECT_EQ(d.lblTrovate.text, "Il presente elenco contiene 0 schede.");
        const std::vector<Edit*> chain = {&d.txtTesserato, &d.txtCarica,     &d.txtNumTessera, &d.txtDataRil,
                                          &d.txtDataScade, &d.txtComuneNasc, &d.txtComuneRes,  &d.txtCodFisc,
                                          &d.txtTitoli,    &d.txtNote};
        for (std::size_t i = 0; i < chain.size(); ++i) {
            person.press(*chain[i], VK::Return);
            EXPECT_TRUE(d.hasFocus(*chain[(i + 1) % chain.size()])) << chain[i]->name();
        }
        d.txtTesserato.text = "  ";
        d.txtNote.text = "x";
        d.txtCarica.text = "u";
        person.click(d.btnCerca);
        EXPECT_EQ(d.lblConta.text, "2");
        EXPECT_EQ(d.lblTrovate.text, "Il presente riepilogo contiene 0 schede.");
        EXPECT_FALSE(d.panAvvio.visible);
        EXPECT_TRUE(d.panContainer.visible);
        EXPECT_FALSE(d.lblAttendere.visible);
        EXPECT_TRUE(d.hasFocus(d.txtTrova));
        person.type(d.txtTrova, "uno\r");
        EXPECT_TRUE(d.hasFocus(d.btnTrova));
        person.click(d.btnTrova);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Plain);
        EXPECT_EQ(ui.lastText(), "Ricerca non applicabile: la lista non contiene nessuna voce.");
        person.click(d.btnChiudi);
        EXPECT_FALSE(d.visible());
        EXPECT_EQ(d.lstRecords.count(), 0);
    });
    person.click(w.cmdTrova);
    std::string counted;
    search([](auto&) {},
           [&](TfrmTrovaAnagrafica& d) { counted = d.lblConta.text + " " + d.lblTrovate.text; });
    EXPECT_EQ(counted, "0 Il presente riepilogo contiene 2 schede.");
    EXPECT_EQ(w.lblPosizione.text, ""); // Chiudi writes nothing
}

TEST_F(UserLists, CancelledCardsAreNeverListed) {
    TTesserato cancelled = user("Annullato", "1", "01/01/2020");
    cancelled.Annullata = "Sì";
    TTesserato unknownFlag = user("Senza flag", "2", "01/01/2020");
    unknownFlag.Annullata = "";
    TTesserato padded = user("Con spazi", "3", "01/01/2020");
    padded.Annullata = " No ";
    storeUsers(dir.path(), {cancelled, unknownFlag, padded, user("Attivo", "4", "01/01/2020")});
    EXPECT_EQ(found([](auto&) {}), (std::vector<std::string>{"4", "3"}));
    EXPECT_EQ(found([](auto& d) { d.txtTesserato.text = "annullato"; }), std::vector<std::string>{});
    EXPECT_EQ(awaitingRenewal(), (std::vector<std::string>{"4", "3"}));
}

TEST_F(UserLists, ListsAreSortedWithSmallLettersAsCapitals) {
    storeUsers(dir.path(), {user("bianchi", "1", "01/01/2020"), user("Rossi", "2", "01/01/2020"),
                            user("BIANCHI", "3", "01/01/2020"), user("Bianco", "4", "01/01/2020"),
                            user("Amato", "5", "01/01/2020")});
    EXPECT_EQ(found([](auto&) {}), (std::vector<std::string>{"5", "1", "3", "4", "2"}));
    EXPECT_EQ(awaitingRenewal(), (std::vector<std::string>{"5", "1", "3", "4", "2"}));
}

TEST_F(UserLists, TrovaRepeatsWrapsAndRestartsWithANewKey) {
    TTesserato a = user("Alfa", "1");
    a.Note = "mare";
    TTesserato b = user("Beta", "2");
    b.Note = "monte";
    TTesserato c = user("Gamma", "3");
    c.Note = "MARE";
    storeUsers(dir.path(), {a, b, c});
    search([](auto&) {},
           [&](TfrmTrovaAnagrafica& d) {
               const auto trova = [&](const char* key) {
                   d.txtTrova.text = key;
                   person.click(d.btnTrova);
                   return d.lstRecords.itemIndex;
               };
               EXPECT_EQ(trova("mare"), 0);
               EXPECT_EQ(trova("mare"), 2);
               EXPECT_EQ(trova("mare"), 0); // wraps to the top
               EXPECT_EQ(trova("monte"), 1);
               EXPECT_EQ(trova("nulla"), 1); // nothing found: the selection stays, no message
               EXPECT_TRUE(ui.messages.empty());
           });
}

TEST_F(UserLists, DoubleClickLoadsTheLastEqualRecordIntoTheUserWindow) {
    TTesserato first = user("Gemelli Anna", "G1");
    first.Carica = "prima";
    TTesserato other = user("Altri Ugo", "H1");
    other.ProvRes = "MI";
    TTesserato second = user("Gemelli Anna", "G1");
    second.Carica = "seconda";
    second.Annullata = "Sì"; // not listed, but loaded when its line equals the chosen one
    second.File02 = "certificato.pdf";
    second.Desc02 = "certificato medico";
    storeUsers(dir.path(), {first, other, second});
    writeBytes(dir / "3.jpg", "IMG:gemella");
    search([](auto&) {},
           [&](TfrmTrovaAnagrafica& d) {
               ASSERT_EQ(d.lstRecords.count(), 2);
               person.doubleClick(d.lstRecords, 1);
               EXPECT_FALSE(d.visible());
           });
    EXPECT_EQ(w.txtTesserato.text, "Gemelli Anna");
    EXPECT_EQ(w.txtCarica.text, "seconda");
    EXPECT_EQ(w.lblPosizione.text, "3");
    EXPECT_TRUE(w.chkAnnullata.checked);
    EXPECT_EQ(w.lblFile02.text, "certificato.pdf");
    EXPECT_EQ(w.lblDesc02.text, "certificato medico");
    EXPECT_EQ(tagOf(w.imgFoto.image), "gemella");

    // The window now shows record 3: Save overwrites it.
    person.type(w.txtNote, "aggiornata");
    person.click(w.cmdSalva);
    EXPECT_EQ(storedUsers(dir.path()).size(), 3u);
    EXPECT_EQ(storedUsers(dir.path())[2].Note, "aggiornata");

    search([](auto& d) { d.txtTesserato.text = "altri"; },
           [&](TfrmTrovaAnagrafica& d) { person.doubleClick(d.lstRecords, 0); });
    EXPECT_EQ(w.lblPosizione.text, "2");
    EXPECT_EQ(w.txtProvRes.text, "MI");
    EXPECT_FALSE(w.chkAnnullata.checked); // its flag is "No"
}

TEST_F(UserLists, ANameCutTo30IsStillFoundOnDoubleClick) {
    const std::string name = "Alessandrini Bartolomei Massimiliano Ugo"; // 40 characters
    storeUsers(dir.path(), {user("Uno", "1"), user(name, "77")});
    search([](auto& d) { d.txtTesserato.text = "bartolomei"; },
           [&](TfrmTrovaAnagrafica& d) {
               ASSERT_EQ(d.lstRecords.count(), 1);
               EXPECT_EQ(d.lstRecords.items()[0].substr(0, 30), name.substr(0, 30));
               person.doubleClick(d.lstRecords, 0);
           });
    EXPECT_EQ(w.txtTesserato.text, name);
    EXPECT_EQ(w.lblPosizione.text, "2");
}

TEST_F(UserLists, MarkersOfOtherWindowsAndMissingSelectionsWriteNothing) {
    storeUsers(dir.path(), {user("Uno", "1")});
    search([](auto&) {}, [&](TfrmTrovaAnagrafica& d) { person.doubleClick(d.lstRecords, -1); });
    EXPECT_EQ(w.lblPosizione.text, "");
    for (const char* marker : {"tessera", "reg_prestiti", "reg_restituzioni", "altro"}) {
        bool closed = false;
        ui.onDialog<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& d) {
            person.click(d.btnCerca);
            person.doubleClick(d.lstRecords, 0);
            closed = !d.visible();
        });
        app.runDialog<TfrmTrovaAnagrafica>(w, marker);
        EXPECT_TRUE(closed) << marker;
        EXPECT_EQ(w.lblPosizione.text, "") << marker;
        EXPECT_EQ(w.txtTesserato.text, "") << marker;
    }
    // The marker is compared trimmed.
    ui.onDialog<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& d) {
        person.click(d.btnCerca);
        person.doubleClick(d.lstRecords, 0);
    });
    app.runDialog<TfrmTrovaAnagrafica>(w, " anagrafica ");
    EXPECT_EQ(w.lblPosizione.text, "1");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(UserLists, UnreadableArchiveKeepsTheCriteriaPanel) {
    storeUsers(dir.path(), {user("Uno", "1")});
    makeUnreadable(dir / "Tesserati.pro");
    search([](auto&) {},
           [&](TfrmTrovaAnagrafica& d) {
               EXPECT_EQ(ui.lastMessage().kind, Shown::Plain);
               EXPECT_EQ(ui.lastText(),
                         "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
                         "possedere i privilegi di scrittura nella cartella di installazione del programma.");
               EXPECT_TRUE(d.panAvvio.visible);
               EXPECT_FALSE(d.panContainer.visible);
               EXPECT_FALSE(d.lblAttendere.visible);
           });
}

TEST_F(UserLists, RenewalRuleOnTheTenthOfMarch2022) {
    ASSERT_EQ(ui.fixedToday.format(), "10/03/2022");
    storeUsers(dir.path(), {
                               user("Dieci giorni", "1", "20/03/2022", "10"), // 10/03 is not later than today
                               user("Nove giorni", "2", "20/03/2022", "9"),   // 11/03: not yet
                               user("Scaduta", "3", "01/01/2020", "0"),       // expired long ago
                               user("Oggi", "4", "10/03/2022", "0"), user("Domani", "5", "11/03/2022", "0"),
                               user("Ampio", "6", "08/06/2022", "90"), // 10/03/2022 exactly
                               user("Ampio meno uno", "7", "09/06/2022", "90"),
                               user("Cifre corte", "8", "1/4/2022", "22"),
                               user("Segno", "9", "05/03/2022", "-3"), // 08/03
                           });
    EXPECT_EQ(awaitingRenewal(), (std::vector<std::string>{"6", "8", "1", "4", "3", "9"}));
}

TEST_F(UserLists, ARecordThatCannotBeReadForRenewalIsSkippedNotTheOnesAfterIt) {
    storeUsers(dir.path(), {
                               user("Prima", "1", "01/01/2021"),
                               user("Data rotta", "2", "31/02/2021"),
                               user("Data vuota", "3", ""),
                               user("Preavviso vuoto", "4", "01/01/2021", ""),
                               user("Preavviso strano", "5", "01/01/2021", "1x"),
                               user("Dopo", "6", "01/01/2021"),
                           });
    EXPECT_EQ(awaitingRenewal(), (std::vector<std::string>{"6", "1"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(UserLists, RenewalsListLoadsTheChosenUserIntoTheUserWindow) {
    TTesserato due = user("Bianchi Anna", "B2", "01/03/2022", "0");
    due.Email = "anna@example.org";
    storeUsers(dir.path(), {user("Non ancora", "A1", "31/12/2022"), due});
    writeBytes(dir / "2.jpg", "IMG:anna");
    renewals([&](TfrmSospesi& d) {
        EXPECT_EQ(d.caption, " Riepilogo tessere in attesa di rinnovo");
        EXPECT_EQ(d.printTitle, "Riepilogo tessere in attesa di rinnovo");
        EXPECT_TRUE(d.hasFocus(d.txtTrova));
        ASSERT_EQ(d.lstRecords.count(), 1);
        d.txtTrova.text = "BIANCHI";
        person.click(d.btnTrova);
        EXPECT_EQ(d.lstRecords.itemIndex, 0);
        person.doubleClick(d.lstRecords, 0);
        EXPECT_FALSE(d.visible());
    });
    EXPECT_EQ(w.txtTesserato.text, "Bianchi Anna");
    EXPECT_EQ(w.txtEmail.text, "anna@example.org");
    EXPECT_EQ(w.lblPosizione.text, "2");
    EXPECT_EQ(tagOf(w.imgFoto.image), "anna");

    // From there the reminder goes out with one click.
    person.click(w.btnEmail);
    ASSERT_EQ(ui.shellOpened.size(), 1u);
    EXPECT_NE(ui.shellOpened[0].find("la sua tessera n. B2, rilasciata in data 01/01/2022 e con scadenza in "
                                     "data 01/03/2022,"),
              std::string::npos);
}

TEST_F(UserLists, RenewalsOfAnUnreadableArchiveAreReportedNotShownEmpty) {
    storeUsers(dir.path(), {user("Scaduta", "1", "01/01/2020")});
    makeUnreadable(dir / "Tesserati.pro");
    int lines = -1;
    renewals([&](TfrmSospesi& d) { lines = d.lstRecords.count(); });
    EXPECT_EQ(lines, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Plain);
    EXPECT_EQ(ui.lastText().rfind("Attenzione: il sistema non permette di accedere all'archivio.", 0), 0u);
}

TEST_F(UserLists, AMissingArchiveListsNothingAndIsNotCreated) {
    EXPECT_EQ(found([](auto&) {}), std::vector<std::string>{});
    EXPECT_EQ(awaitingRenewal(), std::vector<std::string>{});
    EXPECT_FALSE(std::filesystem::exists(file("Tesserati.pro")));
}
