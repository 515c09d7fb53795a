// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Criteria.h"

#include "core/text/Text.h"

#include <algorithm>

namespace quaderna {

namespace {

std::string& lineBuffer() {
    thread_local std::string buffer(4096, '\0');
    return buffer;
}

} // namespace

text::Lines& secondHalfLines() {
    thread_local text::Lines lines;
    lines.clear();
    return lines;
}

ListLine::ListLine() : buffer_(lineBuffer()), data_(buffer_.data()), size_(buffer_.size()) {}

void ListLine::grow(std::size_t n) {
    buffer_.resize(std::max(2 * buffer_.size(), used_ + n));
    data_ = buffer_.data();
    size_ = buffer_.size();
}

Criteria::Criteria(const std::array<std::string, 10>& typed, const std::array<FieldSpec, 10>& fields) {
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (text::trimView(typed[i]).empty())
            continue;
        if (!text::fitsCp1252(typed[i]))
            impossible_ = true;
        inUse_.push_back({fields[i], text::lowerAZ(text::toCp1252(typed[i]))});
    }
}

bool Criteria::match(std::string_view record) const {
    if (impossible_)
        return false;
    for (const InUse& c : inUse_) {
        const std::string_view field = rawField(record, c.field);
        const auto it = std::search(field.begin(), field.end(), c.needle.begin(), c.needle.end(),
                                    [](char a, char b) { return text::lowerAZ(a) == b; });
        if (it == field.end())
            return false;
    }
    return true;
}

} // namespace quaderna
