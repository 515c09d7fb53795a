// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/ExpAnagrafica.h"

#include "core/Application.h"
#include "core/storage/Tesserato.h"

namespace quaderna {

namespace {

const std::vector<ExportColumn> kColonne = {
    {"Cognome e nome", 250, "Cognome e nome", 200, true},
    {"Informazioni aggiuntive", 250, "Informazioni aggiuntive", 200, true},
    {"Tessera n.", 250, "Tessera n.", 200, true},
    {"Data di rilascio", 200, "Data di rilascio", 200, false},
    {"Data di scadenza", 200, "Data di scadenza", 200, false},
    {"Data di nascita", 200, "Data di nascita", 150, true},
    {"Comune di nascita", 250, "Comune di nascita", 250, true},
    {"Sesso", 100, "Sesso", 60, true},
    {"Comune di residenza", 250, "Comune di residenza", 250, true},
    {"Via e numero civico", 300, "Via e numero civico", 250, false},
    {"Titoli di studio e altre qualifiche", 300, "Titolo di studio e altre qualifiche", 250, true},
    {"Tel. casa", 200, "Tel. casa", 200, true},
    {"Tel. ufficio", 200, "Tel. ufficio", 200, true},
    {"Tel. cellulare", 200, "Tel. cellulare", 200, false},
    {"Recapito preferenziale", 250, "Recapito preferenziale", 250, true},
    {"Fax", 200, "Fax", 200, true},
    {"E-mail", 250, "E-mail", 250, true},
    {"Codice fiscale", 250, "Codice Fiscale", 200, false},
    {"Carta di credito n.", 250, "Carta di credito n.", 250, false},
    {"Scadenza carta di credito", 220, "Scadenza carta di credito", 200, false},
    {"Partita IVA", 250, "Partita IVA", 200, true},
    {"IBAN", 280, "IBAN", 250, false},
    {"Intestatario C/C", 250, "Intestatario C/C", 250, false},
    {"Note", 350, "Note", 300, false},
    {"Tessera annullata", 150, "Tessera annullata", 120, false},
};

} // namespace

TfrmExpAnagrafica::TfrmExpAnagrafica(Application& app)
    : ExportWindow(app, "TfrmExpAnagrafica", " Esporta archivio anagrafico utenti in Microsoft Excel",
                   "Tesserati.xls", "Riepilogo Anagrafica Utenti",
                   "Esportazione archivio anagrafico utenti in Microsoft Excel.", kColonne) {}

bool TfrmExpAnagrafica::fill(Progress& progress) {
    using F = TTesserato::F;
    std::string buffer, joined;
    const auto field = [&](std::string_view rec, FieldSpec f) {
        return exporting::field(buffer, rec, f.offset, f.width);
    };
    // Several fields in one cell, each trimmed, joined by single blanks (an empty one leaves its blank).
    const auto join = [&](std::string_view rec, std::initializer_list<FieldSpec> parts) {
        joined.clear();
        for (const FieldSpec& f : parts) {
            if (&f != parts.begin())
                joined += ' ';
            joined += field(rec, f);
        }
        return std::string_view(joined);
    };
    return scan(app.dataFile(TTesserato::FileName), TTesserato::Size, progress, [&](std::string_view rec) {
        for (const FieldSpec& f :
             {F::Tesserato, F::Carica, F::NumTessera, F::DataRil, F::DataScade, F::DataNasc})
            grdRecords.add(field(rec, f));
        grdRecords.add(join(rec, {F::ComuneNasc, F::ProvNasc}));
        grdRecords.add(field(rec, F::Sesso));
        grdRecords.add(join(rec, {F::CapRes, F::ComuneRes, F::ProvRes}));
        for (const FieldSpec& f : {F::IndirizzoRes, F::Titoli, F::TelCasa, F::TelUff, F::TelCel, F::Recapito,
                                   F::Fax, F::Email, F::CodFisc, F::Carta, F::ScadeCarta, F::PartitaIva,
                                   F::Iban, F::Intestatario, F::Note, F::Annullata})
            grdRecords.add(field(rec, f));
    });
}

} // namespace quaderna
