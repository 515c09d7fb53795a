// The input box, the progress window of long jobs and the printed chart.

#include "core/reports/Chart.h"
#include "ui/platform/ChartPainter.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/QtProgress.h"

#include <QInputDialog>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace quaderna::ui {

std::optional<std::string> QtPlatform::inputBox(std::string_view caption, std::string_view prompt,
                                                std::string_view value) {
    refreshAll();
    QInputDialog box(activeParent());
    box.setObjectName(QStringLiteral("frmInputBox"));
    box.setWindowTitle(qs(caption));
    box.setLabelText(qs(prompt));
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(qs(value));
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Annulla"));
    int result = QDialog::Rejected;
    if (inputHook) {
        box.show();
        inputHook(box);
        result = box.result();
    } else {
        result = box.exec();
    }
    if (result != QDialog::Accepted)
        return std::nullopt;
    return us(box.textValue());
}

std::unique_ptr<Progress> QtPlatform::progress(std::string_view text) {
    return std::make_unique<QtProgress>(activeParent(), qs(text), progressDelayMs);
}

bool QtPlatform::printChart(const Chart& chart, int copies) {
    refreshAll();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Statistiche prestiti mensili"));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setCopyCount(std::max(1, copies));
    if (!askPrinter(printer, 0))
        return false;
    // One chart on each page, as many pages as the copies chosen in the dialog, all landscape.
    const int pages = std::max(1, printer.copyCount());
    printer.setCopyCount(1);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        paintChart(painter, QRectF(QPointF(0, 0), area.size()), chart);
    }
    return painter.end();
}

} // namespace quaderna::ui
