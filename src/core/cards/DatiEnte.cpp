// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cards/DatiEnte.h"

#include "core/Application.h"
#include "core/text/Text.h"

namespace quaderna {

TfrmDatiEnte::TfrmDatiEnte(Application& app) : Form(app, "TfrmDatiEnte", " Dati biblioteca") {
    lblMemory.visible = false;
    setEnterChain({&txtAssociazione, &txtSottotitolo01, &txtSottotitolo02, &txtAnnotazioni});
    btnApplica.onClick = [this] { btnApplicaClick(); };
    btnAnnulla.onClick = [this] { btnAnnullaClick(); };
}

void TfrmDatiEnte::FormShow() {
    setFocus(txtAssociazione);
}

void TfrmDatiEnte::btnApplicaClick() {
    if (text::trim(lblMemory.text) == "tessera") {
        TfrmTessera& card = app.frmTessera;
        card.titAssociazione.text = text::trim(txtAssociazione.text);
        card.titSottotitolo01.text = text::trim(txtSottotitolo01.text);
        card.titSottotitolo02.text = text::trim(txtSottotitolo02.text);
        card.titAnnotazioni.text = text::trim(txtAnnotazioni.text);
    }
    app.close(*this);
}

void TfrmDatiEnte::btnAnnullaClick() {
    app.close(*this);
}

} // namespace quaderna
