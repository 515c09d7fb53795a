#include "core/shell/Info.h"

#include "core/Application.h"

namespace quaderna {

TfrmInfo::TfrmInfo(Application& app)
    : LinkWindow(app, "TfrmInfo", " Informazioni su Quaderna 3.0", kEmailAutore) {
    linkIcon(imgEmail);
}

void TfrmInfo::followLink() {
    // No mail program on this computer: nothing happens, as with every link of these windows.
    ui().shellOpen(infoMailCommand());
}

std::string infoMailCommand() {
    return std::string("\"mailto:") + kEmailAutore +
           "?subject=Software Quaderna 3.0&body=Salve, desidererei avere le seguenti informazioni sul "
           "software in oggetto:\"";
}

} // namespace quaderna
