// SPDX-License-Identifier: GPL-3.0-or-later
// The report layouts drawn by the real renderer into PDF files, read back with poppler's tools
// as a person would read the paper.

#include "UiSupport.h"
#include "core/reports/Layouts.h"
#include "core/text/Text.h"
#include "support/TempDir.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/ReportRenderer.h"

#include <QAction>
#include <QDate>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolBar>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page, laid out as on paper.
QStringList pagesOf(const QString& pdf) {
    QStringList pages =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast(); // pdftotext ends every page with a form feed
    return pages;
}

QString fontsOf(const QString& pdf) {
    return run(QStringLiteral("pdffonts"), {pdf});
}

QString pageSizeOf(const QString& pdf) {
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+(\\S+ x \\S+) pts")).match(info);
    return m.hasMatch() ? m.captured(1) : info;
}

QString pdfIn(const TempDir& dir, const char* name) {
    return QString::fromStdString((dir / name).string());
}

// Whether the texts appear in this order (each after the previous one).
::testing::AssertionResult inOrder(const QString& text, const QStringList& wanted) {
    qsizetype at = 0;
    for (const auto& w : wanted) {
        const qsizetype found = text.indexOf(w, at);
        if (found < 0)
            return ::testing::AssertionFailure()
                   << "\"" << w.toStdString() << "\" missing after offset " << at << " in:\n"
                   << text.toStdString();
        at = found + w.size();
    }
    return ::testing::AssertionSuccess();
}

// Today as the footer prints it; either side of midnight is fine.
QStringList todays() {
    const QDate d = QDate::currentDate();
    return {d.toString(QStringLiteral("dd/MM/yyyy")), d.addDays(1).toString(QStringLiteral("dd/MM/yyyy"))};
}

std::vector<std::string> listLines(int n) {
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i) {
        char code[16];
        std::snprintf(code, sizeof code, "L%05d", i);
        lines.push_back("Cod. " + std::string(code) + "                   Titolo " + std::to_string(i) +
                        (i % 10 == 7 ? " [DATE] [Autore]" : "") + "  Città");
    }
    return lines;
}

Report bookSheet() {
    Report r = reports::schedaLibro();
    for (int k = 0; k < 26; ++k)
        r.at(reports::schedaLibroRows[k].memo).setText("valore " + std::to_string(k + 1) + " [DATE]");
    r.at("txtCalce").setText("Stampa eseguita in data 05/03/2024 alle ore 09:07:03");
    return r;
}

// One page painted into a white picture at the given resolution.
QImage paint(const Report& r, int dpi) {
    const QSize size(qRound(units::fromMm(r.page.widthMm()) * dpi / 96),
                     qRound(units::fromMm(r.page.heightMm()) * dpi / 96));
    QImage img(size, QImage::Format_RGB32);
    img.setDotsPerMeterX(qRound(dpi / 0.0254));
    img.setDotsPerMeterY(qRound(dpi / 0.0254));
    img.fill(Qt::white);
    QPainter p(&img);
    p.translate(units::fromMm(r.page.margins.left) * dpi / 96, units::fromMm(r.page.margins.top) * dpi / 96);
    ui::ReportRenderer(r, DateTime{{2024, 3, 5}, {9, 7, 3}}).paintPage(p, 0, dpi);
    p.end();
    return img;
}

// Dark pixels inside a rectangle given in report units from the printable area's corner.
int darkPixels(const QImage& img, const Report& r, double left, double top, double width, double height,
               int dpi) {
    const double s = dpi / 96.0;
    const double ox = units::fromMm(r.page.margins.left), oy = units::fromMm(r.page.margins.top);
    int n = 0;
    for (int y = qCeil((oy + top) * s); y < qFloor((oy + top + height) * s); ++y)
        for (int x = qCeil((ox + left) * s); x < qFloor((ox + left + width) * s); ++x)
            n += qGray(img.pixel(x, y)) < 128;
    return n;
}

} // namespace

