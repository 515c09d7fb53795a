#pragma once
// Windows INI files, read and written the way Windows does it.
//
// Sections and keys match without regard to the case of A-Z; keys may hold blanks; the first of
// two equal keys wins. Values are kept byte for byte in Windows-1252 on disk and handed to the
// program as UTF-8. A missing file, section or key reads as the empty text. Writing one key
// leaves every other byte of the file as it was; new lines end in CR LF.

#include <filesystem>
#include <string>
#include <string_view>

namespace quaderna::ini {

// Throws IoError when the file exists but cannot be read.
std::string readString(const std::filesystem::path& file, std::string_view section, std::string_view key);
// Creates the file or the section when missing. Throws IoError when the file cannot be written.
void writeString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value);

// The same operations on the bytes of a file held in memory.
std::string readFrom(std::string_view content, std::string_view section, std::string_view key);
std::string writeTo(std::string_view content, std::string_view section, std::string_view key,
                    std::string_view value);

} // namespace quaderna::ini
