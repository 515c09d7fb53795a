// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/cards/CardsViews.h"

#include "core/cards/AnteprimaTessera.h"
#include "core/cards/DatiEnte.h"
#include "core/cards/StampaTessera.h"
#include "core/cards/Tessera.h"
#include "ui/platform/FormView.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widgets.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>

#include <utility>
#include <vector>

namespace quaderna::ui {

namespace {

const QColor kPanel(0xF4, 0xF7, 0xFA);
const QColor kNavy(0x1F, 0x3A, 0x5F);
const QColor kCrimson(0xDC, 0x14, 0x3C);
// The card's own colours, as it prints.
const QColor kCardNavy(0x00, 0x00, 0x80);
const QColor kCardBeige(0xF5, 0xF5, 0xDC);
const QColor kCardBrown(0xA5, 0x2A, 0x2A);

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QString artFile(const char* name) {
    return QStringLiteral(":/art/%1.svg").arg(QLatin1String(name));
}

// The card window: the command bar along the top, the card mock-up in the middle at 8 pixels a
// millimetre (the printed card's layout), help and exit at the bottom corners, the status line.
class TesseraView : public FormView {
public:
    TesseraView(QtPlatform& p, TfrmTessera& m, QWidget* parent) : FormView(p, m, parent), m_(m) {
        maximisedWindow();
        panel_ = centredPanel(995, 692, kPanel);
        status_ = statusLine(panel_, QRect(0, 656, 995, 36), kIdle);
        commandBar();
        const QFont hint = typeface("Verdana", 12);
        text(
            panel_,
            u("Per richiamare i dati di un utente dall'archivio, utilizzare il pulsante Trova o le frecce di "
              "scorrimento delle schede. "),
            QRect(14, 70, 967, 22), hint, kNavy, Qt::AlignCenter);
        text(panel_, u("Inserire o modificare il logo e i dati della biblioteca facendo clic su di essi."),
             QRect(14, 98, 967, 22), typeface("Verdana", 12, true), kNavy, Qt::AlignCenter);
        card();
        text(panel_,
             u("Il logo e i dati testuali relativi alla biblioteca sono salvati in automatico all'uscita da "
               "questo ambiente di lavoro."),
             QRect(14, 568, 967, 22), hint, kNavy, Qt::AlignCenter);
        setHint(
            captionButton(panel_, m.imgGuida, QRect(14, 604, 150, 40), artFile("button_piccolo"), u("Guida")),
            u("Visualizza la pagina della guida sensibile al contesto."));
        setHint(
            captionButton(panel_, m.imgEsci, QRect(831, 604, 150, 40), artFile("button_piccolo"), u("Esci")),
            u("Esci da questa schermata di lavoro."));
        setBackground(this);
    }

protected:
    void showEvent(QShowEvent* event) override {
        // Each opening starts with the idle sentence.
        if (!event->spontaneous())
            status_->setText(kIdle);
        FormView::showEvent(event);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // A click on one of the library's texts (pressed and released on it) edits them.
        const bool press = event->type() == QEvent::MouseButtonPress;
        if (press || event->type() == QEvent::MouseButtonRelease)
            for (const auto& [widget, model] : library_) {
                if (watched != widget)
                    continue;
                auto* me = static_cast<QMouseEvent*>(event);
                if (me->button() == Qt::LeftButton && !press &&
                    widget->rect().contains(me->position().toPoint()))
                    platform().dispatch([m = model] {
                        if (m->onClick)
                            m->onClick();
                    });
                return true;
            }
        return FormView::eventFilter(watched, event);
    }

private:
    static inline const QString kIdle = QStringLiteral("Pronto per stampare una nuova tessera...");

    QWidget* group(int x, int width) {
        auto* g = shade(panel_, QRect(x, 8, width, 56), Qt::white, 8);
        g->setStyleSheet(
            QStringLiteral("background-color: white; border: 1px solid #B8C7D6; border-radius: 8px;"));
        return g;
    }
    void tool(Button& b, int x, const char* art, const char* hint) {
        setHint(imageButton(panel_, b, QRect(x, 16, 40, 40), artFile(art)), u(hint));
    }

