// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/ReportRenderer.h"

#include "ui/platform/QtPlatform.h"

#include "core/storage/Files.h"
#include "ui/platform/PdfJoin.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRawFont>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include <malloc.h>

namespace quaderna::ui {

namespace {

// Qt's PDF writer compresses each page through two buffers of ten million bytes it takes afresh for
// the page. Above the C library's default threshold every such buffer is mapped from the system
// and given back at the page's end, and the part of it used faults in anew on every page: a third
// of a long printout's time, on every thread drawing. With the threshold above them, and up to
// 64 MiB of freed memory kept, the same memory serves page after page. Set at the first printout,
// for the rest of the program's life.
void keepPageBuffers() {
    static std::once_flag once;
    std::call_once(once, [] {
        ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
        ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
    });
}

// Room left between a memo's side and its text, in report units.
constexpr double textGap = 2;

QColor qcolor(const Color& c) {
    return QColor(c.r, c.g, c.b);
}

QPageSize pageSizeOf(const Report& report) {
    return QPageSize(QSizeF(report.page.paperWidth, report.page.paperHeight), QPageSize::Millimeter,
                     QString(), QPageSize::FuzzyMatch);
}

// Report units to device pixels, and fonts sized for the device.
struct Canvas {
    QPainter& p;
    double scale;     // device pixels per report unit
    double fontScale; // point sizes as the device reads them

    QRectF rect(const ReportObject& o, double dy) const {
        return {o.left * scale, (o.top + dy) * scale, o.width * scale, o.height * scale};
    }
    QPen pen(const ReportObject& o) const {
        QPen pen(qcolor(o.frameColor), std::max(o.frameWidth * scale, 0.0));
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }
    QFont font(const Font& f) const {
        // Families by name, so fontconfig finds the metric-compatible faces (Courier New is
        // Liberation Mono, Arial Liberation Sans).
        QFont q(QString::fromStdString(f.family));
        q.setPointSizeF(f.size * fontScale);
        q.setBold(f.bold);
        q.setHintingPreference(QFont::PreferNoHinting);
        return q;
    }
};

void drawBox(const Canvas& c, const ReportObject& o, const QRectF& box) {
    if (o.fill)
        c.p.fillRect(box, qcolor(*o.fill));
    if (o.frame) {
        c.p.setPen(c.pen(o));
        c.p.setBrush(Qt::NoBrush);
        c.p.drawRect(box);
    }
}

// A line broken at word boundaries (anywhere, for a word too long) into lines of the given width.
void appendWrapped(std::vector<QString>& out, const QString& text, const QFont& font, QPaintDevice* device,
                   double width) {
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    bool any = false;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString part = text.mid(line.textStart(), line.textLength());
        while (part.endsWith(QLatin1Char(' ')))
            part.chop(1);
        out.push_back(part);
        any = true;
    }
    layout.endLayout();
    if (!any)
        out.push_back(QString());
}

// A line of plain characters in a face of fixed pitch, drawn as one run of glyphs from `at`.
// False, and nothing drawn, when a character has no glyph of its own in the face (it would be
// taken from another face) or is not a plain printing character.
bool drawFixed(QPainter& p, const QRawFont& raw, QGlyphRun& run, QList<QPointF>& positions, QPointF at,
               const QString& line) {
    for (const QChar ch : line)
        if (ch.unicode() < 0x20 || (ch.unicode() >= 0x7F && ch.unicode() < 0xA0) || ch.isSurrogate() ||
            (ch.unicode() >= 0x300 && ch.category() == QChar::Mark_NonSpacing))
            return false;
    const QList<quint32> glyphs = raw.glyphIndexesForString(line);
    // Glyph 0 stands for a character the face does not have.
    if (glyphs.size() != line.size() || glyphs.contains(0u))
        return false;
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::SeparateAdvances);
    positions.resize(glyphs.size());
    double x = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        positions[i] = QPointF(x, 0);
        x += advances[i].x();
    }
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    p.drawGlyphRun(at, run);
    return true;
}

