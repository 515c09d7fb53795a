// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/BookSearch.h"

#include "core/Application.h"
#include "core/forms/Messages.h"
#include "core/storage/Criteria.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

#include <algorithm>
#include <optional>

namespace quaderna {

namespace {

const std::array<FieldSpec, 10> kCriterionFields = {
    TLibro::F::Titolo,  TLibro::F::Codice, TLibro::F::Autore, TLibro::F::Curatore, TLibro::F::Genere,
    TLibro::F::Editore, TLibro::F::Isbn,   TLibro::F::Lingua, TLibro::F::Dewey,    TLibro::F::Note};

} // namespace

std::string codeCheckLine(std::string_view record) {
    ListLine line;
    return std::string(line.text("Cod. ")
                           .column(rawField(record, TLibro::F::Codice), 24)
                           .text("  ")
                           .column(rawField(record, TLibro::F::Titolo), 50)
                           .view());
}

namespace {

std::string_view composeBookLine(std::string_view record) {
    ListLine line;
    return line.text("Cod. ")
        .column(rawField(record, TLibro::F::Codice), 24)
        .text("  ")
        .column(rawField(record, TLibro::F::Titolo), 50)
        .text("  ")
        .column(rawField(record, TLibro::F::Autore), 30)
        .text("  ")
        .field(rawField(record, TLibro::F::Citta))
        .text(" ")
        .field(rawField(record, TLibro::F::Editore))
        .text(" ")
        .field(rawField(record, TLibro::F::Anno))
        .view();
}

} // namespace

std::string bookLine(std::string_view record) {
    return std::string(composeBookLine(record));
}

text::Lines searchBooks(const std::filesystem::path& archive, const std::array<std::string, 10>& criteria,
                        bool onlyAvailable) {
    text::Lines lines;
    searchBooks(archive, criteria, onlyAvailable, lines);
    return lines;
}

void searchBooks(const std::filesystem::path& archive, const std::array<std::string, 10>& criteria,
                 bool onlyAvailable, text::Lines& lines) {
    const Criteria match(criteria, kCriterionFields);
    RecordFile file(archive, TLibro::Size, RecordFile::Access::Read);
    if (match.impossible())
        return;
    addLines(file, lines, [&](text::Lines& into, std::string_view rec) {
        if (text::trimView(rawField(rec, TLibro::F::Annullata)) != "No")
            return;
        if (onlyAvailable && !text::trimView(rawField(rec, TLibro::F::Scadenza)).empty())
            return;
        if (match.match(rec))
            into.push_back(composeBookLine(rec));
    });
}

BookSearch::BookSearch(Application& app, std::string className, std::string caption, bool onlyAvailable,
                       std::string title)
    : CriteriaSearch(app, std::move(className), std::move(caption), std::move(title)),
      onlyAvailable_(onlyAvailable) {
    lstRecords.onDblClick = [this] { lstRecordsDblClick(); };
}

void BookSearch::search(const std::array<std::string, 10>& typed, text::Lines& lines) {
    searchBooks(app.dataFile(TLibro::FileName), typed, onlyAvailable_, lines);
}

void BookSearch::lstRecordsDblClick() {
    try {
        if (lstRecords.itemIndex < 0 || lstRecords.itemIndex >= lstRecords.count())
            throw IoError("no line selected", 0);
        const std::string chosen = text::trim(lstRecords.selectedText());
        const std::string marker = text::trim(lblMemory.text);
        BookSheet* target = nullptr;
        if (marker == "libri")
            target = &app.frmLibri;
        else if (marker == "consulta_libri")
            target = &app.frmConsultaLibri;
        RecordFile file(app.dataFile(TLibro::FileName), TLibro::Size, RecordFile::Access::Read);
        file.scanEach([&](std::string_view rec, std::int64_t index) {
            if (text::trim(bookLine(rec)) == chosen && target)
                target->showRecord(TLibro::decode(rec), index + 1);
            return true;
        });
    } catch (const std::exception&) {
        // The window closes without a message; what was already written stays.
    }
    app.close(*this);
}

} // namespace quaderna
