// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh folder per test, removed afterwards, and small file helpers.

#include <filesystem>
#include <string>

namespace quaderna::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string readBytes(const std::filesystem::path& p);
void writeBytes(const std::filesystem::path& p, const std::string& bytes);
// Clears every write bit (the program then treats the file or folder as read-only).
void makeReadOnly(const std::filesystem::path& p);
// Puts a folder in place of the file: a name that no read or write can open.
void makeUnreadable(const std::filesystem::path& p);

} // namespace quaderna::testing
