// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/Widening.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace quaderna::ui {

namespace {

const char* const kBase = "quadernaBase";         // the geometry the part was drawn with
const char* const kFollow = "quadernaFollow";     // how it follows the extra width
const char* const kMaxWidth = "quadernaMaxWidth"; // on a widening panel: how wide it may grow
constexpr int kMargin = 8;                        // the window's room left on each side

// The focus highlight drawn behind a text box: "eff" and the field, beside the box.
QWidget* highlightOf(QWidget* w) {
    if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w))
        return nullptr;
    const QString name = w->objectName();
    const bool prefixed = name.startsWith(QLatin1String("txt")) || name.startsWith(QLatin1String("tit"));
    const QString eff = QStringLiteral("eff") + name.mid(prefixed ? 3 : 0);
    return w->parentWidget() ? w->parentWidget()->findChild<QWidget*>(eff, Qt::FindDirectChildrenOnly)
                             : nullptr;
}

class ScrollHome : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* list = qobject_cast<QListView*>(watched))
                list->horizontalScrollBar()->setValue(0);
        return false;
    }
};

} // namespace

void widenWith(QWidget* panel, int maxWidth) {
    panel->setProperty(kBase, panel->geometry());
    panel->setProperty(kMaxWidth, std::max(maxWidth, panel->width()));
}

void follow(QWidget* w, Follow how) {
    for (QWidget* part : {w, highlightOf(w)}) {
        if (!part)
            continue;
        part->setProperty(kBase, part->geometry());
        part->setProperty(kFollow, static_cast<int>(how));
    }
}

void followRest(QWidget* parent, Follow how) {
    for (QWidget* w : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!w->property(kFollow).isValid() && !w->isWindow())
            follow(w, how);
}

void widenPanels(QWidget* window) {
    for (QWidget* panel : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QVariant max = panel->property(kMaxWidth);
        if (!max.isValid())
            continue;
        const QRect base = panel->property(kBase).toRect();
        const int width = std::clamp(window->width() - 2 * kMargin, base.width(), max.toInt());
        if (panel->width() != width)
            panel->setFixedSize(width, base.height());
        // Parents come before their parts, so each part sees its parent's final width.
        for (QWidget* w : panel->findChildren<QWidget*>()) {
            const QVariant how = w->property(kFollow);
            const QRect parentBase = w->parentWidget()->property(kBase).toRect();
            if (!how.isValid() || !parentBase.isValid())
                continue;
            const int extra = w->parentWidget()->width() - parentBase.width();
            QRect r = w->property(kBase).toRect();
            switch (static_cast<Follow>(how.toInt())) {
            case Follow::Left:
                break;
            case Follow::Stretch:
                r.setWidth(r.width() + extra);
                break;
            case Follow::Right:
                r.translate(extra, 0);
                break;
            case Follow::Centre:
                r.translate(extra / 2, 0);
                break;
            }
            if (w->geometry() != r)
                w->setGeometry(r);
        }
    }
}

int itemWidthFor(const QFont& font, int chars) {
    // The line and the margins an item's text is drawn within.
    const QStyle* style = QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    const double line = QFontMetricsF(font).horizontalAdvance(QString(chars, QLatin1Char('M')));
    return static_cast<int>(std::ceil(line)) + 2 * margin + 2;
}

int listWidthFor(const QFont& font, int chars) {
    const QStyle* style = QApplication::style();
    return itemWidthFor(font, chars) + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth) +
           style->pixelMetric(QStyle::PM_ScrollBarExtent);
}

void scrollHomeOnShow(QListView* list) {
    list->installEventFilter(new ScrollHome(list));
}

} // namespace quaderna::ui
