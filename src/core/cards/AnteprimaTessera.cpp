// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cards/AnteprimaTessera.h"

#include "core/Application.h"
#include "core/reports/Layouts.h"

namespace quaderna {

TfrmAnteprimaTessera::TfrmAnteprimaTessera(Application& app)
    : Form(app, "TfrmAnteprimaTessera", " Anteprima di stampa"), repTesserino(reports::tesserino()) {
    lblAttendere.visible = false;
    btnStampa.onMouseDown = [this] { btnStampaMouseDown(); };
    btnStampa.onClick = [this] { btnStampaClick(); };
    btnAnnulla.onClick = [this] { btnAnnullaClick(); };
}

void TfrmAnteprimaTessera::btnStampaMouseDown() {
    lblAttendere.visible = true;
}

void TfrmAnteprimaTessera::btnStampaClick() {
    lblAttendere.visible = true;
    repTesserino.setOrientation(Orientation::Portrait);
    repTesserino.setMargins({0, 0, 0, 0});
    app.frmTessera.fillCard(repTesserino);
    lblAttendere.visible = false;
    // Printing from the preview prints the card without offsets too.
    ui().preview(repTesserino);
    app.close(*this);
}

void TfrmAnteprimaTessera::btnAnnullaClick() {
    app.close(*this);
}

} // namespace quaderna
