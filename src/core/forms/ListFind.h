// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Trova": finding a text in the lines of a list window.

#include "core/forms/Controls.h"

#include <string>
#include <string_view>

namespace quaderna {

class Platform;

// Selects the next line that contains `text` (a-z and A-Z alike). A new text is looked for from
// the first line, the same text again from the line after the selected one; the search wraps
// and tests every line once. Nothing found leaves the selection where it was. `lastKey` is the
// window's memory of the last text searched.
void findInList(ListBox& list, std::string_view text, std::string& lastKey, Platform& ui);

} // namespace quaderna
