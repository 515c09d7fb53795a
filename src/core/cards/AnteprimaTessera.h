// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The card in the print preview, at its designed place on the sheet (no offsets).

#include "core/forms/Form.h"
#include "core/reports/Report.h"

namespace quaderna {

class TfrmAnteprimaTessera : public Form {
public:
    explicit TfrmAnteprimaTessera(Application& app);

    Label lblAttendere{this, "lblAttendere", "Elaborazione in corso. Attendere..."};
    Button btnAnnulla{this, "btnAnnulla"}, btnStampa{this, "btnStampa"};
    Report repTesserino;

    void btnStampaMouseDown();
    void btnStampaClick();
    void btnAnnullaClick();
};

} // namespace quaderna