// Lines [first, last) of a memo; `area` is the part of the memo that shows on this page.
void drawMemo(const Canvas& c, const ReportObject& m, double dy, std::size_t first, std::size_t last,
              const QRectF& area, const DateTime& at) {
    const QRectF r = c.rect(m, dy);
    drawBox(c, m, area);
    if (first >= last)
        return;
    c.p.save();
    c.p.setClipRect(area, Qt::IntersectClip);
    const QFont font = c.font(m.font);
    c.p.setFont(font);
    c.p.setPen(qcolor(m.font.color));
    const QFontMetricsF fm(font, c.p.device());
    const double gap = textGap * c.scale;

    // A memo with a fixed line distance keeps one printed line per line, as its pages count them.
    const bool wrap = m.wordWrap && m.lineHeight <= 0;
    std::vector<QString> shown;
    shown.reserve(last - first);
    for (std::size_t i = first; i < last; ++i) {
        const QString line = qs(m.printedLine(i, at));
        if (wrap)
            appendWrapped(shown, line, font, c.p.device(), std::max(0.0, r.width() - 2 * gap));
        else
            shown.push_back(line);
    }
    const std::size_t offset = wrap ? 0 : first; // the index of shown[0] among all the lines
    const std::size_t total = wrap ? shown.size() : m.lines().size();

    const double pitch = m.lineHeight > 0 ? m.lineHeight * c.scale : fm.lineSpacing();
    const double block = static_cast<double>(total) * pitch;
    double top = r.top();
    if (m.vAlign == VAlign::Center)
        top = r.top() + (r.height() - block) / 2;
    else if (m.vAlign == VAlign::Bottom)
        top = r.bottom() - block;
    // Each line's glyphs sit in the middle of their slot.
    const double baseline = (pitch - fm.ascent() - fm.descent()) / 2 + fm.ascent();
    // Lines in a face of fixed pitch (the columns of a list) need no shaping: each character is
    // its glyph, one advance after the other. They go to the painter as glyph runs, which draw
    // exactly what the text would, without laying the text out again for every line.
    const QRawFont raw =
        QFontInfo(font).fixedPitch() ? QRawFont::fromFont(QFont(font, c.p.device())) : QRawFont();
    QGlyphRun run;
    QList<QPointF> positions;
    if (raw.isValid())
        run.setRawFont(raw);
    for (std::size_t k = 0; k < shown.size(); ++k) {
        const QString& line = shown[k];
        const double y = top + static_cast<double>(offset + k) * pitch + baseline;
        double x = r.left() + gap;
        if (raw.isValid() && m.hAlign == HAlign::Left &&
            drawFixed(c.p, raw, run, positions, QPointF(x, y), line))
            continue;
        if (m.hAlign != HAlign::Left) {
            const double width = fm.horizontalAdvance(line);
            x = m.hAlign == HAlign::Center ? r.center().x() - width / 2 : r.right() - gap - width;
        }
        c.p.drawText(QPointF(x, y), line);
    }
    c.p.restore();
}

void drawPicture(const Canvas& c, const ReportObject& o, double dy) {
    const QRectF r = c.rect(o, dy);
    if (QImage img = imageOf(o.image); !img.isNull()) {
        QSizeF fit = QSizeF(img.size()).scaled(r.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(0, 0), fit);
        target.moveCenter(r.center());
        c.p.drawImage(target, img);
    } else if (!o.builtin.empty()) {
        QSvgRenderer svg(QStringLiteral(":/art/%1.svg").arg(qs(o.builtin)));
        svg.setAspectRatioMode(Qt::KeepAspectRatio);
        svg.render(&c.p, r);
    }
    drawBox(c, o, r);
}

