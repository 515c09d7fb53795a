// SPDX-License-Identifier: GPL-3.0-or-later
// The help window on screen: its text, the link that turns orange while pressed and opens the
// guide beside the program, and the guide itself as the build writes it.

#include "UiSupport.h"
#include "core/shell/HelpTexts.h"
#include "core/shell/Password.h"
#include "support/TempDir.h"
#include "ui/platform/Widgets.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

QColor colourOf(QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

} // namespace

TEST(HelpWindow, TheLinkIsOrangeWhileHeldAndAClickOpensTheGuideBesideTheProgram) {
    TempDir dir;
    password::installFirstAccess(dir.path());
    ui::Program program(dir.path());
    program.start();
    Application& app = program.app;
    QStringList messages, opened;
    program.platform.messageHook = [&](const QString& text, MsgKind, bool) {
        messages << text;
        return MsgButton::OK;
    };
    bool guideOpens = true;
    program.platform.desktopHandlerHook = [&](const QUrl&) { return guideOpens; };
    program.platform.shellOpenHook = [&](const QString& url) { opened << url; };
    program.platform.dispatch([&] {
        app.show(app.frmLibri);
        app.hide(app.frmPassword);
    });
    auto* guida = widget<QWidget>(program.platform, app.frmLibri, "cmdGuida");
    ASSERT_NE(guida, nullptr);

    bool seen = false;
    whenModal([&](QWidget* w) {
        seen = true;
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(" Guida all'utilizzo del software"));
        EXPECT_EQ(w->findChild<QLabel*>("lblTitolo")->text(),
                  QString::fromUtf8("Applicazione Archivio Libri."));
        // The paragraphs stand apart, each on its own, as the librarian reads them.
        const QString text = w->findChild<QPlainTextEdit*>("txtGuida")->toPlainText();
        EXPECT_TRUE(text.startsWith(QString::fromUtf8("L'Archivio Libri serve a catalogare")));
        EXPECT_EQ(text.count(QStringLiteral("\n\n")),
                  int(help::find(help::ArchivioLibri)->paragraphs.size()) - 1);
        EXPECT_FALSE(text.contains(QLatin1Char('\r')));

        auto* link = w->findChild<ui::LinkLabel*>("lnkWeb");
        auto* icon = w->findChild<QWidget*>("imgPDF");
        ASSERT_TRUE(link && icon);
        EXPECT_EQ(link->text(), QStringLiteral("Visualizza guida in formato PDF"));
        EXPECT_TRUE(link->font().underline());
        const QColor blue(0x00, 0x00, 0x8B), orange(0xFF, 0xA5, 0x00);
        EXPECT_EQ(colourOf(link), blue);
        // Held on the icon, released away from it: orange while held, blue again, nothing opened.
        QTest::mousePress(icon, Qt::LeftButton);
        EXPECT_EQ(colourOf(link), orange);
        QTest::mouseRelease(icon, Qt::LeftButton, {}, QPoint(-40, -40));
        EXPECT_EQ(colourOf(link), blue);
        EXPECT_TRUE(opened.isEmpty());
        // A click on the words opens the guide beside the program.
        QTest::mousePress(link, Qt::LeftButton);
        EXPECT_EQ(colourOf(link), orange);
        QTest::mouseRelease(link, Qt::LeftButton);
        EXPECT_EQ(colourOf(link), blue);
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(QUrl(opened[0]).toLocalFile(), QStringLiteral(QUADERNA_BIN_DIR "/Guida.pdf"));
        // The keyboard reaches the link too: Tab to it, Enter follows it.
        EXPECT_EQ(link->focusPolicy(), Qt::StrongFocus);
        link->setFocus(Qt::TabFocusReason);
        QTest::keyClick(link, Qt::Key_Return);
        EXPECT_EQ(opened.size(), 2);
        // With nothing on the desktop to open it, the window says so and stays.
        EXPECT_TRUE(messages.isEmpty());
        guideOpens = false;
        QTest::mouseClick(link, Qt::LeftButton);
        EXPECT_EQ(opened.size(), 2);
        EXPECT_TRUE(w->isVisible());
        w->findChild<QPushButton*>("btnChiudi")->click();
    });
    QTest::mouseClick(guida, Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(messages,
              QStringList{QString::fromUtf8("Attenzione: il sistema non permette di aprire la guida in "
                                            "formato PDF.\n\nAccertarsi che sul computer sia "
                                            "installato un programma per la lettura dei file PDF.")});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(UserGuide, TheGuideBesideTheProgramHasEveryTopicAndNamesEveryWindow) {
    const QString guide = QStringLiteral(QUADERNA_BIN_DIR "/Guida.pdf");
    ASSERT_TRUE(QFileInfo::exists(guide)) << "the build writes the user guide beside the program";
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {guide, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0);
    // Words as a reader finds them, whatever the lines and the justification.
    const QString text = QString::fromUtf8(p.readAllStandardOutput()).simplified();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Quaderna 3.0 Guida all'utilizzo del software")));
    int chapter = 0;
    for (const auto& t : help::topics()) {
        const QString title = QString::fromUtf8(t.title.data(), t.title.size());
        EXPECT_TRUE(text.contains(QStringLiteral("%1. %2").arg(++chapter).arg(title))) << t.title;
        // The help window's own words, in the guide.
        const QString first = QString::fromUtf8(t.paragraphs.front().data(), t.paragraphs.front().size());
        EXPECT_TRUE(text.contains(first.left(60))) << t.title;
    }
    for (const auto& w : help::windows())
        EXPECT_TRUE(text.contains(QString::fromUtf8(w.name.data(), w.name.size()))) << w.className;
    // Each window says where it opens from, once.
    EXPECT_FALSE(text.contains(QStringLiteral("si apre da: si apre")));
    EXPECT_TRUE(text.contains(QStringLiteral("si apre da: finestra di accesso")));
}
