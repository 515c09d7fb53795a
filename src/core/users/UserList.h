// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the user search and the renewals list share: the line of a user, the result list with
// "Trova" and "Stampa", and the double-click that hands the chosen user back.

#include "core/forms/ListWindow.h"
#include "core/storage/Tesserato.h"
#include "core/text/Date.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna {

// Name (30) + "  Tessera n. " + card number (20) + "  Scad. " + expiry (10) + "  Tel. " +
// preferred contact (12) + "  " + notes, each trimmed, then padded or cut.
std::string userLine(std::string_view record);

// What follows the preferred contact in the line of a cancelled card, where a list shows those too.
inline constexpr const char* kCancelledMark = "  [TESSERA ANNULLATA]";
// The line of a user as a list that shows cancelled cards too has it: marked when the card is
// cancelled (its "Annullata" is not "No").
std::string listedUserLine(std::string_view record);

// The users of `archive` whose card is not cancelled (with `withCancelled`, cancelled ones too,
// their lines marked) and who match every criterion in use, as list lines in file order. A criterion is in
// use when it is not blank; it matches when its text as typed occurs in the record's field, a-z and A-Z
// alike. The criteria are, in order: name, additional information, card number, issue date, expiry date, town
// of birth, town of residence, fiscal code, qualifications, notes. Throws IoError; the lines found before a
// failure stay in `lines`.
void searchUsers(const std::filesystem::path& archive, const std::array<std::string, 10>& criteria,
                 text::Lines& lines, bool withCancelled = false);
text::Lines searchUsers(const std::filesystem::path& archive, const std::array<std::string, 10>& criteria,
                        bool withCancelled = false);

// The cards awaiting renewal on `today`: not cancelled, and the expiry date less the notice days
// not later than today. A record whose expiry date or notice days cannot be read is left out.
// Lines in file order. Throws IoError.
text::Lines renewalLines(const std::filesystem::path& archive, Date today);

class UserList : public ListWindow {
public:
    UserList(Application& app, std::string className, std::string caption, std::string printTitle);

    void lstRecordsDblClick();

protected:
    // Hands a user whose line equals the chosen one to the window that asked.
    virtual void deliver(const TTesserato& user, std::int64_t position) = 0;
    // A record's line as this list shows it, to find the records of the chosen line.
    virtual std::string lineOf(std::string_view record) const { return userLine(record); }
};

} // namespace quaderna
