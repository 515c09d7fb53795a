// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small library to show in the screenshots.

#include "core/storage/Libro.h"
#include "core/storage/Tesserato.h"

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
        {"Se questo è un uomo", "SAG-0001", "Levi Primo", "Einaudi", "Torino", "1958", "Saggistica", "940",
         "B1"},
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
        b.Convalida = "Sì";
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

inline void writeSampleUsers(const std::filesystem::path& dir) {
    struct Row {
        const char *nome, *tessera, *rilascio, *scadenza, *preavviso, *nascita, *comune, *prov, *sesso, *via,
            *cellulare, *email, *note;
    } rows[] = {
        {"Rossi Mario", "2021-001", "15/01/2021", "14/01/2027", "30", "12/05/1978", "Milano", "MI", "M",
         "Via Dante 12", "333 1234567", "mario.rossi@example.org", "Socio fondatore"},
        {"Bianchi Anna", "2021-002", "20/02/2021", "19/02/2026", "15", "03/09/1985", "Pavia", "PV", "F",
         "Corso Garibaldi 4", "347 7654321", "anna.bianchi@example.org", ""},
        {"Esposito Giuseppe", "2022-014", "02/03/2022", "01/03/2026", "30", "21/11/1990", "Napoli", "NA", "M",
         "Via Toledo 88", "320 1112233", "g.esposito@example.org", "Preferisce i gialli"},
        {"Colombo Giulia", "2022-027", "11/06/2022", "10/06/2027", "0", "08/02/2001", "Monza", "MB", "F",
         "Via Italia 3", "339 4455667", "giulia.colombo@example.org", ""},
        {"Ricci Francesca", "2023-003", "09/01/2023", "08/01/2026", "10", "30/07/1969", "Bologna", "BO", "F",
         "Via Zamboni 21", "328 9988776", "f.ricci@example.org", "Volontaria del sabato"},
        {"Marino Luca", "2023-011", "14/04/2023", "13/04/2028", "30", "17/12/1995", "Torino", "TO", "M",
         "Corso Francia 150", "351 2233445", "luca.marino@example.org", ""},
        {"Greco Sofia", "2024-005", "05/02/2024", "04/02/2029", "30", "25/04/2010", "Bari", "BA", "F",
         "Via Sparano 9", "366 5566778", "sofia.greco@example.org", "Minorenne: firma del genitore"},
        {"Bruno Alessandro", "2024-019", "22/09/2024", "21/09/2029", "15", "02/10/1982", "Firenze", "FI", "M",
         "Via dei Servi 30", "340 6677889", "a.bruno@example.org", ""},
    };
    std::ofstream out(dir / TTesserato::FileName, std::ios::binary | std::ios::trunc);
    for (const auto& r : rows) {
        TTesserato t;
        t.Tesserato = r.nome;
        t.Carica = "Socio ordinario";
        t.NumTessera = r.tessera;
        t.DataRil = r.rilascio;
        t.DataScade = r.scadenza;
        t.Preavviso = r.preavviso;
        t.DataNasc = r.nascita;
        t.ComuneNasc = r.comune;
        t.ProvNasc = r.prov;
        t.Sesso = r.sesso;
        t.ComuneRes = r.comune;
        t.ProvRes = r.prov;
        t.CapRes = "20100";
        t.IndirizzoRes = r.via;
        t.Titoli = "Diploma di maturità";
        t.TelCel = r.cellulare;
        t.Recapito = r.cellulare;
        t.Email = r.email;
        t.Note = r.note;
        t.Annullata = "No";
        out << t.encode();
    }
}

} // namespace quaderna
