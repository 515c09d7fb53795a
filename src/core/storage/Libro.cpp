// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Libro.h"

namespace quaderna {

#define QUADERNA_FIELD(name)                                                                                 \
    { #name, TLibro::F::name, &TLibro::name }

const FieldBinding<TLibro> TLibro::Fields[34] = {
    QUADERNA_FIELD(Titolo),   QUADERNA_FIELD(Codice),   QUADERNA_FIELD(Convalida),  QUADERNA_FIELD(Scaffale),
    QUADERNA_FIELD(Autore),   QUADERNA_FIELD(Nazione),  QUADERNA_FIELD(Curatore),   QUADERNA_FIELD(Dewey),
    QUADERNA_FIELD(Pagine),   QUADERNA_FIELD(Genere),   QUADERNA_FIELD(Giudizio),   QUADERNA_FIELD(Editore),
    QUADERNA_FIELD(Isbn),     QUADERNA_FIELD(Citta),    QUADERNA_FIELD(Anno),       QUADERNA_FIELD(Volumi),
    QUADERNA_FIELD(Prezzo),   QUADERNA_FIELD(Collana),  QUADERNA_FIELD(Formato),    QUADERNA_FIELD(Originale),
    QUADERNA_FIELD(Lingua),   QUADERNA_FIELD(Prima),    QUADERNA_FIELD(Traduttore), QUADERNA_FIELD(Versione),
    QUADERNA_FIELD(Prestato), QUADERNA_FIELD(Scadenza), QUADERNA_FIELD(Note),       QUADERNA_FIELD(Annullata),
    QUADERNA_FIELD(File01),   QUADERNA_FIELD(File02),   QUADERNA_FIELD(File03),     QUADERNA_FIELD(Desc01),
    QUADERNA_FIELD(Desc02),   QUADERNA_FIELD(Desc03),
};

#undef QUADERNA_FIELD

TLibro TLibro::decode(std::string_view bytes) {
    return decodeRecord(bytes, Fields);
}
std::string TLibro::encode() const {
    return encodeRecord(*this, Size, Fields);
}

} // namespace quaderna
