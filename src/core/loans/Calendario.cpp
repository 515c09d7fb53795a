// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/loans/Calendario.h"

#include "core/Application.h"

namespace quaderna {

TfrmCalendario::TfrmCalendario(Application& app) : Form(app, "TfrmCalendario", " Importazione data") {
    lblMemory.visible = false;
    btnImportaData.onClick = [this] { btnImportaDataClick(); };
    btnAnnulla.onClick = [this] { btnAnnullaClick(); };
    // A day chosen with a double-click, or with Enter, is imported as "Importa" does.
    calAppuntamenti.onDblClick = [this] { btnImportaDataClick(); };
    calAppuntamenti.onKeyDown = [this](Key& key) {
        if (key.code == VK::Return) {
            key.swallow();
            btnImportaDataClick();
        }
    };
}

void TfrmCalendario::FormCreate() {
    calAppuntamenti.date = app.today();
}

void TfrmCalendario::FormShow() {
    setFocus(calAppuntamenti);
}

void TfrmCalendario::btnImportaDataClick() {
    if (lblMemory.text != "prestiti_libri")
        return;
    app.frmPrestiti.titDataSca.text = calAppuntamenti.date.format();
    app.close(*this);
}

void TfrmCalendario::btnAnnullaClick() {
    app.close(*this);
}

} // namespace quaderna