    void commandBar() {
        const int gap = 21;
        int x = (995 - (96 + 96 + 248 + 2 * gap)) / 2;
        group(x, 96);
        tool(m_.cmdNuovo, x + 4, "tool_nuovo",
             "Predispone la schermata per la visualizzazione di una nuova scheda.");
        tool(m_.cmdTrova, x + 48, "tool_trova", "Trova una scheda in archivio.");
        x += 96 + gap;
        group(x, 96);
        tool(m_.cmdAnteprima, x + 4, "tool_anteprima",
             "Visualizza l'anteprima di stampa della tessera corrente.");
        tool(m_.cmdStampa, x + 48, "tool_stampa_tessera", "Stampa la tessera corrente.");
        x += 96 + gap;
        group(x, 248);
        tool(m_.cmdPrimo, x + 4, "tool_primo", "Visualizza la prima scheda in archivio.");
        tool(m_.cmdIndietro, x + 48, "tool_indietro", "Visualizza la scheda precedente in archivio.");
        label(panel_, m_.lblPosizione, QRect(x + 92, 16, 64, 40), typeface("Verdana", 15, true), kNavy,
              Qt::AlignCenter);
        tool(m_.cmdAvanti, x + 160, "tool_avanti", "Visualizza la scheda successiva in archivio.");
        tool(m_.cmdUltimo, x + 204, "tool_ultimo", "Visualizza l'ultima scheda in archivio.");
    }

    // A place on the card, in millimetres from its corner.
    QRect mm(double left, double top, double width, double height) const {
        return QRect(cardX_ + qRound(left * 8), cardY_ + qRound(top * 8), qRound(width * 8),
                     qRound(height * 8));
    }
    QWidget* band(const QRect& r, const QColor& colour) {
        auto* b = shade(panel_, r, colour, 0);
        b->raise();
        return b;
    }
    QLabel* cardText(Label& l, const QRect& r, int px, const QColor& colour,
                     Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        QLabel* w = label(panel_, l, r, typeface("Arial", px, true), colour, align);
        w->raise();
        return w;
    }
    // A library text on its band. While the text is empty (on first use), the first line of each
    // band says, in a faint italic, what a click there does; the card itself stays empty.
    QLabel* libraryText(Label& l, const QRect& r, int px,
                        Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool placeholder = false) {
        QLabel* w = cardText(l, r, px, Qt::white, align);
        w->setCursor(Qt::PointingHandCursor);
        const QString hint = u("Fare clic per inserire i dati della biblioteca.");
        setHint(w, hint);
        library_.emplace_back(w, &l);
        if (placeholder) {
            const QFont normal = w->font();
            QFont faint = fittedFont(hint, typeface("Arial", std::min(px, 16), false, true), r.size());
            onRefresh([w, &l, hint, normal, faint] {
                const bool empty = qs(l.text).trimmed().isEmpty();
                if (empty && w->text() != hint)
                    w->setText(hint);
                if (w->property("quadernaPlaceholder").toBool() == empty)
                    return;
                w->setProperty("quadernaPlaceholder", empty);
                w->setFont(empty ? faint : normal);
                QPalette pal = w->palette();
                pal.setColor(QPalette::WindowText, empty ? QColor(0xA8, 0xB8, 0xE8) : QColor(Qt::white));
                w->setPalette(pal);
            });
        }
        return w;
    }

