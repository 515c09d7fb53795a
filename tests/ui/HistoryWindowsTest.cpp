// SPDX-License-Identifier: GPL-3.0-or-later
// The history windows and the chart on screen, in images and on paper.

#include "UiSupport.h"
#include "core/history/RiepilogoPrestiti.h"
#include "core/history/Statistiche.h"
#include "core/shell/Password.h"
#include "history/LoanFiles.h"
#include "support/TempDir.h"
#include "ui/platform/ChartPainter.h"
#include "ui/platform/Widgets.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

Chart sampleChart(ChartKind kind, const std::array<int, 12>& counts) {
    Chart c;
    c.title = {"Statistiche prestiti mensili", Font{"Verdana", 20, true, Color{0xD0, 0x44, 0x98}}};
    c.foot = {"Le statistiche si basano sui prestiti librari registrati in archivio.",
              Font{"Verdana", 11, true, Color{0x72, 0x94, 0xF9}}};
    c.legendTitle = "Prestiti librari:";
    c.kind = kind;
    history::fillChart(c, counts);
    return c;
}

// How many pixels of each of the chart's colours the picture holds.
std::map<std::uint32_t, int> colourCounts(const QImage& img, const Chart& c, int top, int bottom) {
    std::map<std::uint32_t, int> wanted;
    for (const auto& p : c.points)
        wanted[p.argb] = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < img.width(); ++x) {
            const auto it = wanted.find(img.pixel(x, y));
            if (it != wanted.end())
                ++it->second;
        }
    return wanted;
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pageCount(const QString& pdf) {
    const auto m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pageSize(const QString& pdf) {
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+(\\S+ x \\S+) pts"))
                       .match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1) : QString();
}

// The controls Tab visits from `start`, by name (a drop-down's own box counts as the drop-down).
QStringList tabOrder(QWidget* start, int n) {
    QStringList names{start->objectName()};
    QWidget* w = start;
    for (int guard = 0; names.size() < n && guard < 1000; ++guard) {
        w = w->nextInFocusChain();
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(w->window()))
            continue;
        QWidget* control = qobject_cast<QComboBox*>(w->parentWidget()) ? w->parentWidget() : w;
        if (control->objectName().isEmpty() || control->objectName().startsWith(QLatin1String("qt_")) ||
            (names.size() > 1 && names.back() == control->objectName()))
            continue;
        names << control->objectName();
    }
    return names;
}

} // namespace

