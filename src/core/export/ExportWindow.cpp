// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/ExportWindow.h"

#include "core/Application.h"
#include "core/forms/Messages.h"
#include "core/shell/Guida.h"
#include "core/storage/Field.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

namespace quaderna {

namespace {

constexpr const char* kDomanda =
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del "
    "numero di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?";
constexpr const char* kRiuscita =
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?";
constexpr const char* kNonRiuscita =
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi "
    "che il file di Excel non sia già aperto.";
// The desktop has no program for spreadsheet files.
constexpr const char* kNessunProgramma =
    "Attenzione: il sistema non permette di aprire il file di Excel.\n\r\n\rAccertarsi che sul computer sia "
    "installato un programma per la gestione dei fogli di calcolo.";
constexpr const char* kAnnullata = "Esportazione annullata: il file non è stato scritto.";

std::vector<GridColumn> gridColumns(const std::vector<ExportColumn>& columns) {
    std::vector<GridColumn> g{{"N.", 60, true}};
    for (const auto& c : columns)
        g.push_back({c.gridHeader, c.gridWidth, c.readOnly});
    return g;
}

} // namespace

namespace exporting {

std::string_view field(std::string& buffer, std::string_view record, std::size_t offset, std::size_t width) {
    buffer.clear();
    text::appendFromCp1252(buffer, text::trimView(rawField(record, FieldSpec{offset, width})));
    return buffer;
}

} // namespace exporting

ExportWindow::ExportWindow(Application& app, std::string className, std::string caption, std::string file,
                           std::string sheet, std::string topic, const std::vector<ExportColumn>& columns)
    : Form(app, std::move(className), std::move(caption)),
      grdRecords(this, "grdRecords", gridColumns(columns)), fileName(std::move(file)),
      sheetName(std::move(sheet)), helpTopic(std::move(topic)) {
    for (const auto& c : columns)
        fileColumns_.push_back({c.fileHeader, c.fileWidth});
    cmdEsporta.onClick = [this] { cmdEsportaClick(); };
    cmdGuida.onClick = [this] { cmdGuidaClick(); };
    cmdEsci.onClick = [this] { cmdEsciClick(); };
}

void ExportWindow::FormShow() {
    grdRecords.clear();
    bool filled = true;
    try {
        const auto job = ui().progress("Caricamento delle schede in corso...");
        filled = fill(*job);
    } catch (const IoError&) {
        // An archive that cannot be read must not pass for an empty one: said, and the grid keeps
        // what was read.
        ui().showMessage(msg::ArchivioNonAccessibile);
    }
    if (!filled) {
        // "Annulla" while the grid was filling: the window is not opened.
        grdRecords.clear();
        app.close(*this);
        return;
    }
    setFocus(grdRecords);
}

bool ExportWindow::scan(const std::filesystem::path& archive, std::size_t recordSize, Progress& progress,
                        const std::function<void(std::string_view)>& row) {
    RecordFile file(archive, recordSize, RecordFile::Access::Read);
    const std::int64_t total = file.count();
    grdRecords.reserve(static_cast<std::size_t>(total), static_cast<std::size_t>(total) * 64);
    bool stopped = false;
    file.scanEach([&](std::string_view rec, std::int64_t index) {
        if (index % 512 == 0 && !progress.update(index, total)) {
            stopped = true;
            return false;
        }
        row(rec);
        return true;
    });
    return !stopped && progress.update(total, total);
}

void ExportWindow::cmdEsportaClick() {
    if (ui().messageBox(kDomanda, MsgKind::Confirmation) == MsgButton::No)
        return;
    const std::filesystem::path file = app.dataFile(fileName);
    bool written = false;
    try {
        const auto job = ui().progress("Esportazione in corso...");
        written = SpreadsheetExport(
            file, sheetName, fileColumns_, static_cast<std::size_t>(grdRecords.rowCount()),
            [this](std::size_t r, std::size_t c) { return grdRecords.cell(static_cast<int>(r), c); },
            job.get());
    } catch (const IoError&) {
        ui().showMessage(kNonRiuscita);
        return;
    }
    if (!written) {
        if (!ui().showStatus(*this, kAnnullata))
            ui().showMessage(kAnnullata);
        return;
    }
    if (ui().messageBox(kRiuscita, MsgKind::Confirmation) == MsgButton::No)
        return;
    if (!ui().shellOpen("\"" + file.string() + "\""))
        ui().messageBox(kNessunProgramma, MsgKind::Warning);
}

void ExportWindow::cmdGuidaClick() {
    showHelp(*this, helpTopic);
}

void ExportWindow::cmdEsciClick() {
    app.close(*this);
}

} // namespace quaderna
