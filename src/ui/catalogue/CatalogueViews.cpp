// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/catalogue/CatalogueViews.h"

#include "core/Application.h"
#include "core/catalogue/BookSearch.h"
#include "core/catalogue/Codici_Dewey.h"
#include "core/catalogue/Convalida.h"
#include "core/catalogue/StampaLibro.h"
#include "core/catalogue/TrovaDisponibili.h"
#include "core/catalogue/TrovaLibri.h"
#include "ui/platform/FormView.h"
#include "ui/platform/ListViews.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <utility>

namespace quaderna::ui {

namespace {

const QColor kPanel(0xF4, 0xF7, 0xFA);
const QColor kSection(0xDC, 0xE8, 0xF4);
const QColor kNavy(0x1F, 0x3A, 0x5F);

const char* const kHintGuida = "Visualizza la pagina della guida sensibile al contesto.";
const char* const kHintEsci = "Esci da questa schermata di lavoro.";

QString u(const char* s) {
    return QString::fromUtf8(s);
}

// The book sheet: toolbar groups, four shaded sections with the fields, the status line.
class BookSheetView : public FormView {
public:
    BookSheetView(QtPlatform& p, BookSheet& m, QWidget* parent, bool editor) : FormView(p, m, parent), m_(m) {
        maximisedWindow();
        panel_ = centredPanel(995, 692, kPanel);
        statusLine(panel_, QRect(0, 656, 995, 36),
                   editor ? u("Pronto per archiviare una nuova scheda...")
                          : u("Pronto per consultare una nuova scheda..."));
        buildSections(editor);
    }

protected:
    QWidget* group(int x, int width) {
        auto* g = shade(panel_, QRect(x, 8, width, 56), Qt::white, 8);
        g->setStyleSheet(
            QStringLiteral("background-color: white; border: 1px solid #B8C7D6; border-radius: 8px;"));
        return g;
    }
    QWidget* tool(Button& b, int x, const char* art, const char* hint, int width = 40,
                  const char* caption = nullptr) {
        const QRect r(x, width == 40 ? 16 : 14, width, width == 40 ? 40 : 44);
        const QString file = QStringLiteral(":/art/%1.svg").arg(QLatin1String(art));
        // A wide tool has its icon at the left and its caption in the rest.
        auto* w = caption ? captionButton(panel_, b, r, file, u(caption), QRect(38, 1, width - 44, 40), 13)
                          : imageButton(panel_, b, r, file);
        setHint(w, u(hint));
        return w;
    }
    void navigation(int x) {
        group(x, 248);
        tool(m_.cmdPrimo, x + 4, "tool_primo", "Visualizza la prima scheda in archivio.");
        tool(m_.cmdIndietro, x + 48, "tool_indietro", "Visualizza la scheda precedente in archivio.");
        label(panel_, m_.lblPosizione, QRect(x + 92, 16, 64, 40), typeface("Verdana", 15, true), kNavy,
              Qt::AlignCenter);
        tool(m_.cmdAvanti, x + 160, "tool_avanti", "Visualizza la scheda successiva in archivio.");
        tool(m_.cmdUltimo, x + 204, "tool_ultimo", "Visualizza l'ultima scheda in archivio.");
    }
    QLabel* caption(int x, int y, int w, const char* s) {
        return text(panel_, u(s), QRect(x, y, w, 16), typeface("Verdana", 11), kNavy);
    }
    QLineEdit* field(Edit& e, const char* label, int x, int y, int w, bool bold = false) {
        caption(x, y, w, label);
        return edit(panel_, e, QRect(x, y + 17, w, 26), typeface("Verdana", 12, bold));
    }
    QComboBox* choice(ComboEdit& e, const char* label, int x, int y, int w) {
        caption(x, y, w, label);
        return combo(panel_, e, QRect(x, y + 17, w, 26), typeface("Verdana", 12));
    }
    void icon(Button& b, int x, int y, const char* art, const char* hint) {
        setHint(imageButton(panel_, b, QRect(x, y + 18, 24, 24),
                            QStringLiteral(":/art/%1.svg").arg(QLatin1String(art))),
                u(hint));
    }
    void sectionBox(int top, int height, const char* art) {
        shade(panel_, QRect(10, top, 975, height), kSection, 10);
        this->art(panel_, QStringLiteral(":/art/%1.svg").arg(QLatin1String(art)),
                  QRect(20, top + (height - 48) / 2, 48, 48));
    }

