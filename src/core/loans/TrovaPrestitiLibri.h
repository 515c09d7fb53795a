// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loan book picker: the search of the available books, whose double-click lends the chosen
// book to the user of the loan window.

#include "core/catalogue/BookSearch.h"

namespace quaderna {

class TfrmTrovaPrestitiLibri : public BookSearch {
public:
    explicit TfrmTrovaPrestitiLibri(Application& app);

    // Hidden: the 1-based position of the book marked lent.
    Label lblPosizione{this, "lblPosizione"};

    // Marks the first available book whose line is the chosen one as lent to the loan window's
    // card until its due date, and appends the loan, as one step: when the loan cannot be written
    // the book is put back as it was. Then the picker closes.
    void lstRecordsDblClick();
};

} // namespace quaderna
