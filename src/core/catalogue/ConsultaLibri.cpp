// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/ConsultaLibri.h"

#include "core/Application.h"
#include "core/catalogue/StampaLibro.h"

namespace quaderna {

namespace {
constexpr const char* kChiusura = "Attenzione: chiudendo questa schermata di lavoro, l'applicazione sarà "
                                  "terminata.\r\n\r\nSi conferma la chiusura del programma?";
} // namespace

TfrmConsultaLibri::TfrmConsultaLibri(Application& app)
    : BookSheet(app, "TfrmConsultaLibri", " Quaderna 3.0 - Consultazione Catalogo Libri") {
    for (auto& [member, box] : fieldBoxes())
        box->readOnly = true;
    cmdStampa.onClick = [this] { cmdStampaClick(); };
}

void TfrmConsultaLibri::FormShow() {
    clearScreen({});
}

void TfrmConsultaLibri::FormClose(CloseAction& action) {
    if (ui().messageBox(kChiusura, MsgKind::Confirmation) == MsgButton::No) {
        action = CloseAction::None;
        return;
    }
    app.terminate();
}

void TfrmConsultaLibri::cmdStampaClick() {
    app.runDialog<TfrmStampaLibro02>(*this);
}

} // namespace quaderna
