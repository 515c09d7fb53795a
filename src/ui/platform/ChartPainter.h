// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The monthly chart drawn with QPainter, the same on screen, in images and on the printer:
// three-dimensional bars or a three-dimensional pie seen straight on (orthogonal projection, no
// perspective), with the title, the value written on each point, the legend and the foot.

#include "core/reports/Chart.h"

#include <QRectF>
#include <QWidget>

class QPainter;

namespace quaderna::ui {

// Draws the chart filling `target`; every size follows the target's width, so a page and a window
// show the same picture.
void paintChart(QPainter& painter, const QRectF& target, const Chart& chart);

// The chart on a window.
class ChartWidget : public QWidget {
public:
    explicit ChartWidget(QWidget* parent) : QWidget(parent) {}
    const Chart& chart() const { return chart_; }
    void setChart(const Chart& chart);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Chart chart_;
};

} // namespace quaderna::ui
