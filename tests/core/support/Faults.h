// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Faults caused on purpose: a disk that fills up, a test that must not hang.

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace quaderna::testing {

// While it lives, no file of this process can grow beyond `bytes`: a write past that point fails
// with EFBIG, as a write to a full disk fails with ENOSPC. The signal the kernel would send for it
// is ignored, as the program has to live through a full disk.
class DiskFull {
public:
    explicit DiskFull(std::size_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~DiskFull() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = SIG_DFL;
};

// A real small disk: a tmpfs of `bytes` mounted on `folder` while it lives (as root only; where it
// cannot be mounted, mounted() is false and the test says why it skips). fill() takes every free
// page, so that the next write that needs a new page fails with ENOSPC after writing what the
// file's last page still had room for.
class SmallDisk {
public:
    SmallDisk(const std::filesystem::path& folder, std::size_t bytes) : folder_(folder) {
        std::filesystem::create_directories(folder);
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
        mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }
    // Fills the disk with the file `name`; remove it to free the room again.
    void fill(const std::string& name) const {
        const int fd = ::open((folder_ / name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string page(4096, 'f');
        while (::write(fd, page.data(), page.size()) > 0) {
        }
        while (::write(fd, page.data(), 1) > 0) {
        }
        ::close(fd);
    }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

// Ends the test process with SIGALRM if the test is still running after `seconds`: a read that
// blocks for ever fails the test instead of hanging the whole run.
class HangGuard {
public:
    explicit HangGuard(unsigned seconds) { ::alarm(seconds); }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

} // namespace quaderna::testing
