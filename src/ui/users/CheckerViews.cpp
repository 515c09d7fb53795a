// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/users/CheckerViews.h"

#include "core/users/Carta.h"
#include "core/users/CodFisc.h"
#include "core/users/Iban.h"
#include "core/users/PartitaIva.h"
#include "ui/platform/FormView.h"
#include "ui/platform/QtPlatform.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>

namespace quaderna::ui {

namespace {

// The four windows share one arrangement: a banner, the instruction, the box in large bold type,
// "Controlla" and "Chiudi". They open in the middle of the screen.
class CheckerView : public FormView {
public:
    CheckerView(QtPlatform& p, Form& m, QWidget* parent, const char* banner, const QString& instruction,
                Edit& box, Button& controlla, Button& chiudi)
        : FormView(p, m, parent) {
        fixedWindow(460, 306);
        art(this, QStringLiteral(":/art/%1.svg").arg(QLatin1String(banner)), QRect(0, 0, 460, 130))
            ->setObjectName(QStringLiteral("imgBanner"));
        text(this, instruction, QRect(20, 140, 420, 40), typeface("Verdana", 13));
        edit(this, box, QRect(20, 186, 420, 44), typeface("Verdana", 20, true));
        button(this, controlla, QRect(20, 250, 205, 38), QStringLiteral("Controlla"),
               typeface("Verdana", 13));
        button(this, chiudi, QRect(235, 250, 205, 38), QStringLiteral("Chiudi"), typeface("Verdana", 13));
    }

protected:
    void showEvent(QShowEvent* event) override {
        FormView::showEvent(event);
        if (event->spontaneous())
            return;
        QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
        if (screen)
            move(screen->availableGeometry().center() - rect().center());
    }
};

} // namespace

void registerCheckerViews(QtPlatform& platform) {
    platform.registerView<TfrmCodFisc>([](QtPlatform& p, Form& f, QWidget* parent) -> FormView* {
        auto& m = static_cast<TfrmCodFisc&>(f);
        return new CheckerView(
            p, m, parent, "checker_codfisc",
            QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."), m.txtCodFisc,
            m.btnControlla, m.btnChiudi);
    });
    platform.registerView<TfrmPartitaIva>([](QtPlatform& p, Form& f, QWidget* parent) -> FormView* {
        auto& m = static_cast<TfrmPartitaIva&>(f);
        return new CheckerView(
            p, m, parent, "checker_partitaiva",
            QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
            m.txtPartitaIva, m.btnControlla, m.btnChiudi);
    });
    platform.registerView<TfrmCarta>([](QtPlatform& p, Form& f, QWidget* parent) -> FormView* {
        auto& m = static_cast<TfrmCarta&>(f);
        return new CheckerView(
            p, m, parent, "checker_carta",
            QStringLiteral("Immettere il numero di carta di credito e premere il pulsante di controllo."),
            m.txtNumero, m.btnControlla, m.btnChiudi);
    });
    platform.registerView<TfrmIban>([](QtPlatform& p, Form& f, QWidget* parent) -> FormView* {
        auto& m = static_cast<TfrmIban&>(f);
        return new CheckerView(p, m, parent, "checker_iban",
                               QStringLiteral("Immettere l'IBAN e premere il pulsante di controllo."),
                               m.txtIban, m.btnControlla, m.btnChiudi);
    });
}

} // namespace quaderna::ui
