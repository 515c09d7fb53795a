// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The book record of Libri.pro: 34 text fields, 3237 bytes.

#include "core/storage/Field.h"

#include <string>
#include <string_view>

namespace quaderna {

struct TLibro {
    static constexpr std::size_t Size = 3237;
    static constexpr const char* FileName = "Libri.pro";

    struct F {
        static constexpr FieldSpec Titolo = first(250);
        static constexpr FieldSpec Codice = after(Titolo, 24);
        static constexpr FieldSpec Convalida = after(Codice, 2);
        static constexpr FieldSpec Scaffale = after(Convalida, 50);
        static constexpr FieldSpec Autore = after(Scaffale, 50);
        static constexpr FieldSpec Nazione = after(Autore, 50);
        static constexpr FieldSpec Curatore = after(Nazione, 50);
        static constexpr FieldSpec Dewey = after(Curatore, 3);
        static constexpr FieldSpec Pagine = after(Dewey, 12);
        static constexpr FieldSpec Genere = after(Pagine, 50);
        static constexpr FieldSpec Giudizio = after(Genere, 50);
        static constexpr FieldSpec Editore = after(Giudizio, 50);
        static constexpr FieldSpec Isbn = after(Editore, 50);
        static constexpr FieldSpec Citta = after(Isbn, 50);
        static constexpr FieldSpec Anno = after(Citta, 30);
        static constexpr FieldSpec Volumi = after(Anno, 30);
        static constexpr FieldSpec Prezzo = after(Volumi, 30);
        static constexpr FieldSpec Collana = after(Prezzo, 50);
        static constexpr FieldSpec Formato = after(Collana, 50);
        static constexpr FieldSpec Originale = after(Formato, 250);
        static constexpr FieldSpec Lingua = after(Originale, 30);
        static constexpr FieldSpec Prima = after(Lingua, 30);
        static constexpr FieldSpec Traduttore = after(Prima, 50);
        static constexpr FieldSpec Versione = after(Traduttore, 30);
        static constexpr FieldSpec Prestato = after(Versione, 120);
        static constexpr FieldSpec Scadenza = after(Prestato, 10);
        static constexpr FieldSpec Note = after(Scadenza, 250);
        static constexpr FieldSpec Annullata = after(Note, 2);
        static constexpr FieldSpec File01 = after(Annullata, 250);
        static constexpr FieldSpec File02 = after(File01, 250);
        static constexpr FieldSpec File03 = after(File02, 250);
        static constexpr FieldSpec Desc01 = after(File03, 250);
        static constexpr FieldSpec Desc02 = after(Desc01, 250);
        static constexpr FieldSpec Desc03 = after(Desc02, 250);
    };
    static_assert(F::Desc03.end() == Size);

    std::string Titolo, Codice, Convalida, Scaffale, Autore, Nazione, Curatore, Dewey, Pagine, Genere,
        Giudizio, Editore, Isbn, Citta, Anno, Volumi, Prezzo, Collana, Formato, Originale, Lingua, Prima,
        Traduttore, Versione, Prestato, Scadenza, Note, Annullata, File01, File02, File03, Desc01, Desc02,
        Desc03;

    static const FieldBinding<TLibro> Fields[34];

    static TLibro decode(std::string_view bytes);
    std::string encode() const;
};

// The loan state of an available book.
inline constexpr std::string_view kLibroDisponibile = "Libro disponibile per il prestito";

} // namespace quaderna
