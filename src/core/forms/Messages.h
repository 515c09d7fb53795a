#pragma once
// Messages that many windows share.

namespace quaderna::msg {

inline constexpr const char* ArchivioNonAccessibile =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i "
    "privilegi di "
    "scrittura nella cartella di installazione del programma.";
inline constexpr const char* ArchivioVuoto = "L'archivio non contiene nessuna scheda.";
inline constexpr const char* ListaVuota = "Ricerca non applicabile: la lista non contiene nessuna voce.";
inline constexpr const char* ModificheSalvate =
    "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";
// No mail program could take the message (the desktop has none for "mailto:").
inline constexpr const char* PostaNonDisponibile =
    "Attenzione: il sistema non permette di avviare il programma di posta elettronica.\n\r\n\rAccertarsi "
    "che sul computer sia installato e configurato un programma per l'invio della posta elettronica.";
inline constexpr const char* SchedaInserita = "La scheda corrente \xC3\xA8 stata inserita in archivio.";

} // namespace quaderna::msg
