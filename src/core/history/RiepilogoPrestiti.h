#pragma once
// The history list: every loan of the year's file registered in the chosen interval, optionally of
// one book, with its return date and borrower; "Trova" and the printed list with the interval and
// the total.

#include "core/forms/ListWindow.h"
#include "core/text/Date.h"

#include <filesystem>
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

// The stored records of the loans of `yearFile` whose loan date falls from `from` to `to` (both
// included), in file order; with a code, only the loans of the book whose code is that one (whole
// code, a-z and A-Z alike). A loan whose date cannot be read is left out and the listing goes on.
// The file is opened or created. Throws IoError; the records found before a failure stay.
void historyRecords(const std::filesystem::path& yearFile, std::string_view code, Date from, Date to,
                    text::Lines& records);

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
};

} // namespace quaderna
