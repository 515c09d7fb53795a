// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help topics: a title and a few paragraphs of Italian prose for each window that has a help
// command, the same texts the help window shows and the user guide Guida.pdf prints.

#include <string>
#include <string_view>
#include <vector>

namespace quaderna::help {

// The topic titles, as the windows' help commands name them.
inline constexpr const char* Panoramica = "Uno sguardo a Quaderna 3.0.";
inline constexpr const char* PrestitiRestituzioni = "Applicazione Prestiti e Restituzioni.";
inline constexpr const char* StoricoStatistiche = "Applicazione Storico e Statistiche.";
inline constexpr const char* ArchivioLibri = "Applicazione Archivio Libri.";
inline constexpr const char* ConsultazioneCatalogo = "Applicazione Consultazione Catalogo Libri.";
inline constexpr const char* ArchivioUtenti = "Applicazione Archivio Utenti.";
inline constexpr const char* StampaTessere = "Applicazione Stampa Tessere.";
inline constexpr const char* RiepilogoStorico = "Riepilogo storico prestiti librari.";
inline constexpr const char* GraficiStatistici = "Grafici statistici prestiti mensili.";
inline constexpr const char* EsportaLibri = "Esportazione archivio libri in Microsoft Excel.";
inline constexpr const char* EsportaUtenti = "Esportazione archivio anagrafico utenti in Microsoft Excel.";
inline constexpr const char* EsportaPrestiti = "Esportazione archivio prestiti libri in Microsoft Excel.";
inline constexpr const char* PrestitiScaduti = "Riepilogo prestiti scaduti in Microsoft Excel.";

// How paragraphs are joined in a help text: an empty line between them.
inline constexpr std::string_view Paragrafo = "\r\n\r\n";

struct Topic {
    std::string_view title;
    std::vector<std::string_view> paragraphs;
    // The paragraphs joined by Paragrafo.
    std::string text() const;
};

// Every topic once, in the order of the user guide.
const std::vector<Topic>& topics();
// The topic with this title; null when there is none.
const Topic* find(std::string_view title);

// A window with a help command: its class, the name a librarian knows it by, the topic its help
// command opens, and the way to it from the launcher.
struct Window {
    std::string_view className;
    std::string_view name;
    std::string_view topic;
    std::string_view from;
};
// The windows with a help command, in the order of the user guide.
const std::vector<Window>& windows();

} // namespace quaderna::help
