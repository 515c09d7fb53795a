// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The photo zoom: the user's photo over the whole screen; a click anywhere on it closes it, and so
// do Enter, the space bar and Escape.

#include "core/forms/Form.h"

namespace quaderna {

class TfrmZoom : public Form {
public:
    explicit TfrmZoom(Application& app);

    Panel panContainer{this, "panContainer"};
    Picture imgFoto{this, "imgFoto"};

    void FormShow() override;
    void imgFotoClick();
    void panContainerClick();
};

} // namespace quaderna
