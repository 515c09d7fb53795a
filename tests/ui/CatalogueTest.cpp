// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiSupport.h"
#include "core/catalogue/Convalida.h"
#include "core/catalogue/TrovaLibri.h"
#include "core/shell/Password.h"
#include "support/Books.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

QPushButton* pushButton(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

void typeInto(QWidget* root, const char* name, const char* text) {
    auto* e = root->findChild<QLineEdit*>(QString::fromLatin1(name));
    ASSERT_NE(e, nullptr) << name;
    e->setFocus();
    QTest::keyClicks(e, text);
}

} // namespace

TEST(CatalogueWindows, ABookSavedThroughTheWindowIsFoundAgainThroughTheSearch) {
    TempDir dir;
    ui::Program program(dir.path());
    program.start();
    Application& app = program.app;
    QStringList messages;
    program.platform.messageHook = [&](const QString& text, MsgKind, bool) {
        messages << text;
        return MsgButton::OK;
    };
    program.platform.dispatch([&] {
        app.show(app.frmAvvio);
        app.hide(app.frmPassword);
    });
    program.platform.dispatch([&] { app.frmAvvio.btnLibri.onClick(); });
    ui::FormView* libri = program.platform.viewOf(app.frmLibri);
    ASSERT_TRUE(libri && libri->isVisible());
    EXPECT_EQ(libri->windowTitle(), QString::fromUtf8(" Quaderna 3.0 - Archivio Libri"));
    EXPECT_EQ(libri->findChild<QLineEdit*>("txtPrestato")->text(),
              QStringLiteral("Libro disponibile per il prestito"));

    typeInto(libri, "txtTitolo", "Il fu Mattia Pascal");
    typeInto(libri, "txtCodice", "PIR-01");
    typeInto(libri, "txtAutore", "Pirandello Luigi");
    typeInto(libri, "txtIsbn", "88-x");
    EXPECT_EQ(libri->findChild<QLineEdit*>("txtIsbn")->text(), QStringLiteral("88-X"));

    // The code check, answered with OK.
    whenModal([](QWidget* w) {
        EXPECT_EQ(w->findChild<QLabel*>("txtResponso")->text(), QStringLiteral("CODICE LIBRO VALIDO"));
        pushButton(w, "btnOK")->click();
    });
    program.platform.dispatch([&] { app.frmLibri.btnCodice.onClick(); });
    EXPECT_EQ(app.frmLibri.txtConvalida.text, "Sì");

    program.platform.dispatch([&] { app.frmLibri.cmdSalva.onClick(); });
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.last(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
    EXPECT_EQ(libri->findChild<QLabel*>("lblPosizione")->text(), QStringLiteral("1"));
    ASSERT_EQ(storedBooks(dir.path()).size(), 1u);

    // A stored book's code cannot be typed over, and its box does not look as if it could: its
    // ground is not the ground of the boxes that take typing.
    typeInto(libri, "txtCodice", "zz");
    EXPECT_EQ(libri->findChild<QLineEdit*>("txtCodice")->text(), QStringLiteral("PIR-01"));
    const auto ground = [&](const char* box) {
        auto* e = libri->findChild<QLineEdit*>(box);
        return e->grab().toImage().pixelColor(e->width() - 6, e->height() / 2);
    };
    EXPECT_NE(ground("txtCodice"), ground("txtScaffale"));

    program.platform.dispatch([&] { app.frmLibri.cmdNuovo.onClick(); });
    EXPECT_TRUE(libri->findChild<QLineEdit*>("txtTitolo")->text().isEmpty());
    EXPECT_EQ(ground("txtCodice"), ground("txtScaffale"));

    // The search window: criteria, Cerca, the list, a double-click.
    QString count;
    int lines = -1;
    whenModal([&](QWidget* w) {
        typeInto(w, "txtAutore", "pirandello");
        pushButton(w, "btnCerca")->click();
        EXPECT_TRUE(w->findChild<QWidget*>("panContainer")->isVisible());
        EXPECT_FALSE(w->findChild<QWidget*>("panAvvio")->isVisible());
        count = w->findChild<QLabel*>("lblTrovate")->text();
        auto* list = w->findChild<QListView*>("lstRecords");
        lines = list->model()->rowCount();
        const QModelIndex first = list->model()->index(0, 0);
        list->setCurrentIndex(first);
        emit list->doubleClicked(first);
    });
    program.platform.dispatch([&] { app.frmLibri.cmdTrova.onClick(); });
    EXPECT_EQ(count, QStringLiteral("Il presente riepilogo contiene 1 schede."));
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(libri->findChild<QLineEdit*>("txtTitolo")->text(), QStringLiteral("Il fu Mattia Pascal"));
    EXPECT_EQ(libri->findChild<QLabel*>("lblPosizione")->text(), QStringLiteral("1"));
}

TEST(CatalogueWindows, TheReadOnlyCatalogueAsksBeforeEndingTheProgram) {
    TempDir dir;
    storeBooks(dir.path(), {book("Uno", "C1")});
    ui::Program program(dir.path());
    program.start();
    Application& app = program.app;
    QString asked;
    MsgButton answer = MsgButton::No;
    program.platform.messageHook = [&](const QString& text, MsgKind, bool) {
        asked = text;
        return answer;
    };
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmConsultaLibri"); });
    ui::FormView* view = program.platform.viewOf(app.frmConsultaLibri);
    ASSERT_TRUE(view->isVisible());
    EXPECT_TRUE(view->findChild<QLineEdit*>("txtTitolo")->isReadOnly());
    view->close();
    EXPECT_TRUE(asked.startsWith(QString::fromUtf8("Attenzione: chiudendo questa schermata di lavoro")));
    EXPECT_TRUE(view->isVisible());
    answer = MsgButton::Yes;
    view->close();
    EXPECT_TRUE(app.terminated());
}

TEST(CatalogueWindows, TheDeweyTableLoadsBehindItsPictureAndFillsTheBookWindow) {
    TempDir dir;
    ui::Program program(dir.path());
    program.start();
    Application& app = program.app;
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmLibri"); });
    int rowsAtShow = -1, rowsLater = -1;
    bool pictureAtShow = false, pictureLater = true;
    whenModal([&](QWidget* w) {
        auto* list = w->findChild<QListView*>("lstRecords");
        rowsAtShow = list->model()->rowCount();
        pictureAtShow = w->findChild<QWidget*>("panDewey")->isVisible();
        QTest::qWait(1300);
        rowsLater = list->model()->rowCount();
        pictureLater = w->findChild<QWidget*>("panDewey")->isVisible();
        QModelIndex row;
        for (int i = 0; i < rowsLater && !row.isValid(); ++i)
            if (list->model()->index(i, 0).data().toString().startsWith(
                    QStringLiteral("846 LETTERE FRANCESI, 1600")))
                row = list->model()->index(i, 0);
        list->setCurrentIndex(row);
        emit list->doubleClicked(row);
    });
    program.platform.dispatch([&] { app.frmLibri.btnDewey.onClick(); });
    EXPECT_EQ(rowsAtShow, 0);
    EXPECT_TRUE(pictureAtShow);
    EXPECT_EQ(rowsLater, 3721);
    EXPECT_FALSE(pictureLater);
    EXPECT_EQ(program.platform.viewOf(app.frmLibri)->findChild<QLineEdit*>("txtDewey")->text(),
              QStringLiteral("846"));
}

TEST(CatalogueWindows, TheBookSheetGoesThroughThePrintDialogToPaper) {
    TempDir dir;
    storeBooks(dir.path(), {book("Il fu Mattia Pascal", "PIR-01", "Pirandello Luigi")});
    ui::Program program(dir.path());
    program.start();
    Application& app = program.app;
    const QString pdf = QString::fromStdString((dir / "scheda.pdf").string());
    int dialogs = 0;
    program.platform.printDialogHook = [&](QPrinter& printer) {
        ++dialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmLibri"); });
    program.platform.dispatch([&] { app.frmLibri.cmdPrimo.onClick(); });
    whenModal([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral(" Stampa scheda libro"));
        pushButton(w, "btnStampa")->click();
    });
    program.platform.dispatch([&] { app.frmLibri.cmdStampa.onClick(); });
    EXPECT_EQ(dialogs, 1);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QStringLiteral("SCHEDA INFORMATIVA LIBRO"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Il fu Mattia Pascal")));
    EXPECT_TRUE(out.contains(QStringLiteral("Libro disponibile per il prestito")));
    EXPECT_TRUE(out.contains(QStringLiteral("Stampa eseguita in data")));
}

TEST(CatalogueWindows, AFailedDailyCopyIsSaidOnTheStatusLineOfTheWindowThatSaved) {
    TempDir dir;
    storeBooks(dir.path(), {book("Uno", "A1")});
    writeBytes(dir / "Backup", "not a folder");
    ui::Program program(dir.path());
    program.start();
    Application& app = program.app;
    QStringList messages;
    program.platform.messageHook = [&](const QString& text, MsgKind, bool) {
        messages << text;
        return MsgButton::OK;
    };
    program.platform.dispatch([&] {
        app.show(app.frmAvvio);
        app.hide(app.frmPassword);
    });
    program.platform.dispatch([&] { app.frmAvvio.btnLibri.onClick(); });
    ui::FormView* libri = program.platform.viewOf(app.frmLibri);
    ASSERT_TRUE(libri);
    typeInto(libri, "txtTitolo", "Due");
    typeInto(libri, "txtCodice", "A2");
    typeInto(libri, "txtAutore", "Autore");
    program.platform.dispatch([&] { app.frmLibri.txtConvalida.text = "Sì"; });
    program.platform.dispatch([&] { app.frmLibri.cmdSalva.onClick(); });
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.last(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
    EXPECT_EQ(
        libri->findChild<QLabel*>("panInfo")->text(),
        QString::fromUtf8("Attenzione: la copia di sicurezza di oggi nella cartella Backup non è riuscita."));
    EXPECT_EQ(storedBooks(dir.path()).size(), 2u);
}
