// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/RecordFile.h"

#include "core/storage/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quaderna {

namespace {

constexpr std::size_t kChunkBytes = 1 << 20;

std::chrono::milliseconds gLockWait{3000};

// The archive's lock.
//
// It is an open-file-description lock (F_OFD_SETLK). A classic POSIX record lock (F_SETLK) belongs
// to the process and is dropped as soon as the process closes ANY descriptor of the file: a search
// that opens and closes the archive while a loan holds its lock would silently drop it. An OFD lock
// belongs to this RecordFile's own open file and lasts until it is released or that file is
// closed. Like POSIX locks, OFD locks travel to the server on NFS and SMB mounts, so two desks on a
// shared folder see each other's locks. flock() would be a little cheaper, but on Linux flock()
// and record locks ignore each other, and an NFS client sends flock() to the server as a record
// lock: a desk working on the server's own disk and a desk on an NFS client would not exclude each
// other. Only where the kernel or the file system knows no OFD locks does the lock fall back to
// flock(), which has the same ownership rule.
//
// It covers one byte far beyond any record, not the records themselves: some servers (Windows
// shares) enforce byte-range locks on reads and writes, and a lock over the records would make
// another desk's search fail while this desk saves. Between copies of this program a lock on the
// one byte is all that is needed.
constexpr off_t kLockByte = 0x7FFFFFFF;

bool busy(int err) {
    return err == EAGAIN || err == EACCES || err == EWOULDBLOCK;
}

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

ArchiveBusy::ArchiveBusy(const std::string& what) : IoError(what, EWOULDBLOCK) {}

RecordFile::RecordFile(const std::filesystem::path& path, std::size_t recordSize, Access access)
    : path_(path), size_(recordSize), reading_(access == Access::Read) {
    errno = 0;
    struct stat st {};
    fd_ = files::openRegular(path, reading_ ? O_RDONLY : O_RDWR, 0, &st);
    if (fd_ >= 0) {
        if (!reading_ && (st.st_mode & 0222) == 0) {
            ::close(fd_);
            fd_ = -1;
            throw IoError(describe("cannot open", path, EACCES), EACCES);
        }
        known_ = static_cast<std::int64_t>(st.st_size) / static_cast<std::int64_t>(size_);
        return;
    }
    if (errno != ENOENT)
        throw IoError(describe("cannot open", path, errno), errno);
    if (reading_) {
        absent_ = true; // nothing to read, and nothing is created for it
        return;
    }
    const auto folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    if (!writableFolder(folder))
        throw IoError(describe("cannot create", path, EACCES), EACCES);
    // The mode the umask leaves, as for any new file.
    fd_ = files::openRegular(path, O_RDWR | O_CREAT | O_EXCL, 0666);
    if (fd_ < 0 && errno == EEXIST)
        fd_ = files::openRegular(path, O_RDWR);
    if (fd_ < 0)
        throw IoError(describe("cannot create", path, errno), errno);
}

RecordFile::~RecordFile() {
    close();
}

void RecordFile::close() {
    if (fd_ >= 0) {
        ::close(fd_); // releases the lock too
        fd_ = -1;
    }
    absent_ = false;
    lockDepth_ = 0;
}

std::chrono::milliseconds RecordFile::lockWait() {
    return gLockWait;
}

void RecordFile::setLockWait(std::chrono::milliseconds wait) {
    gLockWait = wait;
}

void RecordFile::lock() {
    if (reading_)
        throw IoError("opened for reading only: " + path_.string(), EBADF);
    if (fd_ < 0)
        throw IoError("file is closed: " + path_.string(), EBADF);
    if (lockDepth_ > 0) {
        ++lockDepth_;
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + gLockWait;
    auto pause = std::chrono::milliseconds(1);
    while (true) {
        int err = 0;
        if (!useFlock_) {
            struct flock fl {};
            fl.l_type = F_WRLCK;
            fl.l_whence = SEEK_SET;
            fl.l_start = kLockByte;
            fl.l_len = 1;
            if (::fcntl(fd_, F_OFD_SETLK, &fl) == 0)
                break;
            err = errno;
            if (err == EINVAL || err == ENOTSUP) {
                useFlock_ = true; // no OFD locks here: flock() from now on
                continue;
            }
        } else {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
                break;
            err = errno;
        }
        if (err == EINTR)
            continue;
        if (!busy(err))
            throw IoError(describe("cannot lock", path_, err), err);
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            throw ArchiveBusy("in use by another program: " + path_.string());
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    lockDepth_ = 1;
}

void RecordFile::unlock() {
    if (lockDepth_ == 0 || --lockDepth_ > 0 || fd_ < 0)
        return;
    if (useFlock_) {
        ::flock(fd_, LOCK_UN);
        return;
    }
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = kLockByte;
    fl.l_len = 1;
    ::fcntl(fd_, F_OFD_SETLK, &fl);
}

RecordFile::Lock::Lock(RecordFile& file) : file_(file) {
    file_.lock();
}

RecordFile::Lock::~Lock() {
    file_.unlock();
}

void RecordFile::check(bool ok, const char* what) const {
    if (!ok) {
        const int err = errno ? errno : EIO;
        throw IoError(describe(what, path_, err), err);
    }
}

std::int64_t RecordFile::count() const {
    if (absent_)
        return 0;
    if (fd_ < 0)
        throw IoError("file is closed: " + path_.string(), EBADF);
    struct stat st {};
    check(::fstat(fd_, &st) == 0, "cannot read the size of");
    known_ = static_cast<std::int64_t>(st.st_size) / static_cast<std::int64_t>(size_);
    return known_;
}

// Records are never removed, so a count once seen is a floor: a record below it exists without
// asking the file system again. Whatever decides where a write lands counts afresh, under the lock.
bool RecordFile::exists(std::int64_t k) const {
    return k >= 0 && (k < known_ || k < count());
}

void RecordFile::seek(std::int64_t k) {
    const std::int64_t n = k >= 0 && k < known_ ? known_ : count();
    if (k < 0 || k > n)
        throw IoError("record number out of range in " + path_.string(), EINVAL);
    pos_ = k;
    appendPosition_ = k == n;
}

void RecordFile::read(std::string& buf) {
    if (!exists(pos_))
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
    appendPosition_ = false;
}

void RecordFile::writeBytes(std::int64_t k, std::string_view buf) {
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

void RecordFile::writeAt(std::int64_t k, std::string_view buf) {
    if (buf.size() != size_)
        throw IoError("record of the wrong size for " + path_.string(), EINVAL);
    Lock lock(*this);
    if (!exists(k))
        throw IoError("no record to update in " + path_.string(), EINVAL);
    writeBytes(k, buf);
}

std::int64_t RecordFile::append(std::string_view buf) {
    if (buf.size() != size_)
        throw IoError("record of the wrong size for " + path_.string(), EINVAL);
    Lock lock(*this);
    // Counted under the lock: the count includes every record another program appended.
    const std::int64_t k = count();
    try {
        writeBytes(k, buf);
    } catch (const IoError&) {
        // A disk that fills up in the middle of the record has taken part of it: the file is cut
        // back to its last whole record, so that no piece of a refused record stays behind.
        cutBackTo(k);
        throw;
    }
    known_ = k + 1;
    pos_ = k + 1;
    appendPosition_ = false;
    return k;
}

bool RecordFile::cutBackTo(std::int64_t k) {
    struct stat st {};
    const off_t whole = static_cast<off_t>(k) * static_cast<off_t>(size_);
    if (::fstat(fd_, &st) != 0)
        return false;
    if (st.st_size <= whole)
        return true;
    int r;
    while ((r = ::ftruncate(fd_, whole)) != 0 && errno == EINTR) {
    }
    return r == 0;
}

std::uint64_t RecordFile::cutPartialRecord() {
    Lock lock(*this);
    struct stat st {};
    check(::fstat(fd_, &st) == 0, "cannot read the size of");
    const auto extra = static_cast<std::uint64_t>(st.st_size) % size_;
    if (extra == 0)
        return 0;
    errno = 0;
    check(cutBackTo(count()), "cannot cut");
    return extra;
}

void RecordFile::write(std::string_view buf) {
    if (buf.size() != size_)
        throw IoError("record of the wrong size for " + path_.string(), EINVAL);
    Lock lock(*this);
    if (appendPosition_ || !exists(pos_)) {
        if (!appendPosition_ && pos_ > known_)
            throw IoError("write past the end of " + path_.string(), EINVAL);
        append(buf);
        return;
    }
    writeBytes(pos_, buf);
    ++pos_;
}

std::int64_t RecordFile::recordsPerChunk() const {
    return static_cast<std::int64_t>(std::max<std::size_t>(kChunkBytes / size_, 1));
}

void RecordFile::readRecords(char* dest, std::int64_t k, std::int64_t n) const {
    const std::size_t bytes = static_cast<std::size_t>(n) * size_;
    const off_t base = static_cast<off_t>(k) * static_cast<off_t>(size_);
    std::size_t done = 0;
    while (done < bytes) {
        errno = 0;
        const ssize_t got = ::pread(fd_, dest + done, bytes - done, base + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        check(got > 0, "cannot read");
        done += static_cast<std::size_t>(got);
    }
}

namespace {

struct KeptBuffer {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
    bool busy = false;
};
struct ThreadScanBuffers {
    KeptBuffer own, helper;
};
thread_local ThreadScanBuffers threadScanBuffers;

} // namespace

RecordFile::ScanBuffer::ScanBuffer(std::size_t bytes, Kind kind) {
    KeptBuffer& mine = kind == Own ? threadScanBuffers.own : threadScanBuffers.helper;
    if (mine.busy) {
        own_ = std::make_unique_for_overwrite<char[]>(bytes);
        data_ = own_.get();
        return;
    }
    if (mine.size < bytes) {
        mine.bytes = std::make_unique_for_overwrite<char[]>(bytes);
        mine.size = bytes;
    }
    mine.busy = true;
    borrowed_ = &mine.busy;
    data_ = mine.bytes.get();
}

RecordFile::ScanBuffer::~ScanBuffer() {
    if (borrowed_)
        *borrowed_ = false;
}

std::int64_t RecordFile::readChunk(char* chunk, std::int64_t total) {
    if (pos_ >= total)
        return 0;
    const std::int64_t want = std::min(recordsPerChunk(), total - pos_);
    readRecords(chunk, pos_, want);
    return want;
}

std::int64_t RecordFile::readAt(std::int64_t k, std::vector<char>& buf, std::int64_t n) {
    const std::int64_t got = std::clamp<std::int64_t>(count() - k, 0, n);
    buf.resize(static_cast<std::size_t>(got) * size_);
    if (got > 0)
        readRecords(buf.data(), k, got);
    return got;
}

void RecordFile::scan(const std::function<bool(std::string_view, std::int64_t)>& onRecord) {
    scanEach(onRecord);
}

} // namespace quaderna
