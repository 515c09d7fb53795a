// SPDX-License-Identifier: GPL-3.0-or-later
// The grid binder of FormView.

#include "core/forms/Grid.h"
#include "ui/platform/FormView.h"
#include "ui/platform/GridModel.h"
#include "ui/platform/QtPlatform.h"

#include <QHeaderView>
#include <QTableView>

namespace quaderna::ui {

QTableView* FormView::grid(QWidget* parent, Grid& m, const QRect& r, const QFont& f, int rowHeight) {
    auto* v = new QTableView(parent);
    track(m, v);
    v->setGeometry(r);
    v->setFont(f);
    auto* rows = new GridModel(
        m,
        [this, &m](int row, int column, const QString& text) {
            bool stands = false;
            platform_.dispatch([&] { stands = m.edit(row, column, us(text)); });
            return stands;
        },
        v);
    v->setModel(rows);
    v->setAlternatingRowColors(true);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setSelectionBehavior(QAbstractItemView::SelectItems);
    v->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                       QAbstractItemView::AnyKeyPressed);
    v->setWordWrap(false);
    // Fixed row heights and no row headers: a hundred thousand rows are laid out at once.
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->verticalHeader()->setDefaultSectionSize(rowHeight);
    v->verticalHeader()->setMinimumSectionSize(rowHeight);
    v->verticalHeader()->hide();
    v->horizontalHeader()->setHighlightSections(false);
    v->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const auto widths = [v, &m] {
        for (int c = 0; c < m.columnCount(); ++c)
            v->setColumnWidth(c, m.columns()[static_cast<std::size_t>(c)].width);
    };
    widths();
    watchInput(m, v);
    setBackground(v);
    refreshers_.push_back([v, rows, &m, widths] {
        if (rows->sync())
            widths();
        v->setEnabled(m.enabled);
        v->setVisible(m.visible);
    });
    return v;
}

} // namespace quaderna::ui
