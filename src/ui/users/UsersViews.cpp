// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/users/UsersViews.h"

#include "core/Application.h"
#include "core/users/Anagrafica.h"
#include "core/users/Sospesi.h"
#include "core/users/TrovaAnagrafica.h"
#include "core/users/Zoom.h"
#include "ui/platform/FormView.h"
#include "ui/platform/ListViews.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace quaderna::ui {

namespace {

const QColor kPanel(0xF4, 0xF7, 0xFA);
const QColor kSection(0xDC, 0xE8, 0xF4);
const QColor kNavy(0x1F, 0x3A, 0x5F);
const QColor kCrimson(0xDC, 0x14, 0x3C);

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QString artFile(const char* name) {
    return QStringLiteral(":/art/%1.svg").arg(QLatin1String(name));
}

// Opens in the middle of the screen.
void centreOnScreen(QWidget* w) {
    QScreen* screen = w->screen() ? w->screen() : QApplication::primaryScreen();
    if (screen)
        w->move(screen->availableGeometry().center() - w->rect().center());
}

// The user archive: the command bar along the top, the photo frame at the left, the fields in
// the order of the Enter chain in five shaded groups, the status line along the bottom.
class AnagraficaView : public FormView {
public:
    AnagraficaView(QtPlatform& p, TfrmAnagrafica& m, QWidget* parent) : FormView(p, m, parent), m_(m) {
        maximisedWindow();
        panel_ = centredPanel(995, 692, kPanel);
        statusLine(panel_, QRect(0, 656, 995, 36), u("Pronto per archiviare una nuova scheda..."));
        commandBar();
        photoFrame();
        fields();
        setBackground(this);
    }

private:
    QWidget* group(int x, int width) {
        auto* g = shade(panel_, QRect(x, 8, width, 56), Qt::white, 8);
        g->setStyleSheet(
            QStringLiteral("background-color: white; border: 1px solid #B8C7D6; border-radius: 8px;"));
        return g;
    }
    void tool(Button& b, int x, const char* art, const char* hint, int width = 40,
              const char* caption = nullptr) {
        const QRect r(x, width == 40 ? 16 : 14, width, width == 40 ? 40 : 44);
        auto* w =
            caption ? captionButton(panel_, b, r, artFile(art), u(caption), QRect(38, 1, width - 44, 40), 13)
                    : imageButton(panel_, b, r, artFile(art));
        setHint(w, u(hint));
    }

    void commandBar() {
        // Groups left to right, as wide as their tools, spread evenly across the panel.
        int x = 14;
        const int gap = 21;
        group(x, 140);
        tool(m_.cmdNuovo, x + 4, "tool_nuovo",
             "Predispone la schermata per l'inserimento di una nuova scheda.");
        tool(m_.cmdSalva, x + 48, "tool_salva", "Salva la scheda corrente in archivio.");
        tool(m_.cmdTrova, x + 92, "tool_trova", "Trova una scheda in archivio.");
        x += 140 + gap;
        group(x, 140);
        tool(m_.cmdAllega, x + 5, "tool_allega", "Allega file alla scheda corrente.", 130, "Allega file");
        x += 140 + gap;
        group(x, 96);
        tool(m_.cmdAnteprima, x + 4, "tool_anteprima", "Visualizza l'anteprima di stampa.");
        tool(m_.cmdStampa, x + 48, "tool_stampa_utente", "Stampa la scheda corrente.");
        x += 96 + gap;
        group(x, 52);
        tool(m_.cmdScadute, x + 6, "tool_scadute", "Visualizza l'elenco delle tessere in attesa di rinnovo.");
        x += 52 + gap;
        group(x, 248);
        tool(m_.cmdPrimo, x + 4, "tool_primo", "Visualizza la prima scheda in archivio.");
        tool(m_.cmdIndietro, x + 48, "tool_indietro", "Visualizza la scheda precedente in archivio.");
        label(panel_, m_.lblPosizione, QRect(x + 92, 16, 64, 40), typeface("Verdana", 15, true), kNavy,
              Qt::AlignCenter);
        tool(m_.cmdAvanti, x + 160, "tool_avanti", "Visualizza la scheda successiva in archivio.");
        tool(m_.cmdUltimo, x + 204, "tool_ultimo", "Visualizza l'ultima scheda in archivio.");
        x += 248 + gap;
        group(x, 52);
        tool(m_.cmdExcel, x + 6, "tool_esporta",
             "Esporta le schede in archivio in un file di Microsoft Excel.");
        x += 52 + gap;
        group(x, 96);
        tool(m_.cmdGuida, x + 4, "tool_guida", "Visualizza la pagina della guida sensibile al contesto.");
        tool(m_.cmdEsci, x + 48, "tool_esci", "Esci da questa schermata di lavoro.");
    }

