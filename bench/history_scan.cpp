// SPDX-License-Identifier: GPL-3.0-or-later
// The loan history and the monthly statistics over a year of 100,000 loans, against reading the
// same file.

#include "LoanArchive.h"
#include "core/history/RiepilogoPrestiti.h"
#include "core/history/Statistiche.h"

#include <benchmark/benchmark.h>

using namespace quaderna;

namespace {

void ReadYearFile(benchmark::State& state) {
    const auto file = bench::loanYear(static_cast<int>(state.range(0)));
    bench::readWholeFile(file); // page cache
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::readWholeFile(file));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

// The lines the list window shows at once, built from their records as the window draws them.
std::size_t showFirstLines(const history::LoanLines& loans) {
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < loans.size() && i < 40; ++i)
        bytes += loans.line(i).size();
    return bytes;
}

std::size_t listed(const std::filesystem::path& file, const char* code, Date from, Date to) {
    history::LoanLines loans(file);
    loans.find(code, from, to);
    return showFirstLines(loans);
}

// The whole year listed: every loan in the window's list, and the lines on screen built.
void HistoryWholeYear(benchmark::State& state) {
    const auto file = bench::loanYear(static_cast<int>(state.range(0)));
    bench::readWholeFile(file);
    for (auto _ : state)
        benchmark::DoNotOptimize(listed(file, "", Date{2024, 1, 1}, Date{2024, 12, 31}));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

// One month of every book: a twelfth of the year listed.
void HistoryOneMonth(benchmark::State& state) {
    const auto file = bench::loanYear(static_cast<int>(state.range(0)));
    bench::readWholeFile(file);
    for (auto _ : state)
        benchmark::DoNotOptimize(listed(file, "", Date{2024, 3, 1}, Date{2024, 3, 31}));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

// Every line of the whole year built, as "Trova" or the printout reads them.
void HistoryWholeYearEveryLine(benchmark::State& state) {
    const auto file = bench::loanYear(static_cast<int>(state.range(0)));
    bench::readWholeFile(file);
    history::LoanLines loans(file);
    loans.find("", Date{2024, 1, 1}, Date{2024, 12, 31});
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (std::size_t i = 0; i < loans.size(); ++i)
            bytes += loans.line(i).size();
        benchmark::DoNotOptimize(bytes);
    }
}

// A hundred thousand texts of the length of a history line put into a list, with nothing read:
// what holding a whole year's lines costs by itself.
void ListLinesOnly(benchmark::State& state) {
    const std::string line(150, 'x');
    text::Lines lines;
    for (auto _ : state) {
        lines.clear();
        for (std::int64_t i = 0; i < state.range(0); ++i)
            lines.push_back(line);
        benchmark::DoNotOptimize(lines[0]);
    }
}

// One month of one book's code that no loan has: every record is read and compared.
void HistoryOneBook(benchmark::State& state) {
    const auto file = bench::loanYear(static_cast<int>(state.range(0)));
    bench::readWholeFile(file);
    for (auto _ : state)
        benchmark::DoNotOptimize(listed(file, "zz-000000", Date{2024, 3, 1}, Date{2024, 3, 31}));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

void MonthlyStatistics(benchmark::State& state) {
    const auto file = bench::loanYear(static_cast<int>(state.range(0)));
    bench::readWholeFile(file);
    for (auto _ : state)
        benchmark::DoNotOptimize(history::monthlyCounts(file, "2024"));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

} // namespace

BENCHMARK(ReadYearFile)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(HistoryWholeYear)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(HistoryWholeYearEveryLine)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(HistoryOneMonth)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ListLinesOnly)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(HistoryOneBook)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(MonthlyStatistics)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
