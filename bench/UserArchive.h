// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A generated user archive for the benchmarks: realistic names, towns and dates, one card in
// twenty cancelled. Built once per process in /tmp, beside the book archives.

#include "BookArchive.h"
#include "core/storage/Tesserato.h"
#include "core/text/Date.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace quaderna::bench {

inline TTesserato sampleUser(int i, std::mt19937& rng) {
    static const char* surnames[] = {"Rossi",   "Russo",   "Ferrari", "Esposito", "Bianchi", "Romano",
                                     "Colombo", "Ricci",   "Marino",  "Greco",    "Bruno",   "Gallo",
                                     "Conti",   "De Luca", "Costa",   "Giordano", "Mancini", "Rizzo"};
    static const char* names[] = {"Mario", "Anna",  "Giuseppe", "Giulia", "Luca",   "Francesca",
                                  "Marco", "Sofia", "Nicolò",   "Chiara", "Andrea", "Martina",
                                  "Paolo", "Elena", "Stefano",  "Sara"};
    static const char* towns[] = {"Milano",  "Torino", "Roma",    "Firenze",
                                  "Bologna", "Napoli", "Palermo", "Città di Castello",
                                  "Monza",   "Pavia"};
    std::uniform_int_distribution<int> s(0, 17), n(0, 15), t(0, 9), day(1, 28), month(1, 12),
        year(2018, 2027), notice(0, 60);
    TTesserato u;
    u.Tesserato = std::string(surnames[s(rng)]) + " " + names[n(rng)];
    u.Carica = i % 7 == 0 ? "Socio sostenitore" : "Socio ordinario";
    char card[16];
    std::snprintf(card, sizeof card, "%04d-%05d", 2015 + i % 10, i);
    u.NumTessera = card;
    const Date expiry{year(rng), month(rng), day(rng)};
    u.DataRil = Date{expiry.year - 3, expiry.month, expiry.day}.format();
    u.DataScade = expiry.format();
    u.DataNasc = Date{1940 + i % 70, month(rng), day(rng)}.format();
    u.ComuneNasc = towns[t(rng)];
    u.ComuneRes = towns[t(rng)];
    u.CapRes = std::to_string(10000 + i % 89999);
    u.IndirizzoRes = "Via Garibaldi " + std::to_string(1 + i % 200);
    u.Preavviso = std::to_string(notice(rng));
    u.Titoli = i % 3 == 0 ? "Laurea in lettere" : "Diploma di maturità";
    u.TelCel = "3" + std::to_string(300000000 + static_cast<int>(rng() % 99999999));
    u.Recapito = u.TelCel;
    u.Email = "utente" + std::to_string(i) + "@example.org";
    u.CodFisc = "RSSMRA80A01H501U";
    u.Note = i % 4 == 0 ? "Preferisce essere contattato la sera" : "";
    u.Annullata = i % 20 == 0 ? "Sì" : "No";
    return u;
}

// Tesserati.pro with `users` records in its own folder; made once.
inline std::filesystem::path userArchive(int users) {
    const auto dir = benchFolder() / ("tesserati-" + std::to_string(users));
    const auto file = dir / TTesserato::FileName;
    if (std::filesystem::exists(file) &&
        std::filesystem::file_size(file) == static_cast<std::uintmax_t>(users) * TTesserato::Size)
        return dir;
    std::filesystem::create_directories(dir);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::mt19937 rng(2022);
    for (int i = 0; i < users; ++i)
        out << sampleUser(i, rng).encode();
    return dir;
}

} // namespace quaderna::bench
