// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A grid of text cells (the preview of an export): a first column with the row's number, then the
// data columns. Rows are kept packed, one buffer for every cell, so that a hundred thousand rows
// cost little more than their text.

#include "core/forms/Controls.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quaderna {

struct GridColumn {
    std::string header;
    int width = 100; // pixels
    bool readOnly = false;
};

class Grid : public Control {
public:
    // `columns` starts with the number column ("N."), which is always read-only.
    Grid(Form* owner, std::string name, std::vector<GridColumn> columns);

    const std::vector<GridColumn>& columns() const { return columns_; }
    int columnCount() const { return static_cast<int>(columns_.size()); }
    // Data columns: every column but the number.
    std::size_t dataColumns() const { return columns_.size() - 1; }
    int rowCount() const { return static_cast<int>(dataColumns() ? ends_.size() / dataColumns() : 0); }

    void clear();
    // Room for `rows` rows holding about `bytes` bytes of text.
    void reserve(std::size_t rows, std::size_t bytes);
    // Adds the next cell of the row being filled, left to right; a row is complete after
    // dataColumns() cells.
    void add(std::string_view cell);
    void addRow(std::initializer_list<std::string_view> cells);

    // The text of a data cell (0-based among the data columns), as it stands after any change.
    std::string_view cell(int row, std::size_t dataColumn) const;
    // The text shown in a column, the number column included.
    std::string text(int row, int column) const;

    // A person changes a cell: refused in a read-only column or a disabled grid. True when the new
    // text stands.
    bool edit(int row, int column, std::string text);
    bool readOnly = false;

    // Changes whenever the rows change (not the texts of edited cells), so views reload only then.
    std::uint64_t revision() const { return revision_; }

private:
    std::vector<GridColumn> columns_;
    std::string text_;                                    // every cell, one after the other
    std::vector<std::size_t> ends_;                       // where each cell ends in text_
    std::unordered_map<std::size_t, std::string> edited_; // cell index -> the person's text
    std::uint64_t revision_ = 0;
};

} // namespace quaderna
