// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The preview window of a report: the pages as they will print, with print, zoom, full screen
// and close on its toolbar, and nothing to edit.

#include "ui/platform/ReportRenderer.h"

#include <QDialog>
#include <QPrinter>

#include <functional>

class QAction;
class QPrintPreviewWidget;

namespace quaderna::ui {

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    // The report must outlive the window.
    ReportPreview(const Report& report, const DateTime& printedAt, QWidget* parent = nullptr);

    QPrintPreviewWidget* view() const { return view_; }
    // "Stampa" on the toolbar: the print dialog, then the printer.
    std::function<void()> onPrint;
    // Draws the pages, telling `progress` as in ReportRenderer::print; false when it was stopped,
    // and then the window has nothing to show.
    bool prepare(const std::function<bool(int done, int total)>& progress);

private:
    void toggleFullScreen();
    QPrinter printer_;
    ReportRenderer renderer_;
    QPrintPreviewWidget* view_ = nullptr;
    QAction* fullScreen_ = nullptr;
    std::function<bool(int, int)> progress_;
    bool stopped_ = false;
};

} // namespace quaderna::ui
