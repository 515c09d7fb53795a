// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <mutex>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

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

// Closes a descriptor however the block that opened it ends.
struct Descriptor {
    int fd = -1;
    Descriptor() = default;
    explicit Descriptor(int d) : fd(d) {}
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int release() { return std::exchange(fd, -1); }
};

// ---- The data folders

struct Registered {
    std::filesystem::path named; // as given, absolute and normal
    std::string real;            // its links resolved, once it exists
    int uses = 0;
};

std::mutex& foldersMutex() {
    static std::mutex m;
    return m;
}

std::vector<Registered>& folders() {
    static std::vector<Registered> v;
    return v;
}

std::filesystem::path absoluteNormal(const std::filesystem::path& p) {
    std::error_code ec;
    std::filesystem::path a = p.is_absolute() ? p : std::filesystem::absolute(p, ec);
    if (ec)
        a = p;
    a = a.lexically_normal();
    if (a.has_relative_path() && a.filename().empty()) // "dir/": the same folder
        a = a.parent_path();
    return a;
}

std::optional<std::string> resolved(const std::filesystem::path& p) {
    char* real = ::realpath(p.c_str(), nullptr);
    if (!real)
        return std::nullopt;
    std::string r(real);
    std::free(real);
    return r;
}

// The part of `p` below `folder`, when `p` is `folder` or lies in it, name by name.
std::optional<std::filesystem::path> below(const std::filesystem::path& p,
                                           const std::filesystem::path& folder) {
    auto at = p.begin();
    for (const auto& part : folder) {
        if (at == p.end() || *at != part)
            return std::nullopt;
        ++at;
    }
    std::filesystem::path rest;
    for (; at != p.end(); ++at)
        rest /= *at;
    return rest;
}

bool inside(std::string_view place, std::string_view folder) {
    if (folder == "/")
        return true;
    return place.size() >= folder.size() && place.compare(0, folder.size(), folder) == 0 &&
           (place.size() == folder.size() || place[folder.size()] == '/');
}

// The data folder that holds a name.
struct Confinement {
    std::string real;           // the data folder's own place, its links resolved
    std::filesystem::path rest; // the name's part below the data folder
};

std::optional<Confinement> confinementOf(const std::filesystem::path& p) {
    const std::lock_guard lock(foldersMutex());
    if (folders().empty())
        return std::nullopt;
    const std::filesystem::path name = absoluteNormal(p);
    std::optional<Confinement> best;
    std::ptrdiff_t bestDepth = -1;
    for (Registered& f : folders()) {
        if (f.real.empty())
            if (auto real = resolved(f.named))
                f.real = *real;
        if (f.real.empty())
            continue; // a folder that is not there holds nothing yet
        for (const std::filesystem::path& form : {f.named, std::filesystem::path(f.real)}) {
            const auto rest = below(name, form);
            const std::ptrdiff_t depth = std::distance(form.begin(), form.end());
            if (rest && depth > bestDepth) {
                best = Confinement{f.real, *rest};
                bestDepth = depth;
            }
        }
    }
    return best;
}

// Where an open descriptor really is.
std::optional<std::string> placeOf(int fd) {
    char link[48];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    std::string place(PATH_MAX, '\0');
    const ssize_t n = ::readlink(link, place.data(), place.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= place.size())
        return std::nullopt;
    place.resize(static_cast<std::size_t>(n));
    return place;
}

[[noreturn]] void leadsOut(const std::filesystem::path& p) {
    throw IoError(describe("refused: a link leads out of the data folder:", p, EXDEV), EXDEV);
}

// Throws unless `fd`, opened under the name `p`, lies in the data folder.
void checkPlace(int fd, const std::filesystem::path& p, const Confinement& confinement) {
    auto place = placeOf(fd);
    if (!place) {
        // No /proc to ask: the name's own place, when it is this very file.
        place = resolved(p);
        struct stat opened {
        }, named{};
        if (!place || ::fstat(fd, &opened) != 0 || ::stat(place->c_str(), &named) != 0 ||
            opened.st_dev != named.st_dev || opened.st_ino != named.st_ino)
            leadsOut(p);
    }
    if (!inside(*place, confinement.real))
        leadsOut(p);
}

