#include "core/history/RiepilogoPrestiti.h"

#include "core/Application.h"
#include "core/forms/Messages.h"
#include "core/reports/Layouts.h"
#include "core/shell/Guida.h"
#include "core/storage/Criteria.h"
#include "core/storage/Prestito.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

namespace quaderna {

namespace {

constexpr const char* kStampaVuota =
    "Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce.";
constexpr const char* kStampare = "Si vuole stampare il presente riepilogo?";

// A stored date as yyyymmdd, 0 when it is not a date of the calendar. The dates the loan window
// writes ("dd/mm/yyyy") are read on the spot; any other spelling goes through the date parser.
int dayNumber(std::string_view stored) {
    const std::string_view s = text::trimView(stored);
    const auto digit = [&](std::size_t i) { return s[i] >= '0' && s[i] <= '9'; };
    if (s.size() == 10 && s[2] == '/' && s[5] == '/' && digit(0) && digit(1) && digit(3) && digit(4) &&
        digit(6) && digit(7) && digit(8) && digit(9)) {
        const int d = (s[0] - '0') * 10 + (s[1] - '0'), m = (s[3] - '0') * 10 + (s[4] - '0');
        const int y = (s[6] - '0') * 1000 + (s[7] - '0') * 100 + (s[8] - '0') * 10 + (s[9] - '0');
        return Date::valid(y, m, d) ? y * 10000 + m * 100 + d : 0;
    }
    const auto date = Date::parse(s);
    return date ? date->year * 10000 + date->month * 100 + date->day : 0;
}

bool equalFolded(std::string_view a, std::string_view lowered) {
    if (a.size() != lowered.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (text::lowerAZ(a[i]) != lowered[i])
            return false;
    return true;
}

} // namespace

namespace history {

std::string_view composeLine(std::string_view rec) {
    ListLine line;
    return line.text("Cod. ")
        .column(rawField(rec, TPrestito::F::Codice), 24)
        .text("  ")
        .column(rawField(rec, TPrestito::F::Titolo), 48)
        .text("  Data: ")
        .field(rawField(rec, TPrestito::F::Data))
        .text("  Rest. ")
        .column(rawField(rec, TPrestito::F::DataRes), 10)
        .text("  Utente: ")
        .field(rawField(rec, TPrestito::F::Tesserato))
        .view();
}

std::string historyLine(std::string_view rec) {
    return std::string(composeLine(rec));
}

void historyRecords(const std::filesystem::path& yearFile, std::string_view code, Date from, Date to,
                    text::Lines& records) {
    const std::string filter = text::trim(code);
    // A code typed with a character no stored code can hold matches no loan.
    const bool matchable = text::fitsCp1252(filter);
    const std::string wanted = text::lowerAZ(text::toCp1252(filter));
    const int first = from.year * 10000 + from.month * 100 + from.day;
    const int last = to.year * 10000 + to.month * 100 + to.day;
    RecordFile file(yearFile, TPrestito::Size);
    file.scanEach([&](std::string_view rec, std::int64_t) {
        if (!filter.empty()) {
            const std::string_view c = text::trimView(rawField(rec, TPrestito::F::Codice));
            if (!matchable || c.empty() || !equalFolded(c, wanted))
                return true;
        }
        // A loan date that cannot be read (a damaged record) leaves that loan out, not the rest.
        const int day = dayNumber(rawField(rec, TPrestito::F::Data));
        if (day != 0 && first <= day && day <= last)
            records.push_back(rec);
        return true;
    });
}

} // namespace history

TfrmRiepilogoPrestiti::TfrmRiepilogoPrestiti(Application& app)
    : ListWindow(app, "TfrmRiepilogoPrestiti", " Quaderna 3.0 - Riepilogo storico prestiti librari",
                 "Riepilogo prestiti libri", false) {
    // "Esci" closes this list.
    btnChiudi.visible = false;
    btnStampa.onClick = [this] { btnStampaClick(); };
    btnEsci.onClick = [this] { btnEsciClick(); };
    imgGuida.onClick = [this] { imgGuidaClick(); };
    imgGuida.tabStop = false;
}

void TfrmRiepilogoPrestiti::FormShow() {
    lastFindKey.clear();
    txtTrova.text.clear();
    text::Lines records = lstRecords.take();
    lblTotCosti.text = "0";
    const TfrmMenuRiepilogoPrestiti& query = app.frmMenuRiepilogoPrestiti;
    const std::string filter = text::trim(query.txtTipologia.text);
    titTipologia.text = filter.empty() ? "Tutti i prestiti" : filter;
    lblIntervallo.text = "Dal   " + query.lblDataInizio.text + "   al   " + query.lblDataFine.text;
    setFocus(txtTrova);

    const std::filesystem::path file = text::trim(query.lblFile.text);
    const auto from = Date::parse(query.lblDataInizio.text), to = Date::parse(query.lblDataFine.text);
    if (!loans::isYearFileName(file.filename().string()) || !from || !to)
        return; // no query was made: nothing to list
    try {
        history::historyRecords(file, filter, *from, *to, records);
    } catch (const IoError&) {
        // A file that cannot be read must not pass for a year without loans: said, and the loans
        // read before the failure stay listed with their number.
        ui().showMessage(history::kFileNonAccessibile);
    }
    // A whole year lists a hundred thousand loans: each line is built when it is shown.
    lstRecords.setStored(std::move(records), history::composeLine);
    lstRecords.itemIndex = lstRecords.count() > 0 ? 0 : -1;
    lblTotCosti.text = std::to_string(lstRecords.count());
}

void TfrmRiepilogoPrestiti::FormClose(CloseAction& action) {
    ListWindow::FormClose(action);
    app.frmMenuRiepilogoPrestiti.lblAttendere.visible = false;
}

void TfrmRiepilogoPrestiti::btnStampaClick() {
    if (lstRecords.count() == 0) {
        ui().messageBox(kStampaVuota, MsgKind::Warning);
        return;
    }
    if (ui().messageBox(kStampare, MsgKind::Confirmation) == MsgButton::No)
        return;
    std::vector<std::string> lines = lstRecords.items();
    lines.push_back("- - - - - - - - - - - - - - - -");
    lines.push_back("INTERVALLO SELEZIONATO:    " + text::trim(lblIntervallo.text));
    lines.push_back("TOTALE PRESTITI:  " + text::trim(lblTotCosti.text));
    Report report = reports::riepilogoDati();
    reports::fillList(report, "Riepilogo prestiti libri - Codice: " + text::trim(titTipologia.text),
                      std::move(lines));
    ui().print(report);
}

void TfrmRiepilogoPrestiti::imgGuidaClick() {
    showHelp(*this, help::RiepilogoStorico);
}

void TfrmRiepilogoPrestiti::btnEsciClick() {
    app.close(*this);
}

} // namespace quaderna
