// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loan record of the yearly loan files <yyyy>.bib: 8 text fields, 266 bytes.
//
// Each calendar year has its own file in the data folder, named after the year: the loans
// registered in 2021 are in "2021.bib", and stay there when they are returned.

#include "core/storage/Field.h"
#include "core/text/Date.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quaderna {

struct TPrestito {
    static constexpr std::size_t Size = 266;

    struct F {
        static constexpr FieldSpec Tesserato = first(50);
        static constexpr FieldSpec NumTessera = after(Tesserato, 24);
        static constexpr FieldSpec Recapito = after(NumTessera, 50);
        static constexpr FieldSpec Codice = after(Recapito, 24);
        static constexpr FieldSpec Titolo = after(Codice, 80);
        static constexpr FieldSpec Data = after(Titolo, 10);
        static constexpr FieldSpec DataSca = after(Data, 10);
        static constexpr FieldSpec DataRes = after(DataSca, 10);
    };
    static_assert(F::DataRes.end() == Size);

    std::string Tesserato, NumTessera, Recapito, Codice, Titolo, Data, DataSca, DataRes;

    static const FieldBinding<TPrestito> Fields[8];

    static TPrestito decode(std::string_view bytes);
    std::string encode() const;

    // A loan is open while the book is still out: no return date.
    bool open() const;
};

namespace loans {

// The file name of a year's loans: the four digits and ".bib" ("2021.bib").
std::string yearFileName(int year);
// The loan file of the year of `day` (the loan registration always uses today's year).
std::filesystem::path yearFile(const std::filesystem::path& dataDir, const Date& day);

// A year as the librarian types it (returns, history, exports, statistics): exactly four digits.
// Anything else names no file, and the window says so instead of opening one.
bool validYearText(std::string_view typed);
// The loan file of a typed year, or nothing when the text is not a year of four digits.
std::optional<std::filesystem::path> typedYearFile(const std::filesystem::path& dataDir,
                                                   std::string_view typed);

// True when a file name is a loan file's: four digits and ".bib".
bool isYearFileName(std::string_view name);

} // namespace loans

} // namespace quaderna
