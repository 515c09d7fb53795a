// SPDX-License-Identifier: GPL-3.0-or-later
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

namespace {
constexpr const char* kNessunLettorePdf =
    "Attenzione: il sistema non permette di aprire la guida in formato PDF.\n\r\n\rAccertarsi che sul "
    "computer sia installato un programma per la lettura dei file PDF.";
} // namespace

void TfrmGuida::FormShow() {
    LinkWindow::FormShow();
    lnkWeb.visible = imgPDF.visible = !app.readerAtDesk();
}

void TfrmGuida::followLink() {
    if (app.readerAtDesk())
        return;
    // A guide that is missing leaves the window as it is; one that no program on this computer
    // opens is said, as for the attachments and the exported files.
    const std::filesystem::path guide = guideFile(app);
    if (ui().shellOpen("\"" + guide.string() + "\""))
        return;
    std::error_code ec;
    if (std::filesystem::is_regular_file(guide, ec))
        ui().messageBox(kNessunLettorePdf, MsgKind::Warning);
}

void showHelp(Form& owner, std::string_view title) {
    owner.app.runDialog<TfrmGuida>(owner, {}, [title](TfrmGuida& guida) { guida.setTopic(title); });
}

std::filesystem::path guideFile(Application& app) {
    return programDocument(app, kGuidaPdf, "quaderna");
}

} // namespace quaderna
