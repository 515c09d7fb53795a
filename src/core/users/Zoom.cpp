// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/Zoom.h"

#include "core/Application.h"

namespace quaderna {

TfrmZoom::TfrmZoom(Application& app)
    : Form(app, "TfrmZoom", " Fai clic sulla foto per chiudere questa finestra") {
    imgFoto.onClick = [this] { imgFotoClick(); };
    panContainer.onClick = [this] { panContainerClick(); };
    // Without a mouse: Enter, the space bar or Escape close it as a click does.
    panContainer.onKeyDown = [this](Key& k) {
        if (k.code == VK::Return || k.code == VK::Escape || k.ch == U' ') {
            k.swallow();
            panContainerClick();
        }
    };
}

void TfrmZoom::FormShow() {
    setFocus(panContainer);
}

void TfrmZoom::imgFotoClick() {
    app.close(*this);
}

void TfrmZoom::panContainerClick() {
    app.close(*this);
}

} // namespace quaderna
