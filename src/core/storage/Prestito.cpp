// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Prestito.h"

#include "core/text/Text.h"

#include <cstdio>

namespace quaderna {

#define QUADERNA_FIELD(name)                                                                                 \
    { #name, TPrestito::F::name, &TPrestito::name }

const FieldBinding<TPrestito> TPrestito::Fields[8] = {
    QUADERNA_FIELD(Tesserato), QUADERNA_FIELD(NumTessera), QUADERNA_FIELD(Recapito), QUADERNA_FIELD(Codice),
    QUADERNA_FIELD(Titolo),    QUADERNA_FIELD(Data),       QUADERNA_FIELD(DataSca),  QUADERNA_FIELD(DataRes),
};

#undef QUADERNA_FIELD

TPrestito TPrestito::decode(std::string_view bytes) {
    return decodeRecord(bytes, Fields);
}
std::string TPrestito::encode() const {
    return encodeRecord(*this, Size, Fields);
}

bool TPrestito::open() const {
    return text::trimView(DataRes).empty();
}

namespace loans {

std::string yearFileName(int year) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d.bib", year);
    return name;
}

std::filesystem::path yearFile(const std::filesystem::path& dataDir, const Date& day) {
    return dataDir / yearFileName(day.year);
}

bool validYearText(std::string_view typed) {
    // Four characters that are digits: a year such as "../x" or "ab:c" would name a file outside
    // the data folder or no file at all.
    return typed.size() == 4 && text::isDigits(typed);
}

std::optional<std::filesystem::path> typedYearFile(const std::filesystem::path& dataDir,
                                                   std::string_view typed) {
    if (!validYearText(typed))
        return std::nullopt;
    return dataDir / (std::string(typed) + ".bib");
}

bool isYearFileName(std::string_view name) {
    return name.size() == 8 && name.substr(4) == ".bib" && text::isDigits(name.substr(0, 4));
}

} // namespace loans

} // namespace quaderna
