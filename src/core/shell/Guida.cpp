#include "core/shell/Guida.h"

#include "core/Application.h"

namespace quaderna {

TfrmGuida::TfrmGuida(Application& app)
    : LinkWindow(app, "TfrmGuida", " Guida all'utilizzo del software", "Visualizza guida in formato PDF") {
    linkIcon(imgPDF);
}

void TfrmGuida::setTopic(std::string_view title) {
    lblTitolo.text = std::string(title);
    const help::Topic* topic = help::find(title);
    txtGuida.text = topic ? topic->text() : std::string();
}

void TfrmGuida::followLink() {
    // As every document the program hands to the desktop: a guide that is missing, or that no
    // program on this computer opens, leaves the window as it is.
    ui().shellOpen("\"" + guideFile(app).string() + "\"");
}

void showHelp(Form& owner, std::string_view title) {
    owner.app.runDialog<TfrmGuida>(owner, {}, [title](TfrmGuida& guida) { guida.setTopic(title); });
}

std::filesystem::path guideFile(Application& app) {
    return programDocument(app, kGuidaPdf, "quaderna");
}

} // namespace quaderna
