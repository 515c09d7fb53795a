// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/Statistiche.h"

#include "core/Application.h"
#include "core/forms/KeyFilters.h"
#include "core/forms/Messages.h"
#include "core/history/Months.h"
#include "core/shell/Guida.h"
#include "core/storage/Prestito.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

namespace quaderna {

namespace {

constexpr const char* kStampare = "Si vuole stampare il presente grafico statistico?";

// The colour of each month's point, January first.
constexpr std::array<std::uint32_t, 12> kColori = {
    0xFFFF0000, // red
    0xFF0000FF, // blue
    0xFFFFE4C4, // bisque
    0xFFFF00FF, // fuchsia
    0xFFC0DCC0, // pale green
    0xFFFFFF00, // yellow
    0xFF00FF00, // lime
    0xFFC0C0C0, // silver
    0xFFF0FBFF, // cream white
    0xFF87CEEB, // sky blue
    0xFF800000, // maroon
    0xFF008000, // green
};

} // namespace

namespace history {

std::array<int, 12> monthlyCounts(const std::filesystem::path& yearFile, std::string_view year) {
    std::array<int, 12> counts{};
    const std::string_view wanted = text::trimView(year);
    RecordFile file(yearFile, TPrestito::Size, RecordFile::Access::Read);
    // A long year is counted in two halves side by side, each into counts of its own.
    std::array<int, 12> secondHalf{};
    const auto count = [&](std::array<int, 12>& into, std::string_view rec, std::int64_t) {
        // The loan date followed by ten blanks, read by position: characters 4-5 are the month,
        // 7-10 the year. The loan window's own "dd/mm/yyyy", with no blank at either end of the
        // day, month or year, is read in place.
        const char* f = rec.data() + TPrestito::F::Data.offset;
        const auto solid = [&](int k) { return static_cast<unsigned char>(f[k]) > 0x20; };
        std::string_view month, y;
        char date[20];
        if (static_cast<unsigned char>(f[0]) == 10 && solid(1) && solid(4) && solid(5) && solid(7) &&
            solid(10)) {
            month = std::string_view(f + 4, 2);
            y = std::string_view(f + 7, 4);
        } else {
            const std::string_view stored = text::trimView(rawField(rec, TPrestito::F::Data));
            std::size_t n = 0;
            for (; n < stored.size() && n < 10; ++n)
                date[n] = stored[n];
            for (std::size_t k = n; k < 20; ++k)
                date[k] = ' ';
            month = text::trimView(std::string_view(date + 3, 2));
            y = text::trimView(std::string_view(date + 6, 4));
        }
        if (month.size() == 2 && month[0] >= '0' && month[0] <= '1' && month[1] >= '0' && month[1] <= '9' &&
            y == wanted) {
            const int m = (month[0] - '0') * 10 + (month[1] - '0');
            if (m >= 1 && m <= 12)
                ++into[static_cast<std::size_t>(m - 1)];
        }
        return true;
    };
    gatherInTwo(file, counts, secondHalf, count,
                [](std::array<int, 12>& first, const std::array<int, 12>& second) {
                    for (std::size_t m = 0; m < 12; ++m)
                        first[m] += second[m];
                });
    return counts;
}

void fillChart(Chart& chart, const std::array<int, 12>& counts) {
    chart.clear();
    for (std::size_t i = 0; i < 12; ++i)
        chart.add(std::string(kMesi[i]), kColori[i], counts[i]);
}

int copiesFromAnswer(std::string_view answer) {
    const std::string_view a = text::trimView(answer);
    if (!text::isDigits(a))
        return 1;
    long long n = 0;
    for (char c : a) {
        n = n * 10 + (c - '0');
        if (n > 999)
            return 999;
    }
    return n < 1 ? 1 : static_cast<int>(n);
}

} // namespace history

TfrmStatistiche::TfrmStatistiche(Application& app)
    : Form(app, "TfrmStatistiche", " Quaderna 3.0 - Statistiche prestiti mensili") {
    panContainer.visible = false;
    lblFile.visible = false;
    for (Label* l : counters())
        l->visible = false;
    Chart& c = ChartStats.chart;
    c.title = {"Statistiche prestiti mensili", Font{"Verdana", 20, true, rgbOf(0xFFD04498)}};
    c.foot = {"Le statistiche si basano sui prestiti librari registrati in archivio.",
              Font{"Verdana", 11, true, rgbOf(0xFF7294F9)}};
    c.legendTitle = "Prestiti librari:";
    c.marks = true;
    c.kind = ChartKind::Bar;
    c.view3D = true;
    c.orthogonal = true;

    txtAnno.onKeyDown = [this](Key& k) { txtAnnoKeyDown(k); };
    btnApri.onClick = [this] { btnApriClick(); };
    btnBarre.onClick = [this] { btnBarreClick(); };
    btnTorta.onClick = [this] { btnTortaClick(); };
    btnStampa.onClick = [this] { btnStampaClick(); };
    imgGuida.onClick = [this] { imgGuidaClick(); };
    cmdGuida.onClick = [this] { imgGuidaClick(); };
    btnEsci.onClick = [this] { btnEsciClick(); };
    imgEsci.onClick = [this] { imgEsciClick(); };
    for (Button* b : {&imgGuida, &imgEsci, &cmdGuida})
        b->tabStop = false;
    setEnterChain({&txtAnno, &btnApri});
}

std::array<Label*, 12> TfrmStatistiche::counters() {
    return {&memGennaio, &memFebbraio, &memMarzo,     &memAprile,  &memMaggio,   &memGiugno,
            &memLuglio,  &memAgosto,   &memSettembre, &memOttobre, &memNovembre, &memDicembre};
}

void TfrmStatistiche::FormShow() {
    txtAnno.text = std::to_string(app.today().year);
    ChartStats.chart.clear();
    panAvvio.visible = true;
    panContainer.visible = false;
    setFocus(txtAnno);
}

void TfrmStatistiche::FormClose(CloseAction&) {
    app.show(app.frmAvvio);
}

void TfrmStatistiche::txtAnnoKeyDown(Key& key) {
    digitsOnly(key);
}

void TfrmStatistiche::btnApriClick() {
    const auto file = loans::typedYearFile(app.dataDir(), txtAnno.text);
    if (!file) {
        ui().messageBox(msg::AnnoQuattroCifre, MsgKind::Warning);
        setFocus(txtAnno);
        return;
    }
    const std::string year = text::trim(txtAnno.text);
    lblFile.text = file->string();
    lblTitolo.text = "Rappresentazione grafica dei prestiti registrati nell'anno " + year + ".";
    for (Label* l : counters())
        l->text = "0";
    std::array<int, 12> counts{};
    try {
        counts = history::monthlyCounts(*file, year);
    } catch (const IoError&) {
        // The year's file cannot be read: said in the program's own words, and the year panel
        // stays for another try.
        ui().showMessage(msg::ArchivioNonAccessibile);
        setFocus(txtAnno);
        return;
    }
    const auto labels = counters();
    for (std::size_t i = 0; i < 12; ++i)
        labels[i]->text = std::to_string(counts[i]);
    history::fillChart(ChartStats.chart, counts);
    panAvvio.visible = false;
    panContainer.visible = true;
    setFocus(btnTorta);
}

void TfrmStatistiche::btnBarreClick() {
    ChartStats.chart.setKind(ChartKind::Bar);
    ChartStats.chart.view3D = true;
    ChartStats.chart.orthogonal = true;
}

void TfrmStatistiche::btnTortaClick() {
    ChartStats.chart.setKind(ChartKind::Pie);
    ChartStats.chart.view3D = true;
    ChartStats.chart.orthogonal = true;
}

void TfrmStatistiche::btnStampaClick() {
    if (ui().messageBox(kStampare, MsgKind::Confirmation) == MsgButton::No)
        return;
    const auto answer = ui().inputBox("Numero copie da stampare", "Copie:", "1");
    if (!answer)
        return;
    ui().printChart(ChartStats.chart, history::copiesFromAnswer(*answer));
}

void TfrmStatistiche::imgGuidaClick() {
    showHelp(*this, help::GraficiStatistici);
}

void TfrmStatistiche::btnEsciClick() {
    app.close(*this);
}

void TfrmStatistiche::imgEsciClick() {
    app.close(*this);
}

} // namespace quaderna