void drawObject(const Canvas& c, const ReportObject& o, double dy, const DateTime& at) {
    switch (o.kind) {
    case ReportObject::Kind::Memo:
        drawMemo(c, o, dy, 0, o.lines().size(), c.rect(o, dy), at);
        break;
    case ReportObject::Kind::Rectangle:
        drawBox(c, o, c.rect(o, dy));
        break;
    case ReportObject::Kind::Line: {
        const QRectF r = c.rect(o, dy);
        c.p.setPen(c.pen(o));
        c.p.drawLine(r.topLeft(), r.bottomRight());
        break;
    }
    case ReportObject::Kind::Picture:
        drawPicture(c, o, dy);
        break;
    }
}

} // namespace

QPageLayout pageLayoutOf(const Report& report) {
    const Margins& m = report.page.margins;
    return QPageLayout(pageSizeOf(report),
                       report.page.orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait,
                       QMarginsF(m.left, m.top, m.right, m.bottom), QPageLayout::Millimeter);
}

void applyPageLayout(QPrinter& printer, const Report& report) {
    const QPageLayout layout = pageLayoutOf(report);
    printer.setPageSize(layout.pageSize());
    printer.setPageOrientation(layout.orientation());
    // A printer that cannot print so close to the edge keeps its own margins; the drawing is
    // placed from the paper's corner anyway (print()).
    printer.setPageMargins(layout.margins(), QPageLayout::Millimeter);
}

ReportRenderer::ReportRenderer(const Report& report, const DateTime& printedAt)
    : report_(report), printedAt_(printedAt), pages_(report.paginate()),
      threadsAtMost_(std::min(QThread::idealThreadCount(), 8)) {}

void ReportRenderer::paintPage(QPainter& painter, int index, double dotsPerInch) const {
    if (index < 0 || index >= pageCount())
        return;
    const int deviceDpi = painter.device() ? painter.device()->logicalDpiY() : 0;
    const Canvas c{painter, dotsPerInch / units::perInch, deviceDpi > 0 ? dotsPerInch / deviceDpi : 1.0};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const auto& o : report_.objects)
        drawObject(c, o, 0, printedAt_);
    for (const auto& part : pages_[static_cast<std::size_t>(index)].bands) {
        const Band& band = report_.bands[part.band];
        const double dy = part.top - part.from;
        // The band's strip on this page, as wide as anything may be.
        const QRectF strip(-1e7, part.top * c.scale, 2e7, (part.to - part.from) * c.scale);
        for (const auto& o : band.objects) {
            if (!printsIn(band, o, part))
                continue;
            if (o.kind == ReportObject::Kind::Memo) {
                const auto [first, last] = linesIn(band, o, part);
                drawMemo(c, o, dy, first, last, c.rect(o, dy).intersected(strip), printedAt_);
            } else {
                drawObject(c, o, dy, printedAt_);
            }
        }
    }
    painter.restore();
}

bool ReportRenderer::drawSheets(QPagedPaintDevice& device, double dotsPerInch, const std::vector<int>& sheets,
                                const std::function<bool(std::size_t)>& next) const {
    keepPageBuffers();
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QPointF origin(report_.page.margins.left / 25.4 * dotsPerInch,
                         report_.page.margins.top / 25.4 * dotsPerInch);
    bool ok = true;
    for (std::size_t k = 0; k < sheets.size() && ok; ++k) {
        if (next && !next(k)) {
            ok = false;
            break;
        }
        if (k > 0)
            ok = device.newPage();
        if (!ok)
            break;
        painter.save();
        painter.translate(origin);
        paintPage(painter, sheets[k], dotsPerInch);
        painter.restore();
    }
    return painter.end() && ok;
}

