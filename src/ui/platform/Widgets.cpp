// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/Widgets.h"

#include "core/forms/Controls.h"
#include "ui/platform/QtPlatform.h"

#include "core/text/Text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QWheelEvent>

#include <algorithm>

namespace quaderna::ui {

QPixmap artPixmap(const QString& resource, const QSize& size) {
    if (resource.endsWith(QLatin1String(".svg"))) {
        QSvgRenderer renderer(resource);
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
        return pm;
    }
    return QPixmap(resource).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

ImageButton::ImageButton(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void ImageButton::setArt(const QString& resource) {
    resource_ = resource;
    setPixmap(artPixmap(resource, size()));
}

QFont fittedFont(const QString& text, QFont font, const QSize& area, int smallest) {
    // The largest size from the font's own down to `smallest` at which every line fits. Text
    // grows nearly in step with its size, so the size measured once gives where to look, and
    // only the sizes next to it are measured (each size measured loads the face at that size).
    const QStringList lines = text.split(QLatin1Char('\n'));
    const int largest = font.pixelSize();
    const auto fits = [&](int size) {
        font.setPixelSize(size);
        const QFontMetrics fm(font);
        bool ok = lines.size() * fm.height() <= area.height();
        for (const QString& line : lines)
            ok = ok && fm.horizontalAdvance(line) <= area.width();
        return ok;
    };
    if (largest < smallest || fits(largest)) {
        font.setPixelSize(std::max(largest, smallest));
        return font;
    }
    const QFontMetrics fm(font);
    int widest = 1;
    for (const QString& line : lines)
        widest = std::max(widest, fm.horizontalAdvance(line));
    const int tallest = std::max(1, static_cast<int>(lines.size()) * fm.height());
    int size = std::clamp(std::min(largest * area.width() / widest, largest * area.height() / tallest),
                          smallest, largest - 1);
    if (fits(size)) {
        while (size + 1 < largest && fits(size + 1))
            ++size;
    } else {
        while (size > smallest && !fits(--size)) {
        }
    }
    font.setPixelSize(size);
    return font;
}

void ImageButton::setCaption(const QString& caption, const QFont& font, const QColor& colour,
                             const QRect& area) {
    caption_ = caption;
    captionArea_ = area;
    captionColour_ = colour;
    captionFont_ = fittedFont(caption, font, area.size());
    setAccessibleName(QString(caption).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    update();
}

void ImageButton::paintEvent(QPaintEvent* e) {
    QLabel::paintEvent(e);
    if (caption_.isEmpty())
        return;
    QPainter p(this);
    p.setFont(captionFont_);
    QColor colour = captionColour_;
    if (!isEnabled())
        colour.setAlphaF(0.35f);
    p.setPen(colour);
    p.drawText(captionArea_, Qt::AlignCenter, caption_);
}

void ImageButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        down_ = true;
        emit pressed();
    }
}

void ImageButton::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && down_) {
        down_ = false;
        emit released();
        if (rect().contains(e->position().toPoint()))
            emit clicked();
    }
}

void ImageButton::keyPressEvent(QKeyEvent* e) {
    // The space bar presses the picture and letting it go clicks it, as on a push button.
    if (e->key() == Qt::Key_Space && e->modifiers() == Qt::NoModifier) {
        if (!e->isAutoRepeat())
            spaceDown_ = true;
        return;
    }
    QLabel::keyPressEvent(e);
}

void ImageButton::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat() && spaceDown_) {
        spaceDown_ = false;
        emit clicked();
        return;
    }
    QLabel::keyReleaseEvent(e);
}

void ImageButton::focusOutEvent(QFocusEvent* e) {
    spaceDown_ = false; // a space let go elsewhere clicks nothing
    QLabel::focusOutEvent(e);
}

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

void LinkLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        down_ = true;
        emit pressed();
    }
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && down_) {
        down_ = false;
        emit released();
        if (rect().contains(e->position().toPoint()))
            emit clicked();
    }
}

void LinkLabel::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(e);
}

void LinkLabel::paintEvent(QPaintEvent* e) {
    QLabel::paintEvent(e);
    if (!hasFocus())
        return;
    // The words that Enter or the space bar would follow.
    QPainter p(this);
    QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
    p.setPen(pen);
    const QRect words = fontMetrics().boundingRect(contentsRect(), int(alignment()), text());
    p.drawRect(words.adjusted(-2, -1, 1, 0).intersected(rect().adjusted(0, 0, -1, -1)));
}

void ImageButton::changeEvent(QEvent* e) {
    QLabel::changeEvent(e);
    if (e->type() == QEvent::EnabledChange && !resource_.isEmpty()) {
        QPixmap pm = artPixmap(resource_, size());
        if (!isEnabled()) {
            QPixmap faded(pm.size());
            faded.fill(Qt::transparent);
            QPainter p(&faded);
            p.setOpacity(0.35);
            p.drawPixmap(0, 0, pm);
            pm = faded;
        }
        setPixmap(pm);
    }
}

