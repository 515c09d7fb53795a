#pragma once
// Faults caused on purpose: a disk that fills up, a test that must not hang.

#include <csignal>
#include <cstddef>
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
