// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Backup.h"

#include "core/storage/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quaderna::backup {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

bool isDayName(const std::string& name) {
    if (name.size() != 10 || name[4] != '-' || name[7] != '-')
        return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (name[i] < '0' || name[i] > '9')
            return false;
    return true;
}

void copyWhole(const std::filesystem::path& from, const std::filesystem::path& to) {
    errno = 0;
    struct stat st {};
    const int in = files::openRegular(from, O_RDONLY, 0, &st);
    if (in < 0) {
        if (errno == ENOENT)
            return; // nothing to keep yet
        throw IoError("cannot read " + from.string(), errno);
    }
    try {
        // The copy is open to no one the file itself is not open to.
        files::AtomicFile out(to, st.st_mode & 0666);
        std::vector<char> buf(kChunk);
        while (true) {
            const ssize_t n = ::read(in, buf.data(), buf.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw IoError("cannot read " + from.string(), errno);
            if (n == 0)
                break;
            out.write(std::string_view(buf.data(), static_cast<std::size_t>(n)));
        }
        out.commit();
    } catch (...) {
        ::close(in);
        throw;
    }
    ::close(in);
}

} // namespace

std::filesystem::path dayFolder(const std::filesystem::path& dataDir, const Date& day) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d", day.year, day.month, day.day);
    return dataDir / kFolder / name;
}

void beforeWrite(const std::filesystem::path& dataDir, const std::filesystem::path& file, const Date& today) {
    const auto folder = dayFolder(dataDir, today);
    const auto copy = folder / file.filename();
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(copy, ec)))
        return; // today's copy is there already
    if (!std::filesystem::exists(file, ec))
        return;
    const bool newDay = !std::filesystem::is_directory(folder, ec);
    files::makeFolders(folder); // never through a link planted in place of Backup or a day's folder
    copyWhole(file, copy);
    if (newDay)
        prune(dataDir);
}

void prune(const std::filesystem::path& dataDir) {
    const auto root = dataDir / kFolder;
    if (!files::staysInDataFolder(root))
        return; // a Backup folder that leads elsewhere is not ours to clear
    std::error_code ec;
    std::vector<std::filesystem::path> days;
    for (auto it = std::filesystem::directory_iterator(root, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code typeEc;
        // A link is never followed out of the Backup folder.
        if (isDayName(it->path().filename().string()) &&
            it->symlink_status(typeEc).type() == std::filesystem::file_type::directory)
            days.push_back(it->path());
    }
    if (days.size() <= static_cast<std::size_t>(kDaysKept))
        return;
    std::sort(days.begin(), days.end());
    for (std::size_t i = 0; i + kDaysKept < days.size(); ++i)
        std::filesystem::remove_all(days[i], ec);
}

} // namespace quaderna::backup
