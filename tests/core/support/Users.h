// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// User records for tests: a short way to write them into Tesserati.pro and read them back.

#include "core/storage/Tesserato.h"
#include "support/TempDir.h"

#include <string>
#include <vector>

namespace quaderna::testing {

inline TTesserato user(std::string tesserato, std::string numTessera, std::string dataScade = "31/12/2022",
                       std::string preavviso = "0") {
    TTesserato u;
    u.Tesserato = std::move(tesserato);
    u.NumTessera = std::move(numTessera);
    u.DataRil = "01/01/2022";
    u.DataScade = std::move(dataScade);
    u.Preavviso = std::move(preavviso);
    u.Annullata = "No";
    return u;
}

inline void storeUsers(const std::filesystem::path& dir, const std::vector<TTesserato>& users) {
    std::string bytes = readBytes(dir / TTesserato::FileName);
    for (const auto& u : users)
        bytes += u.encode();
    writeBytes(dir / TTesserato::FileName, bytes);
}

inline std::vector<TTesserato> storedUsers(const std::filesystem::path& dir) {
    const std::string bytes = readBytes(dir / TTesserato::FileName);
    std::vector<TTesserato> r;
    for (std::size_t at = 0; at + TTesserato::Size <= bytes.size(); at += TTesserato::Size)
        r.push_back(TTesserato::decode(std::string_view(bytes).substr(at, TTesserato::Size)));
    return r;
}

} // namespace quaderna::testing
