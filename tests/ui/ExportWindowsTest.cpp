// SPDX-License-Identifier: GPL-3.0-or-later
// The export windows on screen: the preview grid, and a produced file opened by a real
// spreadsheet program (LibreOffice Calc, headless) and read back cell by cell.

#include "UiSupport.h"
#include "core/export/ExpLibri.h"
#include "core/shell/Password.h"
#include "support/Books.h"
#include "support/TempDir.h"
#include "support/Users.h"
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

// One CSV line split into its cells. LibreOffice quotes every text cell; a cell it wrote without
// quotes holds a number (or a date, or a formula's result), and comes back marked "[numero] ", so
// that "0612345678" read as the number 612345678 fails the comparison visibly.
QStringList csvCells(const QString& line) {
    QStringList cells;
    QString cell;
    bool quoted = false, wasQuoted = false;
    const auto endCell = [&] {
        cells << (wasQuoted || cell.isEmpty() ? cell : QStringLiteral("[numero] ") + cell);
        cell.clear();
        wasQuoted = false;
    };
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
            quoted = wasQuoted = true;
        } else if (c == QLatin1Char(',')) {
            endCell();
        } else {
            cell += c;
        }
    }
    endCell();
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

// LibreOffice Calc opens the files as spreadsheets: the cells read back are the texts exported,
// as text, also where they look like numbers, dates or formulas.
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
    TLibro c = book("=1+1", "000123", "1e5");
    c.Isbn = "9788805012345";
    c.Prezzo = "1.200";
    c.Dewey = "050";
    c.Pagine = "0320";
    c.Anno = "01/02/2024";
    storeBooks(dir.path(), {a, b, c});
    TTesserato u = user("Rossi Mario", "000123");
    u.TelCasa = "0612345678";
    u.PartitaIva = "01234567890";
    u.Carta = "4111111111111111";
    u.DataNasc = "02/03/1990";
    u.Note = "-5";
    storeUsers(dir.path(), {u});

    bookExport([&](QWidget* w) {
        QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("cmdEsporta")), Qt::LeftButton);
    });
    program.platform.dispatch([&] {
        app.hide(app.frmLibri);
        app.show(app.frmAnagrafica);
    });
    whenModal([&](QWidget* w) {
        QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("cmdEsporta")), Qt::LeftButton);
        QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("cmdEsci")), Qt::LeftButton);
    });
    program.platform.dispatch([&] { app.frmAnagrafica.cmdExcelClick(); });
    ASSERT_TRUE(std::filesystem::exists(dir / "Libri.xls"));
    ASSERT_TRUE(std::filesystem::exists(dir / "Tesserati.xls"));

    // Both files in one run of the spreadsheet program.
    const QString folder = QString::fromStdString(dir.path().string());
    QProcess convert;
    convert.setWorkingDirectory(folder);
    convert.start(
        office, {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                 QStringLiteral("-env:UserInstallation=file://") + folder + QStringLiteral("/lo-profile"),
                 QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"),
                 QStringLiteral("--outdir"), folder + QStringLiteral("/csv"),
                 folder + QStringLiteral("/Libri.xls"), folder + QStringLiteral("/Tesserati.xls")});
    ASSERT_TRUE(convert.waitForFinished(180000)) << "LibreOffice did not finish";
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
    const auto rowsOf = [&](const char* name) {
        QFile csv(folder + QStringLiteral("/csv/") + QLatin1String(name));
        EXPECT_TRUE(csv.open(QIODevice::ReadOnly))
            << "no " << name << ": " << convert.readAllStandardOutput().toStdString();
        std::vector<QStringList> rows;
        for (const QString& line :
             QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            rows.push_back(csvCells(line.trimmed()));
        return rows;
    };

    const std::vector<QStringList> books = rowsOf("Libri.csv");
    ASSERT_EQ(books.size(), 4u);
    for (const QStringList& row : books)
        ASSERT_EQ(row.size(), 25);
    EXPECT_EQ(books[0][0], QStringLiteral("Titolo libro"));
    EXPECT_EQ(books[0][12], QString::fromUtf8("Città pubblicazione"));
    EXPECT_EQ(books[0][24], QStringLiteral("Scheda annullata"));
    EXPECT_EQ(books[1][0], QString::fromUtf8("Perché è così"));
    EXPECT_EQ(books[1][1], QStringLiteral("NAR-1"));
    EXPECT_EQ(books[1][3], QStringLiteral("Manzoni Alessandro"));
    EXPECT_EQ(books[1][12], QString::fromUtf8("Città di Castello"));
    EXPECT_EQ(books[1][15], QString::fromUtf8("12,50 €"));
    EXPECT_EQ(books[1][24], QStringLiteral("No"));
    EXPECT_EQ(books[2][0], QStringLiteral("<i>Rosa</i> & co."));
    EXPECT_EQ(books[2][23], QStringLiteral("Copia \"rara\", donata"));
    EXPECT_EQ(books[2][24], QString::fromUtf8("Sì"));
    // Texts that look like numbers, a date or a formula stay the texts typed.
    const std::pair<int, const char*> asTyped[] = {{0, "=1+1"},        {1, "000123"}, {3, "1e5"},
                                                   {6, "050"},         {7, "0320"},   {11, "9788805012345"},
                                                   {13, "01/02/2024"}, {15, "1.200"}};
    for (const auto& [column, typed] : asTyped)
        EXPECT_EQ(books[3][column].toStdString(), typed) << "column " << column + 1;

    const std::vector<QStringList> users = rowsOf("Tesserati.csv");
    ASSERT_EQ(users.size(), 2u);
    ASSERT_EQ(users[1].size(), 25);
    EXPECT_EQ(users[0][2], QStringLiteral("Tessera n."));
    const std::pair<int, const char*> userCells[] = {{0, "Rossi Mario"},  {2, "000123"},
                                                     {3, "01/01/2022"},   {5, "02/03/1990"},
                                                     {11, "0612345678"},  {18, "4111111111111111"},
                                                     {20, "01234567890"}, {23, "-5"}};
    for (const auto& [column, typed] : userCells)
        EXPECT_EQ(users[1][column].toStdString(), typed) << "column " << column + 1;
}
