// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/GridModel.h"

#include "ui/platform/QtPlatform.h"

namespace quaderna::ui {

GridModel::GridModel(const Grid& grid, std::function<bool(int, int, const QString&)> edit, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), edit_(std::move(edit)), revision_(grid.revision()) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.rowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.columnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return qs(grid_.text(index.row(), index.column()));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= grid_.columnCount())
        return {};
    return qs(grid_.columns()[static_cast<std::size_t>(section)].header);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!grid_.readOnly && !grid_.columns()[static_cast<std::size_t>(index.column())].readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !edit_(index.row(), index.column(), value.toString()))
        return false;
    emit dataChanged(index, index);
    return true;
}

bool GridModel::sync() {
    if (grid_.revision() == revision_)
        return false;
    beginResetModel();
    revision_ = grid_.revision();
    endResetModel();
    return true;
}

} // namespace quaderna::ui