    void buildSections(bool editor) {
        const int s1 = 72, s2 = 292, s3 = 410, s4 = 528;
        sectionBox(s1, 214, "section_libro");
        sectionBox(s2, 112, "section_editore");
        sectionBox(s3, 112, "section_lingua");
        sectionBox(s4, 112, "section_prestito");
        const auto row = [](int top, int r) { return top + 6 + 50 * r; };
        field(m_.txtTitolo, "Titolo libro:", 80, row(s1, 0), 885, true);
        // The code of a stored book cannot change: its box looks fixed.
        QLineEdit* codice = field(m_.txtCodice, "Codice:", 80, row(s1, 1), 220);
        onRefresh([this, codice] { lockedLook(codice, m_.codeLocked()); });
        field(m_.txtScaffale, "Scaffale:", 340, row(s1, 1), 250);
        field(m_.txtAutore, "Autore:", 600, row(s1, 1), 365);
        field(m_.txtNazione, "Nazione:", 80, row(s1, 2), 220);
        field(m_.txtCuratore, "Curatore:", 340, row(s1, 2), 250);
        field(m_.txtDewey, "Dewey:", 600, row(s1, 2), 60);
        field(m_.txtPagine, "Pagine:", 700, row(s1, 2), 120);
        choice(m_.txtGenere, "Genere:", 80, row(s1, 3), 380);
        field(m_.txtGiudizio, "Giudizio:", 470, row(s1, 3), 495);
        field(m_.txtEditore, "Casa editrice:", 80, row(s2, 0), 300);
        field(m_.txtIsbn, "ISBN:", 390, row(s2, 0), 230);
        field(m_.txtCitta, "Città:", 660, row(s2, 0), 305);
        field(m_.txtAnno, "Anno:", 80, row(s2, 1), 120);
        field(m_.txtVolumi, "Volumi:", 210, row(s2, 1), 120);
        field(m_.txtPrezzo, "Prezzo:", 340, row(s2, 1), 120);
        field(m_.txtCollana, "Collana:", 470, row(s2, 1), 245);
        field(m_.txtFormato, "Formato:", 725, row(s2, 1), 240);
        field(m_.txtOriginale, "Titolo originale:", 80, row(s3, 0), 885);
        choice(m_.txtLingua, "Lingua:", 80, row(s3, 1), 220);
        field(m_.txtPrima, "1^ pubbl.", 310, row(s3, 1), 150);
        field(m_.txtTraduttore, "Traduttore:", 470, row(s3, 1), 300);
        field(m_.txtVersione, "Versione:", 780, row(s3, 1), 185);
        field(m_.txtNote, "Note:", 80, row(s4, 0), 885);
        auto* prestato = field(m_.txtPrestato, "Prestato a:", 80, row(s4, 1), 450);
        auto* scadenza = field(m_.txtScadenza, "Scadenza:", 540, row(s4, 1), 150);
        auto* annullata = check(panel_, m_.chkAnnullata, QRect(720, row(s4, 1) + 17, 150, 26), u("Annullata"),
                                typeface("Verdana", 12, true));
        art(panel_, QStringLiteral(":/art/section_annullata.svg"), QRect(880, row(s4, 1) + 12, 34, 34));
        if (editor) {
            const char* readOnly =
                "Campo di testo di sola lettura che si autocompila in fase di emissione di una scheda "
                "prestito.";
            setHint(prestato, u(readOnly));
            setHint(scadenza, u(readOnly));
            setHint(annullata,
                    u("Contrassegna la scheda del libro come annullata per escluderla dai risultati di "
                      "ricerca."));
        }
        setBackground(this);
    }

