#pragma once
// The pieces the search windows share on the raw bytes of a record: list columns and criteria.

#include "core/storage/Field.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna {

// Appends a stored field's text, trimmed, padded with blanks to `width` characters or cut to it.
// Windows-1252 takes one byte per character, so this works on the bytes before the line is
// turned into UTF-8.
void appendColumn(std::string& line, std::string_view bytes, std::size_t width);
// The same column appended to a line already in UTF-8.
void appendColumnText(std::string& line, std::string_view bytes, std::size_t width);
// A stored field's text, trimmed, appended to a line in UTF-8.
void appendFieldText(std::string& line, std::string_view bytes);

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
