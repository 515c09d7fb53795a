#include "core/storage/Files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quaderna::files {

namespace {

std::string describe(const char* what, const std::filesystem::path& p, int err) {
    return std::string(what) + " " + p.string() + ": " + std::strerror(err);
}

[[noreturn]] void notRegular(const std::filesystem::path& p, mode_t mode) {
    const int err = S_ISDIR(mode) ? EISDIR : EINVAL;
    throw IoError(describe("not a regular file:", p, err), err);
}

std::filesystem::path folderOf(const std::filesystem::path& p) {
    return p.parent_path().empty() ? std::filesystem::path(".") : p.parent_path();
}

} // namespace

int openRegular(const std::filesystem::path& file, int flags, unsigned mode, struct stat* info) {
    // The type is looked at before opening, so that a FIFO or a device is never opened at all (a
    // device may act on being opened), and again on the descriptor, in case the name changed in
    // between. O_NONBLOCK keeps even that second case from waiting on a FIFO with no writer.
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            notRegular(file, st.st_mode);
    } else if (errno != ENOENT || (flags & O_CREAT) == 0) {
        return -1;
    }
    const int fd = ::open(file.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, static_cast<mode_t>(mode));
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        throw IoError(describe("cannot open", file, err), err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        notRegular(file, st.st_mode);
    }
    // O_NONBLOCK stays set: it changes nothing for a regular file, and clearing it would cost
    // every open of an archive one more system call.
    if (info)
        *info = st;
    return fd;
}

std::optional<std::string> readRegular(const std::filesystem::path& file, std::size_t limit) {
    errno = 0;
    const int fd = openRegular(file, O_RDONLY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throw IoError(describe("cannot read", file, errno), errno);
    }
    std::string data;
    try {
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            throw IoError(describe("cannot read", file, errno), errno);
        if (static_cast<unsigned long long>(st.st_size) > limit)
            throw IoError(describe("too large to be read:", file, EFBIG), EFBIG);
        // Read one byte more than the limit: a file that grows meanwhile is caught too.
        data.resize(static_cast<std::size_t>(st.st_size) + 1);
        std::size_t done = 0;
        while (true) {
            if (done == data.size()) {
                if (data.size() > limit)
                    throw IoError(describe("too large to be read:", file, EFBIG), EFBIG);
                data.resize(std::min(limit + 1, data.size() * 2));
            }
            const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw IoError(describe("cannot read", file, errno), errno);
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        if (done > limit)
            throw IoError(describe("too large to be read:", file, EFBIG), EFBIG);
        data.resize(done);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return data;
}

AtomicFile::AtomicFile(const std::filesystem::path& target) : target_(target) {
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        throw IoError(describe("cannot write", target, errno), errno);
    if (exists) {
        if (!S_ISREG(st.st_mode))
            notRegular(target, st.st_mode);
        if (!writableFile(target))
            throw IoError(describe("the file is read-only:", target, EACCES), EACCES);
        // A link is replaced by its file, not by a copy of it.
        if (char* real = ::realpath(target.c_str(), nullptr)) {
            target_ = real;
            std::free(real);
        }
    } else {
        struct stat lst {};
        if (::lstat(target.c_str(), &lst) == 0) // a link that leads nowhere
            throw IoError(describe("cannot write through the broken link", target, ENOENT), ENOENT);
    }
    const auto folder = folderOf(target_);
    if (!writableFolder(folder))
        throw IoError(describe("cannot create files in", folder, EACCES), EACCES);
    // mkstemp creates the file with O_CREAT | O_EXCL under a name nobody could know in advance:
    // a link or a stale file left under any name is never opened, let alone followed.
    std::string name = (folder / ("." + target_.filename().string() + ".XXXXXX")).string();
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0)
        throw IoError(describe("cannot create a temporary file in", folder, errno), errno);
    temp_ = name;
    // The new file keeps the old one's permissions and, where the process may give it, its owner.
    const bool fchmodOk = ::fchmod(fd_, exists ? (st.st_mode & 07777) : 0644) == 0;
    if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
        if (::fchown(fd_, st.st_uid, st.st_gid) != 0) {
            // Not ours to give: the file then belongs to whoever saved it last, as a new file would.
        }
    }
    if (!fchmodOk) {
        const int err = errno;
        discard();
        throw IoError(describe("cannot set the permissions of", temp_, err), err);
    }
}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

void AtomicFile::write(std::string_view bytes) {
    if (fd_ < 0)
        throw IoError(describe("cannot write", target_, EBADF), EBADF);
    std::size_t done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = errno ? errno : ENOSPC;
            discard();
            throw IoError(describe("cannot write", target_, err), err);
        }
        done += static_cast<std::size_t>(n);
    }
}

void AtomicFile::commit() {
    if (fd_ < 0)
        throw IoError(describe("cannot write", target_, EBADF), EBADF);
    // A network file system may report a failed write only when the file is flushed or closed.
    if (::fsync(fd_) != 0) {
        const int err = errno;
        discard();
        throw IoError(describe("cannot write", target_, err), err);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int err = errno;
        discard();
        throw IoError(describe("cannot write", target_, err), err);
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int err = errno;
        discard();
        throw IoError(describe("cannot replace", target_, err), err);
    }
    temp_.clear();
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void replaceFile(const std::filesystem::path& target, std::string_view bytes) {
    AtomicFile file(target);
    file.write(bytes);
    file.commit();
}

} // namespace quaderna::files
