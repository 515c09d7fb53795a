// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/ExpLibri.h"

#include "core/Application.h"
#include "core/storage/Libro.h"

namespace quaderna {

namespace {

const std::vector<ExportColumn> kColonne = {
    {"Titolo libro", 350, "Titolo libro", 350, true},
    {"Codice identificativo", 250, "Codice identificativo", 200, true},
    {"Scaffale", 250, "Scaffale", 200, true},
    {"Autore", 280, "Autore", 300, false},
    {"Nazione", 250, "Nazione", 250, false},
    {"Curatore", 250, "Curatore", 250, true},
    {"Codice Dewey", 150, "Codice Dewey", 120, true},
    {"Pagine", 100, "Pagine", 120, true},
    {"Genere", 250, "Genere", 250, true},
    {"Giudizio", 250, "Giudizio", 250, false},
    {"Casa editrice", 250, "Casa editrice", 250, false},
    {"ISBN", 200, "ISBN", 200, true},
    {"Città pubblicazione", 250, "Città pubblicazione", 250, true},
    {"Anno pubblicazione", 200, "Anno pubblicazione", 180, true},
    {"Volumi", 200, "Volumi", 200, false},
    {"Prezzo", 200, "Prezzo", 200, true},
    {"Collana", 250, "Collana", 250, true},
    {"Formato", 250, "Formato", 250, true},
    {"Titolo originale", 300, "Titolo originale", 300, false},
    {"Lingua", 250, "Lingua", 250, false},
    {"Prima pubblicazione", 200, "Prima pubblicazione", 200, false},
    {"Traduttore", 250, "Traduttore", 250, true},
    {"Versione", 250, "Versione", 200, false},
    {"Note", 350, "Note", 300, false},
    {"Scheda annullata", 150, "Scheda annullata", 120, false},
};

// The fields of the columns, in order.
constexpr FieldSpec kCampi[] = {
    TLibro::F::Titolo,    TLibro::F::Codice,     TLibro::F::Scaffale,  TLibro::F::Autore,
    TLibro::F::Nazione,   TLibro::F::Curatore,   TLibro::F::Dewey,     TLibro::F::Pagine,
    TLibro::F::Genere,    TLibro::F::Giudizio,   TLibro::F::Editore,   TLibro::F::Isbn,
    TLibro::F::Citta,     TLibro::F::Anno,       TLibro::F::Volumi,    TLibro::F::Prezzo,
    TLibro::F::Collana,   TLibro::F::Formato,    TLibro::F::Originale, TLibro::F::Lingua,
    TLibro::F::Prima,     TLibro::F::Traduttore, TLibro::F::Versione,  TLibro::F::Note,
    TLibro::F::Annullata,
};
static_assert(std::size(kCampi) == 25);

} // namespace

TfrmExpLibri::TfrmExpLibri(Application& app)
    : ExportWindow(app, "TfrmExpLibri", " Esporta archivio libri in Microsoft Excel", "Libri.xls",
                   "Riepilogo Libri", "Esportazione archivio libri in Microsoft Excel.", kColonne) {}

bool TfrmExpLibri::fill(Progress& progress) {
    std::string buffer;
    return scan(app.dataFile(TLibro::FileName), TLibro::Size, progress, [&](std::string_view rec) {
        for (const FieldSpec& f : kCampi)
            grdRecords.add(exporting::field(buffer, rec, f.offset, f.width));
    });
}

} // namespace quaderna
