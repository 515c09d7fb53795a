#pragma once

#include "core/shell/SubMenu.h"

namespace quaderna {

class TfrmMenuPrestiti : public SubMenu {
public:
    explicit TfrmMenuPrestiti(Application& app);
    Button btnApriPrestito{this, "btnApriPrestito"};
    Button btnApriRestituzione{this, "btnApriRestituzione"};
    void btnApriPrestitoClick();
    void btnApriRestituzioneClick();

protected:
    Button& firstButton() override { return btnApriPrestito; }
};

} // namespace quaderna