// openat(), except that a file is never created through a link: O_CREAT without O_EXCL opens an
// existing file, or else creates one exclusively, which the kernel refuses where a link stands.
int openIn(int dir, const char* name, int flags, mode_t mode) {
    if ((flags & O_CREAT) == 0 || (flags & O_EXCL) != 0)
        return ::openat(dir, name, flags, mode);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const int fd = ::openat(dir, name, flags & ~O_CREAT);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        const int made = ::openat(dir, name, flags | O_EXCL, mode);
        if (made >= 0 || errno != EEXIST)
            return made;
    }
    return -1;
}

// Six letters or digits nobody can know in advance.
std::string randomSuffix() {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[6] = {};
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        static std::atomic<unsigned long> counter{0};
        unsigned long mix =
            static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
            (static_cast<unsigned long>(::getpid()) << 20) ^ (++counter * 0x9E3779B97F4A7C15UL);
        for (unsigned char& b : bytes) {
            b = static_cast<unsigned char>(mix);
            mix = (mix >> 8) | (mix << 56);
        }
    }
    std::string s(sizeof bytes, ' ');
    for (std::size_t i = 0; i < sizeof bytes; ++i)
        s[i] = kLetters[bytes[i] % (sizeof kLetters - 1)];
    return s;
}

} // namespace

DataFolder::DataFolder(const std::filesystem::path& folder) : folder_(absoluteNormal(folder)) {
    const std::lock_guard lock(foldersMutex());
    for (Registered& f : folders())
        if (f.named == folder_) {
            ++f.uses;
            return;
        }
    folders().push_back({folder_, resolved(folder_).value_or(std::string()), 1});
}

DataFolder::~DataFolder() {
    const std::lock_guard lock(foldersMutex());
    auto& all = folders();
    for (auto it = all.begin(); it != all.end(); ++it)
        if (it->named == folder_) {
            if (--it->uses == 0)
                all.erase(it);
            return;
        }
}

bool staysInDataFolder(const std::filesystem::path& p) {
    const auto confinement = confinementOf(p);
    if (!confinement)
        return true;
    if (auto real = resolved(p))
        return inside(*real, confinement->real);
    struct stat st {};
    if (::lstat(p.c_str(), &st) == 0)
        return false; // a link that leads nowhere, or somewhere this process may not look
    if (auto folder = resolved(folderOf(p)))
        return inside(*folder, confinement->real);
    return true; // nothing there yet: makeFolders will look at each level
}

