// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list's sort alone, apart from building the list: each iteration sorts a fresh copy of the
// lines, and only the sort is timed.

#include "core/text/Lines.h"

#include <benchmark/benchmark.h>

namespace quaderna::bench {

inline void sortCopies(benchmark::State& state, const text::Lines& built) {
    for (auto _ : state) {
        state.PauseTiming();
        text::Lines lines = built;
        state.ResumeTiming();
        lines.sort();
        benchmark::DoNotOptimize(lines[0]);
    }
}

} // namespace quaderna::bench
