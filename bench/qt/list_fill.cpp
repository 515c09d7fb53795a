// SPDX-License-Identifier: GPL-3.0-or-later
// Filling a result list: the lines sorted into the list model and shown by the list view
// (offscreen). The time must grow in step with the number of lines.

#include "core/forms/Controls.h"
#include "ui/platform/Widgets.h"

#include <QApplication>
#include <QListView>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>

using namespace quaderna;

namespace {

std::vector<std::string> lines(int n) {
    std::mt19937 rng(7);
    std::vector<std::string> r;
    r.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        char code[32];
        std::snprintf(code, sizeof code, "%c-%06u", 'A' + static_cast<int>(rng() % 26),
                      static_cast<unsigned>(rng() % 1000000));
        r.push_back("Cod. " + std::string(code) + std::string(16, ' ') + "  Titolo del libro numero " +
                    std::to_string(i) + std::string(20, ' ') + "  Autore" + std::string(24, ' ') +
                    "  Milano Einaudi 1958");
    }
    return r;
}

void FillSortedListAndShowIt(benchmark::State& state) {
    const auto source = lines(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto copy = source;
        ListBox list(nullptr, "lstRecords", true);
        QListView view;
        view.resize(801, 273);
        view.setUniformItemSizes(true);
        view.setFont(QFont(QStringLiteral("Courier New"), 12));
        ui::LinesModel model(list, nullptr);
        view.setModel(&model);
        view.show();
        QApplication::processEvents();
        state.ResumeTiming();
        list.setItems(std::move(copy));
        model.sync();
        view.setCurrentIndex(model.index(0));
        view.scrollTo(model.index(list.count() - 1));
        QApplication::processEvents();
        benchmark::DoNotOptimize(view.model()->rowCount());
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(FillSortedListAndShowIt)
    ->Arg(10000)
    ->Arg(30000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
