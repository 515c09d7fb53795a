// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the user guide Guida.pdf from the help texts the windows show: a title page, the
// contents, then one chapter per help topic with the windows it covers and their pictures, drawn
// offscreen from the program's own windows on a small sample library.
//   quaderna-guide OUTPUT.pdf
// Run with QT_QPA_PLATFORM=offscreen where there is no display (the build does).

#include "../screenshots/SampleData.h"
#include "core/catalogue/AllegaCartella.h"
#include "core/shell/HelpTexts.h"
#include "core/shell/Password.h"
#include "core/storage/SideFiles.h"
#include "ui/Program.h"
#include "ui/platform/FormView.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QUrl>

#include <csignal>
#include <cstdio>
#include <map>
#include <memory>
#include <unistd.h>

using namespace quaderna;

namespace {

// Windows pictured in a chapter besides the ones whose help command opens it.
const std::multimap<std::string_view, std::string_view> kMorePictures = {
    {help::ArchivioLibri, "TfrmAllegaCartella"},
};

QString html(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())).toHtmlEscaped();
}

// Draws the windows of the program as they open, each on its own fresh model.
class Pictures {
public:
    explicit Pictures(const std::filesystem::path& data) : program_(data) {
        // Nothing may wait for a person: any message a window would show is answered at once.
        program_.platform.messageHook = [](const QString&, MsgKind, bool) { return MsgButton::OK; };
        for (auto& w : program_.platform.sampleWindows(program_.app))
            models_.push_back(std::move(w));
    }

    // The window as it opens, or a null image when the program has no such window yet.
    QImage of(std::string_view className) {
        for (auto& model : models_) {
            if (model->className() != className)
                continue;
            ui::QtPlatform& platform = program_.platform;
            platform.dispatch([&] { model->FormCreate(); });
            if (auto* a = dynamic_cast<TfrmAllegaCartella*>(model.get())) {
                a->txtFile01.text = "Verbale assemblea 2022.pdf";
                a->txtDesc01.text = "Verbale dell'assemblea dei soci";
            }
            ui::FormView* view = platform.createView(*model);
            if (!view)
                return {};
            view->show();
            platform.dispatch([&] { model->FormShow(); });
            // A record window shows its first record.
            if (Control* first = model->find("cmdPrimo"))
                platform.dispatch([&] { model->click(*first); });
            platform.refreshAll();
            QApplication::processEvents();
            // A maximised window is pictured by its content panel, without the screen around it.
            QWidget* shown = view;
            if (view->maximised())
                if (auto* panel = view->findChild<QWidget*>(QStringLiteral("panContenitore")))
                    shown = panel;
            QImage image = shown->grab().toImage();
            view->hide();
            delete view;
            return image;
        }
        return {};
    }

    std::string captionOf(std::string_view className) const {
        for (const auto& model : models_)
            if (model->className() == className)
                return model->caption;
        return {};
    }

private:
    ui::Program program_;
    std::vector<std::unique_ptr<Form>> models_;
};

QString titlePage() {
    return QStringLiteral(
               "<div align=\"center\"><p style=\"margin-top:180px; font-size:40pt; font-weight:bold; "
               "color:#1F3A5F\">Quaderna 3.0</p>"
               "<p style=\"font-size:20pt; color:#4682B4\">%1</p>"
               "<p style=\"margin-top:40px; font-size:12pt\">%2</p>"
               "<p style=\"margin-top:260px; font-size:11pt\">%3</p></div>")
        .arg(QString::fromUtf8("Guida all'utilizzo del software"),
             QString::fromUtf8("Archiviazione libri, anagrafica utenti, prestiti e restituzioni, storico e "
                               "statistiche dei prestiti, stampa tessere d'iscrizione, consultazione del "
                               "catalogo in sola lettura"),
             QString::fromUtf8("Quaderna Software - versione 3.0"));
}

QString contents() {
    QString s = QStringLiteral("<h1 style=\"page-break-before: always; color:#1F3A5F\">Indice</h1><ol>");
    for (const auto& t : help::topics())
        s += QStringLiteral("<li style=\"margin-bottom:6px; font-size:12pt\">%1</li>").arg(html(t.title));
    s += QStringLiteral("</ol><p style=\"margin-top:24px\">%1</p>")
             .arg(html("Ogni capitolo riporta il testo che la finestra della guida mostra quando si preme il "
                       "pulsante Guida della finestra corrispondente."));
    return s;
}

