// SPDX-License-Identifier: GPL-3.0-or-later
// The read-only catalogue cannot be escaped through the print dialog, and no file chooser of the
// program renames, deletes or creates anything: tried on the real dialogs, as a person would.

#include "UiSupport.h"
#include "core/shell/Password.h"
#include "support/Books.h"
#include "support/TempDir.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

// Every file under the folder, each with its size and a digest of its bytes.
std::vector<std::string> contents(const std::filesystem::path& dir) {
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
        if (e.is_regular_file()) {
            const std::string bytes = readBytes(e.path());
            files.push_back(std::filesystem::relative(e.path(), dir).string() + " " +
                            std::to_string(bytes.size()) + " " +
                            std::to_string(std::hash<std::string>{}(bytes)));
        }
    std::sort(files.begin(), files.end());
    return files;
}

// A data folder with every file a reader could want to remove.
void fillDataFolder(const std::filesystem::path& dir) {
    storeBooks(dir, {book("Il fu Mattia Pascal", "PIR-01", "Pirandello Luigi")});
    writeBytes(dir / "Tesserati.pro", std::string(2738, ' '));
    writeBytes(dir / "Tesserini.ini", "[Tesserini]\r\nBiblioteca=Civica\r\n");
    ASSERT_TRUE(password::installFirstAccess(dir));
}

// Whether a person could rename, delete or create a file from this chooser: its context menu, the
// Delete key, its "new folder" button.
void expectNothingToChange(QFileDialog* chooser) {
    EXPECT_TRUE(chooser->testOption(QFileDialog::ReadOnly));
    for (const char* name : {"qt_rename_action", "qt_delete_action", "qt_new_folder_action"}) {
        auto* action = chooser->findChild<QAction*>(QLatin1String(name));
        EXPECT_TRUE(!action || !action->isVisible()) << name;
    }
    auto* newFolder = chooser->findChild<QWidget*>(QStringLiteral("newFolderButton"));
    EXPECT_TRUE(!newFolder || !newFolder->isVisible());
}

// The person selects the file in the chooser's list, presses Delete and chooses "Elimina" from the
// context menu, answering yes to any question.
void pressDeleteOn(QFileDialog* chooser, const std::filesystem::path& file) {
    chooser->setDirectory(QString::fromStdString(file.parent_path().string()));
    chooser->selectFile(QString::fromStdString(file.filename().string()));
    QTest::qWait(300); // the folder is read in the background
    auto* list = chooser->findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_NE(list, nullptr);
    list->setFocus();
    whenModal(
        [](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w))
                if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                    yes->click();
        },
        1000);
    QTest::keyClick(list, Qt::Key_Delete);
    QTest::qWait(100);
    // Then "Elimina" from the context menu, where the menu offers it.
    auto* remove = chooser->findChild<QAction*>(QStringLiteral("qt_delete_action"));
    if (remove && remove->isVisible() && remove->isEnabled())
        remove->trigger();
    QTest::qWait(100);
}

} // namespace

// The way a reader found out of the catalogue: "Stampa scheda libro", "Stampa", then the "..." of
// the output file and the file browser's context menu in the data folder. The catalogue's print
// dialog offers no file to print into, a file chooser that opens over it all the same closes at
// once, and every file of the folder is still there, byte for byte.
TEST(ReaderDesk, TheCataloguePrintDialogLeadsToNoFileOfTheDataFolder) {
    TempDir dir;
    fillDataFolder(dir.path());
    ui::Program program(dir.path());
    program.start();
    Application& app = program.app;
    QStringList messages;
    program.platform.messageHook = [&](const QString& text, MsgKind, bool) {
        messages << text;
        return MsgButton::OK;
    };
    program.platform.dispatch([&] {
        app.show(app.frmAvvio);
        app.hide(app.frmPassword);
    });
    program.platform.dispatch([&] { app.frmAvvio.btnCatalogo.onClick(); });
    program.platform.dispatch([&] { app.frmConsultaLibri.cmdPrimo.onClick(); });
    ASSERT_TRUE(program.platform.readerAtDesk());
    const auto before = contents(dir.path());

    bool dialogSeen = false, printersOnly = false;
    whenShown<QPrintDialog>([&](QPrintDialog* d) {
        dialogSeen = true;
        QTest::qWait(100);
        EXPECT_FALSE(d->testOption(QAbstractPrintDialog::PrintToFile));
        auto* printers = d->findChild<QComboBox*>(QStringLiteral("printers"));
        ASSERT_NE(printers, nullptr);
        for (int i = 0; i < printers->count(); ++i)
            EXPECT_FALSE(printers->itemText(i).contains(QStringLiteral("file"), Qt::CaseInsensitive))
                << printers->itemText(i).toStdString();
        // The "..." beside the output file cannot be pressed.
        for (auto* b : d->findChildren<QToolButton*>())
            if (b->text() == QStringLiteral("...")) {
                EXPECT_FALSE(b->isVisible() && b->isEnabled());
            }
        // A chooser opened over the catalogue by any other way closes before it can be used.
        QFileDialog chooser(d, QStringLiteral("Scegli"), QString::fromStdString(dir.path().string()));
        chooser.open();
        QTest::qWait(200);
        EXPECT_FALSE(chooser.isVisible());
        // "Stampa" with no printer on this computer prints nowhere and says why.
        printersOnly = printers->count() == 0;
        if (printersOnly)
            d->accept();
        if (d->isVisible()) {
            printersOnly = false;
            d->reject();
        }
    });
    whenModal([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral(" Stampa scheda libro"));
        w->findChild<QPushButton*>(QStringLiteral("btnStampa"))->click();
    });
    program.platform.dispatch([&] { app.frmConsultaLibri.cmdStampa.onClick(); });
    EXPECT_TRUE(dialogSeen);
    if (printersOnly) {
        EXPECT_EQ(messages,
                  QStringList{QString::fromUtf8(
                      "Attenzione: da questa postazione si può stampare soltanto su una stampante.\n\n"
                      "Per una copia della scheda rivolgersi al personale della biblioteca.")});
    }
    EXPECT_EQ(contents(dir.path()), before);

    // A print that comes back aimed at a file is refused all the same.
    messages.clear();
    program.platform.printDialogHook = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((dir / "Tesserini.ini").string()));
        return true;
    };
    whenModal([](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("btnStampa"))->click(); });
    program.platform.dispatch([&] { app.frmConsultaLibri.cmdStampa.onClick(); });
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(contents(dir.path()), before);
}

