// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The months as the history windows name them.

#include <array>
#include <string_view>

namespace quaderna::history {

inline constexpr std::array<std::string_view, 12> kMesi = {"Gennaio",   "Febbraio", "Marzo",    "Aprile",
                                                           "Maggio",    "Giugno",   "Luglio",   "Agosto",
                                                           "Settembre", "Ottobre",  "Novembre", "Dicembre"};

// The month number (1-12) of a month's name, trimmed and compared with a-z and A-Z alike; 0 when
// the text names no month.
int monthNumber(std::string_view name);

} // namespace quaderna::history
