// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/Grid.h"

namespace quaderna {

Grid::Grid(Form* owner, std::string name, std::vector<GridColumn> columns)
    : Control(owner, std::move(name)), columns_(std::move(columns)) {
    if (columns_.empty())
        columns_.push_back({"N.", 60, true});
    columns_.front().readOnly = true;
}

void Grid::clear() {
    text_.clear();
    ends_.clear();
    edited_.clear();
    ++revision_;
}

void Grid::reserve(std::size_t rows, std::size_t bytes) {
    ends_.reserve(rows * dataColumns());
    text_.reserve(bytes);
}

void Grid::add(std::string_view cell) {
    text_.append(cell);
    ends_.push_back(text_.size());
    if (dataColumns() && ends_.size() % dataColumns() == 0)
        ++revision_;
}

void Grid::addRow(std::initializer_list<std::string_view> cells) {
    for (std::string_view c : cells)
        add(c);
}

std::string_view Grid::cell(int row, std::size_t dataColumn) const {
    const std::size_t index = static_cast<std::size_t>(row) * dataColumns() + dataColumn;
    if (row < 0 || dataColumn >= dataColumns() || index >= ends_.size())
        return {};
    if (!edited_.empty())
        if (const auto it = edited_.find(index); it != edited_.end())
            return it->second;
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
}

std::string Grid::text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    if (column == 0)
        return std::to_string(row + 1);
    return std::string(cell(row, static_cast<std::size_t>(column - 1)));
}

bool Grid::edit(int row, int column, std::string value) {
    if (readOnly || !enabled || row < 0 || row >= rowCount() || column <= 0 || column >= columnCount() ||
        columns_[static_cast<std::size_t>(column)].readOnly)
        return false;
    const std::size_t index =
        static_cast<std::size_t>(row) * dataColumns() + static_cast<std::size_t>(column - 1);
    if (cell(row, static_cast<std::size_t>(column - 1)) == value)
        return true;
    edited_[index] = std::move(value);
    if (onChange)
        onChange();
    return true;
}

} // namespace quaderna
