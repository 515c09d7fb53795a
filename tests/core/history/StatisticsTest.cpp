// SPDX-License-Identifier: GPL-3.0-or-later
// The monthly statistics: the counts by month, the chart's points, the bar and pie views and the
// printed copies.

#include "core/history/Statistiche.h"
#include "history/LoanFiles.h"
#include "support/AppFixture.h"

#include <cstdio>

using namespace quaderna;
using namespace quaderna::testing;

class Statistics : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmAvvio);
        app.hide(app.frmPassword);
        person.click(app.frmAvvio.btnStorico);
        person.click(app.frmMenuStorico.btnApriStatistiche);
    }
    TfrmStatistiche& w = app.frmStatistiche;

    void open(const std::string& year) {
        person.retype(w.txtAnno, year);
        person.click(w.btnApri);
    }
    std::vector<double> values() const {
        std::vector<double> v;
        for (const auto& p : w.ChartStats.chart.points)
            v.push_back(p.value);
        return v;
    }
    std::filesystem::path year(const char* y) const { return dir / (std::string(y) + ".bib"); }
};

TEST_F(Statistics, TheWindowOpensOnTheYearPanelWithThisYear) {
    EXPECT_TRUE(w.visible());
    EXPECT_EQ(w.caption, " Quaderna 3.0 - Statistiche prestiti mensili");
    EXPECT_EQ(w.txtAnno.text, "2022");
    EXPECT_TRUE(w.hasFocus(w.txtAnno));
    EXPECT_TRUE(w.panAvvio.visible);
    EXPECT_FALSE(w.panContainer.visible);
    EXPECT_TRUE(w.ChartStats.chart.points.empty());

    // Digits only; Enter goes to "Apri".
    person.retype(w.txtAnno, "2o24");
    EXPECT_EQ(w.txtAnno.text, "224");
    person.paste(w.txtAnno, "x");
    EXPECT_EQ(w.txtAnno.text, "224");
    person.press(w.txtAnno, VK::Return);
    EXPECT_TRUE(w.hasFocus(w.btnApri));
    // Three digits are not a year.
    person.press(w.btnApri, VK::Return);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, Shown::Warning);
    EXPECT_EQ(ui.messages[0].text, "Attenzione: indicare l'anno solare utilizzando quattro cifre.");
    EXPECT_TRUE(w.hasFocus(w.txtAnno));
    EXPECT_TRUE(w.panAvvio.visible);
    EXPECT_FALSE(std::filesystem::exists(year("224")));

    person.click(w.btnEsci);
    EXPECT_FALSE(w.visible());
    EXPECT_TRUE(app.frmAvvio.visible());
}

