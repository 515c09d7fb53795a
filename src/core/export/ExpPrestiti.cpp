// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/ExpPrestiti.h"

#include "core/Application.h"
#include "core/storage/Prestito.h"
#include "core/text/Text.h"

namespace quaderna {

namespace exporting {

const std::vector<ExportColumn>& loanColumns() {
    static const std::vector<ExportColumn> columns = {
        {"Data prestito", 180, "Data prestito", 150, true},
        {"Codice identificativo", 200, "Codice identificativo", 180, false},
        {"Titolo", 350, "Titolo", 350, true},
        {"Data scadenza", 180, "Data scadenza", 150, true},
        {"Data restituzione", 180, "Data restituzione", 150, false},
        {"Cognome e nome utente", 250, "Cognome e nome utente", 250, true},
        {"Tessera n.", 200, "Tessera n.", 200, true},
        {"Recapito preferenziale", 250, "Recapito preferenziale", 200, false},
    };
    return columns;
}

void addLoan(Grid& grid, std::string& buffer, std::string_view rec) {
    using F = TPrestito::F;
    for (const FieldSpec& f :
         {F::Data, F::Codice, F::Titolo, F::DataSca, F::DataRes, F::Tesserato, F::NumTessera, F::Recapito})
        grid.add(field(buffer, rec, f.offset, f.width));
}

std::optional<std::filesystem::path> chosenYearFile(const Application& app) {
    const std::filesystem::path file = text::trim(app.frmMenuRiepilogoPrestiti.lblFile.text);
    if (!loans::isYearFileName(file.filename().string()))
        return std::nullopt;
    return file;
}

} // namespace exporting

TfrmExpPrestiti::TfrmExpPrestiti(Application& app)
    : ExportWindow(app, "TfrmExpPrestiti", " Esporta archivio prestiti libri in Microsoft Excel",
                   "Registro_Prestiti.xls", "Registro Prestiti",
                   "Esportazione archivio prestiti libri in Microsoft Excel.", exporting::loanColumns()) {}

bool TfrmExpPrestiti::fill(Progress& progress) {
    const auto file = exporting::chosenYearFile(app);
    if (!file)
        return true;
    std::string buffer;
    return scan(*file, TPrestito::Size, progress,
                [&](std::string_view rec) { exporting::addLoan(grdRecords, buffer, rec); });
}

} // namespace quaderna
