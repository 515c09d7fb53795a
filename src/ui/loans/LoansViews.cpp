// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/loans/LoansViews.h"

#include "core/Application.h"
#include "core/loans/Calendario.h"
#include "core/loans/LoanSheet.h"
#include "core/loans/Prestiti.h"
#include "core/loans/RendiLibro.h"
#include "core/loans/Restituzioni.h"
#include "core/loans/TrovaPrestitiLibri.h"
#include "ui/catalogue/CatalogueViews.h"
#include "ui/platform/FormView.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widening.h"
#include "ui/platform/Widgets.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <initializer_list>

namespace quaderna::ui {

namespace {

const QColor kPanel(0xF4, 0xF7, 0xFA);
const QColor kSection(0xDC, 0xE8, 0xF4);
const QColor kNavy(0x1F, 0x3A, 0x5F);
const QColor kCrimson(0xDC, 0x14, 0x3C);

const char* const kHintEsci = "Esci da questo ambiente di lavoro.";
const char* const kHintStampa = "Stampa la scheda prestiti dell'utente selezionato.";

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QString artFile(const char* name) {
    return QStringLiteral(":/art/%1.svg").arg(QLatin1String(name));
}

// The characters of the longest sheet line: a loan whose code and title fill their fields.
int longestSheetLine() {
    TPrestito full;
    full.Codice = std::string(TPrestito::F::Codice.width, 'W');
    full.Titolo = std::string(TPrestito::F::Titolo.width, 'W');
    full.Data = full.DataSca = "00/00/0000";
    return static_cast<int>(loanLine(full.encode()).size());
}

// What the loan and returns windows share: a maximised window with a centred panel, two panels in
// the same place, white headings on steel blue over shaded sections, the status line. The panel
// widens with the window, up to the room a whole sheet line needs: the headings, the sections and
// the sheet grow, the values at the right move along, the long values (the name, the title) grow.
class LoanWindowView : public FormView {
public:
    LoanWindowView(QtPlatform& p, Form& m, QWidget* parent, const char* idle) : FormView(p, m, parent) {
        maximisedWindow();
        panel_ = centredPanel(995, 692, kPanel);
        widenWith(panel_, 995 - 967 + listWidthFor(sheetFont(), longestSheetLine()));
        follow(statusLine(panel_, QRect(0, 656, 995, 36), u(idle)), Follow::Stretch);
        setBackground(this);
    }

protected:
    static QFont sheetFont() { return typeface("Courier New", 12); }
    QWidget* page(Panel& m) {
        QWidget* p = panel(panel_, m, QRect(0, 0, 995, 656), kPanel);
        follow(p, Follow::Stretch);
        return p;
    }

