// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spreadsheet files of the exports: HTML text with the Office spreadsheet namespaces, saved as
// ".xls", written in Windows-1252 as one line in one pass.

#include "core/forms/Platform.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna {

namespace spreadsheet {

struct Column {
    std::string header;
    int width = 100;
};

// A text as the file holds it: trimmed; "&", "<" and ">" as character references, so that a
// title such as "<i>Rosa</i> & co." reaches the spreadsheet as typed; Windows-1252 bytes; a
// character the code page lacks as a numeric reference; control characters as blanks, so that the
// file stays one line.
void appendText(std::string& out, std::string_view utf8);

// The style sheet of the head: the class of the data cells keeps them as text.
inline constexpr std::string_view kTextStyle = "<style>.testo{mso-number-format:\"\\@\";}</style>";
// The opening of a data cell.
inline constexpr std::string_view kDataCell = "<td style=\"text-align: left;\" class=testo>";

// Pieces 1 to 28: the document's head with the sheet's name, the table and its header row.
std::string head(std::string_view sheetName, const std::vector<Column>& columns);
// Pieces 30 to 32.
inline constexpr std::string_view kTail = "</table></body></html>";

// True when another program holds the file open with a lock on it, as a spreadsheet program does
// with the file it shows.
bool heldElsewhere(const std::filesystem::path& file);

} // namespace spreadsheet

// The text of a data cell by row and column (0-based).
using CellText = std::function<std::string_view(std::size_t row, std::size_t column)>;

// Writes the file: the head, one table row for each of `rows` rows, the tail. The new content goes
// to a temporary file renamed over the old one at the end, so that a failure or "Annulla" leaves
// the old file as it was and no part of the new one. `progress` hears how far the writing is and
// may stop it: then the answer is false. Throws IoError when the file cannot be written, or when
// another program holds it open.
bool SpreadsheetExport(const std::filesystem::path& file, std::string_view sheetName,
                       const std::vector<spreadsheet::Column>& columns, std::size_t rows,
                       const CellText& cell, Progress* progress = nullptr);

} // namespace quaderna
