// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A year of loans to show in the history and statistics screenshots.

#include "core/storage/Prestito.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace quaderna {

inline void writeSampleLoans(const std::filesystem::path& dir, int year) {
    const char* users[][3] = {{"Bianchi Anna", "T-0001", "anna.bianchi@example.org"},
                              {"Rossi Mario", "T-0002", "333 1234567"},
                              {"Esposito Chiara", "T-0003", "chiara@example.org"},
                              {"Ferrari Luca", "T-0004", "02 7654321"}};
    const char* books[][2] = {{"NAR-0001", "I promessi sposi"},     {"NAR-0002", "Il Gattopardo"},
                              {"NAR-0003", "La coscienza di Zeno"}, {"NAR-0004", "Il barone rampante"},
                              {"SAG-0001", "Se questo è un uomo"},  {"NAR-0005", "Il nome della rosa"},
                              {"NAR-0006", "Canne al vento"},       {"NAR-0007", "Il giorno della civetta"}};
    // Loans per month: a quiet summer, a busy autumn.
    const int perMonth[12] = {9, 7, 11, 8, 6, 4, 3, 2, 10, 14, 12, 5};
    std::ofstream out(dir / loans::yearFileName(year), std::ios::binary | std::ios::trunc);
    int k = 0;
    for (int m = 1; m <= 12; ++m)
        for (int i = 0; i < perMonth[m - 1]; ++i, ++k) {
            TPrestito p;
            const auto& u = users[k % 4];
            const auto& b = books[(k * 3) % 8];
            p.Tesserato = u[0];
            p.NumTessera = u[1];
            p.Recapito = u[2];
            p.Codice = b[0];
            p.Titolo = b[1];
            char date[48];
            const int day = 1 + (i * 27) / std::max(1, perMonth[m - 1]);
            std::snprintf(date, sizeof date, "%02d/%02d/%04d", day, m, year);
            p.Data = date;
            std::snprintf(date, sizeof date, "%02d/%02d/%04d", day, m == 12 ? 12 : m + 1, year);
            p.DataSca = date;
            if (k % 3 != 0)
                p.DataRes = p.DataSca;
            out << p.encode();
        }
}

} // namespace quaderna
