// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/Splash.h"

#include "core/Application.h"
#include "core/shell/Avvio.h"

namespace quaderna {

TfrmSplash::TfrmSplash(Application& app)
    : LinkWindow(app, "TfrmSplash", std::string(" Quaderna 3.0 - Versione 3.0 - ") + kAutore, kSplashLink) {
    linkIcon(imgWeb);
}

void TfrmSplash::followLink() {
    openLicence(app);
}

void openLicence(Application& app) {
    // The project has no web page: the credits link and the launcher's strip open the licence
    // the program is given under.
    app.ui.shellOpen(quotedPath(programDocument(app, kLicenza, "quaderna")));
}

} // namespace quaderna
