// SPDX-License-Identifier: GPL-3.0-or-later
// Takes the README's screenshots: runs the program on a sample data folder, walks through its
// windows as a person would and saves each window as a PNG.
//   quaderna-screenshots OUTPUT_FOLDER

#include "SampleData.h"
#include "SampleLoans.h"
#include "core/catalogue/TrovaLibri.h"
#include "core/loans/TrovaPrestitiLibri.h"
#include "core/shell/Password.h"
#include "core/storage/SideFiles.h"
#include "ui/Program.h"
#include "ui/platform/FormView.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
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

// A drawn portrait for the first sample user, saved where the user window looks for it.
void samplePortrait(const QString& file) {
    QImage img(300, 400, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 400);
    sky.setColorAt(0, QColor(0xC9, 0xDC, 0xEF));
    sky.setColorAt(1, QColor(0x5B, 0x93, 0xC7));
    p.fillRect(img.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2F, 0x4F, 0x6F));
    p.drawRoundedRect(QRect(45, 270, 210, 160), 90, 70);
    p.setBrush(QColor(0xE8, 0xC0, 0x9A));
    p.drawRect(QRect(128, 225, 44, 55));
    p.drawEllipse(QRect(85, 95, 130, 160));
    p.setBrush(QColor(0x4A, 0x35, 0x28));
    p.drawChord(QRect(80, 80, 140, 110), 0, 180 * 16);
    p.setBrush(QColor(0x33, 0x33, 0x33));
    p.drawEllipse(QRect(120, 160, 12, 12));
    p.drawEllipse(QRect(168, 160, 12, 12));
    p.setPen(QPen(QColor(0x8A, 0x4B, 0x3A), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRect(125, 185, 50, 35), 200 * 16, 140 * 16);
    p.end();
    img.save(file, "JPG", 90);
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
    writeSampleUsers(data.path().toStdString());
    samplePortrait(QDir(data.path()).filePath(QStringLiteral("1.jpg")));
    writeSampleLoans(data.path().toStdString(), localNow().date.year);
    sidefiles::writeDatiEnte(data.path().toStdString(),
                             {"Biblioteca civica \"Alessandro Manzoni\"", "Piazza del Duomo 1 - 20121 Milano",
                              "Tel. 02 1234567 - biblioteca@example.org",
                              "Tessera personale valida per il prestito"});

    ui::Program program(data.path().toStdString());
    program.start();
    Application& app = program.app;
    auto view = [&](Form& f) { return static_cast<QWidget*>(program.platform.viewOf(f)); };

    shoot(view(app.frmPassword), "login");
    program.platform.dispatch([&] {
        app.show(app.frmCambiaPassword);
        app.hide(app.frmPassword);
    });
    shoot(view(app.frmCambiaPassword), "password-change");
    program.platform.dispatch([&] { app.close(app.frmCambiaPassword); });
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
    QTimer::singleShot(600, [] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w)
            return;
        shoot(w, "book-export");
        QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("cmdEsci")), Qt::LeftButton);
    });
    program.platform.dispatch([&] { app.frmLibri.cmdEsportaClick(); });
    program.platform.dispatch([&] { app.close(app.frmLibri); });

    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmAnagrafica"); });
    program.platform.dispatch([&] { app.frmAnagrafica.cmdPrimoClick(); });
    program.platform.dispatch([&] { app.frmAnagrafica.setFocus(app.frmAnagrafica.txtEmail); });
    shoot(view(app.frmAnagrafica), "user-archive");
    shootModal(
        [&] { program.platform.dispatch([&] { app.frmAnagrafica.cmdTrovaClick(); }); },
        "user-search-criteria",
        [&](QWidget* w) {
            w->findChild<QPushButton*>(QStringLiteral("btnCerca"))->click();
            shoot(QApplication::activeModalWidget(), "user-search-results");
            QApplication::activeModalWidget()->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
        });
    program.platform.dispatch([&] { app.close(app.frmAnagrafica); });

    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmTessera"); });
    program.platform.dispatch([&] { app.frmTessera.cmdPrimoClick(); });
    shoot(view(app.frmTessera), "card-window");
    shootModal([&] { program.platform.dispatch([&] { app.frmTessera.cmdStampaClick(); }); }, "card-print",
               [](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("btnAnnulla"))->click(); });
    program.platform.dispatch([&] { app.close(app.frmTessera); });

    // Two loans to the first sample user, chosen in the book picker as the librarian does.
    program.platform.messageHook = [](const QString&, MsgKind, bool) { return MsgButton::OK; };
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmMenuPrestiti"); });
    program.platform.dispatch([&] { app.frmMenuPrestiti.btnApriPrestitoClick(); });
    TfrmPrestiti& loans = app.frmPrestiti;
    program.platform.dispatch([&] {
        loans.txtTesserato.text = "Rossi Mario";
        loans.txtNumTessera.text = "2021-001";
        loans.txtRecapito.text = "333 1234567";
        loans.btnVisualizzaClick();
    });
    for (const char* code : {"NAR-0005", "SAG-0001"}) {
        QTimer::singleShot(300, [&program, code] {
            auto* picker = qobject_cast<ui::FormView*>(QApplication::activeModalWidget());
            if (!picker)
                return;
            auto& m = static_cast<TfrmTrovaPrestitiLibri&>(picker->model());
            program.platform.dispatch([&m, code] {
                m.txtCodice.text = code;
                m.btnCercaClick();
                m.lstRecords.itemIndex = 0;
                m.lstRecordsDblClick();
            });
        });
        program.platform.dispatch([&] {
            loans.titDataSca.text = app.today().addDays(30).format();
            loans.btnImportaLibroClick();
        });
    }
    program.platform.dispatch([&] {
        loans.titDataSca.text = app.today().addDays(30).format();
        loans.lstRecords.itemIndex = 1;
    });
    shoot(view(loans), "loan-window");
    program.platform.dispatch([&] { app.close(loans); });

    // The same user's sheet in the returns window, one loan selected.
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmMenuPrestiti"); });
    program.platform.dispatch([&] { app.frmMenuPrestiti.btnApriRestituzioneClick(); });
    TfrmRestituzioni& returns = app.frmRestituzioni;
    program.platform.dispatch([&] {
        returns.txtTesserato.text = "Rossi Mario";
        returns.txtNumTessera.text = "2021-001";
        returns.txtRecapito.text = "333 1234567";
        returns.btnVisualizzaClick();
    });
    program.platform.dispatch([&] {
        returns.lstRecords.itemIndex = 0;
        returns.lstRecordsClick();
    });
    shoot(view(returns), "returns-window");
    program.platform.dispatch([&] { app.close(returns); });
    program.platform.messageHook = nullptr;

    // The loan history of this year, and its monthly statistics as bars and as a pie.
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmMenuStorico"); });
    program.platform.dispatch([&] { app.frmMenuStorico.btnApriStoricoClick(); });
    auto& storico = app.frmMenuRiepilogoPrestiti;
    program.platform.dispatch([&] {
        storico.txtGiornoInizio.text = "01";
        storico.txtMeseInizio.text = "Settembre";
        storico.txtGiornoFine.text = "31";
        storico.txtMeseFine.text = "Ottobre";
    });
    shoot(view(storico), "history-query");
    shootModal([&] { program.platform.dispatch([&] { storico.btnVisualizzaClick(); }); }, "history-list",
               [](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("btnEsci"))->click(); });
    program.platform.dispatch([&] { app.close(storico); });
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmMenuStorico"); });
    program.platform.dispatch([&] { app.frmMenuStorico.btnApriStatisticheClick(); });
    program.platform.dispatch([&] { app.frmStatistiche.btnApriClick(); });
    shoot(view(app.frmStatistiche), "statistics-bars");
    program.platform.dispatch([&] { app.frmStatistiche.btnTortaClick(); });
    shoot(view(app.frmStatistiche), "statistics-pie");
    program.platform.dispatch([&] { app.frmStatistiche.btnBarreClick(); });
    program.platform.dispatch([&] { app.close(app.frmStatistiche); });

    // Last: closing the catalogue ends the program.
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmConsultaLibri"); });
    program.platform.dispatch([&] { app.frmConsultaLibri.cmdPrimoClick(); });
    shoot(view(app.frmConsultaLibri), "catalogue");
    return 0;
}
