// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The book export: the whole book archive in a grid, then Libri.xls.

#include "core/export/ExportWindow.h"

namespace quaderna {

class TfrmExpLibri : public ExportWindow {
public:
    explicit TfrmExpLibri(Application& app);

protected:
    bool fill(Progress& progress) override;
};

} // namespace quaderna
