// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's printed layouts, each a fresh report as the windows keep it.

#include "core/reports/Report.h"

#include <string>
#include <vector>

namespace quaderna::reports {

// The distance between two lines of a printed list, in report units.
inline constexpr double listLineHeight = 12.822;

// "Riepilogo dati", the list report of the search and list windows: A4 landscape, a title band
// with txtTitolo, the band MasterData with the list memo txtRiepilogo, a footer with txtPagina
// "Stampa eseguita in data [DATE]". The list memo prints square brackets as they are.
Report riepilogoDati();

// Fills a list report: txtTitolo := title, txtRiepilogo := the lines, its height := lines ×
// 12.822 and the height of MasterData := that + 10.
void fillList(Report& report, std::string title, std::vector<std::string> lines);

// "Scheda Libro", the book sheet: A4 portrait, 26 label/value rows named like the book window's
// edit boxes (txtTitolo ... txtScadenza), the footer txtCalce.
Report schedaLibro();

// "Scheda informativa", the user sheet: A4 portrait, the logo imgLogo, txtTitolo, 24 rows
// titCampo01..24 / txtCampo01..24, the footer txtCalce.
Report schedaInformativa();

// "Tesserino", the membership card: an A4 portrait page with no margins and no bands, the card an
// 86 × 54 mm rectangle at 10 mm from the page's top and left edges. Printing sets the page's top
// and left margins to the card's offsets. Texts: txtAssociazione, txtSottotitolo01,
// txtSottotitolo02, txtAnnotazioni, txtTesserato, txtCarica, txtNumTessera, txtDataRil,
// txtDataScade; pictures: imgFoto, imgLogo.
Report tesserino();

// The labels and value memos of the book sheet, top to bottom.
struct SheetRow {
    const char* label;
    const char* memo;
};
extern const SheetRow schedaLibroRows[26];

} // namespace quaderna::reports
