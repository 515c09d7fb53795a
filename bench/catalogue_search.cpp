// SPDX-License-Identifier: GPL-3.0-or-later
// The book search ("Cerca" with two criteria, building and sorting the lines) and the code check
// on a generated archive, against reading the same file into memory.

#include "BookArchive.h"
#include "SortAlone.h"
#include "core/catalogue/BookSearch.h"
#include "core/catalogue/Convalida.h"
#include "core/text/Text.h"

#include <algorithm>

#include <benchmark/benchmark.h>

using namespace quaderna;

namespace {

void ReadLibriPro(benchmark::State& state) {
    const auto file = bench::bookArchive(static_cast<int>(state.range(0))) / TLibro::FileName;
    bench::readWholeFile(file);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::readWholeFile(file));
}

// Two criteria: a word of the title and a piece of the author's name (a wide result: about
// one book in six of the archive), then the lines sorted into a list as the window does.
void SearchTwoCriteriaAndSort(benchmark::State& state) {
    const auto dir = bench::bookArchive(static_cast<int>(state.range(0)));
    bench::readWholeFile(dir / TLibro::FileName);
    std::array<std::string, 10> criteria;
    criteria[0] = "mare";  // title
    criteria[2] = "italo"; // author
    std::size_t listed = 0;
    text::Lines lines; // the window's list, its room kept from one search to the next
    for (auto _ : state) {
        lines.clear();
        searchBooks(dir / TLibro::FileName, criteria, false, lines);
        lines.sort(); // as the list window sorts them
        listed = lines.size();
        benchmark::DoNotOptimize(lines[0]);
    }
    state.counters["listed"] = static_cast<double>(listed);
}

// Every book listed: the largest list the window can be asked to hold.
void SearchNoCriterionAndSort(benchmark::State& state) {
    const auto dir = bench::bookArchive(static_cast<int>(state.range(0)));
    bench::readWholeFile(dir / TLibro::FileName);
    const std::array<std::string, 10> criteria;
    std::size_t listed = 0;
    text::Lines lines; // the window's list, its room kept from one search to the next
    for (auto _ : state) {
        lines.clear();
        searchBooks(dir / TLibro::FileName, criteria, false, lines);
        lines.sort(); // as the list window sorts them
        listed = lines.size();
        benchmark::DoNotOptimize(lines[0]);
    }
    state.counters["listed"] = static_cast<double>(listed);
}

// The same list the first time the window fills it: its room is new.
void SearchNoCriterionAndSortFirstFill(benchmark::State& state) {
    const auto dir = bench::bookArchive(static_cast<int>(state.range(0)));
    bench::readWholeFile(dir / TLibro::FileName);
    const std::array<std::string, 10> criteria;
    for (auto _ : state) {
        text::Lines lines;
        searchBooks(dir / TLibro::FileName, criteria, false, lines);
        lines.sort();
        benchmark::DoNotOptimize(lines[0]);
        state.PauseTiming(); // the list is given back when the window closes
        lines = text::Lines();
        state.ResumeTiming();
    }
}

// The sort alone, on the lines of every book listed.
void SortEveryBookAlone(benchmark::State& state) {
    const auto dir = bench::bookArchive(static_cast<int>(state.range(0)));
    const std::array<std::string, 10> criteria;
    text::Lines built;
    searchBooks(dir / TLibro::FileName, criteria, false, built);
    bench::sortCopies(state, built);
}

void CodeCheck(benchmark::State& state) {
    const auto dir = bench::bookArchive(static_cast<int>(state.range(0)));
    bench::readWholeFile(dir / TLibro::FileName);
    for (auto _ : state)
        benchmark::DoNotOptimize(booksCarryingCode(dir / TLibro::FileName, "nuovo-codice-1").size());
}

} // namespace

BENCHMARK(ReadLibriPro)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchTwoCriteriaAndSort)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchNoCriterionAndSort)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchNoCriterionAndSortFirstFill)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(SortEveryBookAlone)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(CodeCheck)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
