// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/history/HistoryViews.h"

#include "core/Application.h"
#include "core/history/MenuRiepilogoPrestiti.h"
#include "core/history/RiepilogoPrestiti.h"
#include "core/history/Statistiche.h"
#include "core/storage/Prestito.h"
#include "ui/platform/ChartPainter.h"
#include "ui/platform/FormView.h"
#include "ui/platform/ListViews.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widening.h"
#include "ui/platform/Widgets.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace quaderna::ui {

namespace {

const QColor kPanel(0xF4, 0xF7, 0xFA);
const QColor kNavy(0x1F, 0x3A, 0x5F);
const QColor kChartreuse(0x7F, 0xFF, 0x00);
const QColor kOrange(0xFF, 0xA5, 0x00);

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QString artFile(const char* name) {
    return QStringLiteral(":/art/%1.svg").arg(QLatin1String(name));
}

// A white box with rounded corners and a thin border.
QWidget* card(FormView* view, QWidget* parent, const QRect& r) {
    auto* c = new QWidget(parent);
    c->setGeometry(r);
    c->setAttribute(Qt::WA_StyledBackground);
    c->setObjectName(QStringLiteral("card"));
    c->setStyleSheet(
        QStringLiteral("#card { background-color: white; border: 1px solid #B8C7D6; border-radius: 10px; }"));
    c->lower();
    Q_UNUSED(view);
    return c;
}

// The query: year and code, the interval in two group boxes, the waiting label and the buttons on
// the left; the two spreadsheet images with their links on a dark strip at the right.
class MenuRiepilogoPrestitiView : public FormView {
public:
    MenuRiepilogoPrestitiView(QtPlatform& p, TfrmMenuRiepilogoPrestiti& m, QWidget* parent)
        : FormView(p, m, parent), m_(m) {
        maximisedWindow();
        QWidget* panel = centredPanel(995, 692, kPanel);
        art(panel, artFile("entry_storico"), QRect(20, 14, 93, 80));
        text(panel, u("Storico Prestiti"), QRect(130, 24, 520, 44), typeface("Verdana", 30, true), kNavy);
        card(this, panel, QRect(14, 104, 652, 480));

        const QFont caption = typeface("Verdana", 12);
        const QFont box = typeface("Verdana", 14, true);
        text(panel, u("Indicare l'anno solare di interesse e il codice identificativo di un libro."),
             QRect(34, 120, 620, 22), typeface("Verdana", 13), kNavy);
        text(panel, u("Anno:"), QRect(34, 154, 90, 20), caption);
        edit(panel, m.txtAnno, QRect(34, 176, 96, 32), box);
        text(panel, u("Codice libro:"), QRect(160, 154, 200, 20), caption);
        edit(panel, m.txtTipologia, QRect(160, 176, 340, 32), box);
        text(panel,
             u("Per ottenere lo storico dei prestiti relativi a tutti i libri, non indicare nessun codice."),
             QRect(34, 216, 620, 20), typeface("Verdana", 11, false, true), QColor(0x55, 0x55, 0x55));

        text(panel, u("Indicare l'intervallo di tempo relativo al periodo da riepilogare."),
             QRect(34, 258, 620, 22), typeface("Verdana", 13), kNavy);
        interval(panel, u(" Data inizio intervallo: "), QRect(34, 292, 300, 118), m.txtGiornoInizio,
                 m.txtMeseInizio, m.lblAnnoInizio);
        interval(panel, u(" Data fine intervallo: "), QRect(350, 292, 300, 118), m.txtGiornoFine,
                 m.txtMeseFine, m.lblAnnoFine);

        label(panel, m.lblAttendere, QRect(34, 430, 616, 24), typeface("Verdana", 13, false, true), kNavy);
        auto* esci = button(panel, m.btnEsci, QRect(300, 520, 140, 40), u("Esci"), typeface("Verdana", 13));
        auto* visualizza = button(panel, m.btnVisualizza, QRect(450, 520, 200, 40), u("Visualizza riepilogo"),
                                  typeface("Verdana", 13, true));

        // The exports of the year: a dark strip so that the chartreuse links read well.
        auto* strip = shade(panel, QRect(682, 104, 299, 480), kNavy, 10);
        setBackground(strip);
        exportEntry(panel, m.cmdEsporta, m.lnkEsporta, 180);
        exportEntry(panel, m.cmdScaduti, m.lnkScaduti, 360);
        art(panel, artFile("menu_storico_illustrazione"), QRect(742, 470, 180, 100));

        // Tab order: the year, the code, the start, the end, "Esci", "Visualizza riepilogo".
        QWidget* order[] = {widgetOf(m.txtAnno),
                            widgetOf(m.txtTipologia),
                            widgetOf(m.txtGiornoInizio),
                            widgetOf(m.txtMeseInizio),
                            widgetOf(m.txtGiornoFine),
                            widgetOf(m.txtMeseFine),
                            esci,
                            visualizza};
        for (std::size_t i = 0; i + 1 < std::size(order); ++i)
            setTabOrder(order[i], order[i + 1]);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The link of a pair turns orange while its image or the link itself is pressed.
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
            const bool down = event->type() == QEvent::MouseButtonPress &&
                              static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
            for (const auto& pair : pairs_)
                if (watched == pair.image || watched == pair.link)
                    colourLink(pair.link, down ? kOrange : kChartreuse);
        }
        return FormView::eventFilter(watched, event);
    }

private:
    struct Pair {
        ImageButton* image;
        ImageButton* link;
    };

