// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/Codici_Dewey.h"
#include "core/catalogue/StampaLibro.h"
#include "core/catalogue/TrovaDisponibili.h"
#include "core/catalogue/TrovaLibri.h"
#include "core/reports/Layouts.h"
#include "core/text/Text.h"
#include "support/AppFixture.h"
#include "support/Books.h"

using namespace quaderna;
using namespace quaderna::testing;

class BookPrinting : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmLibri);
    }
    std::string value(const Report& r, const char* memo) { return r.memo(memo)->text(); }
};

TEST_F(BookPrinting, TheSheetPrintsWhatIsOnScreen) {
    TfrmLibri& w = app.frmLibri;
    person.type(w.txtTitolo, "  Il Gattopardo ");
    person.type(w.txtAutore, "Tomasi di Lampedusa");
    person.type(w.txtNote, "[copia firmata]");
    w.txtOriginale.text = std::string(250, 'O');
    ui.onDialog<TfrmStampaLibro>([&](TfrmStampaLibro& d) {
        EXPECT_EQ(d.caption, " Stampa scheda libro");
        person.click(d.btnStampa);
        EXPECT_FALSE(d.visible());
    });
    person.click(w.cmdStampa);
    ASSERT_EQ(ui.printed.size(), 1u);
    const Report& r = ui.printed[0];
    EXPECT_EQ(r.name, "Scheda Libro");
    EXPECT_EQ(r.page.orientation, Orientation::Portrait);
    EXPECT_EQ(value(r, "titArcataSup"), "SCHEDA INFORMATIVA LIBRO");
    EXPECT_EQ(value(r, "txtTitolo"), "Il Gattopardo");
    EXPECT_EQ(value(r, "txtAutore"), "Tomasi di Lampedusa");
    EXPECT_EQ(value(r, "txtNote"), "[copia firmata]");
    EXPECT_EQ(value(r, "txtOriginale"), std::string(250, 'O'));
    EXPECT_EQ(r.memo("txtOriginale")->lines().size(), 1u); // one row, never wrapped
    EXPECT_EQ(value(r, "txtPrestato"), "Libro disponibile per il prestito");
    EXPECT_EQ(value(r, "txtScadenza"), "");
    EXPECT_EQ(value(r, "txtCalce"), "Stampa eseguita in data 10/03/2022 alle ore 09:30:15");
    // Every row of the sheet received the box of the same name.
    for (const auto& row : reports::schedaLibroRows) {
        const auto* box = dynamic_cast<const Edit*>(w.find(row.memo));
        ASSERT_NE(box, nullptr) << row.memo;
        EXPECT_EQ(value(r, row.memo), text::trim(box->text)) << row.memo;
    }
}

TEST_F(BookPrinting, AnnullaOrACancelledPrintDialogPrintsNothing) {
    ui.onDialog<TfrmStampaLibro>([&](TfrmStampaLibro& d) { person.click(d.btnAnnulla); });
    person.click(app.frmLibri.cmdStampa);
    ui.printDialogAccepts = false;
    ui.onDialog<TfrmStampaLibro>([&](TfrmStampaLibro& d) {
        person.click(d.btnStampa);
        EXPECT_FALSE(d.visible());
    });
    person.click(app.frmLibri.cmdStampa);
    EXPECT_TRUE(ui.printed.empty());
}

TEST_F(BookPrinting, TheCatalogueSheetBeforeAnyBookHasAnEmptyLoanRow) {
    app.show(app.frmConsultaLibri);
    ui.onDialog<TfrmStampaLibro02>([&](TfrmStampaLibro02& d) { person.click(d.btnStampa); });
    person.click(app.frmConsultaLibri.cmdStampa);
    ASSERT_EQ(ui.printed.size(), 1u);
    EXPECT_EQ(value(ui.printed[0], "txtPrestato"), "");
    EXPECT_EQ(value(ui.printed[0], "txtTitolo"), "");
}

TEST_F(BookPrinting, SearchListsPrintTheirLinesInListOrder) {
    storeBooks(dir.path(), {book("Secondo", "C2"), book("Primo [rara]", "c1"), book("Terzo", "B3")});
    const auto printList = [&]<class W>(W*) {
        ui.onDialog<W>([&](W& d) {
            person.click(d.btnCerca);
            person.click(d.btnStampa);
            person.click(d.btnChiudi);
        });
        person.click(std::is_same_v<W, TfrmTrovaLibri> ? app.frmLibri.cmdTrova : app.frmLibri.cmdDisponibili);
    };
    printList(static_cast<TfrmTrovaLibri*>(nullptr));
    printList(static_cast<TfrmTrovaDisponibili*>(nullptr));
    ASSERT_EQ(ui.printed.size(), 2u);
    const Report& r = ui.printed[0];
    EXPECT_EQ(r.name, "Riepilogo dati");
    EXPECT_EQ(r.page.orientation, Orientation::Landscape);
    EXPECT_EQ(value(r, "txtTitolo"), "Riepilogo libri in archivio");
    const auto& lines = r.memo("txtRiepilogo")->lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, 8), "Cod. B3 ");
    EXPECT_EQ(lines[1].substr(0, 8), "Cod. c1 ");
    EXPECT_NE(lines[1].find("Primo [rara]"), std::string::npos);
    EXPECT_DOUBLE_EQ(r.memo("txtRiepilogo")->height, 3 * 12.822);
    EXPECT_DOUBLE_EQ(r.band("MasterData")->height, 3 * 12.822 + 10);
    EXPECT_EQ(value(ui.printed[1], "txtTitolo"), "Riepilogo libri disponibili per il prestito");
}

TEST_F(BookPrinting, AnEmptyListPrintsAnEmptyBody) {
    ui.onDialog<TfrmTrovaLibri>([&](TfrmTrovaLibri& d) {
        person.click(d.btnCerca);
        person.click(d.btnStampa);
        person.click(d.btnChiudi);
    });
    person.click(app.frmLibri.cmdTrova);
    ASSERT_EQ(ui.printed.size(), 1u);
    EXPECT_TRUE(ui.printed[0].memo("txtRiepilogo")->lines().empty());
    EXPECT_DOUBLE_EQ(ui.printed[0].band("MasterData")->height, 10);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BookPrinting, TheDeweyTablePrintsWhole) {
    ui.onDialog<TfrmCodici_Dewey>([&](TfrmCodici_Dewey& d) {
        d.timCarica.onTimer();
        person.mouseDown(d.btnStampa);
        EXPECT_TRUE(d.lblAttendere.visible);
        person.click(d.btnStampa);
        EXPECT_FALSE(d.lblAttendere.visible);
        person.click(d.btnChiudi);
    });
    person.click(app.frmLibri.btnDewey);
    ASSERT_EQ(ui.printed.size(), 1u);
    EXPECT_EQ(value(ui.printed[0], "txtTitolo"), "Tabella Codici Dewey");
    EXPECT_EQ(ui.printed[0].memo("txtRiepilogo")->lines().size(), 3721u);
    EXPECT_EQ(ui.printed[0].memo("txtRiepilogo")->lines().back(), "999 STORIA DI MONDI EXTRATERRESTRI");
}
