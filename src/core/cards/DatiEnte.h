// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The library's data: the four texts of the card's header and footer bands, edited over bands
// that look like the card. "Applica e chiudi" hands them to the card window, which keeps them in
// Tesserini.ini when it closes.

#include "core/forms/Form.h"

namespace quaderna {

class TfrmDatiEnte : public Form {
public:
    explicit TfrmDatiEnte(Application& app);

    Edit txtAssociazione{this, "txtAssociazione"};
    Edit txtSottotitolo01{this, "txtSottotitolo01"};
    Edit txtSottotitolo02{this, "txtSottotitolo02"};
    Edit txtAnnotazioni{this, "txtAnnotazioni"};
    Label lblMemory{this, "lblMemory"}; // the caller's marker
    Button btnAnnulla{this, "btnAnnulla"}, btnApplica{this, "btnApplica"};

    void FormShow() override;
    void btnApplicaClick();
    void btnAnnullaClick();
};

} // namespace quaderna