// The list lines go to the page as runs of glyphs of the list's face: every character of the
// archives' code page reads back as it was; characters the face lacks, a combining accent, a
// control code go the way of text, as before.
TEST(ReportPdf, EveryCharacterOfTheCodePageReadsBackFromAList) {
    std::vector<std::string> pieces; // every printing character of the code page, 47 at a time
    std::string bytes;
    for (int b = 0x21; b <= 0xFF; ++b) {
        if (b >= 0x7F && b < 0xA1)
            continue;
        bytes += static_cast<char>(b);
        if (bytes.size() == 47 || b == 0xFF) {
            pieces.push_back(text::fromCp1252(bytes));
            bytes.clear();
        }
    }
    std::vector<std::string> lines;
    for (const std::string& p : pieces)
        lines.push_back("Cod. A1 " + p);
    // A star the list's face lacks (another face has it), a combining acute accent (U+0301), a
    // control code (U+0081).
    lines.insert(lines.end(), {"Cod. A3 ★ Città", "Cod. A4 Cafe\u0301 fine", "Cod. A5 \u0081x"});
    Report r = reports::riepilogoDati();
    reports::fillList(r, "Riepilogo libri in archivio", lines);
    TempDir dir;
    const QString pdf = pdfIn(dir, "caratteri.pdf");
    ASSERT_TRUE(ui::QtPlatform().renderToPdf(r, pdf));
    const QString read = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const std::string& p : pieces)
        EXPECT_TRUE(read.contains(QString::fromStdString(p))) << p << "\n" << read.toStdString();
    for (const char* piece : {"Cod. A3", "★", "Città", "Cod. A4", "fine", "Cod. A5"})
        EXPECT_TRUE(read.contains(QString::fromUtf8(piece))) << piece;
}

TEST(ReportPdf, ALongListRunsOverSeveralPagesEachWithItsFooter) {
    TempDir dir;
    Report r = reports::riepilogoDati();
    const auto lines = listLines(200);
    reports::fillList(r, "Riepilogo libri in archivio", lines);
    ui::QtPlatform platform;
    const QString pdf = pdfIn(dir, "lista.pdf");
    ASSERT_TRUE(platform.renderToPdf(r, pdf));

    EXPECT_EQ(pageSizeOf(pdf), QStringLiteral("842 x 595")) << "A4 landscape";
    const QStringList pages = pagesOf(pdf);
    ASSERT_EQ(pages.size(), 4);
    const QRegularExpression footer(QStringLiteral("Stampa eseguita in data (\\d\\d/\\d\\d/\\d\\d\\d\\d)"));
    const int perPage[] = {51, 53, 53, 43};
    int next = 0;
    for (int p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        const QString& page = pages[p];
        EXPECT_EQ(page.contains(QStringLiteral("Riepilogo libri in archivio")), p == 0);
        QStringList wanted;
        for (int i = 0; i < perPage[p]; ++i, ++next)
            wanted << QStringLiteral("Cod. L%1").arg(next, 5, 10, QLatin1Char('0'));
        const auto m = footer.match(page);
        ASSERT_TRUE(m.hasMatch()) << page.toStdString();
        EXPECT_TRUE(todays().contains(m.captured(1))) << m.captured(1).toStdString();
        wanted << m.captured(0);
        EXPECT_TRUE(inOrder(page, wanted));
        // Nothing of the next page slipped onto this one.
        EXPECT_FALSE(page.contains(QStringLiteral("Cod. L%1").arg(next, 5, 10, QLatin1Char('0'))));
    }
    // Brackets in list lines print as typed; accents survive.
    EXPECT_TRUE(
        pages[0].contains(QRegularExpression(QStringLiteral("Titolo 7 \\[DATE\\] \\[Autore\\] +Citt\u00e0"))))
        << pages[0].toStdString();
    EXPECT_TRUE(pages[3].contains(QStringLiteral("Titolo 197 [DATE] [Autore]")));

    const QString fonts = fontsOf(pdf);
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationMono"))) << fonts.toStdString();
    EXPECT_FALSE(fonts.contains(QStringLiteral("Type 3"))) << fonts.toStdString();
}

