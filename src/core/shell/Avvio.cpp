// SPDX-License-Identifier: GPL-3.0-or-later
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
        // The picture repeats its button: a click on it leaves the focus where it was.
        e.picture->tabStop = false;
    }
    // The arrow keys move between the six entries as they stand, in two rows of three.
    Button* grid[] = {&btnAnagrafica, &btnLibri, &btnTessere, &btnPrestiti, &btnStorico, &btnCatalogo};
    for (int i = 0; i < 6; ++i)
        grid[i]->onKeyDown = [this, grid, i](Key& k) {
            int to = i;
            if (k.code == VK::Left && i % 3 > 0)
                to = i - 1;
            else if (k.code == VK::Right && i % 3 < 2)
                to = i + 1;
            else if (k.code == VK::Up && i >= 3)
                to = i - 3;
            else if (k.code == VK::Down && i < 3)
                to = i + 3;
            if (to != i) {
                setFocus(*grid[to]);
                k.swallow();
            }
        };
    icoSito.onClick = [this] { icoSitoClick(); };
    imgInfo.onClick = [this] { imgInfoClick(); };
    imgGuida.onClick = [this] { imgGuidaClick(); };
    imgCopyright.onClick = [this] { imgCopyrightClick(); };
    imgEsci.onClick = [this] { imgEsciClick(); };
}

void TfrmAvvio::FormShow() {
    // The first time, the first entry; after that, the entry that was used last.
    if (!focused())
        setFocus(btnAnagrafica);
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
