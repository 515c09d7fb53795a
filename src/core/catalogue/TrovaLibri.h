// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/catalogue/BookSearch.h"

namespace quaderna {

// Every book not marked cancelled.
class TfrmTrovaLibri : public BookSearch {
public:
    explicit TfrmTrovaLibri(Application& app)
        : BookSearch(app, "TfrmTrovaLibri", " Trova libri in archivio", false,
                     "Riepilogo libri in archivio") {}
};

} // namespace quaderna
