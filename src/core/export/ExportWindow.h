// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the four export windows share: the preview grid filled from an archive when the window is
// shown, the export to a spreadsheet file in the data folder after a question, the question to open
// it, and the failure message.

#include "core/export/SpreadsheetExport.h"
#include "core/forms/Form.h"
#include "core/forms/Grid.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna {

// A column of an export: its header and width in the file, its header and width in the grid, and
// whether the grid lets a person change its cells.
struct ExportColumn {
    const char* fileHeader;
    int fileWidth;
    const char* gridHeader;
    int gridWidth;
    bool readOnly;
};

class ExportWindow : public Form {
public:
    ExportWindow(Application& app, std::string className, std::string caption, std::string fileName,
                 std::string sheetName, std::string helpTopic, const std::vector<ExportColumn>& columns);

    Button cmdEsporta{this, "cmdEsporta"}, cmdGuida{this, "cmdGuida"}, cmdEsci{this, "cmdEsci"};
    Grid grdRecords;

    // The file written in the data folder and the name of its sheet.
    const std::string fileName, sheetName;
    // The topic "Guida" opens in the help window.
    const std::string helpTopic;
    const std::vector<spreadsheet::Column>& fileColumns() const { return fileColumns_; }

    void FormShow() override;
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    // Fills the grid from the archive, telling `progress` how far it is; false when the person
    // stopped it. Throws IoError.
    virtual bool fill(Progress& progress) = 0;
    // Reads every record of an archive (opened or created), handing each to `row`, with the
    // progress told every few hundred records; false when stopped.
    bool scan(const std::filesystem::path& archive, std::size_t recordSize, Progress& progress,
              const std::function<void(std::string_view record)>& row);

private:
    std::vector<spreadsheet::Column> fileColumns_;
};

namespace exporting {

// The trimmed text of a stored field, in a buffer of the caller's that the next call reuses.
std::string_view field(std::string& buffer, std::string_view record, std::size_t offset, std::size_t width);

} // namespace exporting

} // namespace quaderna
