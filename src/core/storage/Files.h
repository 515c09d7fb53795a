// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing whole files safely.
//
// Reads are bounded: only regular files are read (a link is followed first, then the type is
// checked), and nothing ever blocks on a FIFO or a device. Writes never rewrite a file in place:
// the new content goes to a temporary file created exclusively, under a unique name, in the same
// folder, is flushed to the disk and then renamed over the old file, so that at every instant the
// file is either the old one, whole, or the new one, whole. A new file gets the permissions the
// process's umask (and the folder's default ACL) give it; a replaced file keeps its own.
//
// The data folder confines every file opened or written under it: a name in the data folder whose
// links lead out of it (a planted link to another user's file, a "Backup" folder that is a link
// elsewhere) is refused with IoError, and nothing is created, written or even opened there. The
// data folder itself may be a link, and links that stay inside it are followed. Folders are looked
// up once, by descriptor, so that a link swapped in while a file is written cannot lead it out.

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

// While it lives, `folder` is a data folder: what this layer opens, writes or creates under it
// must really lie in it (see above). Several may live at once (two programs on two folders in one
// test); the innermost folder that holds a name is the one that confines it.
class DataFolder {
public:
    explicit DataFolder(const std::filesystem::path& folder);
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

private:
    std::filesystem::path folder_;
};

// False when `p` lies in a data folder but its links lead out of it (a missing last name counts
// as in the folder that would hold it). True for any name outside every data folder.
bool staysInDataFolder(const std::filesystem::path& p);

// Creates a folder and the parents it lacks. Under a data folder every level is made and looked
// up by descriptor below the data folder, so a link planted on the way is refused (IoError)
// before anything is created where it points.
void makeFolders(const std::filesystem::path& folder);

// Opens a regular file (links followed) with `flags` (O_RDONLY or O_RDWR, plus O_CREAT when the
// caller wants it; a file is never created through a link): returns the descriptor, or -1 with
// errno set when the file cannot be opened (ENOENT when it is missing). Throws IoError when the
// path names something other than a regular file (a folder, a FIFO, a device, a socket) or leads
// out of the data folder. Never blocks. `info`, when given, receives the opened file's status.
int openRegular(const std::filesystem::path& file, int flags, unsigned mode = 0666,
                struct stat* info = nullptr);

// The whole content of a regular file of at most `limit` bytes; nothing when the file does not
// exist. Throws IoError when it is not a regular file, is larger than `limit` or cannot be read.
std::optional<std::string> readRegular(const std::filesystem::path& file, std::size_t limit);

// The next version of a file, written beside it. Nothing is visible under the file's name until
// commit(); a file left uncommitted (a failure, an exception) is removed.
class AtomicFile {
public:
    // Throws IoError when the file may not be replaced: it is read-only, it is not a regular file,
    // it leads out of the data folder, or its folder takes no new files. A link to a regular file
    // is followed: the file it points to is replaced and the link stays. A new file is created
    // with `newMode` less what the umask takes away (a copy of a file passes the file's own mode,
    // so the copy is never open to more people than the file); a replaced file keeps its mode.
    explicit AtomicFile(const std::filesystem::path& target, unsigned newMode = 0666);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes);
    // Flushes the new content to the disk and puts it in place of the old file.
    void commit();
    std::filesystem::path temporary() const { return target_.parent_path() / temp_; }

private:
    void discard();
    std::filesystem::path target_; // the file replaced, its links resolved
    std::string temp_;             // the temporary file's name in the folder
    int dir_ = -1;                 // the folder, held open from start to rename
    int fd_ = -1;
};

// Replaces the file's whole content. On any failure the old file stays as it was and no temporary
// file is left behind; throws IoError.
void replaceFile(const std::filesystem::path& target, std::string_view bytes);

} // namespace quaderna::files
