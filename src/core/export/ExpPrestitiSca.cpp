// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/ExpPrestitiSca.h"

#include "core/Application.h"
#include "core/export/ExpPrestiti.h"
#include "core/storage/Prestito.h"
#include "core/text/Date.h"
#include "core/text/Text.h"

namespace quaderna {

TfrmExpPrestitiSca::TfrmExpPrestitiSca(Application& app)
    : ExportWindow(app, "TfrmExpPrestitiSca", " Riepilogo prestiti scaduti in Microsoft Excel",
                   "Prestiti_Scaduti.xls", "Prestiti Scaduti",
                   "Riepilogo prestiti scaduti in Microsoft Excel.", exporting::loanColumns()) {}

bool TfrmExpPrestitiSca::fill(Progress& progress) {
    const auto file = exporting::chosenYearFile(app);
    if (!file)
        return true;
    const Date today = app.today();
    std::string buffer;
    return scan(*file, TPrestito::Size, progress, [&](std::string_view rec) {
        // Overdue: not returned, and due before today (a loan due today is not overdue yet). A due
        // date that cannot be read leaves that loan out, not the rest of the year.
        if (!text::trimView(rawField(rec, TPrestito::F::DataRes)).empty())
            return;
        const auto due = Date::parse(rawField(rec, TPrestito::F::DataSca));
        if (due && today > *due)
            exporting::addLoan(grdRecords, buffer, rec);
    });
}

} // namespace quaderna
