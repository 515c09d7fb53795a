#include "core/shell/Avvio.h"

#include "core/Application.h"
#include "core/shell/Guida.h"
#include "core/shell/Info.h"
#include "core/shell/Splash.h"

namespace quaderna {

TfrmAvvio::TfrmAvvio(Application& app) : Form(app, "TfrmAvvio", " Quaderna 3.0") {
    const struct {
        Button* picture;
        Button* button;
        const char* target;
    } entries[] = {
        {&imgAnagrafica, &btnAnagrafica, "TfrmAnagrafica"}, {&imgLibri, &btnLibri, "TfrmLibri"},
        {&imgTessere, &btnTessere, "TfrmTessera"},          {&imgPrestiti, &btnPrestiti, "TfrmMenuPrestiti"},
        {&imgStorico, &btnStorico, "TfrmMenuStorico"},      {&imgCatalogo, &btnCatalogo, "TfrmConsultaLibri"},
    };
    for (const auto& e : entries) {
        const char* target = e.target;
        e.picture->onClick = [this, target] { openEntry(target); };
        e.button->onClick = [this, target] { openEntry(target); };
    }
    icoSito.onClick = [this] { icoSitoClick(); };
    imgInfo.onClick = [this] { imgInfoClick(); };
    imgGuida.onClick = [this] { imgGuidaClick(); };
    imgCopyright.onClick = [this] { imgCopyrightClick(); };
    imgEsci.onClick = [this] { imgEsciClick(); };
}

void TfrmAvvio::openEntry(const char* className) {
    Form* target = app.standingWindow(className);
    if (!target)
        return;
    app.show(*target);
    app.hide(*this);
}

void TfrmAvvio::icoSitoClick() {
    openLicence(app);
}

void TfrmAvvio::imgInfoClick() {
    app.runDialog<TfrmInfo>(*this);
}

void TfrmAvvio::imgGuidaClick() {
    showHelp(*this, help::Panoramica);
}

void TfrmAvvio::imgCopyrightClick() {
    app.runDialog<TfrmSplash>(*this);
}

void TfrmAvvio::imgEsciClick() {
    app.terminate();
}

void TfrmAvvio::FormClose(CloseAction&) {
    app.terminate();
}

} // namespace quaderna
