#include "core/shell/Splash.h"

#include "core/Application.h"
#include "core/shell/Avvio.h"

namespace quaderna {

namespace {

// The web address as the window shows it: without the scheme and the closing slash.
std::string shownAddress() {
    std::string s = kSitoWeb;
    if (const auto p = s.find("://"); p != std::string::npos)
        s.erase(0, p + 3);
    if (!s.empty() && s.back() == '/')
        s.pop_back();
    return s;
}

} // namespace

TfrmSplash::TfrmSplash(Application& app)
    : LinkWindow(app, "TfrmSplash", std::string(" Quaderna 3.0 - Versione 3.0 - ") + kAutore,
                 shownAddress()) {
    linkIcon(imgWeb);
}

void TfrmSplash::followLink() {
    ui().shellOpen(kSitoWeb);
}

} // namespace quaderna
