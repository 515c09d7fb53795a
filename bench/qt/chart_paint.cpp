// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the monthly chart, as bars and as a pie, at the size of the statistics window and of a
// landscape page: a redraw must take no noticeable time.

#include "core/history/Statistiche.h"
#include "ui/platform/ChartPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace quaderna;

namespace {

void PaintChart(benchmark::State& state) {
    Chart c;
    c.title = {"Statistiche prestiti mensili", Font{"Verdana", 20, true, Color{0xD0, 0x44, 0x98}}};
    c.foot = {"Le statistiche si basano sui prestiti librari registrati in archivio.",
              Font{"Verdana", 11, true, Color{0x72, 0x94, 0xF9}}};
    c.legendTitle = "Prestiti librari:";
    c.kind = state.range(0) == 0 ? ChartKind::Bar : ChartKind::Pie;
    history::fillChart(c, {912, 730, 1104, 856, 640, 410, 330, 205, 1020, 1411, 1222, 530});
    const int width = static_cast<int>(state.range(1));
    QImage img(width, width * 468 / 963, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&img);
        ui::paintChart(p, QRectF(img.rect()), c);
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}

} // namespace

// Bars (0) and pie (1), in the window (963 pixels) and on a page at 300 dots per inch.
BENCHMARK(PaintChart)
    ->Args({0, 963})
    ->Args({1, 963})
    ->Args({0, 3300})
    ->Args({1, 3300})
    ->Unit(benchmark::kMillisecond);

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
