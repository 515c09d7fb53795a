// SPDX-License-Identifier: GPL-3.0-or-later
// The card windows on screen: the card window with its hints, the library data dialog, and the
// card printed through the print window into a PDF file whose page is read back as a picture.

#include "UiSupport.h"
#include "core/storage/Ini.h"
#include "support/TempDir.h"
#include "support/Users.h"

#include <QAction>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

void click(QWidget* root, const char* name) {
    auto* w = root->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(w, nullptr) << name;
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

QString labelText(QWidget* root, const char* name) {
    auto* l = root->findChild<QLabel*>(QString::fromLatin1(name));
    return l ? l->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The printed page as a grey picture at 10 pixels a millimetre.
QImage pageOf(const TempDir& dir, const QString& pdf) {
    const QString out = QString::fromStdString((dir / "pagina").string());
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-gray"),
                                     QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, out});
    return QImage(out + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

// Where anything is printed on the page, in millimetres: left, top, right, bottom.
QRectF inkOf(const QImage& page) {
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = page.constScanLine(y);
        for (int x = 0; x < page.width(); ++x)
            if (line[x] < 200) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return QRectF(QPointF(left / 10.0, top / 10.0), QPointF((right + 1) / 10.0, (bottom + 1) / 10.0));
}

// A portrait for the first user, saved where the windows look for it.
void portrait(const std::filesystem::path& file) {
    QImage img(300, 400, QImage::Format_RGB32);
    img.fill(QColor(0x5B, 0x93, 0xC7));
    QPainter p(&img);
    p.setBrush(QColor(0xE8, 0xC0, 0x9A));
    p.drawEllipse(QRect(85, 95, 130, 160));
    p.end();
    img.save(QString::fromStdString(file.string()), "JPG", 90);
}

} // namespace

class CardWindows : public ::testing::Test {
protected:
    void SetUp() override {
        TTesserato u = user("Rossi Mario", "2021-001", "14/01/2027");
        u.Carica = "Socio ordinario";
        storeUsers(dir.path(), {u});
        portrait(dir / "1.jpg");
        portrait(dir / "Logo.jpg");
        writeBytes(dir / "Tesserini.ini", "[Margini Stampa]\r\nSuperiore=-3\r\nSinistro=5\r\n[Dati Ente]\r\n"
                                          "Denominazione=Biblioteca civica\r\nSottotitolo 1=Via Roma 1\r\n");
        program.start();
        program.platform.messageHook = [this](const QString& text, MsgKind, bool) {
            messages << text;
            return MsgButton::OK;
        };
        program.platform.dispatch([&] {
            app.show(app.frmAvvio);
            app.hide(app.frmPassword);
        });
        click(program.platform.viewOf(app.frmAvvio), "btnTessere");
        view = program.platform.viewOf(app.frmTessera);
    }

    TempDir dir;
    ui::Program program{dir.path()};
    Application& app = program.app;
    QStringList messages;
    ui::FormView* view = nullptr;
};

TEST_F(CardWindows, TheCardWindowOpensWithItsIdleSentenceAndShowsAHintForEachCommand) {
    ASSERT_TRUE(view && view->isVisible());
    EXPECT_FALSE(program.platform.viewOf(app.frmAvvio)->isVisible());
    EXPECT_EQ(view->windowTitle(), QStringLiteral(" Quaderna 3.0 - Stampa Tessere"));
    auto* status = view->findChild<QLabel*>("panInfo");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), QStringLiteral("Pronto per stampare una nuova tessera..."));
    EXPECT_EQ(labelText(view, "titAssociazione"), QStringLiteral("Biblioteca civica"));
    EXPECT_EQ(labelText(view, "titSottotitolo02"), QString());
    // A band with no text yet says faintly what a click on it does; the card itself stays empty.
    auto* note = view->findChild<QLabel*>("titAnnotazioni");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text(), QStringLiteral("Fare clic per inserire i dati della biblioteca."));
    EXPECT_NE(note->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(note->font().italic());
    EXPECT_EQ(app.frmTessera.titAnnotazioni.text, "");
    program.platform.dispatch([&] { app.frmTessera.titAnnotazioni.text = "Valida per il prestito"; });
    EXPECT_EQ(note->text(), QStringLiteral("Valida per il prestito"));
    EXPECT_EQ(note->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_FALSE(note->font().italic());
    program.platform.dispatch([&] { app.frmTessera.titAnnotazioni.text.clear(); });
    EXPECT_TRUE(note->font().italic());
    EXPECT_EQ(labelText(view, "txtTesserato"), QStringLiteral("Cognome e nome"));
    EXPECT_EQ(labelText(view, "txtDataScade"), QStringLiteral("GG/MM/AAAA"));

    const auto hover = [](QWidget* w) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w, &enter);
    };
    const std::pair<const char*, const char*> hints[] = {
        {"cmdNuovo", "Predispone la schermata per la visualizzazione di una nuova scheda."},
        {"cmdTrova", "Trova una scheda in archivio."},
        {"cmdAnteprima", "Visualizza l'anteprima di stampa della tessera corrente."},
        {"cmdStampa", "Stampa la tessera corrente."},
        {"cmdPrimo", "Visualizza la prima scheda in archivio."},
        {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
        {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
        {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
        {"imgGuida", "Visualizza la pagina della guida sensibile al contesto."},
        {"imgEsci", "Esci da questa schermata di lavoro."},
        {"imgLogo", "Fare clic per caricare il logo della biblioteca."},
        {"titAssociazione", "Fare clic per inserire i dati della biblioteca."},
        {"titSottotitolo01", "Fare clic per inserire i dati della biblioteca."},
        {"titSottotitolo02", "Fare clic per inserire i dati della biblioteca."},
        {"titAnnotazioni", "Fare clic per inserire i dati della biblioteca."},
        {"btnCancFoto", "Cancella la foto corrente."},
        {"btnCancLogo", "Cancella il logo corrente."},
    };
    for (const auto& [name, hint] : hints) {
        auto* w = view->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_TRUE(w->isVisible()) << name;
        hover(w);
        EXPECT_EQ(status->text(), QString::fromUtf8(hint)) << name;
    }
    for (const char* background :
         {"panContenitore", "shpSfondo", "shpHeader", "imgFoto", "backgroundGradient"}) {
        hover(view->findChild<QWidget*>("cmdStampa"));
        hover(view->findChild<QWidget*>(QString::fromLatin1(background)));
        EXPECT_EQ(status->text(), QString()) << background;
    }
    // The hints fit their line.
    EXPECT_LE(status->fontMetrics().horizontalAdvance(
                  QStringLiteral("Predispone la schermata per la visualizzazione di una nuova scheda.")),
              status->width() - 16);

    // Opened again, it starts from its idle sentence.
    click(view, "imgEsci");
    EXPECT_FALSE(view->isVisible());
    click(program.platform.viewOf(app.frmAvvio), "imgTessere");
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(status->text(), QStringLiteral("Pronto per stampare una nuova tessera..."));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(CardWindows, TheLibraryDataAreEditedOnTheCardAndKeptOnLeaving) {
    const std::string logo = readBytes(dir / "Logo.jpg");
    click(view, "cmdPrimo");
    EXPECT_EQ(labelText(view, "txtTesserato"), QStringLiteral("Rossi Mario"));
    EXPECT_EQ(labelText(view, "txtNumTessera"), QStringLiteral("2021-001"));
    EXPECT_EQ(labelText(view, "lblPosizione"), QStringLiteral("1"));

    QString title;
    whenModal([&](QWidget* w) {
        title = w->windowTitle();
        auto* first = w->findChild<QLineEdit*>("txtAssociazione");
        EXPECT_EQ(first->text(), QStringLiteral("Biblioteca civica"));
        EXPECT_TRUE(first->hasFocus());
        EXPECT_TRUE(w->findChild<QWidget*>("effAssociazione")->isVisible());
        QTest::keyClick(first, Qt::Key_Return);
        auto* second = w->findChild<QLineEdit*>("txtSottotitolo01");
        EXPECT_TRUE(second->hasFocus());
        EXPECT_TRUE(w->findChild<QWidget*>("effSottotitolo01")->isVisible());
        EXPECT_FALSE(w->findChild<QWidget*>("effAssociazione")->isVisible());
        QTest::keyClick(second, Qt::Key_Return);
        auto* third = w->findChild<QLineEdit*>("txtSottotitolo02");
        QTest::keyClicks(third, "Tel. 035 123456");
        w->findChild<QPushButton*>("btnApplica")->click();
    });
    click(view, "titSottotitolo02");
    EXPECT_EQ(title, QStringLiteral(" Dati biblioteca"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(labelText(view, "titSottotitolo02"), QStringLiteral("Tel. 035 123456"));

    click(view, "imgEsci");
    EXPECT_TRUE(program.platform.viewOf(app.frmAvvio)->isVisible());
    EXPECT_EQ(ini::readString(dir / "Tesserini.ini", "Dati Ente", "Sottotitolo 2"), "Tel. 035 123456");
    // The logo was not touched: its file is not encoded again.
    EXPECT_EQ(readBytes(dir / "Logo.jpg"), logo);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(CardWindows, OffsetsMinusThreeAndFivePrintTheCardCornerAtSevenAndFifteenMillimetres) {
    click(view, "cmdPrimo");
    const QString pdf = QString::fromStdString((dir / "tessera.pdf").string());
    int dialogs = 0;
    program.platform.printDialogHook = [&](QPrinter& printer) {
        ++dialogs;
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    QString title, top, left;
    whenModal([&](QWidget* w) {
        title = w->windowTitle();
        top = w->findChild<QLineEdit*>("txtTop")->text();
        left = w->findChild<QLineEdit*>("txtLeft")->text();
        EXPECT_TRUE(w->findChild<QLineEdit*>("txtTop")->isReadOnly());
        EXPECT_FALSE(w->findChild<QLabel*>("lblAttendere")->isVisible());
        w->findChild<QPushButton*>("btnStampa")->click();
    });
    click(view, "cmdStampa");
    EXPECT_EQ(title, QStringLiteral(" Stampa tessera biblioteca"));
    EXPECT_EQ(top, QStringLiteral("-3"));
    EXPECT_EQ(left, QStringLiteral("5"));
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The card is all that prints: its outline's corner is 7 mm from the top and 15 mm from the
    // left edge of the sheet, and it is 86 × 54 mm.
    const QImage page = pageOf(dir, pdf);
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 2100, 1) << "A4 at 10 pixels a millimetre";
    EXPECT_NEAR(page.height(), 2970, 1);
    const QRectF ink = inkOf(page);
    EXPECT_NEAR(ink.left(), 15, 0.25);
    EXPECT_NEAR(ink.top(), 7, 0.25);
    EXPECT_NEAR(ink.width(), 86, 0.4);
    EXPECT_NEAR(ink.height(), 54, 0.4);

    const QString text =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    for (const char* shown : {"Biblioteca civica", "Via Roma 1", "Rossi Mario", "Socio ordinario", "2021-001",
                              "Data rilascio:", "01/01/2022", "Data scadenza:", "14/01/2027"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << "\n" << text.toStdString();
    const QString fonts = run(QStringLiteral("pdffonts"), {pdf});
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans-Bold"))) << fonts.toStdString();
    EXPECT_FALSE(fonts.contains(QStringLiteral("Type 3"))) << fonts.toStdString();
}

TEST_F(CardWindows, ThePreviewShowsOnePageAndPrintsItWithoutOffsets) {
    const QString pdf = QString::fromStdString((dir / "anteprima.pdf").string());
    program.platform.printDialogHook = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    int pages = 0;
    program.platform.previewHook = [&](QDialog& window) {
        auto* preview = window.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->updatePreview();
        pages = preview->pageCount();
        window.findChild<QAction*>(QStringLiteral("actStampa"))->trigger();
    };
    QString title;
    whenModal([&](QWidget* w) {
        title = w->windowTitle();
        w->findChild<QPushButton*>("btnStampa")->click();
    });
    click(view, "cmdAnteprima");
    EXPECT_EQ(title, QStringLiteral(" Anteprima di stampa"));
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    const QRectF ink = inkOf(pageOf(dir, pdf));
    EXPECT_NEAR(ink.left(), 10, 0.25);
    EXPECT_NEAR(ink.top(), 10, 0.25);
    EXPECT_TRUE(run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                    .contains(QStringLiteral("Cognome e nome")));
}
