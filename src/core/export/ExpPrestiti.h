// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loan register export: every loan of the year chosen in the history query, then
// Registro_Prestiti.xls.

#include "core/export/ExportWindow.h"

#include <optional>

namespace quaderna {

namespace exporting {

// The columns of both loan exports.
const std::vector<ExportColumn>& loanColumns();
// The eight cells of a stored loan, added to the grid.
void addLoan(Grid& grid, std::string& buffer, std::string_view record);
// The year's loan file named in the history query, or nothing when no year was chosen there.
std::optional<std::filesystem::path> chosenYearFile(const Application& app);

} // namespace exporting

class TfrmExpPrestiti : public ExportWindow {
public:
    explicit TfrmExpPrestiti(Application& app);

protected:
    bool fill(Progress& progress) override;
};

} // namespace quaderna
