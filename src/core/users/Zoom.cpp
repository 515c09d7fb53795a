#include "core/users/Zoom.h"

#include "core/Application.h"

namespace quaderna {

TfrmZoom::TfrmZoom(Application& app)
    : Form(app, "TfrmZoom", " Fai clic sulla foto per chiudere questa finestra") {
    imgFoto.onClick = [this] { imgFotoClick(); };
    panContainer.onClick = [this] { panContainerClick(); };
}

void TfrmZoom::imgFotoClick() {
    app.close(*this);
}

void TfrmZoom::panContainerClick() {
    app.close(*this);
}

} // namespace quaderna