TEST(ChartPicture, BarsAndPieDrawEveryMonthInItsOwnColour) {
    for (ChartKind kind : {ChartKind::Bar, ChartKind::Pie}) {
        SCOPED_TRACE(kind == ChartKind::Bar ? "bars" : "pie");
        const Chart c = sampleChart(kind, {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
        QImage img(1000, 640, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        ui::paintChart(p, QRectF(0, 0, 1000, 640), c);
        p.end();
        // The legend sits under the plot: the plot's upper part holds every colour on its own.
        const auto plot = colourCounts(img, c, 0, 380);
        for (const auto& [argb, n] : plot)
            EXPECT_GT(n, 600) << std::hex << argb;
        const auto whole = colourCounts(img, c, 0, img.height());
        for (const auto& [argb, n] : whole)
            EXPECT_GT(n, plot.at(argb)) << "legend square of " << std::hex << argb;
    }

    // Zero in some months: those still have their square in the legend; nothing breaks with all
    // zero either.
    for (const auto& counts :
         {std::array<int, 12>{0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, std::array<int, 12>{}})
        for (ChartKind kind : {ChartKind::Bar, ChartKind::Pie}) {
            const Chart c = sampleChart(kind, counts);
            QImage img(800, 500, QImage::Format_ARGB32);
            QPainter p(&img);
            ui::paintChart(p, QRectF(0, 0, 800, 500), c);
            p.end();
            for (const auto& [argb, n] : colourCounts(img, c, 0, img.height()))
                EXPECT_GT(n, 50) << std::hex << argb;
        }

    // A pie of one month is one whole dish: nothing drawn from its centre up to the rim.
    {
        const Chart c = sampleChart(ChartKind::Pie, {0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        QImage img(1000, 640, QImage::Format_ARGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        ui::paintChart(p, QRectF(0, 0, 1000, 640), c);
        p.end();
        const QRgb march = c.points[2].argb;
        int left = img.width(), right = -1, top = img.height();
        for (int y = 0; y < 380; ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) == march) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                }
        ASSERT_GT(right - left, 200);
        const int centre = (left + right) / 2;
        int seam = 0;
        for (int y = top + 4; y < top + (right - left) / 4; ++y)
            for (int x = centre - 2; x <= centre + 2; ++x)
                seam += img.pixel(x, y) != march;
        EXPECT_EQ(seam, 0);
    }

    // Bars and pie of the same points are different pictures.
    QImage bars(600, 400, QImage::Format_ARGB32), pie(600, 400, QImage::Format_ARGB32);
    {
        QPainter a(&bars), b(&pie);
        ui::paintChart(a, QRectF(0, 0, 600, 400),
                       sampleChart(ChartKind::Bar, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
        ui::paintChart(b, QRectF(0, 0, 600, 400),
                       sampleChart(ChartKind::Pie, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    }
    EXPECT_NE(bars, pie);
}

class HistoryWindows : public ::testing::Test {
protected:
    void SetUp() override {
        password::installFirstAccess(dir.path());
        program.start();
        program.platform.messageHook = [this](const QString& text, MsgKind, bool) {
            messages << text;
            return MsgButton::Yes;
        };
        program.platform.dispatch([&] {
            app.show(app.frmAvvio);
            app.hide(app.frmPassword);
        });
    }
    ui::FormView* open(void (TfrmMenuStorico::*button)()) {
        program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmMenuStorico"); });
        program.platform.dispatch([&] { (app.frmMenuStorico.*button)(); });
        Form& window = button == &TfrmMenuStorico::btnApriStoricoClick
                           ? static_cast<Form&>(app.frmMenuRiepilogoPrestiti)
                           : static_cast<Form&>(app.frmStatistiche);
        ui::FormView* view = program.platform.viewOf(window);
        EXPECT_TRUE(view && view->isVisible());
        view->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(view));
        return view;
    }

    TempDir dir;
    ui::Program program{dir.path()};
    Application& app = program.app;
    QStringList messages;
};

TEST_F(HistoryWindows, TheIntervalListsTakeNoTypingButTheirOwnLinesFromMouseOrKeyboard) {
    ui::FormView* view = open(&TfrmMenuStorico::btnApriStoricoClick);
    TfrmMenuRiepilogoPrestiti& q = app.frmMenuRiepilogoPrestiti;
    auto* day = view->findChild<QComboBox*>(QStringLiteral("txtGiornoInizio"));
    auto* month = view->findChild<QComboBox*>(QStringLiteral("txtMeseInizio"));
    ASSERT_TRUE(day && month);
    EXPECT_EQ(day->count(), 31);
    EXPECT_EQ(month->count(), 12);

    day->setFocus();
    QTest::keyClicks(day->lineEdit(), "12ab");
    QTest::keyClick(day->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(q.txtGiornoInizio.text, "");
    EXPECT_EQ(day->lineEdit()->text(), QString());
    QTest::keyClick(day->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(q.txtGiornoInizio.text, "01");
    QTest::keyClick(day->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(q.txtGiornoInizio.text, "02");
    EXPECT_EQ(day->lineEdit()->text(), QStringLiteral("02"));

    // A line chosen in the drop-down list.
    month->setCurrentIndex(2);
    emit month->activated(2);
    EXPECT_EQ(q.txtMeseInizio.text, "Marzo");
    EXPECT_EQ(q.txtMeseInizio.itemIndex, 2);

    // Enter goes on along the interval; Tab goes year, code, start, end, "Esci", "Visualizza riepilogo",
    // then the two export links.
    month->setFocus();
    QTest::keyClick(month->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(q.hasFocus(q.txtGiornoFine));
    auto* anno = view->findChild<QLineEdit*>(QStringLiteral("txtAnno"));
    anno->setFocus();
    anno->selectAll();
    QTest::keyClicks(anno, "20x24");
    EXPECT_EQ(q.txtAnno.text, "2024");
    EXPECT_EQ(view->findChild<QLabel*>(QStringLiteral("lblAnnoFine"))->text(), QStringLiteral("2024"));
    EXPECT_EQ(tabOrder(anno, 11), (QStringList{"txtAnno", "txtTipologia", "txtGiornoInizio", "txtMeseInizio",
                                               "txtGiornoFine", "txtMeseFine", "btnEsci", "btnVisualizza",
                                               "lnkEsporta", "lnkScaduti", "txtAnno"}));
}

TEST_F(HistoryWindows, TheListOpensOverTheQueryWithItsLinesAndTotal) {
    storeLoans(dir / "2024.bib", {loan("A-1", "05/03/2024"), loan("B-2", "06/03/2024", "08/03/2024")});
    ui::FormView* view = open(&TfrmMenuStorico::btnApriStoricoClick);
    TfrmMenuRiepilogoPrestiti& q = app.frmMenuRiepilogoPrestiti;
    program.platform.dispatch([&] {
        q.txtAnno.text = "2024";
        q.lblAnnoInizio.text = q.lblAnnoFine.text = "2024";
        q.txtGiornoInizio.text = "01";
        q.txtMeseInizio.text = "Marzo";
        q.txtGiornoFine.text = "31";
        q.txtMeseFine.text = "Marzo";
    });
    QStringList lines;
    QString total, waiting;
    whenModal([&](QWidget* list) {
        auto* lst = list->findChild<QListView*>(QStringLiteral("lstRecords"));
        for (int i = 0; i < lst->model()->rowCount(); ++i)
            lines << lst->model()->index(i, 0).data().toString();
        total = list->findChild<QLabel*>(QStringLiteral("lblTotCosti"))->text();
        waiting = view->findChild<QLabel*>(QStringLiteral("lblAttendere"))->isVisible()
                      ? QStringLiteral("on")
                      : QStringLiteral("off");
        list->findChild<QPushButton*>(QStringLiteral("btnEsci"))->click();
    });
    auto* visualizza = view->findChild<QPushButton*>(QStringLiteral("btnVisualizza"));
    QTest::mouseClick(visualizza, Qt::LeftButton);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Cod. B-2")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("Rest. 08/03/2024")));
    EXPECT_EQ(total, QStringLiteral("2"));
    EXPECT_EQ(waiting, QStringLiteral("on"));
    EXPECT_FALSE(view->findChild<QLabel*>(QStringLiteral("lblAttendere"))->isVisible());
}

TEST_F(HistoryWindows, TheChartPrintsLandscapeOnePagePerCopyAskedFor) {
    storeLoans(dir / "2024.bib", {loan("A-1", "05/03/2024"), loan("B-2", "06/04/2024")});
    ui::FormView* view = open(&TfrmMenuStorico::btnApriStatisticheClick);
    TfrmStatistiche& w = app.frmStatistiche;
    auto* anno = view->findChild<QLineEdit*>(QStringLiteral("txtAnno"));
    anno->selectAll();
    QTest::keyClicks(anno, "2024");
    QTest::keyClick(anno, Qt::Key_Return);
    ASSERT_TRUE(w.hasFocus(w.btnApri));
    QTest::keyClick(view->focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(w.panContainer.visible);
    auto* chart = view->findChild<ui::ChartWidget*>(QStringLiteral("ChartStats"));
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isVisible());
    EXPECT_EQ(chart->chart(), w.ChartStats.chart);
    view->findChild<QPushButton*>(QStringLiteral("btnTorta"))->click();
    EXPECT_EQ(chart->chart().kind, ChartKind::Pie);

    const QString pdf = QString::fromStdString((dir / "grafico.pdf").string());
    QString asked;
    int titleRoom = 0;
    program.platform.inputHook = [&](QDialog& box) {
        auto& input = static_cast<QInputDialog&>(box);
        asked =
            input.windowTitle() + QLatin1Char('|') + input.labelText() + QLatin1Char('|') + input.textValue();
        // Wide enough that a title bar shows the whole caption in bold beside its buttons.
        QFont bold = input.font();
        bold.setBold(true);
        titleRoom = input.width() - QFontMetrics(bold).horizontalAdvance(input.windowTitle());
        input.setTextValue(QStringLiteral("3"));
        input.accept();
    };
    int offered = 0;
    program.platform.printDialogHook = [&](QPrinter& printer) {
        offered = printer.copyCount();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    view->findChild<QPushButton*>(QStringLiteral("btnStampa"))->click();
    EXPECT_EQ(messages.value(0), QStringLiteral("Si vuole stampare il presente grafico statistico?"));
    EXPECT_EQ(asked, QStringLiteral("Numero copie da stampare|Copie:|1"));
    EXPECT_GE(titleRoom, 150);
    EXPECT_EQ(offered, 3);
    EXPECT_EQ(pageCount(pdf), 3);
    const QStringList size = pageSize(pdf).split(QStringLiteral(" x "));
    ASSERT_EQ(size.size(), 2);
    EXPECT_GT(size[0].toDouble(), size[1].toDouble()) << "landscape";
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_EQ(text.count(QStringLiteral("Statistiche prestiti mensili")), 3);
    EXPECT_EQ(text.count(QStringLiteral("Prestiti librari:")), 3);

    // "Annulla" in the copies box prints nothing.
    std::filesystem::remove(dir / "grafico.pdf");
    program.platform.inputHook = [](QDialog& box) { box.reject(); };
    view->findChild<QPushButton*>(QStringLiteral("btnStampa"))->click();
    EXPECT_FALSE(std::filesystem::exists(dir / "grafico.pdf"));
}
