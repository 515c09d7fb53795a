// SPDX-License-Identifier: GPL-3.0-or-later
// A loan and a return through the real windows: the sub-menu, the user search, the calendar, the
// book picker, the returns sheet and the confirmation.

#include "UiSupport.h"
#include "core/storage/Prestito.h"
#include "support/Books.h"
#include "support/TempDir.h"
#include "support/Users.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

QLineEdit* box(QWidget* root, const char* name) {
    return root->findChild<QLineEdit*>(QString::fromLatin1(name));
}

void click(QWidget* root, const char* name) {
    auto* w = root->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(w, nullptr) << name;
    ASSERT_TRUE(w->isVisible()) << name;
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

void clickLine(QListView* list, int row) {
    const QModelIndex index = list->model()->index(row, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(index).center());
}

// In a search window: `criterion` typed into the box `field`, "Cerca", and a double-click on the
// first line.
void searchAndChoose(QWidget* w, const char* field, const char* criterion) {
    QLineEdit* e = box(w, field);
    ASSERT_NE(e, nullptr) << field;
    e->setFocus();
    QTest::keyClicks(e, criterion);
    w->findChild<QPushButton*>(QStringLiteral("btnCerca"))->click();
    auto* list = w->findChild<QListView*>(QStringLiteral("lstRecords"));
    ASSERT_GT(list->model()->rowCount(), 0);
    const QModelIndex first = list->model()->index(0, 0);
    list->setCurrentIndex(first);
    emit list->doubleClicked(first);
}

QString day(QDate d) {
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

TEST(LoanWindows, ABookLentAndReturnedThroughTheWindows) {
    TempDir dir;
    TTesserato rossi = user("Rossi Mario", "T-1");
    rossi.Recapito = "333 1234567";
    storeUsers(dir.path(), {rossi});
    storeBooks(dir.path(), {book("I promessi sposi", "A1"), book("Il Gattopardo", "B2")});
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
    const QDate today = QDate::currentDate();

    // "PRESTITI E RESTITUZIONI", "Apri archivio prestiti".
    program.platform.dispatch([&] { app.frmAvvio.btnPrestiti.onClick(); });
    click(program.platform.viewOf(app.frmMenuPrestiti), "btnApriPrestito");
    ui::FormView* view = program.platform.viewOf(app.frmPrestiti);
    ASSERT_TRUE(view && view->isVisible());
    EXPECT_EQ(view->windowTitle(),
              QStringLiteral(" Quaderna 3.0 - Prestiti libri anno %1").arg(today.year()));
    EXPECT_EQ(view->findChild<QLabel*>(QStringLiteral("panInfo"))->text(),
              QStringLiteral("Pronto per registrare un nuovo prestito..."));

    whenModal([&](QWidget* w) { searchAndChoose(w, "txtTesserato", "rossi"); });
    click(view, "btnImporta");
    EXPECT_EQ(box(view, "txtNumTessera")->text(), QStringLiteral("T-1"));
    click(view, "btnVisualizza");
    ASSERT_TRUE(view->findChild<QWidget*>(QStringLiteral("panContainer"))->isVisible());
    EXPECT_EQ(box(view, "titData")->text(), day(today));
    EXPECT_TRUE(view->findChild<QWidget*>(QStringLiteral("effDataSca"))->isVisible());
    // Hints on the status line; the sheet empties it.
    auto* status = view->findChild<QLabel*>(QStringLiteral("panInfo"));
    const auto hover = [](QWidget* w) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w, &enter);
    };
    hover(view->findChild<QWidget*>(QStringLiteral("btnDataSca")));
    EXPECT_EQ(status->text(), QStringLiteral("Importa una data dal calendario."));
    hover(view->findChild<QWidget*>(QStringLiteral("btnImportaLibro")));
    EXPECT_EQ(status->text(), QStringLiteral("Importa i dati dall'Archivio Libri."));
    hover(view->findChild<QWidget*>(QStringLiteral("lstRecords")));
    EXPECT_EQ(status->text(), QString());

    // The calendar, in Italian with Monday first, opens on today; two days on with the arrow key,
    // and Enter imports the day.
    QString title;
    whenModal([&](QWidget* w) {
        title = w->windowTitle();
        auto* cal = w->findChild<QCalendarWidget*>(QStringLiteral("calAppuntamenti"));
        ASSERT_NE(cal, nullptr);
        EXPECT_EQ(cal->selectedDate(), today);
        EXPECT_EQ(cal->firstDayOfWeek(), Qt::Monday);
        EXPECT_EQ(cal->locale().language(), QLocale::Italian);
        auto* days = cal->findChild<QTableView*>();
        ASSERT_NE(days, nullptr);
        QTest::keyClick(days, Qt::Key_Right);
        QTest::keyClick(days, Qt::Key_Right);
        QTest::keyClick(days, Qt::Key_Return);
    });
    click(view, "btnDataSca");
    EXPECT_EQ(title, QStringLiteral(" Importazione data"));
    EXPECT_EQ(box(view, "titDataSca")->text(), day(today.addDays(2)));
    // Backspace in the due-date box empties it; the calendar gives it back.
    box(view, "titDataSca")->setFocus();
    QTest::keyClick(box(view, "titDataSca"), Qt::Key_Backspace);
    EXPECT_EQ(box(view, "titDataSca")->text(), QString());
    whenModal([&](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("btnImportaData"))->click(); });
    QTest::keyClick(box(view, "titDataSca"), Qt::Key_Space);
    EXPECT_EQ(box(view, "titDataSca")->text(), day(today));

    // Two books, each chosen in the picker.
    for (const char* code : {"A1", "B2"}) {
        if (box(view, "titDataSca")->text().isEmpty()) {
            whenModal(
                [&](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("btnImportaData"))->click(); });
            click(view, "btnDataSca");
        }
        whenModal([&](QWidget* w) { searchAndChoose(w, "txtCodice", code); });
        click(view, "btnImportaLibro");
        ASSERT_FALSE(messages.isEmpty());
        EXPECT_EQ(messages.last(),
                  QString::fromUtf8("Il prestito corrente è stato aggiunto all'elenco.\n\nE' ora "
                                    "possibile registrare un nuovo prestito allo stesso utente."));
        EXPECT_TRUE(box(view, "titDataSca")->text().isEmpty());
    }
    auto* sheet = view->findChild<QListView*>(QStringLiteral("lstRecords"));
    ASSERT_EQ(sheet->model()->rowCount(), 2);
    EXPECT_TRUE(
        sheet->model()->index(1, 0).data().toString().endsWith(QStringLiteral("Scad. ") + day(today)));
    auto books = storedBooks(dir.path());
    EXPECT_EQ(books[0].Prestato, "Tessera n. T-1");
    EXPECT_EQ(books[1].Prestato, "Tessera n. T-1");

    click(view, "btnEsci");
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(program.platform.viewOf(app.frmAvvio)->isVisible());

    // "Apri archivio restituzioni": this year's sheet of the same user.
    program.platform.dispatch([&] { app.frmAvvio.btnPrestiti.onClick(); });
    click(program.platform.viewOf(app.frmMenuPrestiti), "btnApriRestituzione");
    ui::FormView* ret = program.platform.viewOf(app.frmRestituzioni);
    ASSERT_TRUE(ret && ret->isVisible());
    EXPECT_EQ(ret->windowTitle(), QStringLiteral(" Quaderna 3.0 - Restituzioni libri"));
    EXPECT_EQ(box(ret, "txtAnno")->text(), QString::number(today.year()));
    whenModal([&](QWidget* w) { searchAndChoose(w, "txtTesserato", "rossi"); });
    click(ret, "btnImporta");
    click(ret, "btnVisualizza");
    auto* lines = ret->findChild<QListView*>(QStringLiteral("lstRecords"));
    ASSERT_EQ(lines->model()->rowCount(), 2);

    // A click selects the loan; the arrow key moves to the next one as a click would.
    clickLine(lines, 0);
    EXPECT_EQ(box(ret, "titCodice")->text(), QStringLiteral("A1"));
    QTest::keyClick(lines, Qt::Key_Down);
    EXPECT_EQ(box(ret, "titCodice")->text(), QStringLiteral("B2"));
    EXPECT_EQ(box(ret, "titTitolo")->text(), QStringLiteral("Il Gattopardo"));

    QString shownTitle;
    whenModal([&](QWidget* w) {
        shownTitle = box(w, "txtTitolo")->text();
        w->findChild<QPushButton*>(QStringLiteral("btnConferma"))->click();
    });
    click(ret, "btnRimuovi");
    EXPECT_EQ(shownTitle, QStringLiteral("Il Gattopardo"));
    EXPECT_EQ(messages.last(),
              QString::fromUtf8("Il prestito selezionato è stato rimosso dall'elenco.\n\nE' ora "
                                "possibile registrare una nuova restituzione per lo stesso utente."));
    ASSERT_EQ(lines->model()->rowCount(), 1);
    EXPECT_TRUE(box(ret, "titCodice")->text().isEmpty());
    books = storedBooks(dir.path());
    EXPECT_EQ(books[1].Prestato, std::string(kLibroDisponibile));
    EXPECT_EQ(books[1].Scadenza, "");
    EXPECT_EQ(books[0].Prestato, "Tessera n. T-1");
    const std::string loans = readBytes(dir / (std::to_string(today.year()) + ".bib"));
    ASSERT_EQ(loans.size(), 2 * TPrestito::Size);
    EXPECT_EQ(TPrestito::decode(loans.substr(TPrestito::Size)).DataRes, day(today).toStdString());
    EXPECT_EQ(TPrestito::decode(loans.substr(0, TPrestito::Size)).DataRes, "");
}
