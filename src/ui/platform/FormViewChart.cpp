// SPDX-License-Identifier: GPL-3.0-or-later
// The chart binder of FormView.

#include "core/reports/Chart.h"
#include "ui/platform/ChartPainter.h"
#include "ui/platform/FormView.h"

namespace quaderna::ui {

ChartWidget* FormView::chart(QWidget* parent, ChartBox& m, const QRect& r) {
    auto* w = new ChartWidget(parent);
    track(m, w);
    w->setGeometry(r);
    setBackground(w);
    refreshers_.push_back([w, &m] {
        w->setChart(m.chart);
        w->setVisible(m.visible);
    });
    return w;
}

} // namespace quaderna::ui
