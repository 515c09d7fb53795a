// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fiscal code check: the 16-character form and its check character.

#include "core/forms/Form.h"

namespace quaderna {

class TfrmCodFisc : public Form {
public:
    explicit TfrmCodFisc(Application& app);

    Edit txtCodFisc{this, "txtCodFisc", 16};
    Button btnControlla{this, "btnControlla"};
    Button btnChiudi{this, "btnChiudi"};

    void FormCreate() override;
    void FormShow() override;
    void txtCodFiscTyping();
    void txtCodFiscKeyDown(Key& key);
    void btnControllaClick();
    void btnChiudiClick();
};

} // namespace quaderna
