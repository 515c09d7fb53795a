// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Book records for tests: a short way to write them into Libri.pro and read them back.

#include "core/storage/Libro.h"
#include "support/TempDir.h"

#include <string>
#include <vector>

namespace quaderna::testing {

inline TLibro book(std::string titolo, std::string codice, std::string autore = "Autore") {
    TLibro b;
    b.Titolo = std::move(titolo);
    b.Codice = std::move(codice);
    b.Autore = std::move(autore);
    b.Convalida = std::string(kSi);
    b.Prestato = std::string(kLibroDisponibile);
    b.Annullata = "No";
    return b;
}

inline void storeBooks(const std::filesystem::path& dir, const std::vector<TLibro>& books) {
    std::string bytes = readBytes(dir / TLibro::FileName);
    for (const auto& b : books)
        bytes += b.encode();
    writeBytes(dir / TLibro::FileName, bytes);
}

inline std::vector<TLibro> storedBooks(const std::filesystem::path& dir) {
    const std::string bytes = readBytes(dir / TLibro::FileName);
    std::vector<TLibro> r;
    for (std::size_t at = 0; at + TLibro::Size <= bytes.size(); at += TLibro::Size)
        r.push_back(TLibro::decode(std::string_view(bytes).substr(at, TLibro::Size)));
    return r;
}

} // namespace quaderna::testing
