// SPDX-License-Identifier: GPL-3.0-or-later
// A loan on a large library: 100,000 books in Libri.pro and 50,000 loans in the year's file.
//
// - ReadYearFile, ReadLibriPro: reading each file into memory, the yardstick.
// - OpenLoanSheet: "Visualizza scheda prestiti" in the loan window (the open loans of one card).
// - ChooseBookAndLend: the double-click in the book picker: the chosen book found among the
//   available ones (the last of them in the file, the longest look), marked lent and the loan
//   appended, both under their locks. The book and the year's file are put back outside the timing.
// - SelectLoanToReturn: a click on the returns sheet (the last open loan of the card with that line).
// - ConfirmReturn: "Conferma" in the return confirmation of a book lent at the end of the archive:
//   the copy made available and the loan dated, under both locks, and the sheet read again. The
//   confirmation's opening (the look for the copy) and putting both files back are not timed.
// - SearchAvailableBooks: "Cerca" in the picker, with a piece of a code, and with no criterion (every
//   available book listed and sorted).

#include "BookArchive.h"
#include "QuietPlatform.h"
#include "core/Application.h"
#include "core/catalogue/BookSearch.h"
#include "core/loans/LoanSheet.h"
#include "core/loans/RendiLibro.h"
#include "core/loans/TrovaPrestitiLibri.h"
#include "core/storage/Criteria.h"
#include "core/text/Text.h"

#include <unistd.h>

#include <benchmark/benchmark.h>

using namespace quaderna;

