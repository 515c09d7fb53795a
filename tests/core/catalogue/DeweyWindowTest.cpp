// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/Codici_Dewey.h"
#include "support/AppFixture.h"

using namespace quaderna;
using namespace quaderna::testing;

class DeweyWindow : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmLibri);
    }
    void open(std::function<void(TfrmCodici_Dewey&)> script) {
        ui.onDialog<TfrmCodici_Dewey>(script);
        person.click(app.frmLibri.btnDewey);
    }
};

TEST_F(DeweyWindow, ShowsAtOnceAndLoadsOnTheFirstTimerTick) {
    open([&](TfrmCodici_Dewey& d) {
        EXPECT_EQ(d.lblMemory.text, "libri");
        EXPECT_EQ(d.lstRecords.count(), 0);
        EXPECT_TRUE(d.panDewey.visible);
        EXPECT_TRUE(d.timCarica.enabled);
        EXPECT_TRUE(d.hasFocus(d.txtTrova));
        person.click(d.btnTrova); // before the rows are loaded
        EXPECT_EQ(ui.lastMessage().kind, Shown::Plain);
        EXPECT_EQ(ui.lastText(), "Ricerca non applicabile: la lista non contiene nessuna voce.");
        d.timCarica.onTimer();
        EXPECT_FALSE(d.timCarica.enabled);
        EXPECT_FALSE(d.panDewey.visible);
        EXPECT_EQ(d.lstRecords.count(), 3721);
        EXPECT_EQ(d.lstRecords.items().front(), "001 CONOSCENZA");
        person.click(d.btnChiudi);
    });
    EXPECT_TRUE(app.frmLibri.hasFocus(app.frmLibri.txtDewey));
}

TEST_F(DeweyWindow, DoubleClickPutsTheClassNumberIntoTheBookWindow) {
    open([&](TfrmCodici_Dewey& d) {
        d.timCarica.onTimer();
        d.txtTrova.text = "lettere francesi, 1600-1715";
        person.click(d.btnTrova);
        ASSERT_GE(d.lstRecords.itemIndex, 0);
        EXPECT_EQ(d.lstRecords.selectedText(), "846 LETTERE FRANCESI, 1600-1715");
        person.doubleClick(d.lstRecords, d.lstRecords.itemIndex);
        EXPECT_FALSE(d.visible());
    });
    EXPECT_EQ(app.frmLibri.txtDewey.text, "846");
    EXPECT_TRUE(app.frmLibri.hasFocus(app.frmLibri.txtDewey));
}

TEST_F(DeweyWindow, DoubleClickWithoutARowLeavesTheFieldAlone) {
    app.frmLibri.txtDewey.text = "100";
    open([&](TfrmCodici_Dewey& d) {
        d.timCarica.onTimer();
        person.doubleClick(d.lstRecords, -1);
    });
    EXPECT_EQ(app.frmLibri.txtDewey.text, "100");
}

TEST_F(DeweyWindow, TrovaRepeatsAndTheKeySurvivesReopening) {
    std::vector<int> found;
    open([&](TfrmCodici_Dewey& d) {
        d.timCarica.onTimer();
        d.txtTrova.text = "filosofia";
        person.click(d.btnTrova);
        found.push_back(d.lstRecords.itemIndex);
        person.click(d.btnTrova);
        found.push_back(d.lstRecords.itemIndex);
        d.txtTrova.text = "conoscenza"; // a new key starts from the first row itself
        person.click(d.btnTrova);
        EXPECT_EQ(d.lstRecords.itemIndex, 0);
        person.click(d.btnChiudi);
    });
    ASSERT_EQ(found.size(), 2u);
    EXPECT_LT(found[0], found[1]);
    open([&](TfrmCodici_Dewey& d) {
        EXPECT_EQ(d.txtTrova.text, "");
        d.timCarica.onTimer();
        // The row "001 CONOSCENZA" holds the key but is passed over: the same key goes on after
        // the first row instead of testing it.
        d.txtTrova.text = "conoscenza";
        person.click(d.btnTrova);
        EXPECT_GT(d.lstRecords.itemIndex, 0);
        EXPECT_NE(d.lstRecords.selectedText().find("CONOSCENZA"), std::string::npos);
        person.click(d.btnChiudi);
    });
    EXPECT_EQ(app.session.deweyFindKey, "conoscenza");
}
