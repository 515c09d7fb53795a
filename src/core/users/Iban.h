// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The IBAN check: 27 characters and the international mod-97 rule.

#include "core/forms/Form.h"

namespace quaderna {

class TfrmIban : public Form {
public:
    explicit TfrmIban(Application& app);

    Edit txtIban{this, "txtIban", 27};
    Button btnControlla{this, "btnControlla"};
    Button btnChiudi{this, "btnChiudi"};

    void FormCreate() override;
    void FormShow() override;
    void txtIbanKeyDown(Key& key);
    void txtIbanTyping();
    void btnControllaClick();
    void btnChiudiClick();
};

} // namespace quaderna
