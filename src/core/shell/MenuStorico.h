#pragma once

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
    Button& firstButton() override { return btnApriStorico; }
};

} // namespace quaderna