    void interval(QWidget* parent, const QString& title, const QRect& r, ComboEdit& day, ComboEdit& month,
                  Label& year) {
        auto* group = new QGroupBox(title, parent);
        group->setGeometry(r);
        group->setFont(typeface("Verdana", 12, true));
        setBackground(group);
        const QFont caption = typeface("Verdana", 12);
        text(group, u("Giorno:"), QRect(14, 30, 80, 20), caption);
        combo(group, day, QRect(14, 54, 72, 32), typeface("Verdana", 14, true));
        text(group, u("Mese:"), QRect(100, 30, 120, 20), caption);
        combo(group, month, QRect(100, 54, 134, 32), typeface("Verdana", 14, true));
        label(group, year, QRect(242, 54, 56, 32), typeface("Verdana", 14, true), kNavy, Qt::AlignCenter);
    }

    void exportEntry(QWidget* parent, Button& image, Button& link, int top) {
        auto* i = imageButton(parent, image, QRect(712, top, 72, 72), artFile("tool_esporta"));
        auto* l = imageButton(parent, link, QRect(800, top + 16, 160, 40), artFile("link_sfondo"));
        i->setFocusPolicy(Qt::NoFocus); // the link beside it takes Tab
        l->setCaption(qs(link.text), typeface("Tahoma", 18, true), kChartreuse, QRect(0, 0, 160, 40));
        i->installEventFilter(this);
        l->installEventFilter(this);
        pairs_.push_back({i, l});
    }

    void colourLink(ImageButton* link, const QColor& colour) {
        link->setCaption(link->caption(), link->captionFont(), colour, link->captionArea());
    }

    TfrmMenuRiepilogoPrestiti& m_;
    std::vector<Pair> pairs_;
};

// The characters of the longest history line: a loan whose code, title and borrower fill their
// fields.
int longestHistoryLine() {
    TPrestito full;
    full.Codice = std::string(TPrestito::F::Codice.width, 'W');
    full.Titolo = std::string(TPrestito::F::Titolo.width, 'W');
    full.Tesserato = std::string(TPrestito::F::Tesserato.width, 'W');
    full.Data = full.DataRes = "00/00/0000";
    return static_cast<int>(history::historyLine(full.encode()).size());
}

// The history list: the code and the interval at the top, then the find box, the list and the
// total, "Stampa riepilogo" and "Esci". The panel widens with the window, up to the room a whole
// line needs.
class RiepilogoPrestitiView : public ListWindowView {
public:
    RiepilogoPrestitiView(QtPlatform& p, TfrmRiepilogoPrestiti& m, QWidget* parent)
        : ListWindowView(p, m, parent) {
        maximisedWindow();
        setWindowState(windowState() | Qt::WindowMaximized);
        QWidget* panel = centredPanel(995, 692, kPanel);
        const int lineChars = longestHistoryLine();
        // The list stands 16 pixels inside the results, which stand 14 inside the panel.
        widenWith(panel, 995 - (967 - 32) + listWidthFor(typeface("Courier New", 12), lineChars));
        follow(card(this, panel, QRect(14, 10, 967, 86)), Follow::Stretch);
        const QFont caption = typeface("Verdana", 13);
        text(panel, u("Codice libro:"), QRect(34, 22, 200, 26), caption, kNavy);
        label(panel, m.titTipologia, QRect(250, 22, 600, 26), typeface("Verdana", 14, true));
        text(panel, u("Intervallo selezionato:"), QRect(34, 56, 210, 26), caption, kNavy);
        label(panel, m.lblIntervallo, QRect(250, 56, 600, 26), typeface("Verdana", 14, true));
        follow(imageButton(panel, m.imgGuida, QRect(925, 30, 40, 40), artFile("tool_guida")), Follow::Right);

        auto* results = new QWidget(panel);
        results->setObjectName(QStringLiteral("panContainer"));
        results->setGeometry(14, 106, 967, 576);
        follow(results, Follow::Stretch);
        results->setAutoFillBackground(true);
        QPalette pal = results->palette();
        pal.setColor(QPalette::Window, Qt::white);
        results->setPalette(pal);
        setBackground(results);
        ResultTexts texts;
        texts.openHint = false;
        texts.print = u("Stampa riepilogo");
        texts.close = u("Esci");
        texts.closeButton = &m.btnEsci;
        texts.lineChars = lineChars;
        resultPanel(results, 576, m, nullptr, texts);
        text(results, u("Totale prestiti:"), QRect(16, 576 - 54, 150, 30), typeface("Verdana", 13), kNavy);
        label(results, m.lblTotCosti, QRect(170, 576 - 54, 150, 30), typeface("Verdana", 14, true));
        // The help picture at the top comes after the list's commands, "Esci" last of them.
        if (QWidget* esci = widgetOf(m.btnEsci))
            setTabOrder(esci, widgetOf(m.imgGuida));
    }
};

