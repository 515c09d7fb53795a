// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Attachments.h"

#include "core/storage/Files.h"
#include "core/text/Text.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace quaderna::attachments {

bool storableName(std::string_view name) {
    if (name.empty() || text::length(name) > kNameWidth || !text::fitsCp1252(name))
        return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}

namespace {

// Closes the source however the copy ends.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

void copy(const std::filesystem::path& source, const std::filesystem::path& target) {
    const Descriptor in{files::openRegular(source, O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0) {
        const int err = errno;
        throw IoError("cannot read " + source.string() + ": " + std::strerror(err), err);
    }
    files::AtomicFile out(target);
    std::vector<char> block(std::size_t{1} << 20);
    for (;;) {
        const ssize_t n = ::read(in.fd, block.data(), block.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            throw IoError("cannot read " + source.string() + ": " + std::strerror(err), err);
        }
        if (n == 0)
            break;
        out.write(std::string_view(block.data(), static_cast<std::size_t>(n)));
    }
    out.commit();
}

} // namespace quaderna::attachments
