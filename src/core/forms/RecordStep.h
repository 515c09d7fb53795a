// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One navigation step of a record window (first, previous, next, last), with what every record
// window says about it: an empty archive, and an archive that cannot be used.

#include "core/forms/Controls.h"
#include "core/storage/Navigation.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

namespace quaderna {

class Form;

// Reads the record the step leads to from the position in `position` and hands it to `show`
// with its 1-based position. An empty archive says so (and Next empties the position first);
// at an end nothing happens; a failure shows the archive message as an error box.
void stepRecords(Form& window, const std::filesystem::path& archive, std::size_t recordSize, Label& position,
                 Step step, const std::function<void(std::string_view record, std::int64_t position)>& show);

} // namespace quaderna