    void card() {
        // The card's shadow, then the card.
        shade(panel_, QRect(cardX_ + 5, cardY_ + 7, 688, 432), QColor(0xC9, 0xD3, 0xDE), 12);
        auto* sfondo = shade(panel_, QRect(cardX_, cardY_, 688, 432), Qt::white, 12);
        sfondo->setObjectName(QStringLiteral("shpSfondo"));
        sfondo->setStyleSheet(
            QStringLiteral("background-color: white; border: 1px solid #7F8FA6; border-radius: 12px;"));
        sfondo->raise();

        band(mm(1, 1, 83.8, 12), kCardNavy)->setObjectName(QStringLiteral("shpHeader"));
        libraryText(m_.titAssociazione, mm(2, 1.8, 54, 4), 22, Qt::AlignLeft | Qt::AlignVCenter, true);
        libraryText(m_.titSottotitolo01, mm(2, 5.8, 54, 3.3), 17);
        libraryText(m_.titSottotitolo02, mm(2, 9.1, 54, 3.3), 17);

        auto* frame = band(mm(1.8, 15.6, 26.4, 29.2), QColor(0xB8, 0xC7, 0xD6));
        frame->setObjectName(QStringLiteral("shpFoto"));
        auto* photo = picture(panel_, m_.imgFoto, mm(2, 15.8, 26, 28.8));
        photo->setAutoFillBackground(true);
        QPalette pal = photo->palette();
        pal.setColor(QPalette::Window, QColor(0xEE, 0xF3, 0xF8));
        photo->setPalette(pal);
        photo->raise();
        setBackground(photo);
        const QRect p = mm(2, 15.8, 26, 28.8);
        auto* cancFoto = imageButton(panel_, m_.btnCancFoto, QRect(p.left() + 4, p.bottom() - 27, 24, 24),
                                     artFile("icon_cancella_foto"));
        cancFoto->raise();
        setHint(cancFoto, u("Cancella la foto corrente."));

        cardText(m_.txtTesserato, mm(30, 15, 55, 4), 24, Qt::black);
        cardText(m_.txtCarica, mm(30, 19, 55, 3.8), 19, Qt::black);
        cardText(m_.txtNumTessera, mm(30, 23.8, 31, 3.5), 19, kCardBrown);
        const QFont caption = typeface("Arial", 17);
        text(panel_, u("Data rilascio:"), mm(30, 28, 23, 3.4), caption)->raise();
        auto* ril = band(mm(30, 32, 25, 4), kCardBeige);
        ril->setStyleSheet(
            QStringLiteral("background-color: %1; border: 1px solid #C8C3A0;").arg(kCardBeige.name()));
        cardText(m_.txtDataRil, mm(30, 32, 25, 4), 19, Qt::black, Qt::AlignCenter);
        text(panel_, u("Data scadenza:"), mm(30, 37, 23, 3.4), caption)->raise();
        auto* scade = band(mm(30, 41, 25, 4), kCardBeige);
        scade->setStyleSheet(
            QStringLiteral("background-color: %1; border: 1px solid #C8C3A0;").arg(kCardBeige.name()));
        cardText(m_.txtDataScade, mm(30, 41, 25, 4), 19, Qt::black, Qt::AlignCenter);

        const QRect l = mm(62.2, 24.4, 22, 21);
        band(l.adjusted(-2, -2, 2, 2), QColor(0xE3, 0xE9, 0xF0))->setObjectName(QStringLiteral("shpLogo"));
        auto* logo = picture(panel_, m_.imgLogo, l);
        logo->setCursor(Qt::PointingHandCursor);
        logo->raise();
        setHint(logo, u("Fare clic per caricare il logo della biblioteca."));
        auto* cancLogo = imageButton(panel_, m_.btnCancLogo, QRect(l.right() - 23, l.bottom() - 23, 24, 24),
                                     artFile("icon_cancella_foto"));
        cancLogo->raise();
        setHint(cancLogo, u("Cancella il logo corrente."));

        band(mm(1, 47, 83.8, 6), kCardNavy)->setObjectName(QStringLiteral("shpFooter"));
        libraryText(m_.titAnnotazioni, mm(2, 47.6, 82, 4.8), 20, Qt::AlignCenter, true);
    }

