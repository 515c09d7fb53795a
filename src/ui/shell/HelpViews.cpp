// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/HelpViews.h"

#include "core/Application.h"
#include "core/shell/Guida.h"
#include "core/shell/Info.h"
#include "core/shell/Splash.h"
#include "ui/platform/FormView.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widgets.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTextDocument>

namespace quaderna::ui {

namespace {

const QColor kNavy(0x1F, 0x3A, 0x5F);
const QColor kCrimson(0xDC, 0x14, 0x3C);
const QColor kPanel(0xF4, 0xF7, 0xFA);

QString u(const char* s) {
    return QString::fromUtf8(s);
}

// A white strip along the top with a picture and the window's heading beside it.
void heading(QWidget* parent, int width, const QString& picture, const QString& words) {
    auto* strip = new QWidget(parent);
    strip->setGeometry(0, 0, width, 72);
    strip->setAutoFillBackground(true);
    QPalette pal = strip->palette();
    pal.setColor(QPalette::Window, Qt::white);
    strip->setPalette(pal);
    strip->lower();
    auto* logo = new QLabel(parent);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setGeometry(12, 8, 56, 56);
    logo->setPixmap(artPixmap(picture, logo->size()));
    const QRect room(80, 8, width - 92, 56);
    auto* title = new QLabel(words, parent);
    title->setObjectName(QStringLiteral("lblIntestazione"));
    title->setGeometry(room);
    title->setFont(fittedFont(words, typeface("Verdana", 22, true), room.size()));
    QPalette tp = title->palette();
    tp.setColor(QPalette::WindowText, kNavy);
    title->setPalette(tp);
}

class GuidaView : public FormView {
public:
    GuidaView(QtPlatform& p, TfrmGuida& m, QWidget* parent) : FormView(p, m, parent), m_(m) {
        fixedWindow(670, 572);
        QWidget* panel = centredPanel(642, 540, kPanel);
        heading(panel, 642, QStringLiteral(":/art/guida_logo.svg"), u("Guida all'utilizzo del software"));
        label(panel, m.lblTitolo, QRect(8, 80, 626, 32), typeface("Arial", 18, true), kCrimson);
        text_ = new QPlainTextEdit(panel);
        text_->setObjectName(QStringLiteral("txtGuida"));
        text_->setGeometry(8, 118, 626, 350);
        text_->setFont(typeface("Verdana", 12, true));
        text_->setReadOnly(true);
        text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        text_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        text_->document()->setDocumentMargin(8);
        showText();
        imageButton(panel, m.imgPDF, QRect(8, 486, 24, 24), QStringLiteral(":/art/icon_pdf.svg"))
            ->setFocusPolicy(Qt::NoFocus); // the link beside it takes Tab
        link(panel, m.lnkWeb, QRect(38, 482, 330, 32), typeface("Tahoma", 14));
        button(panel, m.btnChiudi, QRect(512, 484, 122, 36), u("Chiudi"), typeface("Verdana", 12));
    }

protected:
    void showEvent(QShowEvent* event) override {
        showText();
        FormView::showEvent(event);
    }

private:
    void showText() {
        const QString want = messageText(m_.txtGuida.text);
        if (text_->toPlainText() != want) {
            text_->setPlainText(want);
            text_->moveCursor(QTextCursor::Start);
        }
    }
    TfrmGuida& m_;
    QPlainTextEdit* text_ = nullptr;
};

class InfoView : public FormView {
public:
    InfoView(QtPlatform& p, TfrmInfo& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(473, 579);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, kPanel);
        setPalette(pal);
        heading(this, 473, QStringLiteral(":/art/info_logo.svg"), u("Informazioni sul programma"));

        auto* box = shade(this, QRect(16, 86, 441, 396), Qt::white, 8);
        box->setObjectName(QStringLiteral("panInformazioni"));
        box->setStyleSheet(
            QStringLiteral("background-color: white; border: 1px solid #B8C7D6; border-radius: 8px;"));
        const QFont plain = typeface("Verdana", 12);
        const QFont bold = typeface("Verdana", 12, true);
        text(this, u("Quaderna 3.0"), QRect(32, 98, 409, 34), typeface("Verdana", 22, true), kNavy);
        text(this,
             u("Software per l'archiviazione dei libri, l'anagrafica degli utenti, i prestiti e le "
               "restituzioni, lo storico e le statistiche dei prestiti, la stampa delle tessere "
               "d'iscrizione e la consultazione del catalogo in sola lettura."),
             QRect(32, 136, 409, 92), plain, Qt::black, Qt::AlignLeft | Qt::AlignTop);
        int y = 238;
        const auto row = [&](const char* caption, const QString& value) {
            text(this, u(caption), QRect(32, y, 409, 20), bold, kNavy);
            QLabel* v = text(this, value, QRect(32, y + 20, 409, 20), plain);
            const QString shown = v->fontMetrics().elidedText(value, Qt::ElideMiddle, v->width());
            if (shown != value) {
                v->setText(shown);
                v->setToolTip(value);
            }
            y += 48;
        };
        row("Versione:", u("3.0"));
        row("Realizzato da:", u(kAutore));
        row("Cartella dei dati:", QString::fromStdString(m.app.dataDir().string()));
        row("Guida all'utilizzo:", QString::fromStdString(guideFile(m.app).string()));
        text(this, u("Per informazioni e assistenza scrivere a:"), QRect(32, 432, 409, 40), plain, Qt::black,
             Qt::AlignLeft | Qt::AlignVCenter);
        imageButton(this, m.imgEmail, QRect(24, 499, 24, 24), QStringLiteral(":/art/icon_email.svg"))
            ->setFocusPolicy(Qt::NoFocus); // the link beside it takes Tab
        link(this, m.lnkWeb, QRect(56, 494, 400, 32), typeface("Tahoma", 14));
        button(this, m.btnChiudi, QRect(335, 534, 122, 36), u("Chiudi"), typeface("Verdana", 12));
    }
};

class SplashView : public FormView {
public:
    SplashView(QtPlatform& p, TfrmSplash& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(661, 467);
        art(this, QStringLiteral(":/art/splash.svg"), QRect(18, 14, 625, 380))->setObjectName("imgSplash");
        const QRect name(40, 316, 580, 34);
        text(this, u(kAutore), name, fittedFont(u(kAutore), typeface("Verdana", 24, true), name.size()),
             kNavy);
        text(this, u("Quaderna 3.0, versione 3.0 - software per biblioteche"), QRect(40, 350, 580, 24),
             typeface("Verdana", 13), kNavy);
        imageButton(this, m.imgWeb, QRect(18, 419, 24, 24), QStringLiteral(":/art/icon_web.svg"))
            ->setFocusPolicy(Qt::NoFocus); // the link beside it takes Tab
        link(this, m.lnkWeb, QRect(50, 414, 480, 32), typeface("Tahoma", 14));
        button(this, m.btnChiudi, QRect(521, 414, 122, 36), u("Chiudi"), typeface("Verdana", 12));
    }
};

} // namespace

void registerHelpViews(QtPlatform& platform) {
    platform.registerView<TfrmGuida, GuidaView>();
    platform.registerView<TfrmInfo, InfoView>();
    platform.registerView<TfrmSplash, SplashView>();
}

} // namespace quaderna::ui
