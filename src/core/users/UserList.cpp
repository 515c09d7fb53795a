// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/UserList.h"

#include "core/Application.h"
#include "core/storage/Criteria.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace quaderna {

namespace {

const std::array<FieldSpec, 10> kCriterionFields = {
    TTesserato::F::Tesserato, TTesserato::F::Carica,     TTesserato::F::NumTessera, TTesserato::F::DataRil,
    TTesserato::F::DataScade, TTesserato::F::ComuneNasc, TTesserato::F::ComuneRes,  TTesserato::F::CodFisc,
    TTesserato::F::Titoli,    TTesserato::F::Note};

bool cancelled(std::string_view record) {
    return text::trimView(rawField(record, TTesserato::F::Annullata)) != "No";
}

// The notice days as a whole number, an optional sign and digits.
std::optional<long long> wholeNumber(std::string_view s) {
    s = text::trimView(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    long long v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size())
        return std::nullopt;
    return v;
}

} // namespace

namespace {

// `marked`: the mark of a cancelled card after the preferred contact, where it is seen without
// scrolling, before the notes.
std::string_view composeUserLine(std::string_view record, bool marked = false) {
    ListLine line;
    line.column(rawField(record, TTesserato::F::Tesserato), 30)
        .text("  Tessera n. ")
        .column(rawField(record, TTesserato::F::NumTessera), 20)
        .text("  Scad. ")
        .column(rawField(record, TTesserato::F::DataScade), 10)
        .text("  Tel. ")
        .column(rawField(record, TTesserato::F::Recapito), 12);
    if (marked)
        line.text(kCancelledMark);
    return line.text("  ").field(rawField(record, TTesserato::F::Note)).view();
}

} // namespace

std::string userLine(std::string_view record) {
    return std::string(composeUserLine(record));
}

std::string listedUserLine(std::string_view record) {
    return std::string(composeUserLine(record, cancelled(record)));
}

text::Lines searchUsers(const std::filesystem::path& archive, const std::array<std::string, 10>& criteria,
                        bool withCancelled) {
    text::Lines lines;
    searchUsers(archive, criteria, lines, withCancelled);
    return lines;
}

void searchUsers(const std::filesystem::path& archive, const std::array<std::string, 10>& criteria,
                 text::Lines& lines, bool withCancelled) {
    const Criteria match(criteria, kCriterionFields);
    RecordFile file(archive, TTesserato::Size, RecordFile::Access::Read);
    if (match.impossible())
        return;
    addLines(file, lines, [&](text::Lines& into, std::string_view rec) {
        const bool off = cancelled(rec);
        if ((withCancelled || !off) && match.match(rec))
            into.push_back(composeUserLine(rec, off));
    });
}

text::Lines renewalLines(const std::filesystem::path& archive, Date today) {
    const long long now = today.serial();
    text::Lines lines;
    RecordFile file(archive, TTesserato::Size, RecordFile::Access::Read);
    addLines(file, lines, [&](text::Lines& into, std::string_view rec) {
        if (cancelled(rec))
            return;
        // A date or a number that cannot be read leaves this card out, not the ones after it.
        const auto expiry = Date::parse(rawField(rec, TTesserato::F::DataScade));
        const auto notice = wholeNumber(rawField(rec, TTesserato::F::Preavviso));
        if (!expiry || !notice)
            return;
        if (expiry->serial() - *notice <= now)
            into.push_back(composeUserLine(rec));
    });
    return lines;
}

UserList::UserList(Application& app, std::string className, std::string caption, std::string title)
    : ListWindow(app, std::move(className), std::move(caption), std::move(title)) {
    lstRecords.onDblClick = [this] { lstRecordsDblClick(); };
}

void UserList::lstRecordsDblClick() {
    try {
        if (lstRecords.itemIndex < 0 || lstRecords.itemIndex >= lstRecords.count())
            throw IoError("no line selected", 0);
        const std::string chosen = text::trim(lstRecords.selectedText());
        RecordFile file(app.dataFile(TTesserato::FileName), TTesserato::Size, RecordFile::Access::Read);
        // Every record that gives the same line is handed over, so the last of them stays on screen.
        file.scanEach([&](std::string_view rec, std::int64_t index) {
            if (text::trim(lineOf(rec)) == chosen)
                deliver(TTesserato::decode(rec), index + 1);
            return true;
        });
    } catch (const std::exception&) {
        // The window closes without a message; what was already handed over stays.
    }
    app.close(*this);
}

} // namespace quaderna
