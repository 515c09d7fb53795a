// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a list of 10,000 and 100,000 lines into a PDF file: filling the report and laying it
// out into pages, then drawing every page (a long list in parts side by side, then joined). Both
// should grow in step with the number of lines.

#include "core/reports/Layouts.h"
#include "ui/platform/QtPlatform.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace quaderna;

namespace {

// Lines shaped like the book search's: code, title, author, city, publisher and year.
std::vector<std::string> bookLines(int n) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(n));
    char buf[256];
    for (int i = 0; i < n; ++i) {
        std::snprintf(
            buf, sizeof buf, "Cod. %-24s  %-50s  %-30s  %s %s %d", ("BIB-" + std::to_string(i)).c_str(),
            ("Storia della letteratura italiana, volume " + std::to_string(i % 97)).c_str(),
            i % 3 ? "Manzoni, Alessandro" : "De Sanctis, Francesco", "Milano", "Città Nuova", 1900 + i % 120);
        lines.emplace_back(buf);
    }
    return lines;
}

void PrepareList(benchmark::State& state) {
    const auto lines = bookLines(static_cast<int>(state.range(0)));
    std::size_t pages = 0;
    for (auto _ : state) {
        Report r = reports::riepilogoDati();
        reports::fillList(r, "Riepilogo libri in archivio", lines);
        pages = r.paginate().size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

// Laying out alone: proportional to the pages, whatever the lines.
void Paginate(benchmark::State& state) {
    Report r = reports::riepilogoDati();
    reports::fillList(r, "Riepilogo libri in archivio", bookLines(static_cast<int>(state.range(0))));
    std::size_t pages = 0;
    for (auto _ : state) {
        pages = r.paginate().size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = static_cast<double>(pages);
}

void ListToPdf(benchmark::State& state) {
    Report r = reports::riepilogoDati();
    reports::fillList(r, "Riepilogo libri in archivio", bookLines(static_cast<int>(state.range(0))));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("lista.pdf"));
    ui::QtPlatform platform;
    for (auto _ : state)
        if (!platform.renderToPdf(r, file))
            state.SkipWithError("the PDF file could not be written");
    state.counters["pages"] = static_cast<double>(r.paginate().size());
    state.counters["pdf_MB"] = static_cast<double>(QFileInfo(file).size()) / 1e6;
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(PrepareList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Paginate)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
// Wall time: a long list is drawn on every processor at once.
BENCHMARK(ListToPdf)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