void makeFolders(const std::filesystem::path& folder) {
    const auto confinement = confinementOf(folder);
    if (!confinement) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec || !std::filesystem::is_directory(folder))
            throw IoError(describe("cannot create", folder, ec ? ec.value() : ENOTDIR),
                          ec ? ec.value() : ENOTDIR);
        return;
    }
    Descriptor dir(::open(confinement->real.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd < 0)
        throw IoError(describe("cannot open", confinement->real, errno), errno);
    std::filesystem::path reached = confinement->real;
    for (const auto& part : confinement->rest) {
        if (part.empty() || part == ".")
            continue;
        reached /= part;
        if (::mkdirat(dir.fd, part.c_str(), 0777) != 0 && errno != EEXIST)
            throw IoError(describe("cannot create", reached, errno), errno);
        Descriptor next(::openat(dir.fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (next.fd < 0)
            throw IoError(describe("cannot create", reached, errno), errno);
        checkPlace(next.fd, reached, *confinement);
        ::close(dir.release());
        dir.fd = next.release();
    }
}

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
    const int how = flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    const auto confinement = confinementOf(file);
    Descriptor fd;
    if (!confinement) {
        fd.fd = openIn(AT_FDCWD, file.c_str(), how, static_cast<mode_t>(mode));
    } else {
        // The file is looked up in its folder once the folder is known to lie in the data folder.
        const auto folder = folderOf(file);
        const Descriptor dir(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (dir.fd < 0)
            return -1;
        checkPlace(dir.fd, folder, *confinement);
        fd.fd = openIn(dir.fd, file.filename().c_str(), how, static_cast<mode_t>(mode));
    }
    if (fd.fd < 0)
        return -1;
    if (::fstat(fd.fd, &st) != 0)
        throw IoError(describe("cannot open", file, errno), errno);
    if (!S_ISREG(st.st_mode))
        notRegular(file, st.st_mode);
    if (confinement)
        checkPlace(fd.fd, file, *confinement);
    // O_NONBLOCK stays set: it changes nothing for a regular file, and clearing it would cost
    // every open of an archive one more system call.
    if (info)
        *info = st;
    return fd.release();
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

AtomicFile::AtomicFile(const std::filesystem::path& target, unsigned newMode) : target_(target) {
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        throw IoError(describe("cannot write", target, errno), errno);
    const auto confinement = confinementOf(target);
    if (exists) {
        if (!S_ISREG(st.st_mode))
            notRegular(target, st.st_mode);
        if (!writableFile(target))
            throw IoError(describe("the file is read-only:", target, EACCES), EACCES);
        // A link is replaced by its file, not by a copy of it.
        if (auto real = resolved(target))
            target_ = *real;
        if (confinement && !inside(target_.string(), confinement->real))
            leadsOut(target);
    } else {
        struct stat lst {};
        if (::lstat(target.c_str(), &lst) == 0) // a link that leads nowhere
            throw IoError(describe("cannot write through the broken link", target, ENOENT), ENOENT);
    }
    const auto folder = folderOf(target_);
    if (!writableFolder(folder))
        throw IoError(describe("cannot create files in", folder, EACCES), EACCES);
    // The folder is opened once: the temporary file is made, and later renamed, in this very
    // folder, whatever link is put in place of its name meanwhile.
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd < 0)
        throw IoError(describe("cannot create files in", folder, errno), errno);
    if (confinement)
        checkPlace(dir.fd, folder, *confinement);
    // Created with O_CREAT | O_EXCL | O_NOFOLLOW under a name nobody could know in advance: a
    // link or a stale file left under any name is never opened, let alone followed. A new file
    // takes the mode the umask leaves; a replacement starts private and takes the old file's mode
    // before anything is written into it.
    const std::string base = "." + target_.filename().string() + ".";
    int fd = -1;
    std::string name;
    for (int attempt = 0; attempt < 64 && fd < 0; ++attempt) {
        name = base + randomSuffix();
        fd = ::openat(dir.fd, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      static_cast<mode_t>(exists ? 0600 : (newMode & 07777)));
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw IoError(describe("cannot create a temporary file in", folder, errno), errno);
    dir_ = dir.release();
    fd_ = fd;
    temp_ = name;
    if (!exists)
        return;
    // The new file keeps the old one's permissions and, where the process may give it, its owner.
    const bool fchmodOk = ::fchmod(fd_, st.st_mode & 07777) == 0;
    const int err = errno;
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
        if (::fchown(fd_, st.st_uid, st.st_gid) != 0) {
            // Not ours to give: the file then belongs to whoever saved it last, as a new file would.
        }
    }
    if (!fchmodOk) {
        const auto where = temporary();
        discard();
        throw IoError(describe("cannot set the permissions of", where, err), err);
    }
}

AtomicFile::~AtomicFile() {
    discard();
    if (dir_ >= 0)
        ::close(dir_);
}

void AtomicFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlinkat(dir_, temp_.c_str(), 0);
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
    if (::renameat(dir_, temp_.c_str(), dir_, target_.filename().c_str()) != 0) {
        const int err = errno;
        discard();
        throw IoError(describe("cannot replace", target_, err), err);
    }
    temp_.clear();
    // The rename itself reaches the disk with the folder.
    ::fsync(dir_);
}

void replaceFile(const std::filesystem::path& target, std::string_view bytes) {
    AtomicFile file(target);
    file.write(bytes);
    file.commit();
}

} // namespace quaderna::files
