// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four navigation steps of the record windows (first, previous, next, last), starting from
// the 1-based position on screen.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quaderna {

enum class Step { First, Previous, Next, Last };

struct StepResult {
    enum Kind {
        EmptyArchive, // the archive holds no record
        Nothing,      // at an end: the screen stays as it is
        Record        // `bytes` is the record at `position`
    } kind = Nothing;
    std::string bytes;
    std::int64_t position = 0;
};

// The 1-based record position a position label holds, read strictly: digits only (blanks around
// them aside), at least 1. Throws IoError for anything else, so a damaged label never writes
// over the wrong record.
std::int64_t recordPosition(std::string_view label);

// Opens the archive for reading (a missing one is empty, and is not created) and reads the record
// the step leads to. An empty position counts as "before the first record". Throws IoError, also for a
// position that is not a number.
StepResult readStep(const std::filesystem::path& archive, std::size_t recordSize, std::string_view position,
                    Step step);

} // namespace quaderna
