// Printing and preview of reports: the print dialog, then the chosen printer.

#include "ui/platform/QtPlatform.h"
#include "ui/platform/ReportPreview.h"
#include "ui/platform/ReportRenderer.h"

#include <QPrintDialog>
#include <QPrinter>

namespace quaderna::ui {

bool QtPlatform::print(const Report& report) {
    refreshAll();
    // A printer starts on the system's default printer, which the dialog shows first.
    QPrinter printer(QPrinter::HighResolution);
    applyPageLayout(printer, report);
    printer.setDocName(qs(report.name));
    if (printDialogHook) {
        if (!printDialogHook(printer))
            return false;
    } else {
        QPrintDialog dialog(&printer, activeParent());
        dialog.setWindowTitle(QStringLiteral("Stampa"));
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                          QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
        dialog.setMinMax(1, static_cast<int>(report.paginate().size()));
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }
    // The date and time printed are those of the moment the pages are drawn.
    return ReportRenderer(report, now()).print(printer);
}

void QtPlatform::preview(const Report& report) {
    refreshAll();
    ReportPreview window(report, now(), activeParent());
    window.onPrint = [this, &report] { print(report); };
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
