// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The monthly statistics: the loans registered in each month of a year, shown as a chart of
// three-dimensional bars or as a three-dimensional pie, and printed in as many copies as asked.

#include "core/forms/Form.h"
#include "core/reports/Chart.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace quaderna {

namespace history {

// The loans of a year's file counted by the month of their loan date: a date counts in month m
// when its characters 4-5 are m ("01"-"12") and its characters 7-10 are `year` (the loan date
// trimmed, then read as dd/mm/yyyy by position). Return and due dates play no part. The file is
// opened or created (a year with no file gets an empty one). Throws IoError.
std::array<int, 12> monthlyCounts(const std::filesystem::path& yearFile, std::string_view year);

// The twelve points of the chart, January to December, with their labels and colours.
void fillChart(Chart& chart, const std::array<int, 12>& counts);

// The number of copies the copies box asks for: the answer trimmed, "1" when it is empty or holds
// anything but digits; at least 1 and at most 999, the print dialog's own limits.
int copiesFromAnswer(std::string_view answer);

} // namespace history

class TfrmStatistiche : public Form {
public:
    explicit TfrmStatistiche(Application& app);

    // The year panel.
    Panel panAvvio{this, "panAvvio"};
    Edit txtAnno{this, "txtAnno", 4};
    Button btnApri{this, "btnApri"};
    Button imgGuida{this, "imgGuida"}, imgEsci{this, "imgEsci"};

    // The chart panel.
    Panel panContainer{this, "panContainer"};
    Label lblTitolo{this, "lblTitolo", "Rappresentazione grafica dei prestiti registrati nell'anno solare."};
    ChartBox ChartStats{this, "ChartStats"};
    Button cmdGuida{this, "cmdGuida"};
    Button btnTorta{this, "btnTorta"}, btnBarre{this, "btnBarre"}, btnStampa{this, "btnStampa"},
        btnEsci{this, "btnEsci"};

    // Hidden values: the year's file and the twelve counts.
    Label lblFile{this, "lblFile"};
    Label memGennaio{this, "memGennaio", "0"}, memFebbraio{this, "memFebbraio", "0"},
        memMarzo{this, "memMarzo", "0"}, memAprile{this, "memAprile", "0"}, memMaggio{this, "memMaggio", "0"},
        memGiugno{this, "memGiugno", "0"}, memLuglio{this, "memLuglio", "0"},
        memAgosto{this, "memAgosto", "0"}, memSettembre{this, "memSettembre", "0"},
        memOttobre{this, "memOttobre", "0"}, memNovembre{this, "memNovembre", "0"},
        memDicembre{this, "memDicembre", "0"};
    // The twelve counters, January first.
    std::array<Label*, 12> counters();

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void txtAnnoKeyDown(Key& key);
    void btnApriClick();
    void btnBarreClick();
    void btnTortaClick();
    void btnStampaClick();
    void imgGuidaClick();
    void btnEsciClick();
    void imgEsciClick();
};

} // namespace quaderna
