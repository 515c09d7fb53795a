// SPDX-License-Identifier: GPL-3.0-or-later
// The real preview window, with no stand-in: it opens with its pages and nothing over them, and
// "Annulla" on its progress window gives it up before it shows.

#include "UiSupport.h"
#include "core/reports/Layouts.h"
#include "support/TempDir.h"
#include "support/Users.h"
#include "ui/platform/ReportPreview.h"

#include <QAction>
#include <QPrintPreviewWidget>
#include <QProgressDialog>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

std::vector<std::string> listLines(int n) {
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i)
        lines.push_back("Cod. L" + std::to_string(10000 + i) + "   Titolo " + std::to_string(i));
    return lines;
}

bool progressOnScreen() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QProgressDialog*>(w) && w->isVisible())
            return true;
    return false;
}

struct Looked {
    bool shown = false;
    int pages = 0;
    bool progressOver = true, holdsKeyboard = false, zooms = false;
};

// Once the preview is on screen the person waits past the progress window's delay, looks, zooms
// and closes it.
void lookAtThePreview(Looked& seen, int delayMs) {
    whenShown<ui::ReportPreview>([&seen, delayMs](ui::ReportPreview* window) {
        seen.shown = true;
        QTest::qWait(delayMs + 400);
        seen.progressOver = progressOnScreen();
        seen.holdsKeyboard = QApplication::activeModalWidget() == window;
        seen.pages = window->view()->pageCount();
        const qreal zoom = window->view()->zoomFactor();
        window->findChild<QAction*>(QStringLiteral("actIngrandisci"))->trigger();
        seen.zooms = window->view()->zoomFactor() > zoom;
        window->findChild<QAction*>(QStringLiteral("actChiudi"))->trigger();
    });
}

} // namespace

TEST(RealPreview, TheUserSheetAndAListOpenWithTheirPagesAndNoProgressWindowOverThem) {
    TempDir dir;
    storeUsers(dir.path(), {user("Rossi Maria", "101")});
    ui::Program program(dir.path());
    program.start();
    Application& app = program.app;
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmAnagrafica"); });
    program.platform.dispatch([&] { app.frmAnagrafica.cmdPrimo.onClick(); });

    Looked sheet;
    lookAtThePreview(sheet, program.platform.progressDelayMs);
    program.platform.dispatch([&] { app.frmAnagrafica.cmdAnteprima.onClick(); });
    EXPECT_TRUE(sheet.shown);
    EXPECT_EQ(sheet.pages, 1);
    EXPECT_FALSE(sheet.progressOver);
    EXPECT_TRUE(sheet.holdsKeyboard);
    EXPECT_TRUE(sheet.zooms);

    Report list = reports::riepilogoDati();
    reports::fillList(list, "Riepilogo libri in archivio", listLines(150));
    Looked pages;
    lookAtThePreview(pages, program.platform.progressDelayMs);
    program.platform.preview(list);
    EXPECT_TRUE(pages.shown);
    EXPECT_EQ(pages.pages, static_cast<int>(list.paginate().size()));
    EXPECT_GE(pages.pages, 3);
    EXPECT_FALSE(pages.progressOver);
    EXPECT_TRUE(pages.holdsKeyboard);
    EXPECT_FALSE(progressOnScreen());
}

TEST(RealPreview, AnnullaOnTheProgressWindowGivesUpThePreviewBeforeItShows) {
    ui::QtPlatform platform;
    platform.progressDelayMs = 0; // as a job that promises to last long
    Report list = reports::riepilogoDati();
    reports::fillList(list, "Riepilogo libri in archivio", listLines(6000));
    QString label;
    whenShown<QProgressDialog>([&](QProgressDialog* progress) {
        label = progress->labelText();
        progress->findChild<QPushButton*>()->click();
    });
    // Should the preview open all the same, it is seen and closed.
    bool previewShown = false;
    QPointer<QTimer> watch = whenShown<ui::ReportPreview>([&](ui::ReportPreview* window) {
        previewShown = true;
        window->reject();
    });
    platform.preview(list);
    EXPECT_EQ(label, QStringLiteral("Anteprima in preparazione..."));
    EXPECT_FALSE(previewShown);
    EXPECT_FALSE(progressOnScreen());
    delete watch;
}
