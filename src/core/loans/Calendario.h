// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The date picker of the loan window: a month calendar that opens on today; "Importa" writes the
// chosen date into the due-date box of the window that asked.

#include "core/forms/Calendar.h"
#include "core/forms/Form.h"
#include "core/text/Date.h"

namespace quaderna {

class TfrmCalendario : public Form {
public:
    explicit TfrmCalendario(Application& app);

    Label lblMemory{this, "lblMemory"};
    MonthCalendar calAppuntamenti{this, "calAppuntamenti"};
    Button btnImportaData{this, "btnImportaData"}, btnAnnulla{this, "btnAnnulla"};

    void FormCreate() override;
    void FormShow() override;
    void btnImportaDataClick();
    void btnAnnullaClick();
};

} // namespace quaderna
