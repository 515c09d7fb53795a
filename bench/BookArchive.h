// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A generated book archive for the benchmarks: realistic field lengths, codes in random order,
// one book in twenty cancelled, one in eight on loan. Built once per process in /tmp.

#include "core/storage/Libro.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace quaderna::bench {

inline std::filesystem::path benchFolder() {
    auto dir = std::filesystem::temp_directory_path() / "quaderna-bench";
    std::filesystem::create_directories(dir);
    return dir;
}

inline TLibro sampleBook(int i, std::mt19937& rng) {
    static const char* authors[] = {"Manzoni Alessandro", "Verga Giovanni",   "Deledda Grazia",
                                    "Calvino Italo",      "Pirandello Luigi", "Eco Umberto",
                                    "Morante Elsa",       "Levi Primo",       "Sciascia Leonardo",
                                    "Ginzburg Natalia",   "Svevo Italo",      "Buzzati Dino"};
    static const char* words[] = {"storia",   "della", "notte", "mare",    "città", "viaggio",
                                  "giardino", "luce",  "ombra", "lettere", "tempo", "fiume",
                                  "casa",     "nome",  "rosa",  "vento"};
    static const char* cities[] = {"Milano", "Torino", "Roma", "Firenze", "Bologna", "Napoli", "Palermo"};
    static const char* publishers[] = {"Einaudi", "Mondadori", "Feltrinelli",
                                       "Adelphi", "Garzanti",  "Sellerio"};
    TLibro b;
    std::uniform_int_distribution<int> w(0, 15), a(0, 11), c(0, 6), p(0, 5), n(3, 8);
    const int len = n(rng);
    for (int k = 0; k < len; ++k)
        b.Titolo += std::string(k ? " " : "") + words[w(rng)];
    b.Titolo += " " + std::to_string(i);
    char code[32];
    std::snprintf(code, sizeof code, "%c%c-%06u", 'A' + static_cast<int>(rng() % 26),
                  'a' + static_cast<int>(rng() % 26), static_cast<unsigned>(rng() % 1000000));
    b.Codice = code;
    b.Convalida = "Sì";
    b.Scaffale = "Scaffale " + std::to_string(i % 40);
    b.Autore = authors[a(rng)];
    b.Nazione = "Italia";
    b.Dewey = std::to_string(800 + i % 100);
    b.Pagine = std::to_string(100 + i % 700);
    b.Genere = "Narrativa";
    b.Editore = publishers[p(rng)];
    b.Isbn = "978-88-06-" + std::to_string(10000 + i % 90000) + "-" + std::to_string(i % 10);
    b.Citta = cities[c(rng)];
    b.Anno = std::to_string(1900 + i % 125);
    b.Lingua = "Italiano";
    b.Note = (i % 3 == 0) ? "Copia donata dalla famiglia, buono stato" : "";
    const bool lent = i % 8 == 0;
    b.Prestato = lent ? "Tessera n. " + std::to_string(i % 500) : std::string(kLibroDisponibile);
    b.Scadenza = lent ? "15/04/2026" : "";
    b.Annullata = i % 20 == 0 ? "Sì" : "No";
    return b;
}

// Libri.pro with `books` records in its own folder; made once.
inline std::filesystem::path bookArchive(int books) {
    const auto dir = benchFolder() / ("libri-" + std::to_string(books));
    const auto file = dir / TLibro::FileName;
    if (std::filesystem::exists(file) &&
        std::filesystem::file_size(file) == static_cast<std::uintmax_t>(books) * TLibro::Size)
        return dir;
    std::filesystem::create_directories(dir);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::mt19937 rng(12345);
    for (int i = 0; i < books; ++i)
        out << sampleBook(i, rng).encode();
    return dir;
}

// Reads the whole file into memory in 1 MiB chunks: the yardstick for every scan.
inline std::size_t readWholeFile(const std::filesystem::path& file) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    static std::string buf(1 << 20, '\0');
    std::size_t total = 0, n;
    while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0)
        total += n;
    std::fclose(f);
    return total;
}

} // namespace quaderna::bench