    void photoFrame() {
        auto* frame = shade(panel_, QRect(14, 76, 184, 244), QColor(0xB8, 0xC7, 0xD6), 6);
        frame->setObjectName(QStringLiteral("shpFoto"));
        auto* photo = picture(panel_, m_.imgFoto, QRect(16, 78, 180, 240));
        photo->setAutoFillBackground(true);
        QPalette pal = photo->palette();
        pal.setColor(QPalette::Window, QColor(0xEE, 0xF3, 0xF8));
        photo->setPalette(pal);
        setBackground(photo);
        setHint(imageButton(panel_, m_.btnCancFoto, QRect(20, 290, 24, 24), artFile("icon_cancella_foto")),
                u("Cancella la foto corrente."));
        setHint(imageButton(panel_, m_.btnZoom, QRect(168, 290, 24, 24), artFile("icon_zoom")),
                u("Visualizza la foto a tutto schermo."));
        setHint(captionButton(panel_, m_.btnSfoglia, QRect(16, 328, 180, 34), artFile("button_carica_foto"),
                              u("Carica foto")),
                u("Carica la foto dell'utente."));
        auto* annullata = check(panel_, m_.chkAnnullata, QRect(16, 380, 150, 26), u("Tessera annullata"),
                                typeface("Verdana", 12, true));
        setHint(annullata,
                u("Contrassegna la tessera come annullata per escluderla dai risultati di ricerca."));
        setBackground(art(panel_, artFile("section_annullata"), QRect(166, 378, 30, 30)));
        setHint(captionButton(panel_, m_.btnEmail, QRect(16, 420, 180, 40), artFile("button_avviso_scadenza"),
                              u("Invia avviso\nscadenza"), QRect(40, 1, 134, 36), 12, kNavy),
                u("Invia e-mail con avviso scadenza."));
        setBackground(art(panel_, artFile("entry_anagrafica"), QRect(16, 474, 180, 155)));
    }

    QLabel* caption(int x, int y, int w, const char* s, const QColor& colour) {
        return text(panel_, u(s), QRect(x, y, w, 16), typeface("Verdana", 11), colour);
    }
    QLineEdit* field(Edit& e, const char* label, int x, int y, int w, bool centred = false,
                     const QColor& colour = kNavy) {
        caption(x, y, w, label, colour);
        auto* box = edit(panel_, e, QRect(x, y + 17, w, 26), typeface("Verdana", 12, &e == &m_.txtTesserato));
        if (centred)
            box->setAlignment(Qt::AlignCenter);
        return box;
    }
    void province(ComboEdit& e, int x, int y) {
        caption(x, y, 70, "Prov.", kNavy);
        combo(panel_, e, QRect(x, y + 17, 70, 26), typeface("Verdana", 12));
    }
    void checker(Button& b, int x, int y, const char* art, const char* hint) {
        setHint(imageButton(panel_, b, QRect(x, y + 18, 24, 24), artFile(art)), u(hint));
    }
    void section(int top, int rows, const char* art) {
        shade(panel_, QRect(208, top, 777, 8 + 50 * rows), kSection, 10);
        setBackground(this->art(panel_, artFile(art), QRect(216, top + (8 + 50 * rows - 40) / 2, 40, 40)));
    }

