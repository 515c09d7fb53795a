// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages that many windows share.

namespace quaderna::msg {

inline constexpr const char* ArchivioNonAccessibile =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i "
    "privilegi di "
    "scrittura nella cartella di installazione del programma.";
// A save that another desk's save kept waiting for more than a few seconds: nothing was written.
inline constexpr const char* ArchivioInUso =
    "Attenzione: l'archivio è in uso da un'altra postazione e la scheda non è stata salvata.\n\r\n\r"
    "Attendere qualche istante e riprovare.";
// A typed loan year that is not four digits (returns, history, statistics, exports).
inline constexpr const char* AnnoQuattroCifre =
    "Attenzione: indicare l'anno solare utilizzando quattro cifre.";
// The day's copy of an archive or a settings file could not be made; the work goes on.
inline constexpr const char* CopiaNonRiuscita =
    "Attenzione: la copia di sicurezza di oggi nella cartella Backup non è riuscita.";
inline constexpr const char* ArchivioVuoto = "L'archivio non contiene nessuna scheda.";
inline constexpr const char* ListaVuota = "Ricerca non applicabile: la lista non contiene nessuna voce.";
inline constexpr const char* ModificheSalvate =
    "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";
// No mail program could take the message (the desktop has none for "mailto:").
inline constexpr const char* PostaNonDisponibile =
    "Attenzione: il sistema non permette di avviare il programma di posta elettronica.\n\r\n\rAccertarsi "
    "che sul computer sia installato e configurato un programma per l'invio della posta elettronica.";
inline constexpr const char* SchedaInserita = "La scheda corrente è stata inserita in archivio.";

} // namespace quaderna::msg
