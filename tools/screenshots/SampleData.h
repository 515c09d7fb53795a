#pragma once
// A small library to show in the screenshots.

#include "core/storage/Libro.h"

#include <filesystem>
#include <fstream>

namespace quaderna {

inline void writeSampleBooks(const std::filesystem::path& dir) {
    struct Row {
        const char *titolo, *codice, *autore, *editore, *citta, *anno, *genere, *dewey, *scaffale;
    } rows[] = {
        {"I promessi sposi", "NAR-0001", "Manzoni Alessandro", "Mondadori", "Milano", "1985",
         "Romanzo storico", "853", "A1"},
        {"Il Gattopardo", "NAR-0002", "Tomasi di Lampedusa Giuseppe", "Feltrinelli", "Milano", "1958",
         "Romanzo storico", "853", "A1"},
        {"La coscienza di Zeno", "NAR-0003", "Svevo Italo", "Einaudi", "Torino", "1976",
         "Romanzo psicologico", "853", "A2"},
        {"Il barone rampante", "NAR-0004", "Calvino Italo", "Einaudi", "Torino", "1957", "Romanzo fantastico",
         "853", "A2"},
        {"Se questo \xC3\xA8 un uomo", "SAG-0001", "Levi Primo", "Einaudi", "Torino", "1958", "Saggistica",
         "940", "B1"},
        {"Il nome della rosa", "NAR-0005", "Eco Umberto", "Bompiani", "Milano", "1980", "Romanzo giallo",
         "853", "A3"},
        {"Canne al vento", "NAR-0006", "Deledda Grazia", "Treves", "Milano", "1913", "Romanzo letterario",
         "853", "A3"},
        {"Il giorno della civetta", "NAR-0007", "Sciascia Leonardo", "Einaudi", "Torino", "1961",
         "Romanzo giallo", "853", "A4"},
    };
    std::ofstream out(dir / TLibro::FileName, std::ios::binary | std::ios::trunc);
    for (const auto& r : rows) {
        TLibro b;
        b.Titolo = r.titolo;
        b.Codice = r.codice;
        b.Convalida = "S\xC3\xAC";
        b.Autore = r.autore;
        b.Editore = r.editore;
        b.Citta = r.citta;
        b.Anno = r.anno;
        b.Genere = r.genere;
        b.Dewey = r.dewey;
        b.Scaffale = r.scaffale;
        b.Nazione = "Italia";
        b.Lingua = "Italiano";
        b.Pagine = "320";
        b.Isbn = "978-88-06-17424-6";
        b.Prestato = std::string(kLibroDisponibile);
        b.Annullata = "No";
        out << b.encode();
    }
}

} // namespace quaderna
