// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages of the loan and returns windows.

namespace quaderna::msg {

inline constexpr const char* MancaNomeUtente =
    "Attenzione: per visualizzare la scheda prestito è necessario indicare il nome dell'utente "
    "importandolo dall'archivio anagrafico.";
inline constexpr const char* MancaTesseraUtente =
    "Attenzione: per visualizzare la scheda prestito è necessario indicare il numero di tessera "
    "dell'utente importandolo dall'archivio anagrafico.";
inline constexpr const char* StampaNonApplicabile =
    "Operazione di stampa non applicabile: l'elenco non contiene nessuna voce.";
inline constexpr const char* ConfermaStampaElenco = "Si vuole stampare il presente elenco?";
// Another desk held the lock of Libri.pro or of the loan file for too long: nothing was written.
inline constexpr const char* PrestitoInUso =
    "Attenzione: l'archivio è in uso da un'altra postazione e il prestito non è stato registrato.\n\r\n\r"
    "Attendere qualche istante e riprovare.";
inline constexpr const char* RestituzioneInUso =
    "Attenzione: l'archivio è in uso da un'altra postazione e la restituzione non è stata "
    "registrata.\n\r\n\rAttendere qualche istante e riprovare.";
// The chosen line's book was lent (from another desk) or cancelled after the list was made.
inline constexpr const char* LibroNonPiuDisponibile =
    "Attenzione: il libro selezionato non è più disponibile per il prestito.\n\r\n\rRipetere la ricerca "
    "per scegliere un altro libro.";

// The selected loan was returned from another desk after the sheet was shown.
inline constexpr const char* PrestitoGiaRestituito =
    "Attenzione: il prestito selezionato risulta già restituito.\n\r\n\rL'elenco dei prestiti è stato "
    "aggiornato.";

} // namespace quaderna::msg
