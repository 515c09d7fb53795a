// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A generated year of loans for the benchmarks: 100,000 loans spread over the twelve months, one
// in three still open. Built once per process in /tmp.

#include "BookArchive.h"
#include "core/storage/Prestito.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace quaderna::bench {

inline std::filesystem::path loanYear(int loans, int year = 2024) {
    const auto dir = benchFolder() / ("prestiti-" + std::to_string(loans));
    const auto file = dir / loans::yearFileName(year);
    if (std::filesystem::exists(file) &&
        std::filesystem::file_size(file) == static_cast<std::uintmax_t>(loans) * TPrestito::Size)
        return file;
    std::filesystem::create_directories(dir);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::mt19937 rng(4242);
    static const char* names[] = {"Bianchi Anna",  "Rossi Mario",   "Esposito Chiara", "Ferrari Luca",
                                  "Romano Giulia", "Colombo Marco", "Ricci Sara",      "Marino Paolo"};
    for (int i = 0; i < loans; ++i) {
        TPrestito p;
        p.Tesserato = names[rng() % 8];
        p.NumTessera = "T-" + std::to_string(rng() % 5000);
        p.Recapito = "333 " + std::to_string(1000000 + rng() % 9000000);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%c%c-%06u", 'A' + static_cast<int>(rng() % 26),
                      'A' + static_cast<int>(rng() % 26), static_cast<unsigned>(rng() % 1000000));
        p.Codice = buf;
        p.Titolo = "Titolo del libro numero " + std::to_string(rng() % 100000) + " della collana";
        const int month = 1 + i * 12 / loans, day = 1 + static_cast<int>(rng() % 28);
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", day, month, year);
        p.Data = buf;
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", day, month == 12 ? 12 : month + 1, year);
        p.DataSca = buf;
        if (i % 3 != 0)
            p.DataRes = p.DataSca;
        out << p.encode();
    }
    return file;
}

} // namespace quaderna::bench
