// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/ChartPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quaderna::ui {

namespace {

// The chart is laid out on a canvas this many units wide, then scaled to its target.
constexpr double kWidth = 1000;

QString qtext(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QColor colourOf(std::uint32_t argb) {
    return QColor::fromRgba(argb);
}

QFont fontOf(const Font& f) {
    QFont q(QString::fromStdString(f.family));
    q.setPixelSize(std::max(1, static_cast<int>(std::lround(f.size * 96.0 / 72.0))));
    q.setBold(f.bold);
    return q;
}

QFont verdana(int pixels, bool bold = false) {
    QFont q(QStringLiteral("Verdana"));
    q.setPixelSize(pixels);
    q.setBold(bold);
    return q;
}

QString valueText(double v) {
    if (std::abs(v - std::round(v)) < 1e-9)
        return QString::number(static_cast<long long>(std::llround(v)));
    return QString::number(v, 'f', 1);
}

// A point of the ellipse inscribed in `r` at `degrees` (counter-clockwise from three o'clock).
QPointF onEllipse(const QRectF& r, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return {r.center().x() + r.width() / 2 * std::cos(a), r.center().y() - r.height() / 2 * std::sin(a)};
}

// A value written on its point: the figure in a small pale box centred on `at`.
void drawMark(QPainter& p, const QPointF& at, double v) {
    const QFont f = verdana(12);
    const QFontMetricsF fm(f);
    const QString t = valueText(v);
    const QSizeF size(fm.horizontalAdvance(t) + 8, fm.height() + 2);
    const QRectF box(at.x() - size.width() / 2, at.y() - size.height() / 2, size.width(), size.height());
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 0.8));
    p.setBrush(QColor(0xFF, 0xFF, 0xE1));
    p.drawRect(box);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, t);
}

// Zero to the top of the value scale in about five round steps.
std::pair<double, double> valueScale(double highest) {
    if (highest <= 0)
        return {1, 5};
    const double rough = highest * 1.1 / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = magnitude;
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * magnitude >= rough) {
            step = m * magnitude;
            break;
        }
    step = std::max(step, 1.0);
    return {step, std::ceil(highest * 1.1 / step) * step};
}

void drawBars(QPainter& p, const QRectF& area, const Chart& c) {
    const std::size_t n = std::max<std::size_t>(c.points.size(), 1);
    double highest = 0;
    for (const auto& pt : c.points)
        highest = std::max(highest, pt.value);
    const auto [step, top] = valueScale(highest);
    const QFont axis = verdana(13);
    const QFontMetricsF am(axis);
    const double labelWidth = am.horizontalAdvance(valueText(top)) + 12;
    const double slotGuess = (area.width() - labelWidth) / static_cast<double>(n);
    const double dx = std::min(slotGuess * 0.3, 18.0), dy = -dx * 0.8;

    // The front plane of the plot; the walls stand behind it, shifted by the depth.
    const QRectF front(QPointF(area.left() + labelWidth, area.top() - dy + 30),
                       QPointF(area.right() - dx - 4, area.bottom() - am.height() - 8));
    if (front.width() <= 10 || front.height() <= 10)
        return;
    const QPointF depth(dx, dy);
    p.setPen(QPen(QColor(0xA8, 0xB4, 0xC4), 0.8));
    p.setBrush(QColor(0xF4, 0xF6, 0xF9));
    p.drawRect(front.translated(depth));
    p.setBrush(QColor(0xE6, 0xEA, 0xF0));
    p.drawPolygon(QPolygonF(
        {front.topLeft(), front.bottomLeft(), front.bottomLeft() + depth, front.topLeft() + depth}));
    p.setBrush(QColor(0xD8, 0xDF, 0xE8));
    p.drawPolygon(QPolygonF(
        {front.bottomLeft(), front.bottomRight(), front.bottomRight() + depth, front.bottomLeft() + depth}));

    // The value scale on the walls.
    p.setFont(axis);
    for (double v = 0; v <= top + step / 2; v += step) {
        const double y = front.bottom() - v / top * front.height();
        p.setPen(QPen(QColor(0xC8, 0xD0, 0xDA), 0.8));
        p.drawLine(QPointF(front.left(), y), QPointF(front.left() + dx, y + dy));
        p.drawLine(QPointF(front.left() + dx, y + dy), QPointF(front.right() + dx, y + dy));
        p.setPen(QColor(0x33, 0x33, 0x33));
        p.drawText(QRectF(area.left(), y - am.height() / 2, labelWidth - 8, am.height()),
                   Qt::AlignRight | Qt::AlignVCenter, valueText(v));
    }

    const double slot = front.width() / static_cast<double>(n);
    const double width = slot * 0.62;
    // The month names under their bars, in a size that fits the slot.
    QFont names = verdana(13);
    double widest = 0;
    for (const auto& pt : c.points)
        widest = std::max(widest, QFontMetricsF(names).horizontalAdvance(qtext(pt.label)));
    for (int px = 13; px > 7 && widest > slot - 2; --px) {
        names = verdana(px - 1);
        widest = 0;
        for (const auto& pt : c.points)
            widest = std::max(widest, QFontMetricsF(names).horizontalAdvance(qtext(pt.label)));
    }

    for (std::size_t i = 0; i < c.points.size(); ++i) {
        const ChartPoint& pt = c.points[i];
        const QColor colour = colourOf(pt.argb);
        const double x = front.left() + static_cast<double>(i) * slot + (slot - width) / 2;
        const double h = std::max(0.0, pt.value) / top * front.height();
        const double y = front.bottom() - h;
        p.setPen(QPen(colour.darker(170), 0.8));
        if (h > 0) {
            p.setBrush(colour.darker(135));
            p.drawPolygon(
                QPolygonF({QPointF(x + width, y), QPointF(x + width, front.bottom()),
                           QPointF(x + width, front.bottom()) + depth, QPointF(x + width, y) + depth}));
            p.setBrush(colour);
            p.drawRect(QRectF(x, y, width, h));
        }
        p.setBrush(colour.lighter(115));
        p.drawPolygon(QPolygonF(
            {QPointF(x, y), QPointF(x + width, y), QPointF(x + width, y) + depth, QPointF(x, y) + depth}));
        if (c.marks)
            drawMark(p, QPointF(x + width / 2 + dx / 2, y + dy - 14), pt.value);
        p.setFont(names);
        p.setPen(QColor(0x22, 0x22, 0x22));
        p.drawText(QRectF(x - (slot - width) / 2, front.bottom() + 4, slot, am.height() + 4),
                   Qt::AlignHCenter | Qt::AlignTop, qtext(pt.label));
    }
}

