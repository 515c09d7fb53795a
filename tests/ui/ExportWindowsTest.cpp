// The export windows on screen: the preview grid, and a produced file opened by a real
// spreadsheet program (LibreOffice Calc, headless) and read back cell by cell.

#include "UiSupport.h"
#include "core/export/ExpLibri.h"
#include "core/shell/Password.h"
#include "support/Books.h"
#include "support/TempDir.h"
#include "ui/platform/Widgets.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QHeaderView>
#include <QProcess>
#include <QStandardPaths>
#include <QTableView>

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

class ExportWindows : public ::testing::Test {
protected:
    void SetUp() override {
        password::installFirstAccess(dir.path());
        program.start();
        program.platform.messageHook = [this](const QString& text, MsgKind, bool) {
            messages << text;
            // Yes to exporting, No to opening the file.
            return text.startsWith(QStringLiteral("Le schede")) ? MsgButton::No : MsgButton::Yes;
        };
        program.platform.dispatch([&] {
            app.show(app.frmLibri);
            app.hide(app.frmPassword);
        });
    }
    // Opens the book export from the book window, lets `inside` work in it, then closes it with its
    // exit image.
    void bookExport(std::function<void(QWidget*)> inside) {
        bool shown = false;
        whenModal([&](QWidget* w) {
            shown = true;
            inside(w);
            QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("cmdEsci")), Qt::LeftButton);
        });
        program.platform.dispatch([&] { app.frmLibri.cmdEsportaClick(); });
        EXPECT_TRUE(shown);
    }

    TempDir dir;
    ui::Program program{dir.path()};
    Application& app = program.app;
    QStringList messages;
};

// One CSV line split into its cells (every cell quoted, as asked of LibreOffice).
QStringList csvCells(const QString& line) {
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                cell += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            cells << cell;
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells << cell;
    return cells;
}

} // namespace

TEST_F(ExportWindows, TheGridShowsEveryBookWithItsNumberAndTakesChangesOnlyWhereAllowed) {
    storeBooks(dir.path(),
               {book("I promessi sposi", "NAR-1", "Manzoni"), book("Canne al vento", "NAR-2", "Deledda")});
    bookExport([&](QWidget* w) {
        auto* grid = w->findChild<QTableView*>(QStringLiteral("grdRecords"));
        ASSERT_NE(grid, nullptr);
        QAbstractItemModel* rows = grid->model();
        ASSERT_EQ(rows->rowCount(), 2);
        ASSERT_EQ(rows->columnCount(), 26);
        EXPECT_EQ(rows->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
        EXPECT_EQ(rows->headerData(13, Qt::Horizontal).toString(), QString::fromUtf8("Città pubblicazione"));
        EXPECT_EQ(grid->columnWidth(0), 60);
        EXPECT_EQ(grid->columnWidth(1), 350);
        EXPECT_EQ(grid->columnWidth(4), 300);
        EXPECT_EQ(grid->verticalHeader()->defaultSectionSize(), 21);
        EXPECT_TRUE(grid->alternatingRowColors());
        EXPECT_EQ(rows->index(1, 0).data().toString(), QStringLiteral("2"));
        EXPECT_EQ(rows->index(1, 1).data().toString(), QStringLiteral("Canne al vento"));

        // "Titolo libro" is read-only, "Autore" is not.
        EXPECT_FALSE(rows->flags(rows->index(0, 1)) & Qt::ItemIsEditable);
        EXPECT_FALSE(rows->setData(rows->index(0, 1), QStringLiteral("Altro"), Qt::EditRole));
        ASSERT_TRUE(rows->flags(rows->index(0, 4)) & Qt::ItemIsEditable);
        EXPECT_TRUE(rows->setData(rows->index(0, 4), QStringLiteral("Manzoni Alessandro"), Qt::EditRole));
        auto* window = static_cast<TfrmExpLibri*>(&static_cast<ui::FormView*>(w)->model());
        EXPECT_EQ(window->grdRecords.text(0, 4), "Manzoni Alessandro");
        EXPECT_EQ(window->grdRecords.text(0, 1), "I promessi sposi");

        QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("cmdEsporta")), Qt::LeftButton);
    });
    EXPECT_NE(readBytes(dir / "Libri.xls").find(">Manzoni Alessandro</td>"), std::string::npos);
    EXPECT_EQ(messages.size(), 2);
}

// LibreOffice Calc opens the file as a spreadsheet: the cells read back are the texts exported.
TEST_F(ExportWindows, ASpreadsheetProgramReadsTheCellsAsExported) {
    const QString office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    if (office.isEmpty() && qEnvironmentVariableIsSet("QUADERNA_REQUIRE_CALC"))
        FAIL() << "LibreOffice Calc is required here (QUADERNA_REQUIRE_CALC) but is not installed.";
    if (office.isEmpty())
        GTEST_SKIP()
            << "LibreOffice Calc is not installed, so no spreadsheet program can read the exported file. "
               "Install it with: scripts/deps.sh calc (Debian package libreoffice-calc).";

    TLibro a = book("Perché è così", "NAR-1", "Manzoni Alessandro");
    a.Citta = "Città di Castello";
    a.Prezzo = "12,50 €";
    TLibro b = book("<i>Rosa</i> & co.", "NAR-2", "Deledda Grazia");
    b.Annullata = "Sì";
    b.Note = "  Copia \"rara\", donata  ";
    storeBooks(dir.path(), {a, b});
    bookExport([&](QWidget* w) {
        QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("cmdEsporta")), Qt::LeftButton);
    });
    ASSERT_TRUE(std::filesystem::exists(dir / "Libri.xls"));

    const QString folder = QString::fromStdString(dir.path().string());
    QProcess convert;
    convert.setWorkingDirectory(folder);
    convert.start(office,
                  {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                   QStringLiteral("-env:UserInstallation=file://") + folder + QStringLiteral("/lo-profile"),
                   QStringLiteral("--convert-to"),
                   QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"), QStringLiteral("--outdir"),
                   folder + QStringLiteral("/csv"), folder + QStringLiteral("/Libri.xls")});
    ASSERT_TRUE(convert.waitForFinished(180000)) << "LibreOffice did not finish";
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
    QFile csv(folder + QStringLiteral("/csv/Libri.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly))
        << "no CSV file: " << convert.readAllStandardOutput().toStdString();
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    const QStringList header = csvCells(lines[0].trimmed());
    ASSERT_EQ(header.size(), 25);
    EXPECT_EQ(header[0], QStringLiteral("Titolo libro"));
    EXPECT_EQ(header[12], QString::fromUtf8("Città pubblicazione"));
    EXPECT_EQ(header[24], QStringLiteral("Scheda annullata"));
    const QStringList first = csvCells(lines[1].trimmed()), second = csvCells(lines[2].trimmed());
    ASSERT_EQ(first.size(), 25);
    ASSERT_EQ(second.size(), 25);
    EXPECT_EQ(first[0], QString::fromUtf8("Perché è così"));
    EXPECT_EQ(first[1], QStringLiteral("NAR-1"));
    EXPECT_EQ(first[3], QStringLiteral("Manzoni Alessandro"));
    EXPECT_EQ(first[12], QString::fromUtf8("Città di Castello"));
    EXPECT_EQ(first[15], QString::fromUtf8("12,50 €"));
    EXPECT_EQ(first[24], QStringLiteral("No"));
    EXPECT_EQ(second[0], QStringLiteral("<i>Rosa</i> & co."));
    EXPECT_EQ(second[23], QStringLiteral("Copia \"rara\", donata"));
    EXPECT_EQ(second[24], QString::fromUtf8("Sì"));
}
