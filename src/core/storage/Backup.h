// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The daily copies of the archives, the settings files and the library logo, in the data folder's
// "Backup" folder.
//
// The first write of each day to an archive (Libri.pro, Tesserati.pro, a year's loan file), to an
// INI file or to Logo.jpg first copies the file as it stands into Backup/<yyyy-mm-dd>/, so that the
// folder of a day holds each file as it was before that day's first change. The copies of the last 14 days
// that had changes are kept; older day folders are removed when a new one is made. Restoring is
// copying the files back into the data folder while the program is closed.

#include "core/text/Date.h"

#include <filesystem>

namespace quaderna::backup {

inline constexpr const char* kFolder = "Backup";
inline constexpr int kDaysKept = 14;

// "Backup/2022-03-10" in the data folder.
std::filesystem::path dayFolder(const std::filesystem::path& dataDir, const Date& day);

// Copies `file` into the day's folder, unless a copy of it is already there (another write of the
// same day, here or at another desk, made it). A missing file needs no copy. The copy is written
// whole through a temporary file, so a copy under the file's name is always complete. Throws
// IoError when the copy cannot be made; the file itself is never touched.
void beforeWrite(const std::filesystem::path& dataDir, const std::filesystem::path& file, const Date& today);

// Removes the day folders beyond the newest kDaysKept. Only folders named like a date are looked
// at; anything else in the Backup folder is left alone.
void prune(const std::filesystem::path& dataDir);

} // namespace quaderna::backup
