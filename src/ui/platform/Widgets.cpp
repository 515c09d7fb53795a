#include "ui/platform/Widgets.h"

#include "core/forms/Controls.h"
#include "ui/platform/QtPlatform.h"

#include <QEvent>
#include <QFile>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

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
    setFocusPolicy(Qt::NoFocus);
}

void ImageButton::setArt(const QString& resource) {
    resource_ = resource;
    setPixmap(artPixmap(resource, size()));
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
        if (rect().contains(e->position().toPoint()))
            emit clicked();
    }
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

LinesModel::LinesModel(const ListBox& lines, QObject* parent) : QAbstractListModel(parent), lines_(lines) {}

int LinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : lines_.count();
}

QVariant LinesModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= lines_.count())
        return {};
    return qs(lines_.items()[static_cast<std::size_t>(index.row())]);
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
