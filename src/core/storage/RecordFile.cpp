#include "core/storage/RecordFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quaderna {

namespace {

constexpr std::size_t kChunkBytes = 1 << 20;

std::string describe(const char* what, const std::filesystem::path& p, int err) {
    return std::string(what) + " " + p.string() + ": " + std::strerror(err);
}

} // namespace

bool writableFile(const std::filesystem::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0)
        return false;
    return (st.st_mode & 0222) != 0 && ::access(p.c_str(), W_OK) == 0;
}

bool writableFolder(const std::filesystem::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return (st.st_mode & 0222) != 0 && ::access(p.c_str(), W_OK | X_OK) == 0;
}

RecordFile::RecordFile(const std::filesystem::path& path, std::size_t recordSize)
    : path_(path), size_(recordSize) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ >= 0) {
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || (st.st_mode & 0222) == 0 || S_ISDIR(st.st_mode)) {
            const int err = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
            ::close(fd_);
            fd_ = -1;
            throw IoError(describe("cannot open", path, err), err);
        }
        return;
    }
    if (errno != ENOENT)
        throw IoError(describe("cannot open", path, errno), errno);
    const auto folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    if (!writableFolder(folder))
        throw IoError(describe("cannot create", path, EACCES), EACCES);
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ < 0 && errno == EEXIST)
        fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0)
        throw IoError(describe("cannot create", path, errno), errno);
}

RecordFile::~RecordFile() {
    close();
}

void RecordFile::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void RecordFile::check(bool ok, const char* what) const {
    if (!ok) {
        const int err = errno ? errno : EIO;
        throw IoError(describe(what, path_, err), err);
    }
}

std::int64_t RecordFile::count() const {
    if (fd_ < 0)
        throw IoError("file is closed: " + path_.string(), EBADF);
    struct stat st {};
    check(::fstat(fd_, &st) == 0, "cannot read the size of");
    return static_cast<std::int64_t>(st.st_size) / static_cast<std::int64_t>(size_);
}

void RecordFile::seek(std::int64_t k) {
    if (k < 0 || k > count())
        throw IoError("record number out of range in " + path_.string(), EINVAL);
    pos_ = k;
}

void RecordFile::read(std::string& buf) {
    if (pos_ >= count())
        throw IoError("read past the end of " + path_.string(), EIO);
    buf.resize(size_);
    std::size_t done = 0;
    const off_t base = static_cast<off_t>(pos_) * static_cast<off_t>(size_);
    while (done < size_) {
        errno = 0;
        const ssize_t n = ::pread(fd_, buf.data() + done, size_ - done, base + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        check(n > 0, "cannot read");
        done += static_cast<std::size_t>(n);
    }
    ++pos_;
}

void RecordFile::writeAt(std::int64_t k, std::string_view buf) {
    if (buf.size() != size_)
        throw IoError("record of the wrong size for " + path_.string(), EINVAL);
    if (fd_ < 0)
        throw IoError("file is closed: " + path_.string(), EBADF);
    std::size_t done = 0;
    const off_t base = static_cast<off_t>(k) * static_cast<off_t>(size_);
    while (done < size_) {
        errno = 0;
        const ssize_t n = ::pwrite(fd_, buf.data() + done, size_ - done, base + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        check(n > 0, "cannot write");
        done += static_cast<std::size_t>(n);
    }
}

void RecordFile::write(std::string_view buf) {
    if (pos_ > count())
        throw IoError("write past the end of " + path_.string(), EINVAL);
    writeAt(pos_, buf);
    ++pos_;
}

void RecordFile::scan(const std::function<bool(std::string_view, std::int64_t)>& onRecord) {
    const std::int64_t total = count();
    const std::size_t perChunk = kChunkBytes / size_ > 0 ? kChunkBytes / size_ : 1;
    std::vector<char> chunk(perChunk * size_);
    while (pos_ < total) {
        const std::int64_t want = std::min<std::int64_t>(static_cast<std::int64_t>(perChunk), total - pos_);
        const std::size_t bytes = static_cast<std::size_t>(want) * size_;
        const off_t base = static_cast<off_t>(pos_) * static_cast<off_t>(size_);
        std::size_t done = 0;
        while (done < bytes) {
            errno = 0;
            const ssize_t n =
                ::pread(fd_, chunk.data() + done, bytes - done, base + static_cast<off_t>(done));
            if (n < 0 && errno == EINTR)
                continue;
            check(n > 0, "cannot read");
            done += static_cast<std::size_t>(n);
        }
        for (std::int64_t i = 0; i < want; ++i) {
            const std::int64_t index = pos_;
            ++pos_;
            if (!onRecord(std::string_view(chunk.data() + static_cast<std::size_t>(i) * size_, size_), index))
                return;
        }
    }
}

} // namespace quaderna
