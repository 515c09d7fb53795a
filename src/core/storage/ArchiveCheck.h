// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check of a data folder's archives ("quaderna --check") and its repairs
// ("quaderna --check --ripara").
//
// For Libri.pro, Tesserati.pro and every year's loan file the check reports a size that is not a
// whole number of records, length bytes beyond their field's width, flags that are neither "Sì"
// nor "No" and dates that do not read; then loans whose card number or book code is in no record,
// and whether books and open loans agree. That is judged copy by copy, since several book records
// may share a code: an open loan belongs to the copy lent to its card ("Tessera n. <card>") with
// its due date, failing that to one lent to its card, failing that to one lent with no card
// named. What is left over is reported: a copy lent with no open loan, an open loan whose copies
// are all available or lent to another card with no loan, and a book with more open loans than
// copies lent.
//
// The check only reads. Each finding that the program can mend carries its repair, which the report
// names; repair() asks before each one, takes the day's copy of the file first and writes only
// when the records involved still read as the check saw them.

#include "core/text/Date.h"

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quaderna::check {

struct Repair {
    enum class Kind {
        MakeAvailable, // a copy lent with no open loan becomes available for loan
        MarkLent,      // a copy is marked lent under an open loan (its card and due date)
        CloseLoan,     // an open loan too many gets today's date as its return date
        CutPartial,    // the bytes after the last whole record are cut
    };
    Kind kind = Kind::MakeAvailable;
    std::string what;        // what it does, in Italian
    std::string file;        // the file it writes
    std::int64_t record = 0; // the 0-based record it rewrites
    std::string seen;        // that record as the check read it
    std::string bytes;       // the record as the repair writes it (CloseLoan: made when applied)
    std::uint64_t size = 0;  // CutPartial: the file's size as the check saw it
    std::string otherFile;   // a record that must still read as seen, in another file or the same
    std::int64_t otherRecord = -1;
    std::string otherSeen;
};

struct Finding {
    std::string file;    // "Libri.pro"
    std::int64_t record; // 1-based, as the windows number records; 0 for the file as a whole
    std::string text;    // what is wrong, in Italian
    std::optional<Repair> repair;
};

struct Report {
    // The archive files read, with their record counts, in the order read.
    std::vector<std::pair<std::string, std::int64_t>> files;
    std::vector<Finding> findings;
    bool clean() const { return findings.empty(); }
    std::size_t repairable() const;
};

// Throws IoError when the folder itself cannot be read.
Report checkArchives(const std::filesystem::path& dataDir);

// Writes the report, one line per finding with the repair under it where there is one, and
// returns the exit status: 0 when every archive is sound, 1 when something was found, 2 when the
// folder cannot be read.
int run(const std::filesystem::path& dataDir, std::ostream& out);

// Checks, writes the report, then offers each repair in turn: a line from `in` that says yes
// ("s", "sì", "si", "y", "yes") makes it, anything else leaves it; when `in` has nothing more to
// read, no further change is made. `today` dates the day's copies and the loans closed. When
// something was changed the archives are checked again and that report is written too; the exit
// status is that of the last check.
int repair(const std::filesystem::path& dataDir, std::ostream& out, std::istream& in, const Date& today);

// Makes one repair: the archives' locks (Libri.pro's first), the day's copy of the file written,
// the records checked again, the write. Returns an empty text when it was made, else why not, in
// Italian.
std::string apply(const std::filesystem::path& dataDir, const Repair& repair, const Date& today);

} // namespace quaderna::check