namespace {

constexpr int kBooks = 100000;
constexpr int kLoans = 50000;
constexpr int kCards = 2000;
const Date kToday{2026, 3, 10};

using bench::QuietPlatform;

std::string card(int i) {
    return "2026-" + std::to_string(1000 + i % kCards);
}

// A data folder with a copy of the 100,000-book archive and 50,000 loans of 2,000 cards in
// 2026.bib, one in three returned; made once.
std::filesystem::path loanFolder() {
    const auto dir = bench::benchFolder() / "prestiti";
    const auto libri = dir / TLibro::FileName;
    const auto year = dir / loans::yearFileName(kToday.year);
    const auto source = bench::bookArchive(kBooks) / TLibro::FileName;
    std::filesystem::create_directories(dir);
    if (!std::filesystem::exists(libri) ||
        std::filesystem::file_size(libri) != std::filesystem::file_size(source))
        std::filesystem::copy_file(source, libri, std::filesystem::copy_options::overwrite_existing);
    if (!std::filesystem::exists(year) ||
        std::filesystem::file_size(year) != static_cast<std::uintmax_t>(kLoans) * TPrestito::Size) {
        std::ofstream out(year, std::ios::binary | std::ios::trunc);
        std::mt19937 rng(99);
        for (int i = 0; i < kLoans; ++i) {
            TPrestito p;
            p.Tesserato = "Lettore " + std::to_string(i % kCards);
            p.NumTessera = card(i);
            p.Recapito = "333 " + std::to_string(1000000 + i % kCards);
            p.Codice = "Aa-" + std::to_string(100000 + static_cast<int>(rng() % 900000));
            p.Titolo = "Titolo del libro numero " + std::to_string(i);
            p.Data = Date{2026, 1 + i % 3, 1 + i % 28}.format();
            p.DataSca = Date{2026, 2 + i % 3, 1 + i % 28}.format();
            p.DataRes = i % 3 == 0 ? Date{2026, 2 + i % 3, 2 + i % 27}.format() : "";
            out << p.encode();
        }
    }
    return dir;
}

void warm(const std::filesystem::path& dir) {
    bench::readWholeFile(dir / TLibro::FileName);
    bench::readWholeFile(dir / loans::yearFileName(kToday.year));
}

void ReadYearFile(benchmark::State& state) {
    const auto dir = loanFolder();
    warm(dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::readWholeFile(dir / loans::yearFileName(kToday.year)));
}

void ReadLibriPro(benchmark::State& state) {
    const auto dir = loanFolder();
    warm(dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::readWholeFile(dir / TLibro::FileName));
}

void OpenLoanSheet(benchmark::State& state) {
    const auto dir = loanFolder();
    warm(dir);
    QuietPlatform ui;
    Application app(ui, dir);
    app.start();
    TfrmPrestiti& w = app.frmPrestiti;
    app.show(w);
    w.txtTesserato.text = "Lettore 7";
    w.txtNumTessera.text = card(7);
    for (auto _ : state)
        w.btnVisualizzaClick();
    state.counters["lines"] = w.lstRecords.count();
}

void ChooseBookAndLend(benchmark::State& state) {
    const auto dir = loanFolder();
    const auto libri = dir / TLibro::FileName;
    const auto year = dir / loans::yearFileName(kToday.year);
    warm(dir);
    // The last available book of the archive.
    std::int64_t target = -1;
    std::string line, original;
    {
        RecordFile books(libri, TLibro::Size);
        books.scan([&](std::string_view rec, std::int64_t k) {
            if (text::trimView(rawField(rec, TLibro::F::Annullata)) == "No" &&
                text::trimView(rawField(rec, TLibro::F::Scadenza)).empty()) {
                target = k;
                line = bookLine(rec);
                original.assign(rec);
            }
            return true;
        });
    }
    QuietPlatform ui;
    Application app(ui, dir);
    app.start();
    TfrmPrestiti& w = app.frmPrestiti;
    app.show(w);
    w.txtTesserato.text = "Lettore 7";
    w.txtNumTessera.text = card(7);
    w.btnVisualizzaClick();
    const auto lendOnce = [&] {
        w.titDataSca.text = "31/03/2026";
        TfrmTrovaPrestitiLibri picker(app);
        picker.FormCreate();
        picker.lblMemory.text = "prestiti_libri";
        picker.lstRecords.setItems(text::Lines{line});
        picker.lstRecords.itemIndex = 0;
        picker.lstRecordsDblClick();
    };
    const auto putBack = [&] {
        RecordFile books(libri, TLibro::Size);
        books.writeAt(target, original);
        books.close();
        ::truncate(year.c_str(), static_cast<off_t>(kLoans) * static_cast<off_t>(TPrestito::Size));
    };
    lendOnce(); // the day's copies of both files are made here, once
    putBack();
    for (auto _ : state) {
        lendOnce();
        state.PauseTiming();
        putBack();
        state.ResumeTiming();
    }
    state.counters["position"] = static_cast<double>(target + 1);
}

void SelectLoanToReturn(benchmark::State& state) {
    const auto dir = loanFolder();
    warm(dir);
    const auto year = dir / loans::yearFileName(kToday.year);
    const auto lines = openLoanLines(year, card(7));
    for (auto _ : state)
        benchmark::DoNotOptimize(lastOpenLoan(year, card(7), lines.back()));
}

void ConfirmReturn(benchmark::State& state) {
    const auto dir = loanFolder();
    const auto libri = dir / TLibro::FileName;
    const auto year = dir / loans::yearFileName(kToday.year);
    warm(dir);
    // The last available book of the archive, lent to card 7 as the picker lends it.
    std::int64_t target = -1;
    std::string line, original;
    {
        RecordFile books(libri, TLibro::Size);
        books.scan([&](std::string_view rec, std::int64_t k) {
            if (text::trimView(rawField(rec, TLibro::F::Annullata)) == "No" &&
                text::trimView(rawField(rec, TLibro::F::Scadenza)).empty()) {
                target = k;
                line = bookLine(rec);
                original.assign(rec);
            }
            return true;
        });
    }
    QuietPlatform ui;
    Application app(ui, dir);
    app.start();
    TfrmPrestiti& w = app.frmPrestiti;
    app.show(w);
    w.txtTesserato.text = "Lettore 7";
    w.txtNumTessera.text = card(7);
    w.btnVisualizzaClick();
    w.titDataSca.text = "31/03/2026";
    {
        TfrmTrovaPrestitiLibri picker(app);
        picker.FormCreate();
        picker.lblMemory.text = "prestiti_libri";
        picker.lstRecords.setItems(text::Lines{line});
        picker.lstRecords.itemIndex = 0;
        picker.lstRecordsDblClick();
    }
    std::string lentBook, openLoan;
    {
        RecordFile books(libri, TLibro::Size);
        books.seek(target);
        books.read(lentBook);
        RecordFile loanFile(year, TPrestito::Size);
        loanFile.seek(kLoans);
        loanFile.read(openLoan);
    }
    TfrmRestituzioni& r = app.frmRestituzioni;
    app.show(r);
    r.txtTesserato.text = "Lettore 7";
    r.txtNumTessera.text = card(7);
    r.btnVisualizzaClick();
    const auto select = [&] {
        r.lstRecords.itemIndex = r.lstRecords.count() - 1;
        r.lstRecordsClick();
    };
    const auto putBack = [&] {
        RecordFile books(libri, TLibro::Size);
        books.writeAt(target, lentBook);
        RecordFile loanFile(year, TPrestito::Size);
        loanFile.writeAt(kLoans, openLoan);
    };
    for (auto _ : state) {
        state.PauseTiming();
        putBack();
        r.btnVisualizzaClick();
        select();
        TfrmRendiLibro confirm(app);
        confirm.FormCreate();
        confirm.FormShow();
        state.ResumeTiming();
        confirm.btnConfermaClick();
    }
    {
        RecordFile books(libri, TLibro::Size);
        books.writeAt(target, original);
    }
    ::truncate(year.c_str(), static_cast<off_t>(kLoans) * static_cast<off_t>(TPrestito::Size));
    state.counters["position"] = static_cast<double>(target + 1);
}

void SearchAvailableBooks(benchmark::State& state) {
    const auto dir = loanFolder();
    warm(dir);
    std::array<std::string, 10> criteria;
    if (state.range(0) == 1)
        criteria[1] = "Qx-"; // a piece of a code: a few books
    std::size_t listed = 0;
    text::Lines lines;
    for (auto _ : state) {
        lines.clear();
        searchBooks(dir / TLibro::FileName, criteria, true, lines);
        lines.sort(); // as the list window sorts them
        listed = lines.size();
        benchmark::DoNotOptimize(lines[0]);
    }
    state.counters["listed"] = static_cast<double>(listed);
    state.SetLabel(state.range(0) == 1 ? "a piece of a code" : "no criterion");
}

} // namespace

BENCHMARK(ReadYearFile)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenLoanSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectLoanToReturn)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadLibriPro)->Unit(benchmark::kMillisecond);
BENCHMARK(ChooseBookAndLend)->Unit(benchmark::kMillisecond);
BENCHMARK(ConfirmReturn)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchAvailableBooks)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
