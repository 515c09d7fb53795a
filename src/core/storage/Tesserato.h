// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user record of Tesserati.pro: 35 text fields, 2738 bytes.

#include "core/storage/Field.h"

#include <string>
#include <string_view>

namespace quaderna {

struct TTesserato {
    static constexpr std::size_t Size = 2738;
    static constexpr const char* FileName = "Tesserati.pro";

    struct F {
        static constexpr FieldSpec Tesserato = first(50);
        static constexpr FieldSpec Carica = after(Tesserato, 50);
        static constexpr FieldSpec NumTessera = after(Carica, 24);
        static constexpr FieldSpec DataRil = after(NumTessera, 10);
        static constexpr FieldSpec DataScade = after(DataRil, 10);
        static constexpr FieldSpec DataNasc = after(DataScade, 10);
        static constexpr FieldSpec ComuneNasc = after(DataNasc, 50);
        static constexpr FieldSpec ProvNasc = after(ComuneNasc, 2);
        static constexpr FieldSpec Sesso = after(ProvNasc, 1);
        static constexpr FieldSpec ComuneRes = after(Sesso, 50);
        static constexpr FieldSpec ProvRes = after(ComuneRes, 2);
        static constexpr FieldSpec CapRes = after(ProvRes, 5);
        static constexpr FieldSpec IndirizzoRes = after(CapRes, 50);
        static constexpr FieldSpec Preavviso = after(IndirizzoRes, 3);
        static constexpr FieldSpec Titoli = after(Preavviso, 250);
        static constexpr FieldSpec TelCasa = after(Titoli, 30);
        static constexpr FieldSpec TelUff = after(TelCasa, 30);
        static constexpr FieldSpec TelCel = after(TelUff, 30);
        static constexpr FieldSpec Recapito = after(TelCel, 50);
        static constexpr FieldSpec Fax = after(Recapito, 30);
        static constexpr FieldSpec Email = after(Fax, 50);
        static constexpr FieldSpec CodFisc = after(Email, 16);
        static constexpr FieldSpec Carta = after(CodFisc, 30);
        static constexpr FieldSpec ScadeCarta = after(Carta, 30);
        static constexpr FieldSpec PartitaIva = after(ScadeCarta, 11);
        static constexpr FieldSpec Iban = after(PartitaIva, 27);
        static constexpr FieldSpec Intestatario = after(Iban, 50);
        static constexpr FieldSpec Note = after(Intestatario, 250);
        static constexpr FieldSpec Annullata = after(Note, 2);
        static constexpr FieldSpec File01 = after(Annullata, 250);
        static constexpr FieldSpec File02 = after(File01, 250);
        static constexpr FieldSpec File03 = after(File02, 250);
        static constexpr FieldSpec Desc01 = after(File03, 250);
        static constexpr FieldSpec Desc02 = after(Desc01, 250);
        static constexpr FieldSpec Desc03 = after(Desc02, 250);
    };
    static_assert(F::Desc03.end() == Size);

    std::string Tesserato, Carica, NumTessera, DataRil, DataScade, DataNasc, ComuneNasc, ProvNasc, Sesso,
        ComuneRes, ProvRes, CapRes, IndirizzoRes, Preavviso, Titoli, TelCasa, TelUff, TelCel, Recapito, Fax,
        Email, CodFisc, Carta, ScadeCarta, PartitaIva, Iban, Intestatario, Note, Annullata, File01, File02,
        File03, Desc01, Desc02, Desc03;

    static const FieldBinding<TTesserato> Fields[35];

    static TTesserato decode(std::string_view bytes);
    std::string encode() const;
};

} // namespace quaderna