    QLabel* heading(QWidget* parent, const char* s, const QRect& r) {
        auto* h = text(parent, u(s), r, typeface("Verdana", 14, true), Qt::white, Qt::AlignCenter);
        h->setStyleSheet(QStringLiteral("background-color: #4682B4; border-top-left-radius: 8px; "
                                        "border-top-right-radius: 8px;"));
        setBackground(h);
        follow(h, Follow::Stretch);
        return h;
    }
    void section(QWidget* parent, const QRect& r, const char* picture) {
        follow(shade(parent, r, kSection, 8), Follow::Stretch);
        setBackground(
            art(parent, artFile(picture), QRect(r.x() + 12, r.y() + (r.height() - 40) / 2, 40, 40)));
    }
    // A caption over a box; both follow the panel's extra width as `how` (left alone: as the rest of
    // their panel).
    QLineEdit* field(QWidget* parent, Edit& e, const char* caption, int x, int y, int w, bool centred = false,
                     bool highlight = false, Follow how = Follow::Left) {
        QLabel* over = text(parent, u(caption), QRect(x, y, w, 16), typeface("Verdana", 11), kNavy);
        auto* box =
            edit(parent, e, QRect(x, y + 17, w, 28), typeface("Verdana", 12, &e == boldBox_), highlight);
        if (how != Follow::Left) {
            follow(over, how);
            follow(box, how);
        }
        if (centred)
            box->setAlignment(Qt::AlignCenter);
        // Read-only boxes are reached with the mouse (to copy a value), not along the Tab key.
        if (!highlight && e.readOnly)
            box->setFocusPolicy(Qt::ClickFocus);
        return box;
    }
    QPushButton* command(QWidget* parent, Button& b, const QRect& r, const char* caption, const char* hint,
                         bool bold = false, Follow how = Follow::Left) {
        auto* w = button(parent, b, r, u(caption), typeface("Verdana", 13, bold));
        if (hint)
            setHint(w, u(hint));
        if (how != Follow::Left)
            follow(w, how);
        return w;
    }
    // The selection panel: the illustration, the panel's title and hint, and a shaded box that
    // holds the user's three values (and whatever `extra` puts above them), with its two buttons.
    int selectionPanel(QWidget* p, const char* picture, const char* title, int extra) {
        setBackground(art(p, artFile(picture), QRect(40, 170, 300, 260)));
        const QString t = u(title);
        text(p, t, QRect(370, 104, 600, 30), fittedFont(t, typeface("Verdana", 17, true), {600, 30}), kNavy);
        text(p, u("Importare un utente e premere Visualizza scheda prestiti."), QRect(370, 140, 600, 22),
             typeface("Verdana", 13), kNavy);
        const int top = 186;
        shade(p, QRect(370, top, 590, 200 + extra), kSection, 10);
        return top + 14;
    }
    void userBoxes(QWidget* p, int y, Edit& name, Edit& card, Edit& contact) {
        boldBox_ = &name;
        field(p, name, "Cognome e nome:", 390, y, 550);
        field(p, card, "Tessera n.", 390, y + 56, 250);
        field(p, contact, "Recapito preferenziale:", 660, y + 56, 280);
        boldBox_ = nullptr;
    }
    // "UTENTE SELEZIONATO": the user on the sheet panel.
    void selectedUser(QWidget* p, Edit& name, Edit& card, Edit& contact) {
        heading(p, "UTENTE SELEZIONATO", QRect(14, 10, 967, 28));
        section(p, QRect(14, 38, 967, 62), "section_utente");
        field(p, name, "Cognome e nome:", 70, 44, 420, false, false, Follow::Stretch);
        field(p, card, "Tessera n.", 500, 44, 200, false, false, Follow::Right);
        field(p, contact, "Recapito preferenziale:", 710, 44, 260, false, false, Follow::Right);
    }
    // The sheet, wide enough for its longest line; it grows with the panel.
    void sheet(QWidget* p, ListBox& l, const QRect& r) {
        heading(p, "ELENCO LIBRI PRESTATI ALL'UTENTE", QRect(r.x(), r.y() - 28, r.width(), 28));
        QListView* v = list(p, l, r, sheetFont(), itemWidthFor(sheetFont(), longestSheetLine()));
        setBackground(v);
        follow(v, Follow::Stretch);
    }
    // The selection panel keeps its composition in the middle of a wider panel; the help stays
    // at the left and "Esci" goes to the right.
    void helpAndExit(QWidget* p, Button& guida, Button& esci) {
        setHint(captionButton(p, guida, QRect(14, 604, 150, 40), artFile("button_piccolo"), u("Guida")),
                u("Visualizza la pagina della guida sensibile al contesto."));
        auto* e = captionButton(p, esci, QRect(831, 604, 150, 40), artFile("button_piccolo"), u("Esci"));
        setHint(e, u(kHintEsci));
        follow(e, Follow::Right);
        followRest(p, Follow::Centre);
        follow(widgetOf(guida), Follow::Left);
    }

