// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Tesserato.h"

namespace quaderna {

#define QUADERNA_FIELD(name)                                                                                 \
    { #name, TTesserato::F::name, &TTesserato::name }

const FieldBinding<TTesserato> TTesserato::Fields[35] = {
    QUADERNA_FIELD(Tesserato),    QUADERNA_FIELD(Carica),    QUADERNA_FIELD(NumTessera),
    QUADERNA_FIELD(DataRil),      QUADERNA_FIELD(DataScade), QUADERNA_FIELD(DataNasc),
    QUADERNA_FIELD(ComuneNasc),   QUADERNA_FIELD(ProvNasc),  QUADERNA_FIELD(Sesso),
    QUADERNA_FIELD(ComuneRes),    QUADERNA_FIELD(ProvRes),   QUADERNA_FIELD(CapRes),
    QUADERNA_FIELD(IndirizzoRes), QUADERNA_FIELD(Preavviso), QUADERNA_FIELD(Titoli),
    QUADERNA_FIELD(TelCasa),      QUADERNA_FIELD(TelUff),    QUADERNA_FIELD(TelCel),
    QUADERNA_FIELD(Recapito),     QUADERNA_FIELD(Fax),       QUADERNA_FIELD(Email),
    QUADERNA_FIELD(CodFisc),      QUADERNA_FIELD(Carta),     QUADERNA_FIELD(ScadeCarta),
    QUADERNA_FIELD(PartitaIva),   QUADERNA_FIELD(Iban),      QUADERNA_FIELD(Intestatario),
    QUADERNA_FIELD(Note),         QUADERNA_FIELD(Annullata), QUADERNA_FIELD(File01),
    QUADERNA_FIELD(File02),       QUADERNA_FIELD(File03),    QUADERNA_FIELD(Desc01),
    QUADERNA_FIELD(Desc02),       QUADERNA_FIELD(Desc03),
};

#undef QUADERNA_FIELD

TTesserato TTesserato::decode(std::string_view bytes) {
    return decodeRecord(bytes, Fields);
}
std::string TTesserato::encode() const {
    return encodeRecord(*this, Size, Fields);
}

} // namespace quaderna
