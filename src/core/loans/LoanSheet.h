// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the loan and returns windows share: the sheet line of a loan and the open loans of one
// card in a year's loan file.

#include "core/storage/Prestito.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna {

// "Cod. " + code (24) + "  " + title (80) + "  Data: " + loan date + "  Scad: " + due date, from
// a stored loan record. `scad` is the text before the due date: "  Scad: " for a sheet read from
// the file, "  Scad. " for the line added right after a loan is registered.
std::string loanLine(std::string_view record, std::string_view scad = "  Scad: ");

// True when the record is an open loan (no return date) of the card `card` (both trimmed, compared
// exactly, letter case included).
bool openLoanOf(std::string_view record, std::string_view card);

// The sheet lines of the open loans of `card` in the loan file `yearFile`, in file order. The file
// is created empty when it does not exist. Throws IoError.
std::vector<std::string> openLoanLines(const std::filesystem::path& yearFile, std::string_view card);

// The last open loan of `card` in `yearFile` whose sheet line, trimmed, equals `line` trimmed:
// its 0-based record number and the record. Nothing when there is none. Throws IoError.
struct FoundLoan {
    std::int64_t index;
    TPrestito loan;
};
std::optional<FoundLoan> lastOpenLoan(const std::filesystem::path& yearFile, std::string_view card,
                                      std::string_view line);

class Form;
class ListBox;

// "Stampa" of the loan and returns windows: refused for an empty sheet, then asked for, then
// the sheet's lines printed under `title`.
void printLoanSheet(Form& window, const ListBox& sheet, const std::string& title);

} // namespace quaderna
