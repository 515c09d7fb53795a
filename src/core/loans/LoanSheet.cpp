// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/loans/LoanSheet.h"

#include "core/forms/Form.h"
#include "core/forms/Platform.h"
#include "core/loans/LoanMessages.h"
#include "core/reports/Layouts.h"

#include "core/storage/Criteria.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

namespace quaderna {

namespace {

// The card number as it is stored: Windows-1252 bytes. Nothing when no stored number can hold it.
std::optional<std::string> storedCard(std::string_view card) {
    const std::string_view trimmed = text::trimView(card);
    if (!text::fitsCp1252(trimmed))
        return std::nullopt;
    return text::toCp1252(trimmed);
}

bool openLoanOfStored(std::string_view record, std::string_view storedCard) {
    return text::trimView(rawField(record, TPrestito::F::NumTessera)) == storedCard &&
           text::trimView(rawField(record, TPrestito::F::DataRes)).empty();
}

} // namespace

std::string loanLine(std::string_view record, std::string_view scad) {
    ListLine line;
    return std::string(line.text("Cod. ")
                           .column(rawField(record, TPrestito::F::Codice), 24)
                           .text("  ")
                           .column(rawField(record, TPrestito::F::Titolo), 80)
                           .text("  Data: ")
                           .field(rawField(record, TPrestito::F::Data))
                           .text(scad)
                           .field(rawField(record, TPrestito::F::DataSca))
                           .view());
}

bool openLoanOf(std::string_view record, std::string_view card) {
    const auto stored = storedCard(card);
    return stored && openLoanOfStored(record, *stored);
}

std::vector<std::string> openLoanLines(const std::filesystem::path& yearFile, std::string_view card) {
    std::vector<std::string> lines;
    RecordFile file(yearFile, TPrestito::Size, RecordFile::Access::Read);
    const auto stored = storedCard(card);
    if (!stored)
        return lines;
    file.scanEach([&](std::string_view rec, std::int64_t) {
        if (openLoanOfStored(rec, *stored))
            lines.push_back(loanLine(rec));
        return true;
    });
    return lines;
}

std::optional<FoundLoan> lastOpenLoan(const std::filesystem::path& yearFile, std::string_view card,
                                      std::string_view line) {
    RecordFile file(yearFile, TPrestito::Size, RecordFile::Access::Read);
    const auto stored = storedCard(card);
    if (!stored)
        return std::nullopt;
    const std::string_view wanted = text::trimView(line);
    std::optional<FoundLoan> found;
    file.scanEach([&](std::string_view rec, std::int64_t index) {
        if (openLoanOfStored(rec, *stored) && text::trimView(loanLine(rec)) == wanted)
            found = FoundLoan{index, TPrestito::decode(rec)};
        return true;
    });
    return found;
}

void printLoanSheet(Form& window, const ListBox& sheet, const std::string& title) {
    if (sheet.count() == 0) {
        window.ui().messageBox(msg::StampaNonApplicabile, MsgKind::Warning);
        return;
    }
    if (window.ui().messageBox(msg::ConfermaStampaElenco, MsgKind::Confirmation) == MsgButton::No)
        return;
    Report report = reports::riepilogoDati();
    reports::fillList(report, title, sheet.items());
    window.ui().print(report);
}

} // namespace quaderna
