// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The password-change window.

#include "core/forms/Form.h"

namespace quaderna {

class TfrmCambiaPassword : public Form {
public:
    explicit TfrmCambiaPassword(Application& app);

    Picture imgLogo{this, "imgLogo"};
    Edit txtPasswordOld{this, "txtPasswordOld"};
    Edit txtPasswordNew{this, "txtPasswordNew"};
    Edit txtConferma{this, "txtConferma"};
    Button cmdOK{this, "cmdOK"};
    Button cmdEsci{this, "cmdEsci"};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void typing();
    void cmdOKClick();
    void cmdEsciClick();
};

} // namespace quaderna