    void fields() {
        const int a = 72, b = 188, c = 304, d = 470, e = 586;
        section(a, 2, "section_tessera");
        section(b, 2, "section_residenza");
        section(c, 3, "section_contatti");
        section(d, 2, "section_pagamenti");
        section(e, 1, "section_note");
        const auto row = [](int top, int r) { return top + 4 + 50 * r; };
        const int x = 266;
        field(m_.txtTesserato, "Cognome e nome:", x, row(a, 0), 340);
        field(m_.txtCarica, "Informazioni aggiuntive:", 616, row(a, 0), 361);
        field(m_.txtNumTessera, "Tessera n.", x, row(a, 1), 190);
        field(m_.txtDataRil, "Data rilascio:", 466, row(a, 1), 120, true);
        field(m_.txtDataScade, "Data scadenza:", 596, row(a, 1), 120, true, kCrimson);
        field(m_.txtDataNasc, "Data di nascita:", 726, row(a, 1), 120, true);

        field(m_.txtComuneNasc, "Comune di nascita:", x, row(b, 0), 270);
        province(m_.txtProvNasc, 546, row(b, 0));
        field(m_.txtSesso, "Sesso:", 626, row(b, 0), 60, true);
        field(m_.txtComuneRes, "Comune di residenza:", 696, row(b, 0), 281);
        province(m_.txtProvRes, x, row(b, 1));
        field(m_.txtCapRes, "CAP:", 346, row(b, 1), 80);
        field(m_.txtIndirizzoRes, "Via e numero civico:", 436, row(b, 1), 370);
        field(m_.txtPreavviso, "Giorni di preavviso:", 816, row(b, 1), 161, true, kCrimson);

        field(m_.txtTitoli, "Titolo di studio e altre qualifiche:", x, row(c, 0), 711);
        field(m_.txtTelCasa, "Tel. casa:", x, row(c, 1), 165);
        field(m_.txtTelUff, "Tel. ufficio:", 441, row(c, 1), 165);
        field(m_.txtTelCel, "Tel. cellulare:", 616, row(c, 1), 165);
        field(m_.txtRecapito, "Recapito preferenziale:", 791, row(c, 1), 186);
        field(m_.txtFax, "Fax:", x, row(c, 2), 165);
        field(m_.txtEmail, "E-mail:", 441, row(c, 2), 296);
        checker(m_.cmdEmail, 741, row(c, 2), "icon_email", "Invia una e-mail all'indirizzo indicato.");
        field(m_.txtCodFisc, "Codice fiscale:", 781, row(c, 2), 168);
        checker(m_.cmdCodFisc, 953, row(c, 2), "icon_controlla", "Controlla il codice fiscale.");

        field(m_.txtCarta, "Carta di credito n.", x, row(d, 0), 236);
        checker(m_.cmdCarta, 506, row(d, 0), "icon_controlla", "Controlla il numero di carta di credito.");
        field(m_.txtScadeCarta, "Scadenza carta di credito:", 546, row(d, 0), 190);
        field(m_.txtPartitaIva, "Partita IVA:", 746, row(d, 0), 150);
        checker(m_.cmdPartitaIva, 900, row(d, 0), "icon_controlla", "Controlla il numero di partita IVA.");
        field(m_.txtIban, "IBAN:", x, row(d, 1), 330);
        checker(m_.cmdIban, 600, row(d, 1), "icon_controlla", "Controlla l'IBAN.");
        field(m_.txtIntestatario, "Intestatario C/C:", 636, row(d, 1), 341);

        field(m_.txtNote, "Note:", x, row(e, 0), 711);
    }

