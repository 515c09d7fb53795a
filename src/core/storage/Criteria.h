// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pieces the search windows share on the raw bytes of a record: list columns and criteria.

#include "core/storage/Field.h"
#include "core/storage/RecordFile.h"
#include "core/text/Lines.h"
#include "core/text/Text.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna {

// One line of a list composed from stored fields, straight into UTF-8, in a buffer this thread
// keeps from line to line: the line shown stays valid until the next line is begun.
class ListLine {
public:
    ListLine();
    ListLine& text(std::string_view utf8) { // as it stands
        std::memcpy(room(utf8.size()), utf8.data(), utf8.size());
        used_ += utf8.size();
        return *this;
    }
    // A stored field's text, trimmed, padded with blanks to `width` characters or cut to it.
    ListLine& column(std::string_view bytes, std::size_t width) {
        bytes = text::trimView(bytes);
        if (bytes.size() > width)
            bytes = bytes.substr(0, width);
        const std::size_t pad = width - bytes.size();
        // (The blanks go in eight at a time: the room asked for has eight bytes to spare.)
        char* const start = room(3 * bytes.size() + pad + 8);
        char* const at = text::putFromCp1252(start, bytes);
        for (std::size_t k = 0; k < pad; k += 8)
            std::memcpy(at + k, "        ", 8);
        used_ += static_cast<std::size_t>(at - start) + pad;
        return *this;
    }
    ListLine& field(std::string_view bytes) { // a stored field's text, trimmed
        bytes = text::trimView(bytes);
        char* const start = room(3 * bytes.size());
        used_ += static_cast<std::size_t>(text::putFromCp1252(start, bytes) - start);
        return *this;
    }
    std::string_view view() const { return {data_, used_}; }

private:
    char* room(std::size_t n) {
        if (size_ - used_ < n)
            grow(n);
        return data_ + used_;
    }
    void grow(std::size_t n);
    std::string& buffer_;
    char* data_; // the buffer's bytes and size, as last seen
    std::size_t size_;
    std::size_t used_ = 0;
};

// Room this thread keeps for the second half's lines of the lists it builds, emptied.
text::Lines& secondHalfLines();

// Adds to `lines`, in the order of the file, the lines addLine(into, record) adds for the
// records from the file's position on, the file read as gatherInTwo reads it; the second half's
// lines go first into secondHalfLines(). addLine is called on two threads at once, each with its
// own Lines.
template <class AddLine> void addLines(RecordFile& file, text::Lines& lines, AddLine&& addLine) {
    text::Lines& secondPart = secondHalfLines();
    gatherInTwo(
        file, lines, secondPart,
        [&](text::Lines& part, std::string_view record, std::int64_t) {
            addLine(part, record);
            return true;
        },
        [](text::Lines& first, const text::Lines& second) { first.append(second); });
}

// Up to ten search criteria, each matched against one field of the record.
class Criteria {
public:
    // A criterion is in use when it is not blank; in use, it matches when its text as typed occurs
    // in the field, a-z and A-Z alike.
    Criteria(const std::array<std::string, 10>& typed, const std::array<FieldSpec, 10>& fields);
    // True when every criterion in use matches: blank criteria count for nothing.
    bool match(std::string_view record) const;
    // True when a criterion holds a character no stored field can hold, so nothing can match.
    bool impossible() const { return impossible_; }

private:
    struct InUse {
        FieldSpec field;
        std::string needle; // lower-cased Windows-1252 bytes
    };
    std::vector<InUse> inUse_;
    bool impossible_ = false;
};

} // namespace quaderna
