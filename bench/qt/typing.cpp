// SPDX-License-Identifier: GPL-3.0-or-later
// Typing into the book window on screen (offscreen): a 250-character paste into "Titolo libro:"
// and the same title typed key by key. Every change travels from the box to the window model and
// back, so this is the cost a person pays per keystroke.

#include "ui/Program.h"
#include "ui/platform/FormView.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

using namespace quaderna;

namespace {

struct Window {
    std::filesystem::path dir;
    ui::Program* program = nullptr;
    QLineEdit* titolo = nullptr;

    Window() {
        char tmpl[] = "/tmp/quaderna-bench-XXXXXX";
        dir = ::mkdtemp(tmpl);
        program = new ui::Program(dir);
        program->start();
        program->platform.dispatch([this] {
            program->app.show(program->app.frmLibri);
            program->app.hide(program->app.frmPassword);
        });
        titolo = program->platform.viewOf(program->app.frmLibri)->findChild<QLineEdit*>("txtTitolo");
        titolo->setFocus();
        QApplication::processEvents();
    }
    ~Window() {
        delete program;
        std::filesystem::remove_all(dir);
    }
    void clear() {
        titolo->selectAll();
        QTest::keyClick(titolo, Qt::Key_Delete);
    }
};

QString title() {
    QString s;
    while (s.size() < 250)
        s += QStringLiteral("Il fu Mattia Pascal e altri racconti ");
    return s.left(250);
}

void PasteATitleOf250Characters(benchmark::State& state) {
    Window w;
    QApplication::clipboard()->setText(title());
    for (auto _ : state) {
        w.titolo->paste();
        state.PauseTiming();
        if (w.titolo->text().size() != 250)
            state.SkipWithError("the paste did not arrive whole");
        w.clear();
        state.ResumeTiming();
    }
}

void TypeATitleOf250Characters(benchmark::State& state) {
    Window w;
    const QString s = title();
    for (auto _ : state) {
        QTest::keyClicks(w.titolo, s);
        state.PauseTiming();
        if (w.titolo->text().size() != 250)
            state.SkipWithError("the typing did not arrive whole");
        w.clear();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(PasteATitleOf250Characters)->Unit(benchmark::kMicrosecond);
BENCHMARK(TypeATitleOf250Characters)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
