// Takes the README's screenshots: runs the program on a sample data folder, walks through its
// windows as a person would and saves each window as a PNG.
//   quaderna-screenshots OUTPUT_FOLDER

#include "SampleData.h"
#include "core/catalogue/TrovaLibri.h"
#include "core/shell/Password.h"
#include "ui/Program.h"
#include "ui/platform/FormView.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace quaderna;

namespace {

QString out;

void settle(int ms = 300) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void shoot(QWidget* w, const char* name) {
    settle();
    const QString file = QDir(out).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    w->grab().save(file);
    std::printf("%s\n", qPrintable(file));
}

// Shoots a modal dialog that `open` brings up, then lets `close` end it.
void shootModal(const std::function<void()>& open, const char* name,
                const std::function<void(QWidget*)>& close) {
    QTimer::singleShot(400, [name, close] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w)
            return;
        shoot(w, name);
        close(w);
    });
    open();
}

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installItalian(qapp);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quaderna-screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir data;
    password::installFirstAccess(data.path().toStdString());
    writeSampleBooks(data.path().toStdString());

    ui::Program program(data.path().toStdString());
    program.start();
    Application& app = program.app;
    auto view = [&](Form& f) { return static_cast<QWidget*>(program.platform.viewOf(f)); };

    shoot(view(app.frmPassword), "login");
    auto* box = view(app.frmPassword)->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    QTest::keyClicks(box, "quaderna");
    QTest::keyClick(box, Qt::Key_Return);
    shoot(view(app.frmAvvio), "launcher");

    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmMenuPrestiti"); });
    shoot(view(app.frmMenuPrestiti), "loans-menu");
    program.platform.dispatch([&] { app.close(app.frmMenuPrestiti); });
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmMenuStorico"); });
    shoot(view(app.frmMenuStorico), "history-menu");
    program.platform.dispatch([&] { app.close(app.frmMenuStorico); });

    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmLibri"); });
    program.platform.dispatch([&] { app.frmLibri.cmdAvantiClick(); });
    program.platform.dispatch([&] { app.frmLibri.setFocus(app.frmLibri.txtAutore); });
    shoot(view(app.frmLibri), "book-archive");
    shootModal(
        [&] { program.platform.dispatch([&] { app.frmLibri.cmdTrovaClick(); }); }, "book-search-criteria",
        [&](QWidget*) {
            program.platform.dispatch([&] {
                auto* search = dynamic_cast<TfrmTrovaLibri*>(app.frmLibri.app.standing().front());
                (void)search;
            });
            auto* cerca =
                QApplication::activeModalWidget()->findChild<QPushButton*>(QStringLiteral("btnCerca"));
            cerca->click();
            shoot(QApplication::activeModalWidget(), "book-search-results");
            QApplication::activeModalWidget()->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
        });
    program.platform.dispatch([&] { app.frmLibri.cmdNuovoClick(); });
    program.platform.dispatch([&] { app.frmLibri.txtCodice.text = "NAR-0004"; });
    shootModal([&] { program.platform.dispatch([&] { app.frmLibri.btnCodiceClick(); }); }, "code-check",
               [](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("btnAnnulla"))->click(); });
    QTimer::singleShot(1600, [] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w)
            return;
        shoot(w, "dewey-table");
        w->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
    });
    program.platform.dispatch([&] { app.frmLibri.btnDeweyClick(); });
    program.platform.dispatch([&] { app.close(app.frmLibri); });
    return 0;
}