    TfrmTessera& m_;
    QWidget* panel_ = nullptr;
    QLabel* status_ = nullptr;
    std::vector<std::pair<QWidget*, Label*>> library_;
    const int cardX_ = (995 - 688) / 2, cardY_ = 128;
};

// The library data: the four boxes over two bands that look like the card's.
class DatiEnteView : public FormView {
public:
    DatiEnteView(QtPlatform& p, TfrmDatiEnte& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(640, 380);
        setBackground(this);
        shade(this, QRect(16, 16, 608, 116), kCardNavy, 8)->setObjectName(QStringLiteral("shpHeader"));
        edit(this, m.txtAssociazione, QRect(28, 26, 584, 30), typeface("Arial", 17, true));
        edit(this, m.txtSottotitolo01, QRect(28, 64, 584, 28), typeface("Arial", 14, true));
        edit(this, m.txtSottotitolo02, QRect(28, 98, 584, 28), typeface("Arial", 14, true));

        shade(this, QRect(16, 144, 90, 116), QColor(0xB8, 0xC7, 0xD6), 4);
        setBackground(art(this, artFile("foto_bianco"), QRect(18, 146, 86, 112)));
        text(this, u("Inserire i dati e fare clic su Applica e chiudi per salvare le modifiche."),
             QRect(124, 160, 500, 60), typeface("Verdana", 13), kNavy);

        shade(this, QRect(16, 268, 608, 46), kCardNavy, 8)->setObjectName(QStringLiteral("shpFooter"));
        edit(this, m.txtAnnotazioni, QRect(28, 276, 584, 30), typeface("Arial", 15, true));

        button(this, m.btnAnnulla, QRect(336, 330, 130, 36), u("Annulla"), typeface("Verdana", 12));
        button(this, m.btnApplica, QRect(478, 330, 146, 36), u("Applica e chiudi"),
               typeface("Verdana", 12, true));
    }
};

// Card printing: the explanation, the two offsets with their steps and "Applica", then print.
class StampaTesseraView : public FormView {
public:
    StampaTesseraView(QtPlatform& p, TfrmStampaTessera& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(440, 346);
        art(this, artFile("stampa_tessera"), QRect(15, 12, 410, 160))
            ->setObjectName(QStringLiteral("imgSpiegazione"));
        offset(184, u("Margine superiore:"), m.btnTopMinus, m.txtTop, m.btnTopPlus, m.btnApplicaTop);
        offset(224, u("Margine sinistro:"), m.btnLeftMinus, m.txtLeft, m.btnLeftPlus, m.btnApplicaLeft);
        label(this, m.lblAttendere, QRect(15, 264, 410, 22), typeface("Verdana", 12, false, true), kCrimson,
              Qt::AlignCenter);
        button(this, m.btnAnnulla, QRect(98, 294, 116, 36), u("Annulla"), typeface("Verdana", 12));
        button(this, m.btnStampa, QRect(226, 294, 116, 36), u("Stampa"), typeface("Verdana", 12, true));
    }

private:
    void offset(int y, const QString& caption, Button& minus, Edit& box, Button& plus, Button& applica) {
        const QFont f = typeface("Verdana", 12);
        text(this, caption, QRect(15, y, 150, 30), f);
        button(this, minus, QRect(168, y, 32, 30), QStringLiteral("-"), typeface("Verdana", 14, true));
        edit(this, box, QRect(204, y, 60, 30), typeface("Verdana", 13, true), false)
            ->setAlignment(Qt::AlignCenter);
        button(this, plus, QRect(268, y, 32, 30), QStringLiteral("+"), typeface("Verdana", 14, true));
        text(this, QStringLiteral("mm"), QRect(306, y, 30, 30), f);
        button(this, applica, QRect(340, y, 85, 30), QStringLiteral("Applica"), f);
    }
};

// The card preview: the explanation, then the report engine's preview.
class AnteprimaTesseraView : public FormView {
public:
    AnteprimaTesseraView(QtPlatform& p, TfrmAnteprimaTessera& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(364, 300);
        art(this, artFile("anteprima_tessera"), QRect(25, 16, 314, 185))
            ->setObjectName(QStringLiteral("imgSpiegazione"));
        label(this, m.lblAttendere, QRect(25, 206, 314, 22), typeface("Verdana", 12, false, true), kCrimson,
              Qt::AlignCenter);
        button(this, m.btnAnnulla, QRect(40, 242, 128, 36), u("Annulla"), typeface("Verdana", 12));
        button(this, m.btnStampa, QRect(180, 242, 144, 36), u("Mostra anteprima"),
               typeface("Verdana", 12, true));
    }
};

} // namespace

void registerCardsViews(QtPlatform& platform) {
    platform.registerView<TfrmTessera, TesseraView>();
    platform.registerView<TfrmDatiEnte, DatiEnteView>();
    platform.registerView<TfrmStampaTessera, StampaTesseraView>();
    platform.registerView<TfrmAnteprimaTessera, AnteprimaTesseraView>();
}

} // namespace quaderna::ui
