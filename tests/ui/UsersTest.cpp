// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Users.h"
#include "UiSupport.h"
#include "core/storage/Tesserato.h"
#include "support/TempDir.h"
#include "ui/platform/Widgets.h"

#include <QComboBox>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

QLineEdit* box(QWidget* root, const char* name) {
    return root->findChild<QLineEdit*>(QString::fromLatin1(name));
}

void typeInto(QWidget* root, const char* name, const char* text) {
    QLineEdit* e = box(root, name);
    ASSERT_NE(e, nullptr) << name;
    e->setFocus();
    QTest::keyClicks(e, text);
}

void click(QWidget* root, const char* name) {
    auto* w = root->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(w, nullptr) << name;
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

} // namespace

TEST(UserWindows, AUserSavedThroughTheWindowIsStoredWithItsPhotoAndFoundAgain) {
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
    program.platform.dispatch([&] { app.frmAvvio.btnAnagrafica.onClick(); });
    ui::FormView* view = program.platform.viewOf(app.frmAnagrafica);
    ASSERT_TRUE(view && view->isVisible());
    EXPECT_EQ(view->windowTitle(), QString::fromUtf8(" Quaderna 3.0 - Archivio Utenti"));
    EXPECT_EQ(box(view, "txtDataRil")->text(), QString::fromStdString(app.today().format()));
    EXPECT_EQ(box(view, "txtPreavviso")->text(), QStringLiteral("0"));
    EXPECT_EQ(view->findChild<QLabel*>("panInfo")->text(),
              QStringLiteral("Pronto per archiviare una nuova scheda..."));
    EXPECT_EQ(view->findChild<QComboBox*>("txtProvRes")->count(), 112);

    // Hints on the status line; the background empties it.
    auto* status = view->findChild<QLabel*>("panInfo");
    const auto hover = [](QWidget* w) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w, &enter);
    };
    hover(view->findChild<QWidget*>("btnZoom"));
    EXPECT_EQ(status->text(), QStringLiteral("Visualizza la foto a tutto schermo."));
    hover(view->findChild<QWidget*>("chkAnnullata"));
    EXPECT_EQ(
        status->text(),
        QStringLiteral("Contrassegna la tessera come annullata per escluderla dai risultati di ricerca."));
    hover(view->findChild<QWidget*>("panContenitore"));
    EXPECT_EQ(status->text(), QString());

    // Enter moves along the chain, in the real boxes.
    box(view, "txtTesserato")->setFocus();
    QTest::keyClick(box(view, "txtTesserato"), Qt::Key_Return);
    EXPECT_TRUE(app.frmAnagrafica.hasFocus(app.frmAnagrafica.txtCarica));
    EXPECT_TRUE(view->findChild<QWidget*>("effCarica")->isVisible());
    EXPECT_FALSE(view->findChild<QWidget*>("effTesserato")->isVisible());

    typeInto(view, "txtTesserato", "Rossi Mario");
    typeInto(view, "txtNumTessera", "A-12");
    typeInto(view, "txtDataScade", "31/12/2030");
    box(view, "txtPreavviso")->selectAll();
    typeInto(view, "txtPreavviso", "1x5");
    EXPECT_EQ(box(view, "txtPreavviso")->text(), QStringLiteral("15"));
    typeInto(view, "txtCodFisc", "rssmra80a01h501u");
    EXPECT_EQ(box(view, "txtCodFisc")->text(), QStringLiteral("RSSMRA80A01H501U"));
    typeInto(view, "txtSesso", "m");
    EXPECT_EQ(box(view, "txtSesso")->text(), QStringLiteral("M"));

    click(view, "cmdSalva");
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.last(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
    EXPECT_EQ(view->findChild<QLabel*>("lblPosizione")->text(), QStringLiteral("1"));
    const auto users = storedUsers(dir.path());
    ASSERT_EQ(users.size(), 1u);
    EXPECT_EQ(users[0].Tesserato, "Rossi Mario");
    EXPECT_EQ(users[0].Preavviso, "15");
    EXPECT_EQ(users[0].Sesso, "M");
    // The blank face, written as a real JPEG under the record's position.
    QImage photo;
    ASSERT_TRUE(photo.load(QString::fromStdString((dir / "1.jpg").string()), "JPG"));
    EXPECT_FALSE(photo.isNull());

    // The zoom shows the photo and closes on a click on it.
    QString zoomTitle;
    whenModal([&](QWidget* w) {
        zoomTitle = w->windowTitle();
        click(w, "imgFoto");
    });
    click(view, "btnZoom");
    EXPECT_EQ(zoomTitle, QString::fromUtf8(" Fai clic sulla foto per chiudere questa finestra"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    click(view, "cmdNuovo");
    EXPECT_TRUE(box(view, "txtTesserato")->text().isEmpty());

    // The search: a criterion, Cerca, a double-click on the line.
    QString count;
    whenModal([&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(" Trova utenti in archivio"));
        typeInto(w, "txtTesserato", "rossi");
        w->findChild<QPushButton*>("btnCerca")->click();
        count = w->findChild<QLabel*>("lblTrovate")->text();
        auto* list = w->findChild<QListView*>("lstRecords");
        const QModelIndex first = list->model()->index(0, 0);
        EXPECT_TRUE(list->model()->data(first).toString().startsWith(QStringLiteral("Rossi Mario ")));
        list->setCurrentIndex(first);
        emit list->doubleClicked(first);
    });
    click(view, "cmdTrova");
    EXPECT_EQ(count, QStringLiteral("Il presente riepilogo contiene 1 schede."));
    EXPECT_EQ(box(view, "txtTesserato")->text(), QStringLiteral("Rossi Mario"));
    EXPECT_EQ(view->findChild<QLabel*>("lblPosizione")->text(), QStringLiteral("1"));

    // The renewals list opens on its own and closes with Chiudi.
    QString renewalsTitle;
    whenModal([&](QWidget* w) {
        renewalsTitle = w->windowTitle();
        w->findChild<QPushButton*>("btnChiudi")->click();
    });
    click(view, "cmdScadute");
    EXPECT_EQ(renewalsTitle, QString::fromUtf8(" Riepilogo tessere in attesa di rinnovo"));

    click(view, "cmdEsci");
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(program.platform.viewOf(app.frmAvvio)->isVisible());
}
