// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The attached files of books and users: copies kept in one folder beside the archives, named in
// the records by their bare file names.

#include <filesystem>
#include <string_view>

namespace quaderna::attachments {

// The widest name a record keeps (File01 .. File03).
inline constexpr std::size_t kNameWidth = 250;

// True when a record can keep this file name as it is: not empty, at most kNameWidth characters,
// every character one of the archive's code page, no control characters.
bool storableName(std::string_view name);

// Copies `source` to `target` through a temporary file in the target's folder, in large blocks:
// the target is either the old file, whole, or the new copy, whole, never half a file. Only a
// regular file is copied. Throws IoError.
void copy(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace quaderna::attachments
