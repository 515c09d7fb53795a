// SPDX-License-Identifier: GPL-3.0-or-later
// The loan sheet, the returns sheet and the history list show each whole line on a laptop screen
// (1366 by 768: a maximised window there has about 1364 by 740 pixels), at the lists' own
// Courier New 12 pixels, and open scrolled to the left.

#include "UiSupport.h"
#include "core/shell/Password.h"
#include "core/storage/Prestito.h"
#include "support/TempDir.h"

#include <QFontMetrics>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

const QSize kLaptop(1364, 740);
const QSize kSmallest(1000, 700);

// A loan whose code, title and borrower fill their fields: the longest line each list can hold.
TPrestito fullLoan(int n, const std::string& today) {
    TPrestito p;
    p.Tesserato = "Esposito Chiara Maria Antonietta Benedetta Rosalba"; // 50 characters
    p.NumTessera = "T-1";
    p.Recapito = "333 1234567";
    p.Codice = "NAR-" + std::to_string(1000 + n) + "-WWWWWWWWWWWWWWW"; // 24
    p.Titolo = std::string(80, 'W');
    p.Data = today;
    p.DataSca = today;
    return p;
}

void resizeTo(QWidget* window, QSize size) {
    window->resize(size);
    QApplication::processEvents();
}

// Every line shows whole in the list's viewport, with nothing to scroll sideways.
void expectWholeLines(QListView* list) {
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->model()->rowCount(), 0);
    EXPECT_EQ(list->font().pixelSize(), 12);
    EXPECT_TRUE(list->verticalScrollBar()->isVisible()) << "enough lines to need the vertical bar";
    const QFontMetrics fm(list->font());
    const int room = list->viewport()->width();
    QStringList cut;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QModelIndex i = list->model()->index(row, 0);
        const QString line = i.data().toString();
        const QRect item = list->visualRect(i);
        if (item.width() < fm.horizontalAdvance(line) || item.right() >= room)
            cut << QStringLiteral("%1 (item %2 to %3, room %4)")
                       .arg(line)
                       .arg(item.left())
                       .arg(item.right())
                       .arg(room);
    }
    EXPECT_TRUE(cut.isEmpty()) << cut.size() << " lines cut, the first: " << cut.value(0).toStdString();
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
}

class LinesFit : public ::testing::Test {
protected:
    void SetUp() override {
        password::installFirstAccess(dir.path());
        std::string bytes;
        for (int n = 0; n < 30; ++n)
            bytes += fullLoan(n, today.format()).encode();
        writeBytes(dir / loans::yearFileName(today.year), bytes);
        program.start();
        program.platform.messageHook = [](const QString&, MsgKind, bool) { return MsgButton::OK; };
        program.platform.dispatch([&] {
            app.show(app.frmAvvio);
            app.hide(app.frmPassword);
        });
    }

    // The loan or returns window on the sheet of card T-1.
    template <class Window> QListView* openSheet(Window& w, void (TfrmMenuPrestiti::*entry)()) {
        program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmMenuPrestiti"); });
        program.platform.dispatch([&] { (app.frmMenuPrestiti.*entry)(); });
        program.platform.dispatch([&] {
            w.txtTesserato.text = "Esposito Chiara";
            w.txtNumTessera.text = "T-1";
            w.btnVisualizzaClick();
        });
        ui::FormView* view = program.platform.viewOf(w);
        EXPECT_TRUE(view && view->isVisible());
        QApplication::processEvents();
        return view->findChild<QListView*>(QStringLiteral("lstRecords"));
    }

    TempDir dir;
    ui::Program program{dir.path()};
    Application& app = program.app;
    const Date today = app.today();
};

TEST_F(LinesFit, TheLoanAndReturnSheetsShowWholeLinesAndReopenScrolledToTheLeft) {
    struct Case {
        const char* name;
        Form& window;
        std::function<QListView*()> open;
    } cases[] = {
        {"loans", app.frmPrestiti,
         [&] { return openSheet(app.frmPrestiti, &TfrmMenuPrestiti::btnApriPrestitoClick); }},
        {"returns", app.frmRestituzioni,
         [&] { return openSheet(app.frmRestituzioni, &TfrmMenuPrestiti::btnApriRestituzioneClick); }},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        QListView* sheet = c.open();
        ui::FormView* view = program.platform.viewOf(c.window);
        ASSERT_EQ(sheet->model()->rowCount(), 30);
        resizeTo(view, kLaptop);
        expectWholeLines(sheet);
        // On the smallest window the line scrolls; the next showing starts at the left again.
        resizeTo(view, kSmallest);
        QScrollBar* sideways = sheet->horizontalScrollBar();
        ASSERT_GT(sideways->maximum(), 0);
        sideways->setValue(sideways->maximum());
        program.platform.dispatch([&] { app.close(c.window); });
        EXPECT_FALSE(view->isVisible());
        sheet = c.open();
        EXPECT_EQ(sheet->horizontalScrollBar()->value(), 0);
        program.platform.dispatch([&] { app.close(c.window); });
    }
}

TEST_F(LinesFit, TheHistoryListShowsWholeLinesWithTheLongestBorrower) {
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmMenuStorico"); });
    program.platform.dispatch([&] { app.frmMenuStorico.btnApriStoricoClick(); });
    TfrmMenuRiepilogoPrestiti& q = app.frmMenuRiepilogoPrestiti;
    program.platform.dispatch([&] {
        q.txtGiornoInizio.text = "01";
        q.txtMeseInizio.text = "Gennaio";
        q.txtGiornoFine.text = "31";
        q.txtMeseFine.text = "Dicembre";
    });
    bool seen = false;
    whenModal([&](QWidget* list) {
        seen = true;
        resizeTo(list, kLaptop);
        auto* lines = list->findChild<QListView*>(QStringLiteral("lstRecords"));
        ASSERT_NE(lines, nullptr);
        EXPECT_EQ(lines->model()->rowCount(), 30);
        EXPECT_TRUE(lines->model()->index(0, 0).data().toString().endsWith(
            QStringLiteral("Utente: Esposito Chiara Maria Antonietta Benedetta Rosalba")));
        expectWholeLines(lines);
        list->findChild<QPushButton*>(QStringLiteral("btnEsci"))->click();
    });
    program.platform.dispatch([&] { q.btnVisualizzaClick(); });
    EXPECT_TRUE(seen);
}

} // namespace
