// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user export: the whole user archive in a grid, then Tesserati.xls.

#include "core/export/ExportWindow.h"

namespace quaderna {

class TfrmExpAnagrafica : public ExportWindow {
public:
    explicit TfrmExpAnagrafica(Application& app);

protected:
    bool fill(Progress& progress) override;
};

} // namespace quaderna
