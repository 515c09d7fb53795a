// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/StampaLibro.h"

#include "core/Application.h"
#include "core/reports/Layouts.h"
#include "core/text/Text.h"

namespace quaderna {

BookSheetPrint::BookSheetPrint(Application& app, std::string className, BookSheet& source)
    : Form(app, std::move(className), " Stampa scheda libro"), repDocumento(reports::schedaLibro()),
      source_(source) {
    btnStampa.onClick = [this] { btnStampaClick(); };
    btnAnnulla.onClick = [this] { btnAnnullaClick(); };
}

void BookSheetPrint::fill() {
    repDocumento.setOrientation(Orientation::Portrait);
    for (const auto& row : reports::schedaLibroRows) {
        const auto* box = dynamic_cast<const Edit*>(source_.find(row.memo));
        repDocumento.at(row.memo).setText(box ? text::trim(box->text) : std::string());
    }
    const DateTime now = ui().now();
    repDocumento.at("txtCalce")
        .setText("Stampa eseguita in data " + now.date.format() + " alle ore " + now.time.format());
}

void BookSheetPrint::btnStampaClick() {
    fill();
    ui().print(repDocumento);
    app.close(*this);
}

void BookSheetPrint::btnAnnullaClick() {
    app.close(*this);
}

TfrmStampaLibro::TfrmStampaLibro(Application& app) : BookSheetPrint(app, "TfrmStampaLibro", app.frmLibri) {}

TfrmStampaLibro02::TfrmStampaLibro02(Application& app)
    : BookSheetPrint(app, "TfrmStampaLibro02", app.frmConsultaLibri) {}

} // namespace quaderna