QString chapter(QTextDocument& doc, Pictures& pictures, int number, const help::Topic& topic) {
    QString s = QStringLiteral("<h1 style=\"page-break-before: always; color:#1F3A5F\">%1. %2</h1>")
                    .arg(number)
                    .arg(html(topic.title));
    std::vector<std::string_view> pictured;
    s += QStringLiteral("<table cellpadding=\"4\" style=\"margin-bottom:12px; background-color:#EAF2FA\">");
    for (const auto& w : help::windows()) {
        if (w.topic != topic.title)
            continue;
        s += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                 .arg(html(w.name), html(std::string("si apre da: ") + std::string(w.from)));
        pictured.push_back(w.className);
    }
    s += QStringLiteral("</table>");
    for (std::string_view p : topic.paragraphs)
        s += QStringLiteral("<p align=\"justify\" style=\"margin-bottom:8px; font-size:11pt\">%1</p>")
                 .arg(html(p));
    const auto more = kMorePictures.equal_range(topic.title);
    for (auto it = more.first; it != more.second; ++it)
        pictured.push_back(it->second);
    for (std::string_view className : pictured) {
        const QImage image = pictures.of(className);
        if (image.isNull())
            continue;
        const QUrl url(
            QStringLiteral("figura://%1").arg(QString::fromLatin1(className.data(), className.size())));
        doc.addResource(QTextDocument::ImageResource, url, image);
        const int width = std::min(600, image.width());
        s += QStringLiteral("<p align=\"center\" style=\"margin-top:12px\"><img src=\"%1\" width=\"%2\" "
                            "height=\"%3\"/><br/><i>%4</i></p>")
                 .arg(url.toString())
                 .arg(width)
                 .arg(image.height() * width / image.width())
                 .arg(html(pictures.captionOf(className)).trimmed());
    }
    return s;
}

// The offscreen platform's remarks on what it cannot do are no news to the build.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "quaderna-guide: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv) {
    // A guide that cannot be drawn must stop the build, never hold it up.
    std::signal(SIGALRM, SIG_DFL);
    ::alarm(120);
    qInstallMessageHandler(quiet);
    QApplication qapp(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installItalian(qapp);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quaderna-guide OUTPUT.pdf\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);

    QTemporaryDir data;
    if (!data.isValid()) {
        std::fprintf(stderr, "quaderna-guide: no temporary folder\n");
        return 1;
    }
    const std::filesystem::path folder = data.path().toStdString();
    password::installFirstAccess(folder);
    writeSampleBooks(folder);
    writeSampleUsers(folder);
    sidefiles::writeDatiEnte(folder, {"Biblioteca civica", "Piazza del Municipio 1", "Tel. 000 000000",
                                      "Tessera personale valida per il prestito"});
    Pictures pictures(folder);

    QTextDocument doc;
    QFont base(QStringLiteral("Verdana"));
    base.setPointSizeF(10.5);
    // Plain letters, no "fi" ligatures: the guide's words are found and copied as they are written.
    base.setStyleStrategy(QFont::PreferNoShaping);
    doc.setDefaultFont(base);
    QString body = titlePage() + contents();
    int number = 0;
    for (const auto& topic : help::topics())
        body += chapter(doc, pictures, ++number, topic);
    doc.setHtml(QStringLiteral("<html><body>%1</body></html>").arg(body));

    // Written beside the final name, then put in its place: a failed run leaves the old guide.
    const QString partial = output + QStringLiteral(".part");
    {
        QPdfWriter pdf(partial);
        pdf.setTitle(QString::fromUtf8("Quaderna 3.0 - Guida all'utilizzo del software"));
        pdf.setCreator(QStringLiteral("Quaderna 3.0"));
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                      QPageLayout::Millimeter));
        doc.print(&pdf);
    }
    std::error_code ec;
    std::filesystem::rename(partial.toStdString(), output.toStdString(), ec);
    if (ec) {
        std::fprintf(stderr, "quaderna-guide: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
