// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/ShellViews.h"

#include "core/Application.h"
#include "ui/platform/FormView.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quaderna::ui {

namespace {

const QColor kNavy(0x1F, 0x3A, 0x5F);

// The padlock on a white strip with the window's heading and its explanation beside it.
class PadlockView : public FormView {
public:
    using FormView::FormView;

protected:
    void heading(const QString& title, const QString& explanation, int height) {
        auto* strip = new QWidget(this);
        strip->setGeometry(0, 0, width(), height);
        strip->setAutoFillBackground(true);
        QPalette pal = strip->palette();
        pal.setColor(QPalette::Window, Qt::white);
        strip->setPalette(pal);
        strip->lower();
        art(this, QStringLiteral(":/art/lucchetto.svg"), QRect(0, 0, 134, 150));
        const int right = width() - 126 - 14;
        text(this, title, QRect(126, 30, right, 48),
             fittedFont(title, typeface("Verdana", 34, true), {right, 48}), kNavy)
            ->setObjectName(QStringLiteral("lblTitolo"));
        text(this, explanation, QRect(126, 84, right, 60), typeface("Verdana", 14), QColor(0x33, 0x33, 0x33),
             Qt::AlignLeft | Qt::AlignTop)
            ->setObjectName(QStringLiteral("lblSpiegazione"));
    }
};

class PasswordView : public PadlockView {
public:
    PasswordView(QtPlatform& p, TfrmPassword& m, QWidget* parent) : PadlockView(p, m, parent) {
        fixedWindow(388, 405);
        heading(QStringLiteral("Password"),
                QStringLiteral("Proteggi l'accesso al programma\ncon una password di tua scelta."), 230);
        auto* first = label(this, m.lblPrimoAccesso, QRect(14, 150, 360, 66), typeface("Verdana", 15, true),
                            kNavy, Qt::AlignCenter);
        first->setStyleSheet(QStringLiteral("background-color: #DCE8F4; border-radius: 8px;"));
        text(this, QStringLiteral("Immetti la password e premi OK."), QRect(24, 238, 340, 24),
             typeface("Verdana", 13));
        edit(this, m.txtPassword, QRect(24, 266, 340, 36), typeface("Verdana", 14, true));
        button(this, m.cmdOK, QRect(24, 318, 165, 34), QStringLiteral("OK"), typeface("Verdana", 13));
        button(this, m.cmdEsci, QRect(199, 318, 165, 34), QStringLiteral("Esci"), typeface("Verdana", 13));
        button(this, m.btnCambiaPassword, QRect(24, 360, 340, 32), QStringLiteral("Cambia password"),
               typeface("Verdana", 13));
    }
};

class CambiaPasswordView : public PadlockView {
public:
    CambiaPasswordView(QtPlatform& p, TfrmCambiaPassword& m, QWidget* parent) : PadlockView(p, m, parent) {
        fixedWindow(411, 418);
        heading(QStringLiteral("Cambia password"),
                QStringLiteral("Compila i campi sottostanti\ne premi OK per confermare\nla nuova password."),
                200);
        const struct {
            const char* caption;
            Edit* box;
        } rows[] = {{"Vecchia password:", &m.txtPasswordOld},
                    {"Nuova password:", &m.txtPasswordNew},
                    {"Conferma nuova password:", &m.txtConferma}};
        int y = 206;
        for (const auto& r : rows) {
            text(this, QString::fromUtf8(r.caption), QRect(24, y, 190, 34), typeface("Verdana", 12));
            edit(this, *r.box, QRect(210, y + 2, 177, 30), typeface("Verdana", 14, true));
            y += 46;
        }
        button(this, m.cmdOK, QRect(24, 360, 176, 34), QStringLiteral("OK"), typeface("Verdana", 13));
        button(this, m.cmdEsci, QRect(211, 360, 176, 34), QStringLiteral("Chiudi"), typeface("Verdana", 13));
    }
};

class AvvioView : public FormView {
public:
    AvvioView(QtPlatform& p, TfrmAvvio& m, QWidget* parent) : FormView(p, m, parent) {
        maximisedWindow();
        QWidget* panel = centredPanel(995, 692);
        imageButton(panel, m.imgInfo, QRect(12, 12, 30, 30), QStringLiteral(":/art/icon_info.svg"));
        imageButton(panel, m.imgGuida, QRect(953, 12, 30, 30), QStringLiteral(":/art/icon_guida.svg"));
        art(panel, QStringLiteral(":/art/avvio_titolo.svg"), QRect(150, 14, 620, 90))
            ->setObjectName("icoTitolo");
        art(panel, QStringLiteral(":/art/avvio_versione.svg"), QRect(606, 26, 70, 44))
            ->setObjectName("icoVersione");
        art(panel, QStringLiteral(":/art/avvio_sottotitolo.svg"), QRect(27, 112, 940, 54))
            ->setObjectName("icoSottotitolo");
        const struct {
            Button *picture, *button;
            const char* key;
            const char* caption;
        } entries[] = {{&m.imgAnagrafica, &m.btnAnagrafica, "anagrafica", "ANAGRAFICA UTENTI"},
                       {&m.imgLibri, &m.btnLibri, "libri", "ARCHIVIO LIBRI"},
                       {&m.imgTessere, &m.btnTessere, "tessere", "STAMPA TESSERE"},
                       {&m.imgPrestiti, &m.btnPrestiti, "prestiti", "PRESTITI E RESTITUZIONI"},
                       {&m.imgStorico, &m.btnStorico, "storico", "STORICO E STATISTICHE"},
                       {&m.imgCatalogo, &m.btnCatalogo, "catalogo", "CONSULTAZIONE CATALOGO"}};
        for (int i = 0; i < 6; ++i) {
            const int centre = 166 + 331 * (i % 3);
            const int top = 182 + 238 * (i / 3);
            // Tab stops at the entry's button; its picture does the same and is passed over.
            imageButton(panel, *entries[i].picture, QRect(centre - 109, top, 218, 188),
                        QStringLiteral(":/art/entry_%1.svg").arg(QLatin1String(entries[i].key)))
                ->setFocusPolicy(Qt::NoFocus);
            captionButton(panel, *entries[i].button, QRect(centre - 154, top + 192, 308, 38),
                          QStringLiteral(":/art/button_entry.svg"), QString::fromUtf8(entries[i].caption),
                          QRect(14, 1, 280, 32), 16);
        }
        imageButton(panel, m.icoSito, QRect(147, 656, 700, 30), QStringLiteral(":/art/avvio_sito.svg"));
        imageButton(panel, m.imgCopyright, QRect(12, 652, 30, 30),
                    QStringLiteral(":/art/icon_copyright.svg"));
        imageButton(panel, m.imgEsci, QRect(953, 652, 30, 30), QStringLiteral(":/art/icon_esci.svg"));
    }
};

class MenuView : public FormView {
public:
    MenuView(QtPlatform& p, SubMenu& m, QWidget* parent, const char* key, const QString& sentence,
             const QString& heading1, Button& first, const QString& caption1, const QString& heading2,
             Button& second, const QString& caption2)
        : FormView(p, m, parent) {
        maximisedWindow();
        QWidget* panel = centredPanel(995, 692);
        art(panel, QStringLiteral(":/art/menu_%1_titolo.svg").arg(QLatin1String(key)),
            QRect(27, 16, 940, 64));
        auto* strip = text(panel, sentence, QRect(27, 92, 940, 44), typeface("Verdana", 14), Qt::white,
                           Qt::AlignCenter);
        strip->setAutoFillBackground(true);
        QPalette pal = strip->palette();
        pal.setColor(QPalette::Window, Qt::black);
        strip->setPalette(pal);
        art(panel, QStringLiteral(":/art/menu_%1_illustrazione.svg").arg(QLatin1String(key)),
            QRect(27, 160, 430, 400));
        const struct {
            const QString& heading;
            Button& button;
            const QString& caption;
            int top;
        } boxes[] = {{heading1, first, caption1, 170}, {heading2, second, caption2, 380}};
        for (const auto& b : boxes) {
            shade(panel, QRect(497, b.top, 470, 170), QColor(0xDC, 0xE8, 0xF4), 10);
            auto* h = text(panel, b.heading, QRect(497, b.top, 470, 44), typeface("Verdana", 16, true),
                           Qt::white, Qt::AlignCenter);
            h->setStyleSheet(QStringLiteral("background-color: #4682B4; border-top-left-radius: 10px; "
                                            "border-top-right-radius: 10px;"));
            button(panel, b.button, QRect(582, b.top + 80, 300, 44), b.caption,
                   typeface("Verdana", 14, true));
        }
        captionButton(panel, m.imgGuida, QRect(27, 620, 150, 40), QStringLiteral(":/art/button_piccolo.svg"),
                      QStringLiteral("Guida"));
        captionButton(panel, m.imgEsci, QRect(817, 620, 150, 40), QStringLiteral(":/art/button_piccolo.svg"),
                      QStringLiteral("Esci"));
    }
};

} // namespace

