// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing the card: the card shifted on the sheet by whole millimetres, top and left, each
// offset remembered in Tesserini.ini by its own "Applica".

#include "core/forms/Form.h"
#include "core/reports/Report.h"

#include <optional>
#include <string_view>

namespace quaderna {

class TfrmStampaTessera : public Form {
public:
    explicit TfrmStampaTessera(Application& app);

    Edit txtTop{this, "txtTop"}, txtLeft{this, "txtLeft"}; // read-only, millimetres
    Button btnTopMinus{this, "btnTopMinus"}, btnTopPlus{this, "btnTopPlus"};
    Button btnLeftMinus{this, "btnLeftMinus"}, btnLeftPlus{this, "btnLeftPlus"};
    Button btnApplicaTop{this, "btnApplicaTop"}, btnApplicaLeft{this, "btnApplicaLeft"};
    Label lblAttendere{this, "lblAttendere", "Elaborazione in corso. Attendere..."};
    Button btnAnnulla{this, "btnAnnulla"}, btnStampa{this, "btnStampa"};
    Report repTesserino;

    void FormShow() override;
    void btnTopMinusClick();
    void btnTopPlusClick();
    void btnLeftMinusClick();
    void btnLeftPlusClick();
    void btnApplicaTopClick();
    void btnApplicaLeftClick();
    void btnStampaMouseDown();
    void btnStampaClick();
    void btnAnnullaClick();
};

// An offset as it stands in Tesserini.ini or in its box: a whole number of millimetres, with an
// optional sign and blanks around it. Nothing for any other text (a decimal, letters, a number
// out of range).
std::optional<int> offsetMm(std::string_view text);

} // namespace quaderna