    BookSheet& m_;
    QWidget* panel_ = nullptr;
};

class LibriView : public BookSheetView {
public:
    LibriView(QtPlatform& p, TfrmLibri& m, QWidget* parent) : BookSheetView(p, m, parent, true) {
        group(10, 184);
        tool(m.cmdNuovo, 14, "tool_nuovo", "Predispone la schermata per l'inserimento di una nuova scheda.");
        tool(m.cmdDuplica, 58, "tool_duplica",
             "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.");
        tool(m.cmdSalva, 102, "tool_salva", "Salva la scheda corrente in archivio.");
        tool(m.cmdTrova, 146, "tool_trova", "Trova una scheda in archivio.");
        group(202, 140);
        tool(m.cmdFile, 207, "tool_allega", "Allega file alla scheda corrente.", 130, "Allega file");
        group(350, 140);
        tool(m.cmdStampa, 355, "tool_stampa", "Stampa la scheda corrente.", 130, "Stampa");
        navigation(498);
        group(754, 96);
        tool(m.cmdEsporta, 758, "tool_esporta",
             "Esporta le schede in archivio in un file di Microsoft Excel.");
        tool(m.cmdDisponibili, 802, "tool_disponibili",
             "Trova un libro in archivio fra quelli disponibili per il prestito.");
        group(858, 96);
        tool(m.cmdGuida, 862, "tool_guida", kHintGuida);
        tool(m.cmdEsci, 906, "tool_esci", kHintEsci);
        const int s1 = 72, s2 = 292;
        icon(m.btnCodice, 304, s1 + 6 + 50, "icon_convalida",
             "Convalida il codice assegnato al libro corrente.");
        icon(m.btnDewey, 664, s1 + 6 + 100, "icon_dewey", "Visualizza la Tabella dei Codici Dewey.");
        icon(m.btnGoogle, 624, s2 + 6, "icon_web",
             "Cerca sul Web, tramite Google, informazioni relative al libro con l'ISBN indicato.");
        // Tab reaches each icon right after the box it serves.
        for (const auto& [box, button] : {std::pair<Control*, Control*>{&m.txtCodice, &m.btnCodice},
                                          {&m.txtDewey, &m.btnDewey},
                                          {&m.txtIsbn, &m.btnGoogle}})
            setTabOrder(widgetOf(*box), widgetOf(*button));
    }
};

class ConsultaView : public BookSheetView {
public:
    ConsultaView(QtPlatform& p, TfrmConsultaLibri& m, QWidget* parent) : BookSheetView(p, m, parent, false) {
        group(10, 190);
        tool(m.cmdTrova, 15, "tool_cerca", "Trova un libro in catalogo.", 180, "Cerca libro\nin catalogo");
        group(206, 190);
        tool(m.cmdDisponibili, 211, "tool_cerca",
             "Trova un libro in catalogo fra quelli disponibili per il prestito.", 180,
             "Cerca libro\nfra disponibili");
        group(402, 190);
        tool(m.cmdStampa, 407, "tool_stampa_largo", "Stampa la scheda del libro selezionato.", 180,
             "Stampa scheda\nlibro");
        navigation(598);
        group(852, 96);
        tool(m.cmdGuida, 856, "tool_guida", kHintGuida);
        tool(m.cmdEsci, 900, "tool_esci", kHintEsci);
    }
};

class SearchView : public ListWindowView {
public:
    SearchView(QtPlatform& p, BookSearch& m, QWidget* parent) : ListWindowView(p, m, parent) {
        fixedWindow(862, 560);
        criteriaPanel(panel(this, m.panAvvio, QRect(14, 15, 833, 529), Qt::white), 529,
                      {{{&m.txtTitolo, "Titolo libro:"},
                        {&m.txtCodice, "Codice identificativo:"},
                        {&m.txtAutore, "Autore:"},
                        {&m.txtCuratore, "Curatore:"},
                        {&m.txtGenere, "Genere:"},
                        {&m.txtEditore, "Casa editrice:"},
                        {&m.txtIsbn, "ISBN:"},
                        {&m.txtLingua, "Lingua:"},
                        {&m.txtDewey, "Codice Dewey:"},
                        {&m.txtNote, "Note:"}}},
                      m.lblAttendere, m.btnAnnulla, m.btnCerca);
        resultPanel(panel(this, m.panContainer, QRect(14, 15, 833, 529), Qt::white), 529, m, &m.lblTrovate);
    }
};

class ConvalidaView : public FormView {
public:
    ConvalidaView(QtPlatform& p, TfrmConvalida& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(661, 398);
        art(this, QStringLiteral(":/art/convalida_titolo.svg"), QRect(20, 12, 620, 44))
            ->setObjectName("titTitolo");
        label(this, m.txtCodice, QRect(20, 64, 620, 26), typeface("Verdana", 14, true), kNavy);
        auto* l = list(this, m.lstRecords, QRect(18, 96, 624, 25), typeface("Courier New", 12));
        l->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        auto* strip = text(this, u("RISULTATO CONVALIDA"), QRect(20, 132, 620, 28),
                           typeface("Verdana", 13, true), Qt::white, Qt::AlignCenter);
        strip->setObjectName("lblTitConvalida");
        strip->setStyleSheet(QStringLiteral("background-color: #4682B4; border-radius: 4px;"));
        label(this, m.txtResponso, QRect(20, 166, 620, 38), typeface("Verdana", 20, true), QColor(0x80, 0, 0),
              Qt::AlignCenter);
        text(this,
             u("Per essere valido, il codice deve essere assegnato ad un unico libro della biblioteca."),
             QRect(20, 212, 620, 22), typeface("Verdana", 12));
        auto* ind = label(this, m.txtIndicazioni, QRect(20, 238, 620, 40), typeface("Verdana", 12, true));
        ind->setWordWrap(true);
        text(this,
             u("Se il codice non è valido, in alto compaiono i dati del libro a cui lo stesso codice è stato "
               "assegnato."),
             QRect(20, 284, 620, 40), typeface("Verdana", 12));
        auto* ok = button(this, m.btnOK, QRect(396, 344, 118, 36), u("OK"), typeface("Verdana", 12, true));
        auto* annulla =
            button(this, m.btnAnnulla, QRect(524, 344, 118, 36), u("Annulla"), typeface("Verdana", 12));
        QWidget::setTabOrder(ok, annulla);
    }
};

class DeweyView : public FormView {
public:
    DeweyView(QtPlatform& p, TfrmCodici_Dewey& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(861, 561);
        const QFont explain = typeface("Verdana", 12);
        text(this,
             u("Immettere una o più parole consecutive presenti nella voce in elenco da cercare e premere il "
               "pulsante "
               "Trova."),
             QRect(30, 12, 800, 20), explain)
            ->setObjectName("lblRigo01");
        text(this,
             u("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo "
               "clic su "
               "Trova."),
             QRect(30, 34, 800, 20), explain)
            ->setObjectName("lblRigo02");
        text(this, u("Per importare un codice Dewey dall'elenco, selezionarlo con un doppio clic."),
             QRect(30, 56, 800, 20), explain, QColor(0xDC, 0x14, 0x3C))
            ->setObjectName("lblRigo03");
        edit(this, m.txtTrova, QRect(30, 88, 665, 32), typeface("Verdana", 12, true));
        button(this, m.btnTrova, QRect(705, 88, 126, 32), u("Trova"), typeface("Verdana", 12, true));
        list(this, m.lstRecords, QRect(30, 132, 801, 281), typeface("Courier New", 12), 760);
        auto* loading = panel(this, m.panDewey, QRect(221, 246, 418, 54));
        art(loading, QStringLiteral(":/art/dewey_caricamento.svg"), QRect(0, 0, 418, 54));
        label(this, m.lblAttendere, QRect(30, 428, 400, 24), typeface("Verdana", 12, false, true), kNavy);
        button(this, m.btnStampa, QRect(579, 500, 120, 36), u("Stampa"), typeface("Verdana", 12));
        button(this, m.btnChiudi, QRect(711, 500, 120, 36), u("Chiudi"), typeface("Verdana", 12));
        timer(m.timCarica);
    }
};

class StampaLibroView : public FormView {
public:
    StampaLibroView(QtPlatform& p, BookSheetPrint& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(364, 287, TitleButtons::Close);
        auto* pic = art(this, QStringLiteral(":/art/stampa_scheda.svg"), QRect(25, 20, 314, 185));
        pic->setObjectName("imgStampante");
        button(this, m.btnAnnulla, QRect(60, 228, 116, 36), u("Annulla"), typeface("Verdana", 12));
        button(this, m.btnStampa, QRect(188, 228, 116, 36), u("Stampa"), typeface("Verdana", 12, true));
    }
};

} // namespace

FormView* bookSearchView(QtPlatform& platform, BookSearch& model, QWidget* parent) {
    return new SearchView(platform, model, parent);
}

void registerCatalogueViews(QtPlatform& platform) {
    platform.registerView<TfrmLibri, LibriView>();
    platform.registerView<TfrmConsultaLibri, ConsultaView>();
    platform.registerView<TfrmTrovaLibri, SearchView>();
    platform.registerView<TfrmTrovaDisponibili, SearchView>();
    platform.registerView<TfrmConvalida, ConvalidaView>();
    platform.registerView<TfrmCodici_Dewey, DeweyView>();
    platform.registerView<TfrmStampaLibro, StampaLibroView>();
    platform.registerView<TfrmStampaLibro02, StampaLibroView>();
}

} // namespace quaderna::ui