void PictureBox::setImage(const QImage& image) {
    if (image.cacheKey() == image_.cacheKey())
        return;
    image_ = image;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (image_.isNull())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize s = image_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
    p.drawImage(target, image_);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

void GradientBackground::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(70, 130, 180));
    g.setColorAt(1, Qt::white);
    p.fillRect(rect(), g);
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {}

void ComboBox::showPopup() {
    if (!locked)
        QComboBox::showPopup();
}

void ComboBox::wheelEvent(QWheelEvent* e) {
    if (locked)
        e->ignore();
    else
        QComboBox::wheelEvent(e);
}

void ComboBox::keyPressEvent(QKeyEvent* e) {
    const bool changesItem = e->key() == Qt::Key_Up || e->key() == Qt::Key_Down ||
                             e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown ||
                             e->key() == Qt::Key_F4;
    if (locked && changesItem)
        e->ignore();
    else
        QComboBox::keyPressEvent(e);
}

SuggestionList::SuggestionList(QWidget* box) : QListWidget(box->window()), box_(box) {
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFont(box->font());
    hide();
}

void SuggestionList::suggest(const std::vector<std::string>& items, const QString& typed) {
    clear();
    const std::string want = text::upperAZ(us(typed));
    if (!want.empty())
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::string& item = items[i];
            if (text::upperAZ(item.substr(0, want.size())) != want)
                continue;
            auto* line = new QListWidgetItem(qs(item), this);
            line->setData(Qt::UserRole, static_cast<int>(i));
        }
    if (count() == 0 || (count() == 1 && item(0)->text() == typed)) {
        hide();
        return;
    }
    setCurrentRow(-1);
    const int rows = std::min(count(), 8);
    const QPoint below = box_->mapToGlobal(QPoint(0, box_->height()));
    setGeometry(
        QRect(below, QSize(std::max(box_->width(), 160), rows * sizeHintForRow(0) + 2 * frameWidth())));
    show();
    raise();
}

bool SuggestionList::step(int delta) {
    if (!isVisible() || count() == 0)
        return false;
    const int row =
        currentRow() < 0 ? (delta > 0 ? 0 : count() - 1) : std::clamp(currentRow() + delta, 0, count() - 1);
    setCurrentRow(row);
    return true;
}

int SuggestionList::highlighted() const {
    const QListWidgetItem* line = currentItem();
    return isVisible() && line ? line->data(Qt::UserRole).toInt() : -1;
}

void SuggestionList::mouseReleaseEvent(QMouseEvent* e) {
    QListWidgetItem* line = itemAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && line) {
        hide();
        emit picked(line->data(Qt::UserRole).toInt());
    }
}

LinesModel::LinesModel(const ListBox& lines, QObject* parent) : QAbstractListModel(parent), lines_(lines) {}

int LinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : lines_.count();
}

QVariant LinesModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= lines_.count())
        return {};
    return qs(lines_.item(index.row()));
}

bool LinesModel::sync() {
    if (revision_ == lines_.revision())
        return false;
    beginResetModel();
    revision_ = lines_.revision();
    endResetModel();
    return true;
}

} // namespace quaderna::ui

namespace quaderna::ui {

FocusMark::FocusMark(QWidget* window) : QWidget(window), window_(window) {
    setObjectName(QStringLiteral("focusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    // The mark stays with the window's own focus widget, also while another window has the
    // keyboard: it shows where the keyboard goes when the window is active again.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        follow(now && now->window() == window_ ? now : window_->focusWidget());
    });
    window->installEventFilter(this);
}

bool FocusMark::marks(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const ImageButton*>(w) ||
           qobject_cast<const LinkLabel*>(w);
}

void FocusMark::follow(QWidget* now) {
    if (now == target_ && (!now || isVisible() == now->isVisible())) {
        if (now)
            place();
        return;
    }
    if (target_)
        target_->removeEventFilter(this);
    target_ = now && marks(now) && now->parentWidget() ? now : nullptr;
    if (!target_) {
        hide();
        return;
    }
    target_->installEventFilter(this);
    if (parentWidget() != target_->parentWidget())
        setParent(target_->parentWidget());
    place();
}

void FocusMark::place() {
    if (!target_ || !target_->isVisible()) {
        hide();
        return;
    }
    setGeometry(target_->geometry().adjusted(-4, -4, 4, 4));
    raise();
    show();
    update();
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show))
        follow(window_->focusWidget());
    if (watched == target_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusMark::paintEvent(QPaintEvent*) {
    // A ring three pixels wide in the four pixels around the command: orange shows on the white
    // panels, on the blue backgrounds and on the dark buttons alike.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0xFF, 0x8C, 0x00), 3);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
}

} // namespace quaderna::ui
