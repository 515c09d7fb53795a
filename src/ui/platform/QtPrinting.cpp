// SPDX-License-Identifier: GPL-3.0-or-later
// Printing and preview of reports: the print dialog, then the chosen printer, with a progress
// window that can stop a long job before anything reaches the printer.

#include "ui/platform/QtPlatform.h"

#include "core/Application.h"
#include "ui/platform/QtProgress.h"
#include "ui/platform/ReportPreview.h"
#include "ui/platform/ReportRenderer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <functional>
#include <memory>

namespace quaderna::ui {

namespace {

// A printer that draws into a PDF file, with the page settings of `like`.
void copySettings(const QPrinter& like, QPrinter& pdf) {
    pdf.setPageLayout(like.pageLayout());
    pdf.setDocName(like.docName());
    pdf.setPrintRange(like.printRange());
    pdf.setFromTo(like.fromPage(), like.toPage());
    pdf.setPageOrder(like.pageOrder());
    pdf.setCopyCount(like.copyCount());
    pdf.setCollateCopies(like.collateCopies());
}

constexpr const char* kSoloStampante = "Attenzione: da questa postazione si può stampare soltanto su una "
                                       "stampante.\n\nPer una copia della scheda rivolgersi al personale "
                                       "della biblioteca.";
constexpr const char* kCartellaDati = "Attenzione: nella cartella dei dati del programma si può stampare "
                                      "soltanto su un file PDF, per non sostituire gli archivi e gli altri "
                                      "file del programma.\n\nScegliere un nome di file che termini in "
                                      "\".pdf\" oppure un'altra cartella.";

// Whether the file is in the folder, or in a folder under it, however the path was written
// (links, "..").
bool inFolder(const QString& file, const std::filesystem::path& folder) {
    const QString root = QFileInfo(QString::fromStdString(folder.string())).canonicalFilePath();
    if (root.isEmpty())
        return false;
    // The file may not exist yet: its folder is what is compared.
    const QFileInfo info(file);
    QString dir = info.absoluteDir().canonicalPath();
    if (dir.isEmpty())
        return false;
    return dir == root || dir.startsWith(root + QLatin1Char('/'));
}

} // namespace

bool QtPlatform::askPrinter(QPrinter& printer, int pages) {
    const bool reader = readerAtDesk();
    if (printDialogHook) {
        if (!printDialogHook(printer))
            return false;
    } else {
        QPrintDialog dialog(&printer, activeParent());
        dialog.setWindowTitle(QStringLiteral("Stampa"));
        QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintShowPageSize;
        if (pages > 0)
            options |= QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies;
        // A reader is offered no file to print into: the file chooser beside it is a way into the
        // data folder.
        if (!reader)
            options |= QAbstractPrintDialog::PrintToFile;
        dialog.setOptions(options);
        if (pages > 0)
            dialog.setMinMax(1, pages);
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty();
    if (toFile && reader) {
        // The dialog had nothing else to offer (a desktop without printers).
        messageBox(kSoloStampante, MsgKind::Warning);
        return false;
    }
    if (toFile && app_ && inFolder(printer.outputFileName(), app_->dataDir()) &&
        !printer.outputFileName().endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        messageBox(kCartellaDati, MsgKind::Warning);
        return false;
    }
    return true;
}

bool QtPlatform::print(const Report& report) {
    refreshAll();
    // A printer starts on the system's default printer, which the dialog shows first.
    QPrinter printer(QPrinter::HighResolution);
    applyPageLayout(printer, report);
    printer.setDocName(qs(report.name));
    if (!askPrinter(printer, static_cast<int>(report.paginate().size())))
        return false;
    // The date and time printed are those of the moment the pages are drawn.
    const ReportRenderer renderer(report, now());
    QtProgress progress(activeParent(), QStringLiteral("Stampa in corso..."), progressDelayMs);

    // The pages are drawn into a file first, so that "Annulla" leaves nothing behind: no half
    // file under the chosen name, no half job at the printer.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString target = printer.outputFileName();
        const QFileInfo info(target);
        QTemporaryFile part(info.absoluteDir().filePath(info.fileName() + QStringLiteral(".XXXXXX")));
        if (!part.open())
            return false;
        part.close();
        printer.setOutputFileName(part.fileName());
        if (!renderer.print(printer, std::ref(progress)))
            return false;
        progress.finish();
        QFile::remove(target);
        if (!QFile::rename(part.fileName(), target))
            return false;
        part.setAutoRemove(false);
        return true;
    }
    const QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
    if (lp.isEmpty() || printer.printerName().isEmpty()) {
        const bool done = renderer.print(printer, std::ref(progress));
        progress.finish();
        return done;
    }
    QTemporaryFile job(QDir::temp().filePath(QStringLiteral("quaderna-stampa-XXXXXX.pdf")));
    if (!job.open())
        return false;
    job.close();
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(job.fileName());
    copySettings(printer, pdf);
    if (!renderer.print(pdf, std::ref(progress)))
        return false;
    // The pages are ready: the progress window goes before the job is handed to the printer.
    progress.finish();
    QStringList args{QStringLiteral("-d"), printer.printerName(), QStringLiteral("-t"), printer.docName()};
    if (printer.duplex() == QPrinter::DuplexLongSide)
        args << QStringLiteral("-o") << QStringLiteral("sides=two-sided-long-edge");
    else if (printer.duplex() == QPrinter::DuplexShortSide)
        args << QStringLiteral("-o") << QStringLiteral("sides=two-sided-short-edge");
    if (printer.colorMode() == QPrinter::GrayScale)
        args << QStringLiteral("-o") << QStringLiteral("ColorModel=Gray");
    args << job.fileName();
    QProcess submit;
    submit.start(lp, args);
    return submit.waitForFinished(30000) && submit.exitStatus() == QProcess::NormalExit &&
           submit.exitCode() == 0;
}

void QtPlatform::preview(const Report& report) {
    refreshAll();
    ReportPreview window(report, now(), activeParent());
    window.onPrint = [this, &report] { print(report); };
    {
        // A long report is drawn behind a progress window whose "Annulla" gives up the preview;
        // the window is gone before the preview shows.
        QtProgress progress(activeParent(), QStringLiteral("Anteprima in preparazione..."), progressDelayMs);
        if (!window.prepare(std::ref(progress)))
            return;
    }
    if (previewHook) {
        previewHook(window);
        return;
    }
    window.exec();
}

bool QtPlatform::renderToPdf(const Report& report, const QString& file) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    applyPageLayout(printer, report);
    printer.setDocName(qs(report.name));
    return ReportRenderer(report, now()).print(printer);
}

} // namespace quaderna::ui
