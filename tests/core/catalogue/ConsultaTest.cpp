// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/TrovaLibri.h"
#include "core/shell/Guida.h"
#include "support/AppFixture.h"
#include "support/Books.h"

using namespace quaderna;
using namespace quaderna::testing;

class Catalogue : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmAvvio);
        app.hide(app.frmPassword);
        person.click(app.frmAvvio.btnCatalogo);
    }
    TfrmConsultaLibri& c = app.frmConsultaLibri;
};

TEST_F(Catalogue, OpensClearedAndDiffersFromNewInTheLoanBox) {
    EXPECT_TRUE(c.visible());
    EXPECT_FALSE(app.frmAvvio.visible());
    EXPECT_EQ(c.txtPrestato.text, "");
    EXPECT_EQ(c.lblPosizione.text, "");
    EXPECT_TRUE(c.hasFocus(c.txtTitolo));
    app.show(app.frmLibri);
    EXPECT_EQ(app.frmLibri.txtPrestato.text, "Libro disponibile per il prestito");
}

TEST_F(Catalogue, NothingCanBeTyped) {
    storeBooks(dir.path(), {book("Uno", "C1")});
    person.click(c.cmdPrimo);
    for (auto& [member, box] : c.fieldBoxes()) {
        const std::string before = box->text;
        person.type(*box, "x");
        EXPECT_EQ(box->text, before) << box->name();
    }
    EXPECT_EQ(c.lblPosizione.text, "1");
}

TEST_F(Catalogue, SearchLoadsIntoTheCatalogueOnly) {
    storeBooks(dir.path(), {book("Uno", "C1"), book("Due", "C2")});
    ui.onDialog<TfrmTrovaLibri>([&](TfrmTrovaLibri& d) {
        EXPECT_EQ(d.lblMemory.text, "consulta_libri");
        d.txtTitolo.text = "due";
        person.click(d.btnCerca);
        person.doubleClick(d.lstRecords, 0);
    });
    person.click(c.cmdTrova);
    EXPECT_EQ(c.txtTitolo.text, "Due");
    EXPECT_EQ(c.lblPosizione.text, "2");
    EXPECT_EQ(app.frmLibri.lblPosizione.text, "");
    EXPECT_EQ(app.frmLibri.txtTitolo.text, "");
}

TEST_F(Catalogue, ClosingAsksAndEndsTheProgramOnlyOnYes) {
    storeBooks(dir.path(), {book("Uno", "C1")});
    person.click(c.cmdPrimo);
    ui.answers = {MsgButton::No};
    person.click(c.cmdEsci);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Confirmation);
    EXPECT_EQ(ui.lastText(), "Attenzione: chiudendo questa schermata di lavoro, l'applicazione sarà "
                             "terminata.\r\n\r\nSi conferma la chiusura del programma?");
    EXPECT_TRUE(c.visible());
    EXPECT_EQ(c.txtTitolo.text, "Uno");
    EXPECT_FALSE(app.terminated());

    ui.answers = {MsgButton::Yes};
    app.close(c); // the title-bar button asks the same
    EXPECT_TRUE(app.terminated());
    EXPECT_FALSE(app.frmAvvio.visible());
}

// A reader at the catalogue is offered nothing that starts another program: the help window
// shows its text without the link to the PDF guide, and the link, reached anyway, opens nothing.
TEST_F(Catalogue, TheHelpWindowOffersReadersNoWayIntoAnotherProgram) {
    EXPECT_TRUE(app.readerAtDesk());
    bool seen = false;
    ui.onDialog<TfrmGuida>([&](TfrmGuida& g) {
        seen = true;
        EXPECT_EQ(g.lblTitolo.text, "Applicazione Consultazione Catalogo Libri.");
        EXPECT_FALSE(g.txtGuida.text.empty());
        EXPECT_FALSE(g.lnkWeb.visible);
        EXPECT_FALSE(g.imgPDF.visible);
        person.click(g.lnkWeb);
        person.click(g.imgPDF);
        person.press(g.lnkWeb, VK::Return);
        person.click(g.btnChiudi);
    });
    person.click(c.cmdGuida);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(ui.shellOpened.empty());
    EXPECT_TRUE(ui.messages.empty());
}
