// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows INI files, read and written the way Windows does it.
//
// Sections and keys match without regard to the case of A-Z; keys may hold blanks; the first of
// two equal keys wins; a line ends with CR LF, LF or a lone CR. Values are kept byte for byte in
// Windows-1252 on disk and handed to the program as UTF-8. A missing file, section or key reads as
// the empty text. Writing one key leaves every other line of the file as it was (a lone CR becomes
// CR LF); new lines end in CR LF. A value is always written on one line: line breaks and other
// control characters become blanks, and quotes keep the blanks around a value.
//
// Files are read only when they are regular files of at most 1 MiB, and are replaced whole through
// a temporary file, never rewritten in place (core/storage/Files.h).

#include <filesystem>
#include <string>
#include <string_view>

namespace quaderna::ini {

// Throws IoError when the file exists but cannot be read, is not a regular file or is too large.
std::string readString(const std::filesystem::path& file, std::string_view section, std::string_view key);
// Creates the file or the section when missing. Throws IoError when the file cannot be replaced;
// the old file is then left as it was.
void writeString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value);

// The same operations on the bytes of a file held in memory.
std::string readFrom(std::string_view content, std::string_view section, std::string_view key);
std::string writeTo(std::string_view content, std::string_view section, std::string_view key,
                    std::string_view value);

} // namespace quaderna::ini