void drawPie(QPainter& p, const QRectF& area, const Chart& c) {
    double total = 0;
    for (const auto& pt : c.points)
        total += std::max(0.0, pt.value);
    constexpr double tilt = 0.55;
    const double rx =
        std::max(20.0, std::min(area.width() / 2 - 90, (area.height() - 60) / (2 * tilt + 0.22)));
    const double ry = rx * tilt, thickness = rx * 0.2;
    const QPointF centre = area.center() - QPointF(0, thickness / 2);
    const QRectF topFace(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    const QRectF bottomFace = topFace.translated(0, thickness);

    // The rim seen from the front: the part of the slice between 180 and 360 degrees.
    const auto side = [&](double from, double to, const QColor& colour) {
        for (int k = -2; k <= 1; ++k) {
            const double s = std::max(from, 180.0 + 360.0 * k), e = std::min(to, 360.0 + 360.0 * k);
            if (e - s <= 0)
                continue;
            QPainterPath path(onEllipse(topFace, s));
            path.arcTo(topFace, s, e - s);
            path.lineTo(onEllipse(bottomFace, e));
            path.arcTo(bottomFace, e, -(e - s));
            path.closeSubpath();
            p.setPen(QPen(colour.darker(170), 0.8));
            p.setBrush(colour.darker(130));
            p.drawPath(path);
        }
    };
    if (total <= 0) {
        // Nothing to share out: the empty dish.
        side(0, 360, QColor(0xE6, 0xE6, 0xE6));
        p.setPen(QPen(QColor(0x99, 0x99, 0x99), 0.8));
        p.setBrush(QColor(0xF2, 0xF2, 0xF2));
        p.drawEllipse(topFace);
        return;
    }
    // Clockwise from twelve o'clock.
    struct Slice {
        double from, to; // counter-clockwise degrees, from < to
        const ChartPoint* point;
    };
    std::vector<Slice> slices;
    double at = 90;
    for (const auto& pt : c.points) {
        const double span = std::max(0.0, pt.value) / total * 360.0;
        if (span <= 0)
            continue;
        slices.push_back({at - span, at, &pt});
        at -= span;
    }
    for (const auto& s : slices)
        side(s.from, s.to, colourOf(s.point->argb));
    for (const auto& s : slices) {
        const QColor colour = colourOf(s.point->argb);
        p.setPen(QPen(colour.darker(170), 0.8));
        p.setBrush(colour);
        // One month alone is the whole dish, with no edge from the centre to the rim.
        if (slices.size() == 1) {
            p.drawEllipse(topFace);
            continue;
        }
        QPainterPath path(topFace.center());
        path.arcTo(topFace, s.to, -(s.to - s.from));
        path.closeSubpath();
        p.drawPath(path);
    }
    if (!c.marks)
        return;
    for (const auto& s : slices) {
        const double mid = (s.from + s.to) / 2;
        const bool front = std::sin(mid * std::numbers::pi / 180.0) < 0;
        const QPointF rim = onEllipse(topFace, mid) + QPointF(0, front ? thickness : 0);
        const QRectF outer(topFace.center().x() - rx - 40, topFace.center().y() - ry - 40 * tilt, 2 * rx + 80,
                           2 * ry + 80 * tilt);
        const QPointF label = onEllipse(outer, mid) + QPointF(0, front ? thickness : 0);
        p.setPen(QPen(QColor(0x66, 0x66, 0x66), 0.8));
        p.drawLine(rim, label);
        drawMark(p, label, s.point->value);
    }
}

// The legend under the chart: its title, then a coloured square and the label of each point.
double drawLegend(QPainter& p, const Chart& c, double bottom) {
    const QFont titleFont = verdana(14, true), entryFont = verdana(13);
    const QFontMetricsF tm(titleFont), em(entryFont);
    const std::size_t n = c.points.size();
    const std::size_t columns = std::min<std::size_t>(std::max<std::size_t>(n, 1), 6);
    const std::size_t rows = (n + columns - 1) / columns;
    double entry = 0;
    for (const auto& pt : c.points)
        entry = std::max(entry, em.horizontalAdvance(qtext(pt.label)));
    entry += 14 + 8 + 24;
    const double rowHeight = em.height() + 6;
    const double width =
        std::max(static_cast<double>(columns) * entry, tm.horizontalAdvance(qtext(c.legendTitle))) + 24;
    const double height = 8 + tm.height() + 4 + static_cast<double>(rows) * rowHeight + 6;
    const QRectF box((kWidth - width) / 2, bottom - height, width, height);
    p.setPen(QPen(QColor(0xB8, 0xC7, 0xD6), 0.8));
    p.setBrush(Qt::white);
    p.drawRect(box);
    p.setFont(titleFont);
    p.setPen(QColor(0x1F, 0x3A, 0x5F));
    p.drawText(QRectF(box.left() + 12, box.top() + 6, box.width() - 24, tm.height()),
               Qt::AlignLeft | Qt::AlignVCenter, qtext(c.legendTitle));
    p.setFont(entryFont);
    for (std::size_t i = 0; i < n; ++i) {
        const double x = box.left() + 12 + static_cast<double>(i % columns) * entry;
        const double y = box.top() + 8 + tm.height() + 4 + static_cast<double>(i / columns) * rowHeight;
        const QColor colour = colourOf(c.points[i].argb);
        p.setPen(QPen(colour.darker(170), 0.8));
        p.setBrush(colour);
        p.drawRect(QRectF(x, y + (rowHeight - 14) / 2, 14, 14));
        p.setPen(Qt::black);
        p.drawText(QRectF(x + 22, y, entry - 22, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   qtext(c.points[i].label));
    }
    return box.top();
}

} // namespace

void paintChart(QPainter& p, const QRectF& target, const Chart& c) {
    if (target.width() <= 1 || target.height() <= 1)
        return;
    const double scale = target.width() / kWidth;
    const double height = std::max(420.0, target.height() / scale);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(target.topLeft());
    p.scale(scale, scale);
    p.setClipRect(QRectF(0, 0, kWidth, height));
    p.fillRect(QRectF(0, 0, kWidth, height), Qt::white);

    double top = 8;
    if (!c.title.text.empty()) {
        const QFont f = fontOf(c.title.font);
        const double h = QFontMetricsF(f).height();
        p.setFont(f);
        p.setPen(QColor(c.title.font.color.r, c.title.font.color.g, c.title.font.color.b));
        p.drawText(QRectF(0, top, kWidth, h), Qt::AlignCenter, qtext(c.title.text));
        top += h + 6;
    }
    double bottom = height - 6;
    if (!c.foot.text.empty()) {
        const QFont f = fontOf(c.foot.font);
        const double h = QFontMetricsF(f).height();
        p.setFont(f);
        p.setPen(QColor(c.foot.font.color.r, c.foot.font.color.g, c.foot.font.color.b));
        p.drawText(QRectF(0, bottom - h, kWidth, h), Qt::AlignCenter, qtext(c.foot.text));
        bottom -= h + 8;
    }
    bottom = drawLegend(p, c, bottom) - 8;
    const QRectF area(16, top, kWidth - 32, bottom - top);
    if (area.height() > 40) {
        if (c.kind == ChartKind::Bar)
            drawBars(p, area, c);
        else
            drawPie(p, area, c);
    }
    p.restore();
}

void ChartWidget::setChart(const Chart& chart) {
    if (chart == chart_)
        return;
    chart_ = chart;
    update();
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintChart(p, QRectF(rect()), chart_);
}

} // namespace quaderna::ui
