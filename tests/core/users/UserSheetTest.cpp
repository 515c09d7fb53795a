// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/Sospesi.h"
#include "core/users/TrovaAnagrafica.h"
#include "support/AppFixture.h"

using namespace quaderna;
using namespace quaderna::testing;

class UserSheet : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmAnagrafica);
    }
    TfrmAnagrafica& w = app.frmAnagrafica;
    static std::string cell(const Report& r, const std::string& name) { return r.memo(name)->text(); }
};

TEST_F(UserSheet, PreviewAndPrintShowTheScreenAsItIs) {
    person.type(w.txtTesserato, " Rossi Mario ");
    person.type(w.txtComuneNasc, "Bari");
    person.type(w.txtComuneRes, "Lecce");
    person.type(w.txtNote, "[socio fondatore] {x}");
    w.txtSesso.text = "M";
    w.txtPreavviso.text = "15";
    person.click(w.cmdAnteprima);
    ASSERT_EQ(ui.previewed.size(), 1u);
    const Report& r = ui.previewed[0];
    EXPECT_EQ(r.name, "Scheda informativa");
    EXPECT_EQ(r.page.orientation, Orientation::Portrait);
    EXPECT_EQ(cell(r, "txtTitolo"), "SCHEDA ANAGRAFICA UTENTE");
    struct Row {
        const char* n;
        const char* title;
        std::string value;
    } rows[] = {
        {"01", "Cognome e nome:", "Rossi Mario"},
        {"03", "Tessera n.", ""},
        {"04", "Data rilascio:", "10/03/2022"},
        {"07", "Comune di nascita:", "Bari "},     // no province: the town and one blank
        {"08", "Comune di residenza:", "Lecce  "}, // the town and two blanks
        {"11", "Titoli posseduti:", ""},
        {"18", "Codice Fiscale:", ""},
        {"24", "Note:", "[socio fondatore] {x}"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(cell(r, std::string("titCampo") + row.n), row.title) << row.n;
        EXPECT_EQ(cell(r, std::string("txtCampo") + row.n), row.value) << row.n;
    }
    EXPECT_EQ(cell(r, "txtCalce"), "Stampa eseguita in data 10/03/2022 alle ore 09:30:15");
    EXPECT_FALSE(r.memo("txtCampo24")->evaluate); // brackets print as typed
    // Not on the sheet: sex, notice days.
    for (int k = 1; k <= 24; ++k) {
        const std::string n = (k < 10 ? "0" : "") + std::to_string(k);
        EXPECT_NE(cell(r, "txtCampo" + n), "M");
        EXPECT_NE(cell(r, "txtCampo" + n), "15");
    }

    w.txtProvNasc.text = "BA";
    w.txtProvRes.text = "LE";
    person.click(w.cmdStampa);
    ASSERT_EQ(ui.printed.size(), 1u);
    EXPECT_EQ(cell(ui.printed[0], "txtCampo07"), "Bari BA");
    EXPECT_EQ(cell(ui.printed[0], "txtCampo08"), "Lecce  LE");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()) || !std::filesystem::exists(file("Tesserati.pro")));
}

TEST_F(UserSheet, ListsPrintTheirLinesWithTheirTitles) {
    TTesserato u;
    u.Tesserato = "Rossi Mario";
    u.NumTessera = "17";
    u.DataRil = "01/01/2021";
    u.DataScade = "01/01/2022";
    u.Preavviso = "0";
    u.Annullata = "No";
    writeBytes(file("Tesserati.pro"), u.encode());
    ui.onDialog<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& d) {
        person.click(d.btnCerca);
        person.click(d.btnStampa);
        person.click(d.btnChiudi);
    });
    person.click(w.cmdTrova);
    ui.onDialog<TfrmSospesi>([&](TfrmSospesi& d) {
        person.click(d.btnStampa);
        person.click(d.btnChiudi);
    });
    person.click(w.cmdScadute);
    ASSERT_EQ(ui.printed.size(), 2u);
    EXPECT_EQ(cell(ui.printed[0], "txtTitolo"), "Riepilogo anagrafica utenti");
    EXPECT_EQ(cell(ui.printed[1], "txtTitolo"), "Riepilogo tessere in attesa di rinnovo");
    for (const Report& r : ui.printed) {
        ASSERT_EQ(r.memo("txtRiepilogo")->lines().size(), 1u);
        EXPECT_EQ(r.memo("txtRiepilogo")->lines()[0].substr(0, 11), "Rossi Mario");
        EXPECT_DOUBLE_EQ(r.band("MasterData")->height, 12.822 + 10);
    }
}
