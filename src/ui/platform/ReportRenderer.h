// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws reports with QPainter: one renderer for the printer, the preview window and PDF files.

#include "core/reports/Report.h"

#include <QPageLayout>

#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace quaderna::ui {

// The report's paper, orientation and margins.
QPageLayout pageLayoutOf(const Report& report);
// Puts the report's paper, orientation and margins on a printer.
void applyPageLayout(QPrinter& printer, const Report& report);

class ReportRenderer {
public:
    // Lays the report out into pages; the report must outlive the renderer. `printedAt` is what
    // the date and time variables print.
    ReportRenderer(const Report& report, const DateTime& printedAt);

    int pageCount() const { return static_cast<int>(pages_.size()); }

    // Paints one page (0-based). The painter's origin is the top-left corner of the printable
    // area; `dotsPerInch` is the resolution of its coordinates.
    void paintPage(QPainter& painter, int index, double dotsPerInch) const;

    // Prints on the printer, whose page layout is already set: the pages of its page range (all
    // when it has none), in its page order, as many copies as it cannot make itself. Drawing is
    // placed from the paper's corner, so a printer's own minimum margins do not move it.
    // `progress(done, total)` is told each sheet before it is drawn and answers false to stop:
    // then nothing more is drawn and print answers false.
    bool print(QPrinter& printer, const std::function<bool(int done, int total)>& progress = {}) const;

    // A printout into a PDF file with at least this many sheets for each of two threads is drawn
    // in parts (up to four for each thread, each of at least this many sheets) by one thread per
    // processor, or `most` threads, and the parts joined.
    static constexpr int kSheetsPerPart = 24;
    void setThreadsAtMost(int most) { threadsAtMost_ = most; }

private:
    // Draws the sheets (page indices) one per page; `next(k)` is asked before sheet k and answers
    // false to stop.
    bool drawSheets(QPagedPaintDevice& device, double dotsPerInch, const std::vector<int>& sheets,
                    const std::function<bool(std::size_t)>& next) const;
    // nullopt when the parts could not be drawn or joined, so that the caller draws them in one go.
    std::optional<bool> printInParts(QPrinter& printer, const std::vector<int>& sheets, int threads,
                                     const std::function<bool(int, int)>& progress) const;

    const Report& report_;
    DateTime printedAt_;
    std::vector<PageContent> pages_;
    int threadsAtMost_;
};

} // namespace quaderna::ui
