// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/catalogue/BookSearch.h"

namespace quaderna {

// Every book not marked cancelled and not on loan.
class TfrmTrovaDisponibili : public BookSearch {
public:
    explicit TfrmTrovaDisponibili(Application& app)
        : BookSearch(app, "TfrmTrovaDisponibili", " Trova libri disponibili per il prestito", true,
                     "Riepilogo libri disponibili per il prestito") {}
};

} // namespace quaderna
