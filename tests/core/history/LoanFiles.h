// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loan records for the history tests, written into a year's file as the loan window writes them.

#include "core/storage/Prestito.h"
#include "support/TempDir.h"

#include <string>
#include <vector>

namespace quaderna::testing {

inline TPrestito loan(std::string codice, std::string data, std::string dataRes = "",
                      std::string tesserato = "Rossi Mario") {
    TPrestito p;
    p.Tesserato = std::move(tesserato);
    p.NumTessera = "T-1";
    p.Recapito = "333 1234567";
    p.Codice = std::move(codice);
    p.Titolo = "Il nome della rosa";
    p.Data = std::move(data);
    p.DataSca = "30/06/2024";
    p.DataRes = std::move(dataRes);
    return p;
}

inline void storeLoans(const std::filesystem::path& file, const std::vector<TPrestito>& loans) {
    std::string bytes = std::filesystem::exists(file) ? readBytes(file) : std::string();
    for (const auto& l : loans)
        bytes += l.encode();
    writeBytes(file, bytes);
}

} // namespace quaderna::testing