void registerShellViews(QtPlatform& platform) {
    platform.registerView<TfrmPassword, PasswordView>();
    platform.registerView<TfrmCambiaPassword, CambiaPasswordView>();
    platform.registerView<TfrmAvvio, AvvioView>();
    platform.registerView<TfrmMenuPrestiti>([](QtPlatform& p, Form& f, QWidget* parent) -> FormView* {
        auto& m = static_cast<TfrmMenuPrestiti&>(f);
        return new MenuView(
            p, m, parent, "prestiti",
            QString::fromUtf8("In questo ambiente è possibile gestire i prestiti dei libri ai lettori "
                              "nonché la loro restituzione alla biblioteca."),
            QStringLiteral("Gestione prestiti:"), m.btnApriPrestito, QStringLiteral("Apri archivio prestiti"),
            QStringLiteral("Gestione restituzioni:"), m.btnApriRestituzione,
            QStringLiteral("Apri archivio restituzioni"));
    });
    platform.registerView<TfrmMenuStorico>([](QtPlatform& p, Form& f, QWidget* parent) -> FormView* {
        auto& m = static_cast<TfrmMenuStorico&>(f);
        return new MenuView(
            p, m, parent, "storico",
            QString::fromUtf8("In questo ambiente è possibile gestire lo storico e i grafici statistici "
                              "mensili dei prestiti librari."),
            QStringLiteral("Storico prestiti:"), m.btnApriStorico, QStringLiteral("Apri storico prestiti"),
            QStringLiteral("Grafici statistici prestiti:"), m.btnApriStatistiche,
            QStringLiteral("Apri statistiche prestiti"));
    });
}

} // namespace quaderna::ui
