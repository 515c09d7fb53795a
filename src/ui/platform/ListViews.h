// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panels every search and list window shows: the criteria panel of a search, and the result
// panel with its explanations, find box, list and buttons. Positions follow the panel's height.

#include "core/forms/ListWindow.h"
#include "ui/platform/FormView.h"

#include <array>
#include <utility>

namespace quaderna::ui {

// What a list window may say differently on its result panel.
struct ResultTexts {
    bool openHint = true; // "Per richiamare i dati di una scheda, selezionarla con un doppio clic."
    QString print = QStringLiteral("Stampa");
    QString close = QStringLiteral("Chiudi");
    Button* closeButton = nullptr; // the window's btnChiudi when none is given
    int lineChars = 0;             // the characters of the longest line the list can hold, when known
};

class ListWindowView : public FormView {
public:
    using FormView::FormView;

protected:
    // Ten criteria in two columns under the three explanations, the waiting label, "Chiudi" and
    // "Cerca".
    void criteriaPanel(QWidget* parent, int height,
                       const std::array<std::pair<Edit*, const char*>, 10>& criteria, Label& lblAttendere,
                       Button& btnAnnulla, Button& btnCerca);
    // The explanations, the find box with "Trova", the list, the count label when there is one,
    // "Stampa" and "Chiudi"; everything placed from the parent's width and `height`, and following
    // the parent when it widens with its window.
    void resultPanel(QWidget* parent, int height, ListWindow& m, Label* lblTrovate = nullptr,
                     const ResultTexts& texts = {});
};

} // namespace quaderna::ui
