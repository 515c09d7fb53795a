// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shell/HelpTexts.h"
#include "core/shell/SubMenu.h"

namespace quaderna {

class TfrmMenuStorico : public SubMenu {
public:
    explicit TfrmMenuStorico(Application& app);
    Button btnApriStorico{this, "btnApriStorico"};
    Button btnApriStatistiche{this, "btnApriStatistiche"};
    void btnApriStoricoClick();
    void btnApriStatisticheClick();

protected:
    const char* helpTopic() const override { return help::StoricoStatistiche; }
    Button& firstButton() override { return btnApriStorico; }
};

} // namespace quaderna