    QWidget* panel_ = nullptr;

private:
    const Edit* boldBox_ = nullptr;
};

class PrestitiView : public LoanWindowView {
public:
    PrestitiView(QtPlatform& p, TfrmPrestiti& m, QWidget* parent)
        : LoanWindowView(p, m, parent, "Pronto per registrare un nuovo prestito...") {
        // Selection panel.
        QWidget* sel = page(m.panSelezione);
        const int y = selectionPanel(sel, "prestiti_illustrazione",
                                     "Servirsi di questo ambiente per registrare i prestiti dei libri.", 0);
        userBoxes(sel, y, m.txtTesserato, m.txtNumTessera, m.txtRecapito);
        auto* importa = command(sel, m.btnImporta, QRect(390, y + 124, 260, 40), "Importa utente", nullptr);
        auto* visualizza = command(sel, m.btnVisualizza, QRect(670, y + 124, 270, 40),
                                   "Visualizza scheda prestiti", nullptr, true);
        QWidget::setTabOrder(importa, visualizza);
        helpAndExit(sel, m.icoGuida, m.icoEsci);

        // Sheet panel.
        QWidget* s = page(m.panContainer);
        selectedUser(s, m.titTesserato, m.titNumTessera, m.titRecapito);
        follow(
            text(s,
                 u("Indicare la data di scadenza del prestito da registrare (1) e importare il libro (2)."),
                 QRect(14, 106, 967, 24), typeface("Verdana", 13, true), kCrimson, Qt::AlignCenter),
            Follow::Stretch);
        section(s, QRect(14, 134, 967, 60), "section_calendario");
        auto* scadenza = field(s, m.titDataSca, "Scadenza:", 70, 138, 140, true, true);
        auto* data = command(s, m.btnDataSca, QRect(226, 154, 200, 34), "<<  Importa data",
                             "Importa una data dal calendario.");
        auto* libro = command(s, m.btnImportaLibro, QRect(446, 150, 220, 40), "Importa libro",
                              "Importa i dati dall'Archivio Libri.", true);
        heading(s, "LIBRO DA PRESTARE", QRect(14, 204, 967, 28));
        section(s, QRect(14, 232, 967, 62), "section_libro");
        auto* codice = field(s, m.titCodice, "Codice identificativo:", 70, 238, 230);
        auto* titolo = field(s, m.titTitolo, "Titolo:", 310, 238, 500, false, false, Follow::Stretch);
        auto* dataPrestito = field(s, m.titData, "Data prestito:", 820, 238, 150, true, false, Follow::Right);
        for (QLineEdit* e : {codice, titolo, dataPrestito})
            e->setFocusPolicy(Qt::StrongFocus);
        sheet(s, m.lstRecords, QRect(14, 332, 967, 260));
        auto* stampa = command(s, m.btnStampa, QRect(581, 604, 260, 40), "Stampa scheda prestiti",
                               kHintStampa, false, Follow::Right);
        auto* esci = command(s, m.btnEsci, QRect(851, 604, 130, 40), "Esci", kHintEsci, false, Follow::Right);
        QWidget* order[] = {scadenza, data, libro, codice, titolo, dataPrestito, widgetOf(m.lstRecords),
                            stampa,   esci};
        for (std::size_t i = 1; i < std::size(order); ++i)
            QWidget::setTabOrder(order[i - 1], order[i]);
    }
};

class RestituzioniView : public LoanWindowView {
public:
    RestituzioniView(QtPlatform& p, TfrmRestituzioni& m, QWidget* parent)
        : LoanWindowView(p, m, parent, "Pronto per registrare una nuova restituzione...") {
        // Selection panel.
        QWidget* sel = page(m.panSelezione);
        const int y =
            selectionPanel(sel, "restituzioni_illustrazione",
                           "Servirsi di questo ambiente per registrare le restituzioni dei libri.", 52);
        text(sel, u("Indicare l'anno solare in cui è stato effettuato il prestito:"),
             QRect(390, y + 6, 450, 28), typeface("Verdana", 12, true), kNavy);
        auto* anno = edit(sel, m.txtAnno, QRect(850, y + 4, 90, 30), typeface("Verdana", 14, true));
        anno->setAlignment(Qt::AlignCenter);
        userBoxes(sel, y + 52, m.txtTesserato, m.txtNumTessera, m.txtRecapito);
        auto* importa = command(sel, m.btnImporta, QRect(390, y + 176, 260, 40), "Importa utente", nullptr);
        auto* visualizza = command(sel, m.btnVisualizza, QRect(670, y + 176, 270, 40),
                                   "Visualizza scheda prestiti", nullptr, true);
        QWidget::setTabOrder(anno, importa);
        QWidget::setTabOrder(importa, visualizza);
        helpAndExit(sel, m.icoGuida, m.icoEsci);

        // Sheet panel.
        QWidget* s = page(m.panContainer);
        selectedUser(s, m.titTesserato, m.titNumTessera, m.titRecapito);
        follow(text(s,
                    u("Selezionare con un clic nell'elenco sottostante il libro da restituire e premere il "
                      "pulsante Rimuovi da elenco."),
                    QRect(14, 106, 967, 24), typeface("Verdana", 12, true), kCrimson, Qt::AlignCenter),
               Follow::Stretch);
        sheet(s, m.lstRecords, QRect(14, 162, 967, 250));
        heading(s, "LIBRO DA RESTITUIRE", QRect(14, 422, 967, 28));
        section(s, QRect(14, 450, 967, 118), "section_restituzione");
        QLineEdit* boxes[] = {field(s, m.titCodice, "Codice identificativo:", 70, 456, 230),
                              field(s, m.titTitolo, "Titolo:", 310, 456, 660, false, false, Follow::Stretch),
                              field(s, m.titData, "Data prestito:", 70, 512, 160, true),
                              field(s, m.titDataSca, "Data scadenza:", 240, 512, 160, true),
                              field(s, m.titDataRes, "Data restituzione:", 410, 512, 160, true)};
        for (QLineEdit* e : boxes)
            e->setFocusPolicy(Qt::StrongFocus);
        auto* rimuovi = command(s, m.btnRimuovi, QRect(311, 604, 260, 40), "Rimuovi da elenco",
                                "Rimuovi dall'elenco il prestito selezionato.", true, Follow::Right);
        auto* stampa = command(s, m.btnStampa, QRect(581, 604, 260, 40), "Stampa scheda prestiti",
                               kHintStampa, false, Follow::Right);
        auto* esci = command(s, m.btnEsci, QRect(851, 604, 130, 40), "Esci", kHintEsci, false, Follow::Right);
        QWidget* order[] = {widgetOf(m.titTesserato),
                            widgetOf(m.titNumTessera),
                            widgetOf(m.titRecapito),
                            widgetOf(m.lstRecords),
                            boxes[0],
                            boxes[1],
                            boxes[2],
                            boxes[3],
                            boxes[4],
                            rimuovi,
                            stampa,
                            esci};
        for (QWidget* w : {order[0], order[1], order[2]})
            w->setFocusPolicy(Qt::StrongFocus);
        for (std::size_t i = 1; i < std::size(order); ++i)
            QWidget::setTabOrder(order[i - 1], order[i]);
    }
};

class CalendarioView : public FormView {
public:
    CalendarioView(QtPlatform& p, TfrmCalendario& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(360, 356);
        text(this, u("Importare una data:"), QRect(20, 14, 320, 24), typeface("Verdana", 13, true), kNavy);
        auto* cal = calendar(this, m.calAppuntamenti, QRect(20, 46, 320, 240));
        cal->setFont(typeface("Verdana", 12));
        auto* importa = button(this, m.btnImportaData, QRect(60, 302, 116, 36), u("Importa"),
                               typeface("Verdana", 12, true));
        auto* annulla =
            button(this, m.btnAnnulla, QRect(188, 302, 116, 36), u("Annulla"), typeface("Verdana", 12));
        QWidget::setTabOrder(cal, importa);
        QWidget::setTabOrder(importa, annulla);
    }
};

class RendiLibroView : public FormView {
public:
    RendiLibroView(QtPlatform& p, TfrmRendiLibro& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(620, 470);
        auto* h = text(this, u("CONFERMA RESTITUZIONE LIBRO"), QRect(20, 14, 580, 34),
                       typeface("Verdana", 15, true), Qt::white, Qt::AlignCenter);
        h->setStyleSheet(QStringLiteral("background-color: #4682B4; border-radius: 6px;"));
        art(this, artFile("rendi_libro"), QRect(20, 60, 96, 96));
        text(this, u("Premere il pulsante Conferma per completare l'operazione di restituzione del libro."),
             QRect(132, 66, 468, 84), typeface("Verdana", 13, true), QColor(0xCC, 0, 0),
             Qt::AlignLeft | Qt::AlignVCenter);
        const auto field = [&](Edit& e, const char* caption, int x, int y, int w) {
            text(this, u(caption), QRect(x, y, w, 16), typeface("Verdana", 11), kNavy);
            edit(this, e, QRect(x, y + 17, w, 28), typeface("Verdana", 12, &e == &m.txtTitolo), false);
        };
        field(m.txtTitolo, "Titolo libro:", 20, 168, 580);
        field(m.txtCodice, "Codice:", 20, 222, 285);
        field(m.txtScaffale, "Scaffale:", 315, 222, 285);
        field(m.txtAutore, "Autore:", 20, 276, 285);
        field(m.txtNazione, "Nazione:", 315, 276, 285);
        field(m.txtGenere, "Genere:", 20, 330, 580);
        auto* annulla =
            button(this, m.btnAnnulla, QRect(350, 414, 120, 36), u("Annulla"), typeface("Verdana", 12));
        auto* conferma = button(this, m.btnConferma, QRect(480, 414, 120, 36), u("Conferma"),
                                typeface("Verdana", 12, true));
        QWidget::setTabOrder(conferma, annulla);
    }
};

} // namespace

void registerLoansViews(QtPlatform& platform) {
    platform.registerView<TfrmPrestiti, PrestitiView>();
    platform.registerView<TfrmRestituzioni, RestituzioniView>();
    platform.registerView<TfrmCalendario, CalendarioView>();
    platform.registerView<TfrmRendiLibro, RendiLibroView>();
    platform.registerView<TfrmTrovaPrestitiLibri>([](QtPlatform& p, Form& f, QWidget* parent) {
        return bookSearchView(p, static_cast<TfrmTrovaPrestitiLibri&>(f), parent);
    });
}

} // namespace quaderna::ui
