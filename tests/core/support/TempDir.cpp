// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>

namespace quaderna::testing {

TempDir::TempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "quaderna-XXXXXX").string();
    if (!::mkdtemp(templ.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = templ;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Give the write bits back so everything can be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        ::chmod(it->path().c_str(), it->is_directory() ? 0755 : 0644);
    ::chmod(path_.c_str(), 0755);
    std::filesystem::remove_all(path_, ec);
}

std::string readBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeBytes(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void makeReadOnly(const std::filesystem::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    ::chmod(p.c_str(), st.st_mode & ~0222);
}

void makeUnreadable(const std::filesystem::path& p) {
    std::filesystem::remove(p);
    std::filesystem::create_directory(p);
}

} // namespace quaderna::testing
