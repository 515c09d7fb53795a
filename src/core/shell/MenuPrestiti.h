// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shell/HelpTexts.h"
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
    const char* helpTopic() const override { return help::PrestitiRestituzioni; }
    Button& firstButton() override { return btnApriPrestito; }
};

} // namespace quaderna
