// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/RiepilogoPrestiti.h"

#include "core/Application.h"
#include "core/forms/Messages.h"
#include "core/reports/Layouts.h"
#include "core/shell/Guida.h"
#include "core/storage/Criteria.h"
#include "core/storage/Prestito.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

#include <cstdint>
#include <cstring>

namespace quaderna {

namespace {

constexpr const char* kStampaVuota =
    "Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce.";
constexpr const char* kStampare = "Si vuole stampare il presente riepilogo?";

// A stored date as yyyymmdd, 0 when it is not a date of the calendar.
int dayNumber(std::string_view stored) {
    const auto date = Date::parse(stored);
    return date ? date->year * 10000 + date->month * 100 + date->day : 0;
}

// The loan date of a stored loan as dayNumber reads it; the loan window's own "dd/mm/yyyy" is read
// straight from the record's bytes, eight of them at once.
int loanDay(std::string_view rec) {
    const char* f = rec.data() + TPrestito::F::Data.offset;
    if (static_cast<unsigned char>(f[0]) == 10) {
        std::uint64_t head; // "dd/mm/yy"
        std::memcpy(&head, f + 1, 8);
        const unsigned y2 = static_cast<unsigned char>(f[9]) - unsigned{'0'};
        const unsigned y3 = static_cast<unsigned char>(f[10]) - unsigned{'0'};
        // Bytes 2 and 5 are '/', the others digits: each digit less '0' is 0..9, which neither
        // borrows nor reaches 10 when 6 is added.
        constexpr std::uint64_t kSlashes = 0x0000'2f00'002f'0000, kSlashMask = 0x0000'ff00'00ff'0000;
        constexpr std::uint64_t kZeros = 0x3030'0030'3000'3030, kSix = 0x0606'0006'0600'0606;
        const std::uint64_t digits = (head & ~kSlashMask) - kZeros;
        if ((head & kSlashMask) == kSlashes && ((head & ~kSlashMask) & 0x8080'0080'8000'8080) == 0 &&
            ((digits | (digits + kSix)) & 0xf0f0'00f0'f000'f0f0) == 0 && y2 <= 9 && y3 <= 9) {
            const auto at = [&](int i) { return static_cast<int>((digits >> (8 * i)) & 0xff); };
            const int d = at(0) * 10 + at(1), m = at(3) * 10 + at(4);
            const int y = at(6) * 1000 + at(7) * 100 + static_cast<int>(y2 * 10 + y3);
            return Date::valid(y, m, d) ? y * 10000 + m * 100 + d : 0;
        }
    }
    return dayNumber(rawField(rec, TPrestito::F::Data));
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

LoanLines::LoanLines(const std::filesystem::path& yearFile)
    : file_(yearFile, TPrestito::Size, RecordFile::Access::Read) {}

void LoanLines::find(std::string_view code, Date from, Date to) {
    const std::string filter = text::trim(code);
    // A code typed with a character no stored code can hold matches no loan.
    const bool matchable = text::fitsCp1252(filter);
    const std::string wanted = text::lowerAZ(text::toCp1252(filter));
    const int first = from.year * 10000 + from.month * 100 + from.day;
    const int last = to.year * 10000 + to.month * 100 + to.day;
    file_.seek(0);
    at_.reserve(static_cast<std::size_t>(std::min<std::int64_t>(file_.count(), UINT32_MAX)));
    const auto keep = [&](std::vector<std::uint32_t>& into, std::string_view rec, std::int64_t index) {
        if (!filter.empty()) {
            const std::string_view c = text::trimView(rawField(rec, TPrestito::F::Codice));
            if (!matchable || c.empty() || !equalFolded(c, wanted))
                return true;
        }
        // A loan date that cannot be read (a damaged record) leaves that loan out, not the rest.
        const int day = loanDay(rec);
        if (day != 0 && first <= day && day <= last)
            into.push_back(static_cast<std::uint32_t>(index));
        return index < UINT32_MAX;
    };
    // A long year is read in two halves side by side; the second half's loans follow the first's.
    std::vector<std::uint32_t> secondHalf;
    gatherInTwo(file_, at_, secondHalf, keep,
                [](std::vector<std::uint32_t>& first, const std::vector<std::uint32_t>& second) {
                    first.insert(first.end(), second.begin(), second.end());
                });
}

std::string_view LoanLines::line(std::size_t i) const {
    constexpr std::int64_t kRun = 256; // records read at a time
    const std::int64_t k = at_[i];
    if (k < first_ || k >= first_ + got_) {
        first_ = k - k % kRun;
        got_ = 0;
        try {
            got_ = file_.readAt(first_, read_, kRun);
        } catch (const IoError&) {
        }
        if (k >= first_ + got_) {
            failed_ = true;
            return {};
        }
    }
    const std::size_t at = static_cast<std::size_t>(k - first_) * TPrestito::Size;
    return composeLine(std::string_view(read_.data() + at, TPrestito::Size));
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
    lstRecords.clear();
    loans_.reset();
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
    std::shared_ptr<history::LoanLines> loans;
    try {
        loans = std::make_shared<history::LoanLines>(file);
        loans->find(filter, *from, *to);
    } catch (const IoError&) {
        // A file that cannot be read must not pass for a year without loans: said, and the loans
        // read before the failure stay listed with their number.
        ui().showMessage(history::kFileNonAccessibile);
    }
    if (!loans)
        return;
    loans_ = loans;
    lstRecords.setSource(std::move(loans));
    lstRecords.itemIndex = lstRecords.count() > 0 ? 0 : -1;
    lblTotCosti.text = std::to_string(lstRecords.count());
}

void TfrmRiepilogoPrestiti::FormClose(CloseAction& action) {
    ListWindow::FormClose(action);
    loans_.reset(); // the year's file is closed with the list
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
    if (loans_ && loans_->failed()) {
        // Lines that could not be read again must not be printed as blanks.
        ui().showMessage(history::kFileNonAccessibile);
        return;
    }
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
