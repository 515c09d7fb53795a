// SPDX-License-Identifier: GPL-3.0-or-later
// Every window as the fonts of this system draw it: no caption, heading, button or hint is cut.

#include "UiSupport.h"
#include "core/shell/Password.h"
#include "support/TempDir.h"
#include "ui/platform/Widgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

QString plain(QString s) {
    return s.remove(QLatin1Char('&'));
}

// What of a window a person cannot read whole.
QStringList cutTexts(QWidget* window) {
    QStringList faults;
    const auto fault = [&](QWidget* w, const QString& text, const QString& why) {
        faults << QStringLiteral("%1 / %2 \"%3\": %4")
                      .arg(window->objectName(), w->objectName(), text.left(40), why);
    };
    QLabel* status = window->findChild<QLabel*>(QStringLiteral("panInfo"));
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto* b = qobject_cast<ui::ImageButton*>(w)) {
            if (b->caption().isEmpty())
                continue;
            const QFontMetrics fm(b->captionFont());
            const QStringList lines = b->caption().split(QLatin1Char('\n'));
            for (const QString& line : lines)
                if (fm.horizontalAdvance(line) > b->captionArea().width())
                    fault(w, line, QStringLiteral("wider than its button"));
            if (lines.size() * fm.height() > b->captionArea().height())
                fault(w, b->caption(), QStringLiteral("taller than its button"));
            if (b->captionFont().pixelSize() < 10)
                fault(w, b->caption(), QStringLiteral("shrunk below 10 pixels"));
            if (!b->rect().contains(b->captionArea()))
                fault(w, b->caption(), QStringLiteral("written outside its button"));
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty() || !l->pixmap().isNull() || l == status)
                continue;
            const QRect room = l->contentsRect();
            const QFontMetrics fm(l->font());
            if (l->wordWrap()) {
                if (l->heightForWidth(room.width()) > room.height())
                    fault(w, l->text(), QStringLiteral("wraps to more lines than its height holds"));
                continue;
            }
            const QStringList lines = l->text().split(QLatin1Char('\n'));
            for (const QString& line : lines)
                if (fm.horizontalAdvance(line) > room.width())
                    fault(w, line, QStringLiteral("wider than its label"));
            if (lines.size() * fm.height() > room.height() + 2)
                fault(w, l->text(), QStringLiteral("taller than its label"));
        } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
            if (c->sizeHint().width() > c->width())
                fault(w, c->text(), QStringLiteral("wider than its check box"));
        } else if (auto* p = qobject_cast<QPushButton*>(w)) {
            const QFontMetrics fm(p->font());
            if (fm.horizontalAdvance(plain(p->text())) + 12 > p->width() || fm.height() + 4 > p->height())
                fault(w, p->text(), QStringLiteral("wider or taller than its button"));
        }
        // The hint this control puts on the status line.
        const QVariant hint = w->property("quadernaHint");
        if (status && hint.isValid() && !hint.toString().isEmpty() &&
            QFontMetrics(status->font()).horizontalAdvance(hint.toString()) > status->contentsRect().width())
            fault(w, hint.toString(), QStringLiteral("hint wider than the status line"));
    }
    return faults;
}

} // namespace

TEST(Look, EveryTextOfEveryWindowFitsItsControl) {
    TempDir dir;
    password::installFirstAccess(dir.path());
    ui::Program program(dir.path());
    program.platform.messageHook = [](const QString&, MsgKind, bool) { return MsgButton::OK; };
    program.start();
    QStringList faults, looked;
    for (auto& window : program.platform.sampleWindows(program.app)) {
        SCOPED_TRACE(window->className());
        program.platform.dispatch([&] { window->FormCreate(); });
        ui::FormView* view = program.platform.createView(*window);
        ASSERT_NE(view, nullptr);
        view->show();
        program.platform.dispatch([&] { window->FormShow(); });
        faults << cutTexts(view);
        view->hide();
        delete view;
        looked << QString::fromStdString(window->className());
    }
    for (const char* name : {"TfrmPassword", "TfrmAvvio", "TfrmLibri", "TfrmConsultaLibri", "TfrmAnagrafica",
                             "TfrmTrovaLibri", "TfrmCodFisc"})
        EXPECT_TRUE(looked.contains(QLatin1String(name))) << name;
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

TEST(Look, TheLoginWindowOpensInTheMiddleOfTheScreenWithNoTitleBarButtons) {
    TempDir dir;
    password::installFirstAccess(dir.path());
    ui::Program program(dir.path());
    program.start();
    ui::FormView* login = program.platform.viewOf(program.app.frmPassword);
    ASSERT_NE(login, nullptr);
    const QRect screen = login->screen()->availableGeometry();
    EXPECT_LE((login->frameGeometry().center() - screen.center()).manhattanLength(), 4);
    const Qt::WindowFlags flags = login->windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
}

// A caption fitted to its room takes the largest size that fits, as trying every size from the
// largest down would find, and the smallest allowed when none fits.
TEST(Look, AFittedCaptionTakesTheLargestSizeThatFits) {
    const auto fits = [](const QString& text, QFont font, int size, const QSize& room) {
        font.setPixelSize(size);
        const QFontMetrics fm(font);
        bool ok = text.count(QLatin1Char('\n')) * fm.height() + fm.height() <= room.height();
        for (const QString& line : text.split(QLatin1Char('\n')))
            ok = ok && fm.horizontalAdvance(line) <= room.width();
        return ok;
    };
    for (const QString& text : {QStringLiteral("Password"), QStringLiteral("Riepilogo prestiti\nper tessera"),
                                QStringLiteral("Gestione archivio tesserati e libri")})
        for (const QSize room : {QSize(600, 60), QSize(240, 48), QSize(90, 40), QSize(30, 12)}) {
            const QFont start = ui::typeface("Verdana", 34, true);
            int expected = 8;
            for (int size = 34; size >= 8; --size)
                if (fits(text, start, size, room)) {
                    expected = size;
                    break;
                }
            EXPECT_EQ(ui::fittedFont(text, start, room).pixelSize(), expected)
                << text.toStdString() << " in " << room.width() << "x" << room.height();
        }
}