// The statistics: the year panel first, then the chart panel with its buttons; the status line
// along the bottom.
class StatisticheView : public FormView {
public:
    StatisticheView(QtPlatform& p, TfrmStatistiche& m, QWidget* parent) : FormView(p, m, parent) {
        maximisedWindow();
        QWidget* panel = centredPanel(995, 692, kPanel);
        statusLine(panel, QRect(0, 656, 995, 36), u("Grafico statistico dei prestiti mensili."));

        QWidget* year = this->panel(panel, m.panAvvio, QRect(0, 0, 995, 656));
        card(this, year, QRect(222, 150, 550, 300));
        art(year, artFile("entry_storico"), QRect(252, 176, 116, 100));
        text(year, u("Statistiche prestiti mensili"), QRect(384, 190, 370, 36), typeface("Verdana", 22, true),
             QColor(0xD0, 0x44, 0x98));
        text(year, u("Indicare l'anno solare e premere Apri."), QRect(384, 232, 370, 24),
             typeface("Verdana", 13));
        text(year, u("Anno:"), QRect(252, 318, 80, 22), typeface("Verdana", 13), kNavy);
        edit(year, m.txtAnno, QRect(330, 312, 110, 34), typeface("Verdana", 16, true));
        button(year, m.btnApri, QRect(470, 310, 140, 38), u("Apri"), typeface("Verdana", 14, true));
        captionButton(year, m.imgGuida, QRect(27, 600, 150, 40), artFile("button_piccolo"), u("Guida"));
        captionButton(year, m.imgEsci, QRect(817, 600, 150, 40), artFile("button_piccolo"), u("Esci"));

        QWidget* charts = this->panel(panel, m.panContainer, QRect(0, 0, 995, 656));
        label(charts, m.lblTitolo, QRect(16, 10, 963, 30), typeface("Verdana", 18, true), kNavy);
        text(charts,
             u("Il presente grafico statistico mostra i prestiti librari totalizzati in ciascun mese "
               "dell'anno."),
             QRect(16, 44, 963, 20), typeface("Verdana", 12));
        text(charts,
             u("Servirsi dei pulsanti in calce per visualizzare il tipo di grafico desiderato e per mandarlo "
               "in "
               "stampa."),
             QRect(16, 66, 963, 20), typeface("Verdana", 12));
        chart(charts, m.ChartStats, QRect(16, 94, 963, 468));
        const QFont f = typeface("Verdana", 13);
        setHint(imageButton(charts, m.cmdGuida, QRect(16, 576, 40, 40), artFile("tool_guida")),
                u("Visualizza la pagina della guida sensibile al contesto."));
        setHint(button(charts, m.btnTorta, QRect(80, 576, 262, 40), u("Visualizza grafico a torta"), f),
                u("Visualizza le statistiche dei prestiti sotto forma di grafico a torta tridimensionale."));
        setHint(button(charts, m.btnBarre, QRect(354, 576, 262, 40), u("Visualizza grafico a barre"), f),
                u("Visualizza le statistiche dei prestiti sotto forma di grafico a barre tridimensionali."));
        setHint(button(charts, m.btnStampa, QRect(628, 576, 190, 40), u("Stampa grafico"), f),
                u("Stampa il grafico corrente."));
        setHint(button(charts, m.btnEsci, QRect(855, 576, 124, 40), u("Esci"), f),
                u("Esci da questo ambiente di lavoro."));
        setBackground(this);
    }
};

} // namespace

void registerHistoryViews(QtPlatform& platform) {
    platform.registerView<TfrmMenuRiepilogoPrestiti, MenuRiepilogoPrestitiView>();
    platform.registerView<TfrmRiepilogoPrestiti, RiepilogoPrestitiView>();
    platform.registerView<TfrmStatistiche, StatisticheView>();
}

} // namespace quaderna::ui
