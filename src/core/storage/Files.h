#pragma once
// Reading and writing whole files safely.
//
// Reads are bounded: only regular files are read (a link is followed first, then the type is
// checked), and nothing ever blocks on a FIFO or a device. Writes never rewrite a file in place:
// the new content goes to a temporary file created exclusively, under a unique name, in the same
// folder, is flushed to the disk and then renamed over the old file, so that at every instant the
// file is either the old one, whole, or the new one, whole.

#include "core/storage/RecordFile.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace quaderna::files {

// The largest INI file the program reads: settings files are a few hundred bytes.
inline constexpr std::size_t kIniLimit = std::size_t{1} << 20;
// The largest picture the program reads: bigger JPEG files would not fit in memory once decoded.
inline constexpr std::size_t kPictureLimit = std::size_t{64} << 20;

// Opens a regular file (links followed) with `flags` (O_RDONLY or O_RDWR, plus O_CREAT when the
// caller wants it): returns the descriptor, or -1 with errno set when the file cannot be opened
// (ENOENT when it is missing). Throws IoError when the path names something other than a regular
// file: a folder, a FIFO, a device, a socket. Never blocks. `info`, when given, receives the
// opened file's status.
int openRegular(const std::filesystem::path& file, int flags, unsigned mode = 0644,
                struct stat* info = nullptr);

// The whole content of a regular file of at most `limit` bytes; nothing when the file does not
// exist. Throws IoError when it is not a regular file, is larger than `limit` or cannot be read.
std::optional<std::string> readRegular(const std::filesystem::path& file, std::size_t limit);

// The next version of a file, written beside it. Nothing is visible under the file's name until
// commit(); a file left uncommitted (a failure, an exception) is removed.
class AtomicFile {
public:
    // Throws IoError when the file may not be replaced: it is read-only, it is not a regular file,
    // or its folder takes no new files. A link to a regular file is followed: the file it points to
    // is replaced and the link stays.
    explicit AtomicFile(const std::filesystem::path& target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes);
    // Flushes the new content to the disk and puts it in place of the old file.
    void commit();
    const std::filesystem::path& temporary() const { return temp_; }

private:
    void discard();
    std::filesystem::path target_;
    std::filesystem::path temp_;
    int fd_ = -1;
};

// Replaces the file's whole content. On any failure the old file stays as it was and no temporary
// file is left behind; throws IoError.
void replaceFile(const std::filesystem::path& target, std::string_view bytes);

} // namespace quaderna::files
