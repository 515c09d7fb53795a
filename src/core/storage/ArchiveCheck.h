#pragma once
// The check of a data folder's archives ("quaderna --check"): it reads, and never writes or creates
// anything.
//
// For Libri.pro, Tesserati.pro and every year's loan file it reports a size that is not a whole
// number of records, length bytes beyond their field's width, flags that are neither "Sì" nor "No"
// and dates that do not read; then loans whose card number or book code is in no record, and books
// marked lent with no open loan in any year.

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace quaderna::check {

struct Finding {
    std::string file;    // "Libri.pro"
    std::int64_t record; // 1-based, as the windows number records; 0 for the file as a whole
    std::string text;    // what is wrong, in Italian
};

struct Report {
    // The archive files read, with their record counts, in the order read.
    std::vector<std::pair<std::string, std::int64_t>> files;
    std::vector<Finding> findings;
    bool clean() const { return findings.empty(); }
};

// Throws IoError when the folder itself cannot be read.
Report checkArchives(const std::filesystem::path& dataDir);

// Writes the report, one line per finding, and returns the exit status: 0 when every archive is
// sound, 1 when something was found, 2 when the folder cannot be read.
int run(const std::filesystem::path& dataDir, std::ostream& out);

} // namespace quaderna::check
