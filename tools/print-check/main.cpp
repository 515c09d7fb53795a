// SPDX-License-Identifier: GPL-3.0-or-later
// Prints a list and a book sheet the way the windows do, and reads back what came out.
//
//   quaderna-print-check --queue NAME --out DIR [--out DIR ...] [--timeout SECONDS]
//       prints through the print queue NAME, which must be the default printer and write PDF
//       files into one of the DIRs (a cups-pdf queue), and checks those files;
//   quaderna-print-check --pdf DIR
//       draws the list, the book sheet and the user sheet into PDF files in DIR and checks them.
//
// Exits with 0 when every check passed.

#include "core/reports/Layouts.h"
#include "ui/platform/QtPlatform.h"

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

using namespace quaderna;

namespace {

constexpr int listLength = 120; // three pages
const char* const listTitle = "Riepilogo libri in archivio";

int failures = 0;

void fail(const QString& what) {
    std::fprintf(stderr, "print-check: %s\n", qPrintable(what));
    ++failures;
}

QString code(int i) {
    return QStringLiteral("Cod. Q%1").arg(i, 5, 10, QLatin1Char('0'));
}

Report sampleList() {
    std::vector<std::string> lines;
    for (int i = 0; i < listLength; ++i)
        lines.push_back(code(i).toStdString() + "                   I promessi sposi [" + std::to_string(i) +
                        "]  Città");
    Report r = reports::riepilogoDati();
    reports::fillList(r, listTitle, std::move(lines));
    return r;
}

Report sampleBookSheet() {
    Report r = reports::schedaLibro();
    for (const auto& row : reports::schedaLibroRows)
        r.at(row.memo).setText(std::string("dato di ") + row.memo);
    r.at("txtCalce").setText("Stampa eseguita in data 05/03/2024 alle ore 09:07:03");
    return r;
}

Report sampleUserSheet() {
    Report r = reports::schedaInformativa();
    r.at("txtTitolo").setText("SCHEDA ANAGRAFICA UTENTE");
    for (int k = 1; k <= 24; ++k) {
        const std::string n = (k < 10 ? "0" : "") + std::to_string(k);
        r.at("titCampo" + n).setText("Campo " + n + ":");
        r.at("txtCampo" + n).setText("valore " + n);
    }
    r.at("txtCalce").setText("Stampa eseguita in data 05/03/2024 alle ore 09:07:03");
    return r;
}

// The text of a PDF file; nothing when it cannot be read (yet).
std::optional<QString> textOf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool inOrder(const QString& text, const QStringList& wanted, const QString& what) {
    qsizetype at = 0;
    for (const auto& w : wanted) {
        const qsizetype found = text.indexOf(w, at);
        if (found < 0) {
            fail(QStringLiteral("%1: \"%2\" is missing or out of order").arg(what, w));
            return false;
        }
        at = found + w.size();
    }
    return true;
}

void checkList(const QString& text, const QString& file) {
    QStringList wanted{QString::fromLatin1(listTitle)};
    for (int i = 0; i < listLength; ++i)
        wanted << code(i);
    inOrder(text, wanted, file);
    if (!text.contains(QStringLiteral("I promessi sposi [%1]").arg(listLength - 1)))
        fail(file + QStringLiteral(": brackets of the list lines did not print as typed"));
    if (!text.contains(QStringLiteral("Citt\u00e0")))
        fail(file + QStringLiteral(": accented letters are missing"));
    const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    const int footers = static_cast<int>(text.count(QStringLiteral("Stampa eseguita in data ")));
    const int pages = static_cast<int>(text.count(QLatin1Char('\f')));
    if (footers < 2 || footers != pages)
        fail(QStringLiteral("%1: %2 pages but %3 footers").arg(file).arg(pages).arg(footers));
    if (!text.contains(QStringLiteral("Stampa eseguita in data ") + today) &&
        !text.contains(QStringLiteral("Stampa eseguita in data ") +
                       QDate::currentDate().addDays(-1).toString(QStringLiteral("dd/MM/yyyy"))))
        fail(file + QStringLiteral(": the footer does not show today's date"));
}

void checkBookSheet(const QString& text, const QString& file) {
    QStringList wanted{QStringLiteral("SCHEDA INFORMATIVA LIBRO")};
    for (const auto& row : reports::schedaLibroRows)
        wanted << QString::fromUtf8(row.label) << QStringLiteral("dato di ") + QLatin1String(row.memo);
    wanted << QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:07:03");
    inOrder(text, wanted, file);
    if (text.count(QLatin1Char('\f')) != 1)
        fail(file + QStringLiteral(": the book sheet is not one page"));
}

void checkUserSheet(const QString& text, const QString& file) {
    QStringList wanted{QStringLiteral("SCHEDA ANAGRAFICA UTENTE")};
    for (int k = 1; k <= 24; ++k)
        wanted << QStringLiteral("Campo %1:").arg(k, 2, 10, QLatin1Char('0'))
               << QStringLiteral("valore %1").arg(k, 2, 10, QLatin1Char('0'));
    inOrder(text, wanted, file);
}

int renderFiles(ui::QtPlatform& platform, const QString& dir) {
    QDir().mkpath(dir);
    struct Sample {
        const char* file;
        Report report;
        void (*check)(const QString&, const QString&);
    } samples[] = {
        {"riepilogo-dati.pdf", sampleList(), checkList},
        {"scheda-libro.pdf", sampleBookSheet(), checkBookSheet},
        {"scheda-informativa.pdf", sampleUserSheet(), checkUserSheet},
    };
    for (auto& s : samples) {
        const QString file = QDir(dir).filePath(QLatin1String(s.file));
        if (!platform.renderToPdf(s.report, file)) {
            fail(file + QStringLiteral(": could not be written"));
            continue;
        }
        if (const auto text = textOf(file))
            s.check(*text, file);
        else
            fail(file + QStringLiteral(": pdftotext cannot read it"));
        std::printf("%s\n", qPrintable(file));
    }
    return failures == 0 ? 0 : 1;
}

// The PDF files of the folders and when each was last written. cups-pdf names its files after
// the document, so a new job may overwrite an older file of the same name.
QMap<QString, QDateTime> pdfsIn(const QStringList& dirs) {
    QMap<QString, QDateTime> files;
    for (const auto& d : dirs)
        for (const QFileInfo& f : QDir(d).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
            files.insert(f.absoluteFilePath(), f.lastModified());
    return files;
}

int printThroughQueue(ui::QtPlatform& platform, const QString& queue, const QStringList& outDirs,
                      int timeout) {
    if (!QPrinterInfo::availablePrinterNames().contains(queue)) {
        fail(QStringLiteral("no print queue named %1 (queues: %2)")
                 .arg(queue, QPrinterInfo::availablePrinterNames().join(QStringLiteral(", "))));
        return 1;
    }
    const QMap<QString, QDateTime> before = pdfsIn(outDirs);

    // What the person does in the print dialog: nothing but confirm the preselected printer.
    platform.printDialogHook = [&](QPrinter& printer) {
        if (printer.printerName() != queue)
            fail(QStringLiteral("the print dialog would start on \"%1\", not on the default printer %2")
                     .arg(printer.printerName(), queue));
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(queue);
        return true;
    };
    if (!platform.print(sampleList()))
        fail(QStringLiteral("printing the list failed"));
    if (!platform.print(sampleBookSheet()))
        fail(QStringLiteral("printing the book sheet failed"));

    // The queue writes its files a moment later; wait for two new ones that read whole.
    QElapsedTimer clock;
    clock.start();
    QString listFile, sheetFile;
    while ((listFile.isEmpty() || sheetFile.isEmpty()) && clock.elapsed() < timeout * 1000LL) {
        QThread::msleep(500);
        const QMap<QString, QDateTime> now = pdfsIn(outDirs);
        for (auto it = now.begin(); it != now.end(); ++it) {
            const QString& f = it.key();
            if (before.value(f) == it.value() || f == listFile || f == sheetFile)
                continue;
            const auto text = textOf(f);
            if (!text)
                continue;
            if (text->contains(QString::fromLatin1(listTitle))) {
                listFile = f;
                checkList(*text, f);
            } else if (text->contains(QStringLiteral("SCHEDA INFORMATIVA LIBRO"))) {
                sheetFile = f;
                checkBookSheet(*text, f);
            }
        }
    }
    if (listFile.isEmpty())
        fail(QStringLiteral("the list did not come out in %1 within %2 s")
                 .arg(outDirs.join(QStringLiteral(", ")))
                 .arg(timeout));
    if (sheetFile.isEmpty())
        fail(QStringLiteral("the book sheet did not come out in %1 within %2 s")
                 .arg(outDirs.join(QStringLiteral(", ")))
                 .arg(timeout));
    for (const auto& f : {listFile, sheetFile})
        if (!f.isEmpty())
            std::printf("%s\n", qPrintable(f));
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QString queue, pdfDir;
    QStringList outDirs;
    int timeout = 90;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--queue") && hasValue)
            queue = args[++i];
        else if (a == QLatin1String("--out") && hasValue)
            outDirs << args[++i];
        else if (a == QLatin1String("--pdf") && hasValue)
            pdfDir = args[++i];
        else if (a == QLatin1String("--timeout") && hasValue)
            timeout = args[++i].toInt();
        else {
            std::fprintf(stderr,
                         "usage: %s --queue NAME --out DIR [--out DIR ...] [--timeout SECONDS]\n"
                         "       %s --pdf DIR\n",
                         argv[0], argv[0]);
            return 2;
        }
    }
    ui::QtPlatform platform;
    if (!pdfDir.isEmpty())
        return renderFiles(platform, pdfDir);
    if (queue.isEmpty() || outDirs.isEmpty()) {
        std::fprintf(stderr, "%s: give --queue and --out, or --pdf\n", argv[0]);
        return 2;
    }
    const int rc = printThroughQueue(platform, queue, outDirs, timeout);
    if (rc == 0)
        std::printf("print-check: the list and the book sheet printed through %s\n", qPrintable(queue));
    return rc;
}
