// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a preview grid of 100,000 rows of 25 cells (offscreen): the rows are set, shown and
// scrolled to the last one. The time must grow in step with the number of rows.

#include "core/forms/Grid.h"
#include "ui/platform/GridModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

using namespace quaderna;

namespace {

std::vector<GridColumn> columns() {
    std::vector<GridColumn> c{{"N.", 60, true}};
    for (int i = 0; i < 25; ++i)
        c.push_back({"Colonna " + std::to_string(i + 1), 200, i % 2 == 0});
    return c;
}

void ShowGrid(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        Grid grid(nullptr, "grdRecords", columns());
        QTableView view;
        view.resize(821, 413);
        view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view.verticalHeader()->setDefaultSectionSize(21);
        view.verticalHeader()->hide();
        ui::GridModel model(
            grid, [](int, int, const QString&) { return false; }, nullptr);
        view.setModel(&model);
        view.show();
        QApplication::processEvents();
        state.ResumeTiming();
        grid.reserve(static_cast<std::size_t>(rows), static_cast<std::size_t>(rows) * 25 * 12);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 25; ++c)
                grid.add(c == 0 ? "Titolo del libro numero " + std::to_string(r) : "testo");
        model.sync();
        view.scrollTo(model.index(rows - 1, 0));
        QApplication::processEvents();
        benchmark::DoNotOptimize(view.model()->rowCount());
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(ShowGrid)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
