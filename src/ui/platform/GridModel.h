// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of a window's grid shown by a table view without copying them: a cell's text is read
// from the grid when the view draws it, and a person's change goes to the grid's own rule.

#include "core/forms/Grid.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <functional>

namespace quaderna::ui {

class GridModel : public QAbstractTableModel {
public:
    // `edit` runs a person's change of a cell on behalf of the window; true when it stands.
    GridModel(const Grid& grid, std::function<bool(int row, int column, const QString& text)> edit,
              QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // Reloads when the rows changed since the last look.
    bool sync();

private:
    const Grid& grid_;
    std::function<bool(int, int, const QString&)> edit_;
    std::uint64_t revision_ = ~std::uint64_t{0};
};

} // namespace quaderna::ui
