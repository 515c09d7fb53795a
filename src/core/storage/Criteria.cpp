#include "core/storage/Criteria.h"

#include "core/text/Text.h"

#include <algorithm>

namespace quaderna {

void appendColumn(std::string& line, std::string_view bytes, std::size_t width) {
    bytes = text::trimView(bytes);
    if (bytes.size() > width)
        bytes = bytes.substr(0, width);
    line.append(bytes);
    line.append(width - bytes.size(), ' ');
}

void appendColumnText(std::string& line, std::string_view bytes, std::size_t width) {
    bytes = text::trimView(bytes);
    if (bytes.size() > width)
        bytes = bytes.substr(0, width);
    text::appendFromCp1252(line, bytes);
    line.append(width - bytes.size(), ' ');
}

void appendFieldText(std::string& line, std::string_view bytes) {
    text::appendFromCp1252(line, text::trimView(bytes));
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
