// SPDX-License-Identifier: GPL-3.0-or-later
// The user search ("Cerca" with two criteria, building and sorting the lines) and the renewals
// list on a generated archive of 50,000 users, against reading the same file into memory.

#include "SortAlone.h"
#include "UserArchive.h"
#include "core/text/Text.h"
#include "core/users/UserList.h"

#include <algorithm>

#include <benchmark/benchmark.h>

using namespace quaderna;

namespace {

void ReadTesseratiPro(benchmark::State& state) {
    const auto file = bench::userArchive(static_cast<int>(state.range(0))) / TTesserato::FileName;
    bench::readWholeFile(file);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::readWholeFile(file));
}

// Two criteria: a piece of the name and the town of residence (about one user in two hundred).
void SearchTwoCriteriaAndSort(benchmark::State& state) {
    const auto dir = bench::userArchive(static_cast<int>(state.range(0)));
    bench::readWholeFile(dir / TTesserato::FileName);
    std::array<std::string, 10> criteria;
    criteria[0] = "ross";   // name
    criteria[6] = "milano"; // town of residence
    std::size_t listed = 0;
    text::Lines lines; // the window's list, its room kept from one search to the next
    for (auto _ : state) {
        lines.clear();
        searchUsers(dir / TTesserato::FileName, criteria, lines);
        lines.sort(); // as the list window sorts them
        listed = lines.size();
        benchmark::DoNotOptimize(lines[0]);
    }
    state.counters["listed"] = static_cast<double>(listed);
}

// The cards awaiting renewal on a day in the middle of the generated expiry dates (about half
// of the archive is listed: the largest list the window is likely to hold).
void RenewalsAndSort(benchmark::State& state) {
    const auto dir = bench::userArchive(static_cast<int>(state.range(0)));
    bench::readWholeFile(dir / TTesserato::FileName);
    std::size_t listed = 0;
    for (auto _ : state) {
        auto lines = renewalLines(dir / TTesserato::FileName, Date{2022, 3, 10});
        lines.sort(); // as the list window sorts them
        listed = lines.size();
        benchmark::DoNotOptimize(lines[0]);
    }
    state.counters["listed"] = static_cast<double>(listed);
}

// The sort alone, on the renewals list's lines: a few hundred names, each on dozens of lines that
// are alike up to the card number.
void RenewalsSortAlone(benchmark::State& state) {
    const auto dir = bench::userArchive(static_cast<int>(state.range(0)));
    bench::sortCopies(state, renewalLines(dir / TTesserato::FileName, Date{2022, 3, 10}));
}

} // namespace

BENCHMARK(ReadTesseratiPro)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchTwoCriteriaAndSort)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(RenewalsAndSort)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(RenewalsSortAlone)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
