// SPDX-License-Identifier: GPL-3.0-or-later
// The input box, the progress window of long jobs and the printed chart.

#include "core/reports/Chart.h"
#include "ui/platform/ChartPainter.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/QtProgress.h"

#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace quaderna::ui {

namespace {
// What a title bar takes beside its caption: the window's icon, three buttons and the margins.
constexpr int kTitleBarRoom = 160;
// The box's margins on either side of its line.
constexpr int kBoxMargins = 24;
} // namespace

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
    // A window manager cuts a caption wider than its window ("Nume... mpare"): the box is wide
    // enough for its caption in a bold title-bar face, beside the title bar's icon and buttons.
    QFont titleFace = box.font();
    titleFace.setBold(true);
    // The box's own layout sets its minimum size, so the room is asked of the line it holds.
    if (auto* line = box.findChild<QLineEdit*>())
        line->setMinimumWidth(QFontMetrics(titleFace).horizontalAdvance(box.windowTitle()) + kTitleBarRoom -
                              kBoxMargins);
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
