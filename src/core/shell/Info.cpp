// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/Info.h"

#include "core/Application.h"

namespace quaderna {

TfrmInfo::TfrmInfo(Application& app)
    : LinkWindow(app, "TfrmInfo", " Informazioni su Quaderna 3.0", kInfoLink) {
    linkIcon(imgEmail);
}

void TfrmInfo::followLink() {
    // The project has no mailbox to write to: the link opens the program's readme. No program
    // on this computer opens it: nothing happens, as with every link of these windows.
    ui().shellOpen(quotedPath(programDocument(app, kLeggimi, "doc/quaderna")));
}

} // namespace quaderna
