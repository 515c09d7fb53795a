// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The overdue loans export: the loans of the year chosen in the history query that are not
// returned and whose due date has passed, then Prestiti_Scaduti.xls.

#include "core/export/ExportWindow.h"

namespace quaderna {

class TfrmExpPrestitiSca : public ExportWindow {
public:
    explicit TfrmExpPrestitiSca(Application& app);

protected:
    bool fill(Progress& progress) override;
};

} // namespace quaderna
