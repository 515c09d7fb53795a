// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Field.h"

#include "core/text/Text.h"

#include <cstring>

namespace quaderna {

std::string readField(std::string_view record, FieldSpec f) {
    return text::fromCp1252(rawField(record, f));
}

void writeField(std::string& record, FieldSpec f, std::string_view value) {
    std::string bytes = text::toCp1252(text::trimView(value));
    if (bytes.size() > f.width)
        bytes.resize(f.width);
    record[f.offset] = static_cast<char>(bytes.size());
    std::memset(record.data() + f.offset + 1, 0, f.width);
    std::memcpy(record.data() + f.offset + 1, bytes.data(), bytes.size());
}

} // namespace quaderna

namespace quaderna {

void showFlag(bool& checked, std::string_view stored) {
    const std::string_view v = text::trimView(stored);
    if (v == kSi)
        checked = true;
    else if (v == kNo)
        checked = false;
}

} // namespace quaderna