TEST_F(Statistics, LoansCountInTheMonthOfTheirLoanDateOfTheChosenYear) {
    storeLoans(year("2024"), {loan("A", "05/01/2024"), loan("B", "31/01/2024", "10/02/2024"),
                              loan("C", "02/02/2024"), loan("D", "15/06/2023"), loan("E", "  09/12/2024 "),
                              loan("F", "9/12/2024"), loan("G", "10/13/2024"), loan("H", "")});
    open("2024");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(w.panAvvio.visible);
    EXPECT_TRUE(w.panContainer.visible);
    EXPECT_EQ(w.lblTitolo.text, "Rappresentazione grafica dei prestiti registrati nell'anno 2024.");
    EXPECT_EQ(w.lblFile.text, year("2024").string());
    EXPECT_EQ(values(), (std::vector<double>{2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(w.memGennaio.text, "2");
    EXPECT_EQ(w.memFebbraio.text, "1");
    EXPECT_EQ(w.memDicembre.text, "1");
    EXPECT_EQ(w.memLuglio.text, "0");

    const struct {
        const char* label;
        std::uint32_t argb;
    } points[] = {{"Gennaio", 0xFFFF0000}, {"Febbraio", 0xFF0000FF}, {"Marzo", 0xFFFFE4C4},
                  {"Aprile", 0xFFFF00FF},  {"Maggio", 0xFFC0DCC0},   {"Giugno", 0xFFFFFF00},
                  {"Luglio", 0xFF00FF00},  {"Agosto", 0xFFC0C0C0},   {"Settembre", 0xFFF0FBFF},
                  {"Ottobre", 0xFF87CEEB}, {"Novembre", 0xFF800000}, {"Dicembre", 0xFF008000}};
    const Chart& c = w.ChartStats.chart;
    ASSERT_EQ(c.points.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(c.points[i].label, points[i].label);
        EXPECT_EQ(c.points[i].argb, points[i].argb) << points[i].label;
    }
    EXPECT_EQ(c.title.text, "Statistiche prestiti mensili");
    EXPECT_EQ(c.title.font.color, (Color{0xD0, 0x44, 0x98}));
    EXPECT_TRUE(c.title.font.bold);
    EXPECT_EQ(c.foot.text, "Le statistiche si basano sui prestiti librari registrati in archivio.");
    EXPECT_EQ(c.foot.font.color, (Color{0x72, 0x94, 0xF9}));
    EXPECT_EQ(c.legendTitle, "Prestiti librari:");
    EXPECT_TRUE(c.marks);
    EXPECT_TRUE(c.view3D);
    EXPECT_TRUE(c.orthogonal);

    // Another year of the same window: the counters start again from 0.
    app.hide(w);
    app.show(w);
    open("2023");
    EXPECT_EQ(values(), (std::vector<double>(12, 0)));
}

TEST_F(Statistics, ALongYearIsCountedWhole) {
    // 33,000 loans, a twelfth of them in each month: the year is read in two halves.
    std::vector<TPrestito> loans;
    for (int i = 0; i < 33000; ++i) {
        char date[16];
        std::snprintf(date, sizeof date, "%02d/%02d/2024", 1 + i % 28, 1 + i % 12);
        loans.push_back(loan("L", date));
    }
    storeLoans(year("2024"), loans);
    open("2024");
    EXPECT_EQ(values(), std::vector<double>(12, 2750));
}

TEST_F(Statistics, AYearWithoutAFileGivesTwelveZerosAndAnUnreadableFileIsSaid) {
    open("2019");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(values(), (std::vector<double>(12, 0)));
    EXPECT_FALSE(std::filesystem::exists(year("2019"))) << "a look creates no year file";

    app.hide(w);
    app.show(w);
    makeUnreadable(year("2024"));
    open("2024");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(
        ui.messages[0].text,
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i "
        "privilegi di scrittura nella cartella di installazione del programma.");
    EXPECT_TRUE(w.panAvvio.visible);
    EXPECT_FALSE(w.panContainer.visible);
}

TEST_F(Statistics, BarsAndPieShowTheSameValuesAndTheChoiceLastsTheWholeRun) {
    storeLoans(year("2024"), {loan("A", "05/03/2024"), loan("B", "06/03/2024"), loan("C", "01/11/2024")});
    open("2024");
    const auto counted = values();
    EXPECT_EQ(w.ChartStats.chart.kind, ChartKind::Bar);
    person.click(w.btnTorta);
    EXPECT_EQ(w.ChartStats.chart.kind, ChartKind::Pie);
    EXPECT_EQ(values(), counted);
    person.click(w.btnBarre);
    EXPECT_EQ(w.ChartStats.chart.kind, ChartKind::Bar);
    EXPECT_EQ(values(), counted);
    EXPECT_TRUE(w.ChartStats.chart.view3D);
    EXPECT_TRUE(w.ChartStats.chart.orthogonal);

    // The pie chosen once stays for the next opening; every showing starts from the year panel.
    person.click(w.btnTorta);
    person.click(w.btnEsci);
    person.click(app.frmAvvio.btnStorico);
    person.click(app.frmMenuStorico.btnApriStatistiche);
    EXPECT_TRUE(w.panAvvio.visible);
    EXPECT_TRUE(w.ChartStats.chart.points.empty());
    open("2024");
    EXPECT_EQ(w.ChartStats.chart.kind, ChartKind::Pie);
    EXPECT_EQ(values(), counted);
}

TEST_F(Statistics, PrintingAsksAndPrintsTheCopiesAskedFor) {
    storeLoans(year("2024"), {loan("A", "05/03/2024")});
    open("2024");

    ui.answers = {MsgButton::No};
    person.click(w.btnStampa);
    EXPECT_EQ(ui.lastMessage().kind, Shown::Confirmation);
    EXPECT_EQ(ui.lastText(), "Si vuole stampare il presente grafico statistico?");
    EXPECT_TRUE(ui.inputsAsked.empty());

    // The copies box: cancelled prints nothing; what is not digits counts as one copy.
    const struct {
        std::optional<std::string> answer;
        int copies; // 0: nothing printed
    } cases[] = {{std::nullopt, 0}, {"3", 3},  {" 2 ", 2}, {"", 1},
                 {"tre", 1},        {"-2", 1}, {"0", 1},   {"12345678901234567890", 999}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.value_or("(Annulla)"));
        ui.chartsPrinted.clear();
        ui.inputAnswers = {c.answer};
        person.click(w.btnStampa);
        ASSERT_FALSE(ui.inputsAsked.empty());
        EXPECT_EQ(ui.inputsAsked.back().caption, "Numero copie da stampare");
        EXPECT_EQ(ui.inputsAsked.back().prompt, "Copie:");
        EXPECT_EQ(ui.inputsAsked.back().value, "1");
        if (c.copies == 0) {
            EXPECT_TRUE(ui.chartsPrinted.empty());
            continue;
        }
        ASSERT_EQ(ui.chartsPrinted.size(), 1u);
        EXPECT_EQ(ui.chartsPrinted[0].copies, c.copies);
        EXPECT_EQ(ui.chartsPrinted[0].chart, w.ChartStats.chart);
    }
    // The print dialog cancelled: nothing is printed.
    ui.chartsPrinted.clear();
    ui.printDialogAccepts = false;
    person.click(w.btnStampa);
    EXPECT_TRUE(ui.chartsPrinted.empty());
}