    TfrmAnagrafica& m_;
    QWidget* panel_ = nullptr;
};

// The two list windows: centred on the screen, with the same result panel.
class UserListView : public ListWindowView {
public:
    using ListWindowView::ListWindowView;

protected:
    void showEvent(QShowEvent* event) override {
        FormView::showEvent(event);
        if (!event->spontaneous())
            centreOnScreen(this);
    }
};

// The user search: the criteria panel first, then the result panel in its place.
class TrovaAnagraficaView : public UserListView {
public:
    TrovaAnagraficaView(QtPlatform& p, TfrmTrovaAnagrafica& m, QWidget* parent) : UserListView(p, m, parent) {
        fixedWindow(862, 600);
        criteriaPanel(panel(this, m.panAvvio, QRect(14, 15, 833, 569), Qt::white), 569,
                      {{{&m.txtTesserato, "Cognome e nome:"},
                        {&m.txtCarica, "Informazioni aggiuntive:"},
                        {&m.txtNumTessera, "Tessera n."},
                        {&m.txtDataRil, "Data di rilascio:"},
                        {&m.txtDataScade, "Data di scadenza:"},
                        {&m.txtComuneNasc, "Comune di nascita:"},
                        {&m.txtComuneRes, "Comune di residenza:"},
                        {&m.txtCodFisc, "Codice Fiscale:"},
                        {&m.txtTitoli, "Titolo di studio e altre qualifiche:"},
                        {&m.txtNote, "Note:"}}},
                      m.lblAttendere, m.btnAnnulla, m.btnCerca);
        resultPanel(panel(this, m.panContainer, QRect(14, 15, 833, 569), Qt::white), 569, m, &m.lblTrovate);
    }
};

// The renewals list: only the result panel.
class SospesiView : public UserListView {
public:
    SospesiView(QtPlatform& p, TfrmSospesi& m, QWidget* parent) : UserListView(p, m, parent) {
        fixedWindow(862, 600);
        auto* risultati = new QFrame(this);
        risultati->setObjectName(QStringLiteral("panContainer"));
        risultati->setGeometry(14, 15, 833, 569);
        risultati->setAutoFillBackground(true);
        QPalette pal = risultati->palette();
        pal.setColor(QPalette::Window, Qt::white);
        risultati->setPalette(pal);
        setBackground(risultati);
        resultPanel(risultati, 569, m);
    }
};

// The photo over the whole screen: the window maximised, its panel and the picture the size of
// the screen less 60 pixels across and 90 down, centred.
class ZoomView : public FormView {
public:
    ZoomView(QtPlatform& p, TfrmZoom& m, QWidget* parent) : FormView(p, m, parent), m_(m) {
        maximisedWindow();
        setWindowState(windowState() | Qt::WindowMaximized);
        container_ = panel(this, m.panContainer, QRect(30, 45, 200, 200), QColor(0xEE, 0xF3, 0xF8));
        container_->setCursor(Qt::PointingHandCursor);
        container_->setFocusPolicy(Qt::StrongFocus); // the keys that close the window reach it
        container_->installEventFilter(this);
        photo_ = picture(container_, m.imgFoto, QRect(0, 0, 200, 200));
        photo_->setCursor(Qt::PointingHandCursor);
        fit();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == container_ && event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            platform().dispatch([this] {
                if (m_.panContainer.onClick)
                    m_.panContainer.onClick();
            });
            return true;
        }
        return FormView::eventFilter(watched, event);
    }
    void showEvent(QShowEvent* event) override {
        FormView::showEvent(event);
        fit();
    }
    void resizeEvent(QResizeEvent* event) override {
        FormView::resizeEvent(event);
        fit();
    }

private:
    void fit() {
        QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
        const QSize s = screen ? screen->geometry().size() : QSize(1280, 800);
        const QSize area(std::max(100, s.width() - 60), std::max(100, s.height() - 90));
        container_->setGeometry(
            QRect(QPoint((width() - area.width()) / 2, (height() - area.height()) / 2), area));
        photo_->setGeometry(QRect(QPoint(0, 0), area));
    }
    TfrmZoom& m_;
    QWidget* container_ = nullptr;
    QWidget* photo_ = nullptr;
};

} // namespace

void registerUsersViews(QtPlatform& platform) {
    platform.registerView<TfrmAnagrafica, AnagraficaView>();
    platform.registerView<TfrmTrovaAnagrafica, TrovaAnagraficaView>();
    platform.registerView<TfrmSospesi, SospesiView>();
    platform.registerView<TfrmZoom, ZoomView>();
}

} // namespace quaderna::ui