TEST(ReportPdf, AnEmptyListPrintsTitleAndFooterOnOnePage) {
    TempDir dir;
    Report r = reports::riepilogoDati();
    reports::fillList(r, "Riepilogo tessere in attesa di rinnovo", {});
    ui::QtPlatform platform;
    const QString pdf = pdfIn(dir, "vuota.pdf");
    ASSERT_TRUE(platform.renderToPdf(r, pdf));
    const QStringList pages = pagesOf(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(inOrder(pages[0], {QStringLiteral("Riepilogo tessere in attesa di rinnovo"),
                                   QStringLiteral("Stampa eseguita in data ")}));
}

TEST(ReportPdf, TheBookSheetIsOnePortraitPageWithItsRowsInOrder) {
    TempDir dir;
    const Report r = bookSheet();
    ui::QtPlatform platform;
    const QString pdf = pdfIn(dir, "libro.pdf");
    ASSERT_TRUE(platform.renderToPdf(r, pdf));

    EXPECT_EQ(pageSizeOf(pdf), QStringLiteral("595 x 842")) << "A4 portrait";
    const QStringList pages = pagesOf(pdf);
    ASSERT_EQ(pages.size(), 1);
    QStringList wanted{QStringLiteral("SCHEDA INFORMATIVA LIBRO")};
    for (int k = 0; k < 26; ++k)
        wanted << QString::fromUtf8(reports::schedaLibroRows[k].label)
               << QStringLiteral("valore %1 [DATE]").arg(k + 1);
    wanted << QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:07:03");
    EXPECT_TRUE(inOrder(pages[0], wanted));
    // Each label shares its line with its value.
    EXPECT_TRUE(
        pages[0].contains(QRegularExpression(QStringLiteral("Citt\u00e0 pubblicazione: +valore 13 "))));

    const QString fonts = fontsOf(pdf);
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans"))) << fonts.toStdString();
    EXPECT_FALSE(fonts.contains(QStringLiteral("LiberationMono"))) << fonts.toStdString();
}

TEST(ReportPdf, TheUserSheetPrintsItsTwentyFourRowsAndBracketsAsTyped) {
    TempDir dir;
    Report r = reports::schedaInformativa();
    r.at("txtTitolo").setText("SCHEDA ANAGRAFICA UTENTE");
    for (int k = 1; k <= 24; ++k) {
        const std::string n = (k < 10 ? "0" : "") + std::to_string(k);
        r.at("titCampo" + n).setText("Titolo " + n + ":");
        r.at("txtCampo" + n).setText("Dato " + n);
    }
    r.at("txtCampo24").setText("Nota [DATE] [TIME] fine");
    r.at("txtCalce").setText("Stampa eseguita in data 05/03/2024 alle ore 09:07:03");
    ui::QtPlatform platform;
    const QString pdf = pdfIn(dir, "utente.pdf");
    ASSERT_TRUE(platform.renderToPdf(r, pdf));

    EXPECT_EQ(pageSizeOf(pdf), QStringLiteral("595 x 842"));
    const QStringList pages = pagesOf(pdf);
    ASSERT_EQ(pages.size(), 1);
    QStringList wanted{QStringLiteral("SCHEDA ANAGRAFICA UTENTE")};
    for (int k = 1; k <= 23; ++k) {
        const QString n = QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
        wanted << QStringLiteral("Titolo %1:").arg(n) << QStringLiteral("Dato %1").arg(n);
    }
    wanted << QStringLiteral("Titolo 24:") << QStringLiteral("Nota [DATE] [TIME] fine")
           << QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:07:03");
    EXPECT_TRUE(inOrder(pages[0], wanted));
    EXPECT_TRUE(fontsOf(pdf).contains(QStringLiteral("LiberationSans")));
}

TEST(ReportPaint, TextIsClippedToItsBoxAndNeverWrapped) {
    constexpr int dpi = 192;
    Report r = reports::schedaLibro();
    r.at("txtTitolo").setText(std::string(250, 'M'));
    const QImage img = paint(r, dpi);
    const ReportObject& title = *r.find("txtTitolo");
    const double right = title.left + title.width;
    // The title's letters reach the end of its box ...
    EXPECT_GT(darkPixels(img, r, right - 20, title.top, 19, title.height, dpi), 0);
    // ... and stop there: the strip between the box and the row's frame stays white ...
    EXPECT_EQ(darkPixels(img, r, right + 0.5, title.top, 2.5, title.height, dpi), 0);
    // ... and nothing spills into the next row.
    const ReportObject& next = *r.find("txtCodice");
    EXPECT_EQ(darkPixels(img, r, next.left, next.top, next.width, next.height, dpi), 0);
}

TEST(ReportPaint, OnlyAWrappingMemoContinuesALongLineBelow) {
    constexpr int dpi = 192;
    for (bool wrap : {false, true}) {
        SCOPED_TRACE(wrap);
        Report r;
        ReportObject m = ReportObject::memo("m", 10, 10, 200, 100);
        m.font = Font{"Arial", 10, false, colors::Black};
        m.wordWrap = wrap;
        m.setText("uno due tre quattro cinque sei sette otto nove dieci undici dodici tredici quattordici");
        r.objects.push_back(m);
        const QImage img = paint(r, dpi);
        // One line of 10 pt is about 15 units high.
        EXPECT_GT(darkPixels(img, r, 10, 10, 200, 15, dpi), 0);
        EXPECT_EQ(darkPixels(img, r, 10, 27, 200, 15, dpi) > 0, wrap);
        // Wrapped or not, nothing runs past the memo's right side.
        EXPECT_EQ(darkPixels(img, r, 211, 10, 100, 100, dpi), 0);
    }
}

TEST(ReportPaint, APictureFitsItsBoxKeepingItsProportions) {
    constexpr int dpi = 96;
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    Report r;
    ReportObject pic = ReportObject::picture("imgFoto", 100, 100, 100, 100);
    pic.image = ui::makeImage(red);
    r.objects.push_back(pic);
    const QImage img = paint(r, dpi);
    const int ox = qRound(units::fromMm(10)), oy = qRound(units::fromMm(10));
    EXPECT_EQ(img.pixelColor(ox + 150, oy + 150), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(ox + 102, oy + 127), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(ox + 150, oy + 115), QColor(Qt::white))
        << "the picture is 50 units high, centred";
    EXPECT_EQ(img.pixelColor(ox + 150, oy + 185), QColor(Qt::white));
}

TEST(ReportPaint, TheUserSheetDrawsItsEmblemAndColouredBoxes) {
    constexpr int dpi = 96;
    const Report r = reports::schedaInformativa();
    const QImage img = paint(r, dpi);
    const ReportObject& logo = *r.find("imgLogo");
    EXPECT_GT(darkPixels(img, r, logo.left, logo.top, logo.width, logo.height, dpi), 50);
    const ReportObject& row = *r.find("titCampo01");
    const double s = dpi / 96.0;
    const QColor teal = img.pixelColor(qRound((units::fromMm(10) + row.left + 2) * s),
                                       qRound((units::fromMm(10) + row.top + row.height / 2) * s));
    EXPECT_EQ(teal, QColor(0x00, 0x80, 0x80));
}

TEST(ReportPrint, ThePrintDialogDecidesWhetherWhichPagesAndHowManyCopiesPrint) {
    struct Case {
        const char* what;
        bool accept;
        int from, to, copies;
        int pages; // in the file; -1: no file at all
    } cases[] = {
        {"cancelled", false, 0, 0, 1, -1},  {"every page", true, 0, 0, 1, 4},
        {"pages 2 to 3", true, 2, 3, 1, 2}, {"two copies", true, 0, 0, 2, 8},
        {"page 4 twice", true, 4, 4, 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const QString pdf = pdfIn(dir, "stampa.pdf");
        Report r = reports::riepilogoDati();
        reports::fillList(r, "Riepilogo anagrafica utenti", listLines(200));
        ui::QtPlatform platform;
        platform.printDialogHook = [&](QPrinter& printer) {
            EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
            EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            if (c.from > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(c.from, c.to);
            }
            printer.setCopyCount(c.copies);
            return c.accept;
        };
        EXPECT_EQ(platform.print(r), c.accept);
        if (c.pages < 0) {
            EXPECT_FALSE(QFile::exists(pdf));
            continue;
        }
        const QStringList pages = pagesOf(pdf);
        ASSERT_EQ(pages.size(), c.pages);
        if (c.from == 2) {
            EXPECT_TRUE(pages[0].contains(QStringLiteral("Cod. L00051")));
        }
        if (c.from == 4) {
            EXPECT_TRUE(pages[1].contains(QStringLiteral("Cod. L00199")));
        }
    }
}

TEST(ReportPreview, OffersOnlyPrintZoomFullScreenAndCloseAndOpensAtFullSize) {
    TempDir dir;
    Report r = reports::riepilogoDati();
    reports::fillList(r, "Riepilogo", listLines(200));
    ui::QtPlatform platform;
    const QString pdf = pdfIn(dir, "da-anteprima.pdf");
    int dialogs = 0;
    platform.printDialogHook = [&](QPrinter& printer) {
        ++dialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    bool shown = false;
    platform.previewHook = [&](QDialog& window) {
        shown = true;
        const auto bars = window.findChildren<QToolBar*>();
        ASSERT_EQ(bars.size(), 1);
        QStringList tips;
        for (QAction* a : bars[0]->actions())
            if (!a->isSeparator())
                tips << a->toolTip();
        EXPECT_EQ(tips, (QStringList{QStringLiteral("Stampa"), QStringLiteral("Ingrandisci"),
                                     QStringLiteral("Riduci"), QStringLiteral("Schermo intero"),
                                     QStringLiteral("Chiudi")}));
        auto* view = window.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(view, nullptr);
        EXPECT_DOUBLE_EQ(view->zoomFactor(), 1.0);
        view->updatePreview();
        EXPECT_EQ(view->pageCount(), 4);

        window.findChild<QAction*>(QStringLiteral("actIngrandisci"))->trigger();
        EXPECT_GT(view->zoomFactor(), 1.0);
        window.findChild<QAction*>(QStringLiteral("actRiduci"))->trigger();
        window.findChild<QAction*>(QStringLiteral("actRiduci"))->trigger();
        EXPECT_LT(view->zoomFactor(), 1.0);

        window.findChild<QAction*>(QStringLiteral("actStampa"))->trigger();
        EXPECT_EQ(dialogs, 1) << "printing from the preview goes through the print dialog";
        EXPECT_EQ(pagesOf(pdf).size(), 4);

        window.show();
        window.findChild<QAction*>(QStringLiteral("actChiudi"))->trigger();
        EXPECT_FALSE(window.isVisible());
    };
    platform.preview(r);
    EXPECT_TRUE(shown);
}

TEST(ReportPrint, ALongJobShowsItsProgressAndAnnullaLeavesNothingBehind) {
    TempDir dir;
    const QString pdf = pdfIn(dir, "lungo.pdf");
    writeBytes(dir / "lungo.pdf", "la stampa di ieri");
    Report r = reports::riepilogoDati();
    // Long enough to be drawn in parts side by side, and to last while the person reaches "Annulla".
    reports::fillList(r, "Riepilogo libri in archivio", listLines(20000));
    ui::QtPlatform platform;
    platform.progressDelayMs = 0; // as a job that promises to last long
    platform.printDialogHook = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    // The person presses "Annulla" on the progress window.
    QString label;
    const auto annulla = [&] {
        whenModal([&](QWidget* w) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            ASSERT_NE(progress, nullptr);
            label = progress->labelText();
            progress->findChild<QPushButton*>()->click();
        });
    };
    annulla();
    EXPECT_FALSE(platform.print(r));
    EXPECT_EQ(label, QStringLiteral("Stampa in corso..."));
    EXPECT_EQ(readBytes(dir / "lungo.pdf"), "la stampa di ieri");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    bool shown = false;
    platform.previewHook = [&](QDialog&) { shown = true; };
    annulla();
    platform.preview(r);
    EXPECT_EQ(label, QStringLiteral("Anteprima in preparazione..."));
    EXPECT_FALSE(shown);

    // Left alone, the job prints whole.
    EXPECT_TRUE(platform.print(r));
    EXPECT_EQ(pagesOf(pdf).size(), static_cast<qsizetype>(r.paginate().size()));
}

// A long list is drawn in parts side by side and the parts joined into one file: the file reads
// and looks page for page as the same list drawn in one go, its fonts embedded as before.
TEST(ReportPrint, ALongListDrawnInPartsIsThePrintoutDrawnInOneGo) {
    TempDir dir;
    Report r = reports::riepilogoDati();
    reports::fillList(r, "Riepilogo libri in archivio", listLines(4000));
    const DateTime at{{2024, 3, 5}, {9, 7, 3}};
    const auto printTo = [&](const QString& file, int parts) {
        ui::ReportRenderer renderer(r, at);
        renderer.setThreadsAtMost(parts);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        ui::applyPageLayout(printer, r);
        printer.setDocName(QStringLiteral("Riepilogo dati"));
        return renderer.print(printer);
    };
    const QString whole = pdfIn(dir, "intero.pdf"), joined = pdfIn(dir, "parti.pdf");
    ASSERT_TRUE(printTo(whole, 1));
    ASSERT_TRUE(printTo(joined, 3));

    const QStringList pages = pagesOf(whole);
    ASSERT_EQ(pages.size(), static_cast<qsizetype>(r.paginate().size()));
    ASSERT_GE(pages.size(), 3 * ui::ReportRenderer::kSheetsPerPart);
    EXPECT_EQ(pagesOf(joined), pages);
    EXPECT_EQ(run(QStringLiteral("pdftotext"), {joined, QStringLiteral("-")}),
              run(QStringLiteral("pdftotext"), {whole, QStringLiteral("-")}));
    EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {joined}).contains(QStringLiteral("Riepilogo dati")));
    // A file qpdf finds whole, as a distribution's tools would check it.
    EXPECT_TRUE(run(QStringLiteral("qpdf"), {QStringLiteral("--check"), joined})
                    .contains(QStringLiteral("No syntax or stream encoding errors found")));

    // The same pictures on paper: the first page, pages where one part gives way to the next, the last.
    const auto picture = [&](const QString& pdf, int page) {
        const QString stem = pdf + QStringLiteral("-%1").arg(page);
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"),
                                         QString::number(page), QStringLiteral("-l"), QString::number(page),
                                         QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, stem});
        return QImage(stem + QStringLiteral(".png"));
    };
    const int n = static_cast<int>(pages.size());
    for (int page : {1, n / 3, n / 3 + 1, 2 * n / 3 + 1, n}) {
        const QImage a = picture(whole, page), b = picture(joined, page);
        ASSERT_FALSE(a.isNull()) << page;
        EXPECT_EQ(a, b) << "page " << page;
    }

    // Every face still embedded; each part brings its own subset, under a name of its own.
    for (const QString& face : {QStringLiteral("LiberationMono"), QStringLiteral("DejaVuSans-Bold")}) {
        const auto embedded = [&](const QString& pdf) {
            QStringList rows = fontsOf(pdf).split(QLatin1Char('\n')).filter(face);
            for (QString& row : rows)
                row = row.simplified().section(QLatin1Char(' '), 0, 5);
            rows.removeDuplicates();
            return rows;
        };
        EXPECT_EQ(embedded(joined), embedded(whole)) << face.toStdString();
        EXPECT_EQ(embedded(whole).size(), 1);
    }
    QFile file(joined);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString bytes = QString::fromLatin1(file.readAll());
    QStringList subsets;
    auto names = QRegularExpression(QStringLiteral("/FontName /([A-Z]{6})\\+")).globalMatch(bytes);
    while (names.hasNext())
        subsets << names.next().captured(1);
    EXPECT_EQ(subsets.size(), 6); // two faces in each of three parts
    subsets.removeDuplicates();
    EXPECT_EQ(subsets.size(), 6);
}