std::optional<bool> ReportRenderer::printInParts(QPrinter& printer, const std::vector<int>& sheets,
                                                 int threads,
                                                 const std::function<bool(int, int)>& progress) const {
    // Each part is a PDF file of consecutive sheets. The threads take the parts one after the
    // other, so that a processor slowed by other work draws fewer of them; the parts are then
    // joined into the printer's file. Nothing is written there unless every part is whole.
    QTemporaryDir dir(QDir::temp().filePath(QStringLiteral("quaderna-parti-XXXXXX")));
    if (!dir.isValid())
        return std::nullopt;
    const int parts = std::min(4 * threads, static_cast<int>(sheets.size()) / kSheetsPerPart);
    const QPageLayout layout = printer.pageLayout();
    const QString title = printer.docName(), creator = printer.creator();
    const int dpi = printer.resolution();
    const int total = static_cast<int>(sheets.size());
    std::atomic<int> started{0}, next{0}, finished{0};
    std::atomic<bool> stop{false};
    std::vector<char> whole(static_cast<std::size_t>(parts), 0);
    const auto drawPart = [&](int i) {
        const auto from = sheets.begin() + static_cast<std::ptrdiff_t>(sheets.size() * i / parts);
        const auto to = sheets.begin() + static_cast<std::ptrdiff_t>(sheets.size() * (i + 1) / parts);
        QPdfWriter writer(dir.filePath(QStringLiteral("%1.pdf").arg(i)));
        writer.setPageLayout(layout);
        writer.setResolution(dpi);
        writer.setTitle(title);
        writer.setCreator(creator);
        whole[static_cast<std::size_t>(i)] =
            drawSheets(writer, dpi, std::vector<int>(from, to), [&](std::size_t) {
                ++started;
                return !stop.load();
            });
    };
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&] {
            for (int i = next++; i < parts && !stop.load(); i = next++)
                drawPart(i);
            ++finished;
        });
    while (finished.load() < threads) {
        if (progress && !stop.load() && !progress(std::min(started.load(), total), total))
            stop = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (auto& w : workers)
        w.join();
    if (stop.load())
        return false;
    if (std::find(whole.begin(), whole.end(), 0) != whole.end())
        return std::nullopt;

    std::vector<QByteArray> files;
    std::vector<std::string_view> views;
    for (int i = 0; i < parts; ++i) {
        QFile f(dir.filePath(QStringLiteral("%1.pdf").arg(i)));
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        files.push_back(f.readAll());
    }
    for (const QByteArray& b : files)
        views.emplace_back(b.constData(), static_cast<std::size_t>(b.size()));
    const std::optional<std::string> joined = pdf::join(views);
    if (!joined)
        return std::nullopt;
    // Written whole or not at all: a failure (a full disk) leaves the file as it was.
    try {
        files::replaceFile(printer.outputFileName().toStdString(), *joined);
    } catch (const IoError&) {
        return false;
    }
    return true;
}

bool ReportRenderer::print(QPrinter& printer, const std::function<bool(int, int)>& progress) const {
    printer.setFullPage(true);
    int first = 0, last = pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage() - 1);
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() - 1 : last);
    }
    std::vector<int> order;
    for (int i = first; i <= last; ++i)
        order.push_back(i);
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        std::reverse(order.begin(), order.end());
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> sheets;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            sheets.insert(sheets.end(), order.begin(), order.end());
    } else {
        for (int i : order)
            sheets.insert(sheets.end(), static_cast<std::size_t>(copies), i);
    }

    // A long printout into a PDF file is drawn in parts side by side, on every processor.
    const int threads = std::min(threadsAtMost_, static_cast<int>(sheets.size()) / kSheetsPerPart);
    if (threads > 1 && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
        printer.colorMode() == QPrinter::Color) {
        if (const std::optional<bool> done = printInParts(printer, sheets, threads, progress))
            return *done;
        // Parts that could not be joined: the printout is drawn again in one go.
    }
    const int total = static_cast<int>(sheets.size());
    return drawSheets(printer, printer.resolution(), sheets,
                      [&](std::size_t k) { return !progress || progress(static_cast<int>(k), total); });
}

} // namespace quaderna::ui