// The librarian's choosers, the "..." of the print dialog's output file and the photo's file-open
// dialog, list and pick but delete nothing, not even with the Delete key on a selected archive.
// Printing into a file of the data folder that is not a PDF is refused.
TEST(ReaderDesk, TheLibrarianFileChoosersRenameAndDeleteNothing) {
    TempDir dir;
    fillDataFolder(dir.path());
    ui::Program program(dir.path());
    program.start();
    Application& app = program.app;
    QStringList messages;
    program.platform.messageHook = [&](const QString& text, MsgKind, bool) {
        messages << text;
        return MsgButton::OK;
    };
    program.platform.dispatch([&] { app.frmAvvio.openEntry("TfrmLibri"); });
    program.platform.dispatch([&] { app.frmLibri.cmdPrimo.onClick(); });
    ASSERT_FALSE(program.platform.readerAtDesk());
    const auto before = contents(dir.path());

    int choosers = 0;
    whenShown<QPrintDialog>([&](QPrintDialog* d) {
        QTest::qWait(100);
        auto* printers = d->findChild<QComboBox*>(QStringLiteral("printers"));
        ASSERT_NE(printers, nullptr);
        const int toFile = printers->findText(QStringLiteral("file"), Qt::MatchContains);
        ASSERT_GE(toFile, 0) << "the librarian may print into a PDF file";
        printers->setCurrentIndex(toFile);
        QToolButton* browse = nullptr;
        for (auto* b : d->findChildren<QToolButton*>())
            if (b->text() == QStringLiteral("..."))
                browse = b;
        ASSERT_TRUE(browse && browse->isEnabled());
        whenShown<QFileDialog>([&](QFileDialog* chooser) {
            ++choosers;
            expectNothingToChange(chooser);
            pressDeleteOn(chooser, dir / "Tesserini.ini");
            chooser->reject();
        });
        browse->click();
        d->reject();
    });
    whenModal([](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("btnStampa"))->click(); });
    program.platform.dispatch([&] { app.frmLibri.cmdStampa.onClick(); });
    EXPECT_EQ(choosers, 1);
    EXPECT_EQ(contents(dir.path()), before);

    whenShown<QFileDialog>([&](QFileDialog* chooser) {
        ++choosers;
        expectNothingToChange(chooser);
        pressDeleteOn(chooser, dir / TLibro::FileName);
        chooser->reject();
    });
    EXPECT_FALSE(program.platform.openFile("Selezionare il file:", {{"Tutti i file (*.*)", "*"}}));
    EXPECT_EQ(choosers, 2);
    EXPECT_EQ(contents(dir.path()), before);

    // The file chosen in the dialog is an archive: nothing is written.
    program.platform.printDialogHook = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((dir / "Tesserini.ini").string()));
        return true;
    };
    whenModal([](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("btnStampa"))->click(); });
    program.platform.dispatch([&] { app.frmLibri.cmdStampa.onClick(); });
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral(".pdf")));
    EXPECT_EQ(contents(dir.path()), before);
    // A PDF there is the librarian's to write.
    program.platform.printDialogHook = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((dir / "scheda.pdf").string()));
        return true;
    };
    whenModal([](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("btnStampa"))->click(); });
    program.platform.dispatch([&] { app.frmLibri.cmdStampa.onClick(); });
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(std::filesystem::exists(dir / "scheda.pdf"));
}
