// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The credit-card number check: the Luhn rule, and the card type named by the leading digits.

#include "core/forms/Form.h"

namespace quaderna {

class TfrmCarta : public Form {
public:
    explicit TfrmCarta(Application& app);

    Edit txtNumero{this, "txtNumero", 30};
    Button btnControlla{this, "btnControlla"};
    Button btnChiudi{this, "btnChiudi"};

    void FormCreate() override;
    void FormShow() override;
    void txtNumeroKeyDown(Key& key);
    void txtNumeroTyping();
    void btnControllaClick();
    void btnChiudiClick();
};

} // namespace quaderna
