// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The history list: every loan of the year's file registered in the chosen interval, optionally of
// one book, with its return date and borrower; "Trova" and the printed list with the interval and
// the total.

#include "core/forms/ListWindow.h"
#include "core/storage/RecordFile.h"
#include "core/text/Date.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna {

namespace history {

// What the history says when the year's loan file cannot be read.
inline constexpr const char* kFileNonAccessibile = "Attenzione: il file di archivio non risulta accessibile.";

// "Cod. " + code (24) + "  " + title (48) + "  Data: " + loan date + "  Rest. " + return date (10)
// + "  Utente: " + borrower, each trimmed, then padded or cut; from a stored loan record.
std::string historyLine(std::string_view record);

// The same line, built in this thread's line buffer (good until the next line is built).
std::string_view composeLine(std::string_view record);

// The loans a history query lists, held by their place in the year's file: a line is built from
// its record, read again from the file, only when it is shown, found or printed, so that a whole
// year is listed at the cost of reading the file once. The file stays open while the list lives;
// a return recorded meanwhile at another desk shows on the lines read after it.
class LoanLines : public ListBox::Source {
public:
    // Opens (or creates) the year's file.
    explicit LoanLines(const std::filesystem::path& yearFile);

    // Lists the loans of the file whose loan date falls from `from` to `to` (both included), in
    // file order; with a code, only the loans of the book whose code is that one (whole code, a-z
    // and A-Z alike). A loan whose date cannot be read is left out and the listing goes on.
    // Throws IoError; the loans found before a failure stay listed.
    void find(std::string_view code, Date from, Date to);

    std::size_t size() const override { return at_.size(); }
    // An empty line for a loan that can no longer be read (the file cut short or gone from reach
    // since it was listed); failed() then tells.
    std::string_view line(std::size_t i) const override;
    bool failed() const { return failed_; }

private:
    mutable RecordFile file_;
    std::vector<std::uint32_t> at_; // record numbers (a year's file holds far fewer than 2^32)
    // The records last read: a run of them, so that scrolling, "Trova" and printing read the file
    // in large pieces.
    mutable std::vector<char> read_;
    mutable std::int64_t first_ = 0, got_ = 0;
    mutable bool failed_ = false;
};

} // namespace history

class TfrmRiepilogoPrestiti : public ListWindow {
public:
    explicit TfrmRiepilogoPrestiti(Application& app);

    Label titTipologia{this, "titTipologia", "- - -"};
    Label lblIntervallo{this, "lblIntervallo", "Dal gg/mm/aaaa al gg/mm/aaaa"};
    Label lblTotCosti{this, "lblTotCosti", "0"};
    Button btnEsci{this, "btnEsci"};
    Button imgGuida{this, "imgGuida"};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void btnStampaClick();
    void imgGuidaClick();
    void btnEsciClick();

private:
    std::shared_ptr<const history::LoanLines> loans_; // the lines listed
};

} // namespace quaderna
