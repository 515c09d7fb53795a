// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/catalogue/AllegaCartellaView.h"

#include "core/catalogue/AllegaCartella.h"
#include "ui/platform/FormView.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quaderna::ui {

namespace {

const QColor kNavy(0x1F, 0x3A, 0x5F);
const QColor kPanel(0xF4, 0xF7, 0xFA);

QString u(const char* s) {
    return QString::fromUtf8(s);
}

// The explanation at the top, three slots (name with Sfoglia, Apri and the icon that forgets it;
// the box of its descrizione under it), then "Annulla" and "Applica e chiudi".
class AllegaCartellaView : public FormView {
public:
    AllegaCartellaView(QtPlatform& p, TfrmAllegaCartella& m, QWidget* parent) : FormView(p, m, parent) {
        fixedWindow(634, 534);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, kPanel);
        setPalette(pal);

        auto* top = shade(this, QRect(0, 0, 634, 104), Qt::white, 0);
        top->setObjectName(QStringLiteral("imgLogo"));
        art(this, QStringLiteral(":/art/allega_logo.svg"), QRect(14, 12, 80, 80));
        text(this,
             u("Selezionare i file da allegare alla scheda corrente servendosi del pulsante Sfoglia. Quindi "
               "fare clic su Applica e chiudi e poi sul pulsante Salva per salvare le modifiche. Per aprire "
               "un file è sufficiente premere il pulsante Apri."),
             QRect(108, 8, 514, 88), typeface("Verdana", 12), kNavy, Qt::AlignLeft | Qt::AlignVCenter);

        const struct {
            Edit& file;
            Button& sfoglia;
            Button& apri;
            Button& cancella;
            Edit& desc;
            const char* nome;
            const char* descrizione;
        } rows[] = {
            {m.txtFile01, m.btnSfoglia01, m.btnApri01, m.imgCancella01, m.txtDesc01,
             "Nome 1° file allegato:", "Descrizione 1° file allegato:"},
            {m.txtFile02, m.btnSfoglia02, m.btnApri02, m.imgCancella02, m.txtDesc02,
             "Nome 2° file allegato:", "Descrizione 2° file allegato:"},
            {m.txtFile03, m.btnSfoglia03, m.btnApri03, m.imgCancella03, m.txtDesc03,
             "Nome 3° file allegato:", "Descrizione 3° file allegato:"},
        };
        const QFont caption = typeface("Verdana", 12);
        const QFont bold = typeface("Verdana", 12, true);
        int y = 116;
        for (const auto& s : rows) {
            auto* group = shade(this, QRect(10, y, 614, 114), Qt::white, 8);
            group->setStyleSheet(
                QStringLiteral("background-color: white; border: 1px solid #B8C7D6; border-radius: 8px;"));
            text(this, u(s.nome), QRect(20, y + 6, 360, 20), caption, kNavy);
            QLineEdit* name = edit(this, s.file, QRect(20, y + 28, 352, 28), bold);
            name->setStyleSheet(QStringLiteral("QLineEdit { color: #6B6B6B; }"));
            auto* forget = imageButton(this, s.cancella, QRect(378, y + 30, 24, 24),
                                       QStringLiteral(":/art/icon_cancella_foto.svg"));
            forget->setToolTip(u("Togli il file dalla scheda (il file resta nella cartella)"));
            button(this, s.sfoglia, QRect(410, y + 26, 104, 32), u("Sfoglia..."), caption);
            auto* apri = button(this, s.apri, QRect(520, y + 26, 94, 32), u("Apri"), caption);
            setTabOrder(apri, forget); // after the slot's buttons, Tab reaches the picture that empties it
            text(this, u(s.descrizione), QRect(20, y + 60, 360, 20), caption, kNavy);
            edit(this, s.desc, QRect(20, y + 80, 594, 28), bold);
            y += 122;
        }
        button(this, m.btnApplica, QRect(462, 486, 162, 36), u("Applica e chiudi"), bold);
        button(this, m.btnAnnulla, QRect(330, 486, 122, 36), u("Annulla"), caption);
    }
};

} // namespace

void registerAttachmentsView(QtPlatform& platform) {
    platform.registerView<TfrmAllegaCartella, AllegaCartellaView>();
}

} // namespace quaderna::ui
