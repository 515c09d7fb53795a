// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A loan and a return each write two archives: the book record in Libri.pro, then the loan record in
// the year's file. So that a program that dies between the two writes (killed, crashed, its desk
// switched off) leaves nothing half done, the step first writes what it is about to do into a small
// intent record in the data folder, "Operazione_in_corso.dat", and removes it after the last write.
//
// The record is written and removed while the step holds Libri.pro's lock, and every loan and
// return takes that lock first: so on any desk, an intent record found under that lock belongs to a
// program that died in the middle of its step (a lock dies with its program). The finder mends the
// step before its own: when the loan record was written (the last write), the step is completed;
// otherwise it is undone, the book's loan fields going back to what they were. A write cut short by
// the kill (a kill in the middle of a write leaves part of the new bytes) is mended too: a return's
// loan record partly written is completed, a loan's record partly appended (bytes past the last
// whole record, which belong to no record) is cut off, and a book partly written gets the two loan
// fields whole. Only the two loan fields of the book (Prestato, Scadenza) are ever written back, and
// only while the book holds nothing but what the step wrote or found.
//
// The intent record goes to the kernel before the first archive write, so that it outlives the
// program whatever ends it; it is not forced to the disk: that costs more than the whole step on an
// ordinary disk, and the archives' own writes are not forced to the disk either.

#include "core/storage/RecordFile.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quaderna {
class Application;
class Form;
} // namespace quaderna

namespace quaderna::loans {

inline constexpr std::string_view kIntentFileName = "Operazione_in_corso.dat";

struct Intent {
    enum Kind { Loan, Return };
    Kind kind = Loan;
    std::int64_t book = 0;             // 0-based record of Libri.pro
    std::string bookBefore, bookAfter; // the book record before and after its write
    std::string yearFile;              // the loan file's name in the data folder ("2022.bib")
    // A loan: the year file's record count before the append; a return: the loan's record.
    std::int64_t loan = 0;
    std::string loanBefore; // a return: the loan record before its write; a loan: empty
    std::string loanAfter;  // the loan record as the step writes it

    std::string encode() const;
    // Nothing when the bytes are not a whole intent record (one cut short while it was written:
    // then no archive was written yet).
    static std::optional<Intent> decode(std::string_view bytes);
};

// The intent record of a step under way. The constructor writes it (and throws IoError when it
// cannot, before anything else is written); finish() removes it once the archives are whole again.
// A record not finished (the undo of a failed step failed too) stays for the next program to mend.
class PendingStep {
public:
    PendingStep(const std::filesystem::path& dataDir, const Intent& intent);
    ~PendingStep() = default;
    PendingStep(const PendingStep&) = delete;
    PendingStep& operator=(const PendingStep&) = delete;
    void finish();

private:
    std::filesystem::path file_;
};

// What the mending of an interrupted step did, for the status line.
struct Mended {
    Intent::Kind kind;
    bool completed; // false: undone
    std::string code, card;
    std::string sentence() const;
};

// True when an intent record is there (one look at the folder, no archive opened).
bool stepPending(const std::filesystem::path& dataDir);

// Mends the step of an intent record, if there is one. `books` is Libri.pro, whose lock the caller
// holds; the year file's lock is taken here. `beforeWrite` is called with the file before an
// archive is written (the day's copy). Throws IoError when the record cannot be read or removed, or the
// archives cannot be written: the record then stays.
std::optional<Mended> mendPending(const std::filesystem::path& dataDir, RecordFile& books,
                                  const std::function<void(const std::filesystem::path&)>& beforeWrite);

// For the loan and return steps, under Libri.pro's lock: mends an interrupted step and says so on
// the status line of `saver`. Throws IoError.
void mendInterruptedStep(Application& app, Form& saver, RecordFile& books);
// At start: when an intent record is there, takes Libri.pro's lock and mends the step, saying so
// on the status line of `saver` (as a plain message when it has none). A failure says nothing: the
// next loan or return tries again.
void mendAtStart(Application& app, Form& saver);

// For the tests of a program killed in the middle of a step: when QUADERNA_TEST_STOP_AT names this
// point ("prestito-1": intent written; "-2": between the two writes; "-3": both written, intent
// not yet removed; likewise "restituzione-1" to "-3"), the program stops itself (SIGSTOP) there.
void testStopPoint(const char* point);

} // namespace quaderna::loans
