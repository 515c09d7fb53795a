// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a print preview, from the click to the first page drawn on screen: the user sheet from
// the user window's "Anteprima", and lists of 3 and 30 pages. Offscreen by default; run it with
// QT_QPA_PLATFORM=xcb on an X server for the figure of a real screen.

#include "core/reports/Layouts.h"
#include "core/storage/Tesserato.h"
#include "ui/Program.h"
#include "ui/platform/ReportPreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGraphicsView>
#include <QPrintPreviewWidget>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace quaderna;

namespace {

// Closes each preview once its page has been drawn on screen, and tells the time since `clock`
// started.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QElapsedTimer& clock) : clock_(clock) {}
    double seconds = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !pending_ && watched->isWidgetType()) {
            auto* viewport = static_cast<QWidget*>(watched);
            if (qobject_cast<QGraphicsView*>(viewport->parentWidget()) &&
                qobject_cast<ui::ReportPreview*>(viewport->window())) {
                pending_ = true;
                // Right after this paint is done: the page is on screen.
                QTimer::singleShot(0, viewport, [this, viewport] {
                    seconds = static_cast<double>(clock_.nsecsElapsed()) / 1e9;
                    pending_ = false;
                    static_cast<QDialog*>(viewport->window())->reject();
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QElapsedTimer& clock_;
    bool pending_ = false;
};

struct Desk {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "quaderna-bench-anteprima";
    std::unique_ptr<ui::Program> program;
    Desk() {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        TTesserato u;
        u.Tesserato = "Rossi Maria";
        u.NumTessera = "101";
        u.IndirizzoRes = "Via Roma 1";
        u.ComuneRes = "Bologna";
        u.DataRil = "01/01/2025";
        u.DataScade = "31/12/2026";
        u.Preavviso = "0";
        u.Annullata = "No";
        std::ofstream(dir / TTesserato::FileName, std::ios::binary) << u.encode();
        program = std::make_unique<ui::Program>(dir);
        program->start();
        Application& app = program->app;
        program->platform.dispatch([&] { app.frmAvvio.openEntry("TfrmAnagrafica"); });
        program->platform.dispatch([&] { app.frmAnagrafica.cmdPrimo.onClick(); });
    }
    ~Desk() {
        program.reset();
        std::filesystem::remove_all(dir);
    }
};

Desk& desk() {
    static Desk d;
    return d;
}

void timed(benchmark::State& state, const std::function<void()>& click) {
    QElapsedTimer clock;
    FirstPaint watch(clock);
    qApp->installEventFilter(&watch);
    for (auto _ : state) {
        watch.seconds = 0;
        clock.start();
        click();
        state.SetIterationTime(watch.seconds);
    }
    qApp->removeEventFilter(&watch);
}

void PreviewUserSheet(benchmark::State& state) {
    Desk& d = desk();
    timed(state, [&] {
        d.program->platform.dispatch([&] { d.program->app.frmAnagrafica.cmdAnteprima.onClick(); });
    });
}

void PreviewList(benchmark::State& state) {
    Desk& d = desk();
    Report list = reports::riepilogoDati();
    std::vector<std::string> lines;
    const Report probe = reports::riepilogoDati();
    for (int i = 0; lines.size() < 5000; ++i) {
        lines.push_back("Cod. L" + std::to_string(10000 + i) + "   Titolo del libro numero " +
                        std::to_string(i) + "   Autore " + std::to_string(i));
        Report r = probe;
        reports::fillList(r, "Riepilogo libri in archivio", lines);
        if (static_cast<int>(r.paginate().size()) > state.range(0)) {
            lines.pop_back();
            break;
        }
    }
    reports::fillList(list, "Riepilogo libri in archivio", lines);
    state.counters["pagine"] = static_cast<double>(list.paginate().size());
    timed(state, [&] { d.program->platform.preview(list); });
}

} // namespace

BENCHMARK(PreviewUserSheet)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(PreviewList)->Arg(3)->Arg(30)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installItalian(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
