// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/users/CheckerViews.h"
#include "UiSupport.h"
#include "core/shell/Password.h"
#include "core/users/Carta.h"
#include "core/users/CodFisc.h"
#include "core/users/Iban.h"
#include "core/users/PartitaIva.h"
#include "support/TempDir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

// What the person saw of a checker window and of the message that closed it.
struct Seen {
    QString title;
    bool fixed = false, closeButton = true, banner = false, boldLargeBox = false;
    int maxLength = 0;
    QString boxAfterTyping;
    bool controllaFocusedAfterEnter = false;
    QStringList messages;
    bool stillOpen = false;
};

class CheckerWindows : public ::testing::Test {
protected:
    void SetUp() override {
        password::installFirstAccess(dir.path());
        ui::registerCheckerViews(program.platform);
        program.start();
        program.platform.messageHook = [this](const QString& text, MsgKind, bool) {
            seen.messages << text;
            return MsgButton::OK;
        };
    }

    // Opens the window from the login window, types `keys` into the box, presses Enter, then
    // clicks the button that has the focus.
    template <class D> Seen run(const char* boxName, const char* keys) {
        whenModal([&](QWidget* w) {
            auto* box = w->findChild<QLineEdit*>(QString::fromLatin1(boxName));
            auto* controlla = w->findChild<QPushButton*>(QStringLiteral("btnControlla"));
            auto* chiudi = w->findChild<QPushButton*>(QStringLiteral("btnChiudi"));
            auto* banner = w->findChild<QLabel*>(QStringLiteral("imgBanner"));
            if (!box || !controlla || !chiudi) {
                ADD_FAILURE() << "missing controls in " << boxName;
                static_cast<QDialog*>(w)->done(0);
                return;
            }
            seen.title = w->windowTitle();
            seen.fixed = w->minimumSize() == w->maximumSize();
            seen.closeButton = w->windowFlags().testFlag(Qt::WindowCloseButtonHint);
            seen.banner = banner && !banner->pixmap().isNull();
            seen.boldLargeBox = box->font().bold() && box->font().pixelSize() >= 18;
            seen.maxLength = box->maxLength();
            QTest::keyClicks(box, keys);
            seen.boxAfterTyping = box->text();
            QTest::keyClick(box, Qt::Key_Return);
            seen.controllaFocusedAfterEnter = w->focusWidget() == controlla && seen.messages.isEmpty();
            QTest::keyClick(controlla, Qt::Key_Space);
            seen.stillOpen = w->isVisible();
            if (w->isVisible())
                chiudi->click();
        });
        program.app.runDialog<D>(program.app.frmPassword);
        return seen;
    }

    TempDir dir;
    ui::Program program{dir.path()};
    Seen seen;
};

QString shown(const std::string& message) {
    return ui::messageText(message);
}

} // namespace

TEST_F(CheckerWindows, EachWindowTakesItsInputAndClosesOnTheVerdict) {
    const Seen cf = run<TfrmCodFisc>("txtCodFisc", " rssmra85t10a562s");
    EXPECT_EQ(cf.title, QStringLiteral(" Controllo codice fiscale"));
    EXPECT_EQ(cf.maxLength, 16);
    EXPECT_EQ(cf.boxAfterTyping, QStringLiteral("RSSMRA85T10A562S"));
    EXPECT_EQ(cf.messages, QStringList{QString::fromUtf8("Il codice fiscale digitato è VALIDO.")});

    seen = {};
    const Seen iva = run<TfrmPartitaIva>("txtPartitaIva", "IT 00488-410010");
    EXPECT_EQ(iva.title, QStringLiteral(" Controllo partita IVA"));
    EXPECT_EQ(iva.maxLength, 11);
    EXPECT_EQ(iva.boxAfterTyping, QStringLiteral("00488410010"));
    EXPECT_EQ(iva.messages,
              QStringList{shown("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato "
                                "rilasciato dall'Ufficio IVA del Comune di Torino.")});

    seen = {};
    const Seen carta = run<TfrmCarta>("txtNumero", "4111 1111 1111 1111");
    EXPECT_EQ(carta.title, QStringLiteral(" Controllo carta di credito"));
    EXPECT_EQ(carta.maxLength, 30);
    EXPECT_EQ(carta.boxAfterTyping, QStringLiteral("4111111111111111"));
    EXPECT_EQ(carta.messages, QStringList{shown("Il numero di carta di credito 4111111111111111 risulta "
                                                "valido.\r\n\r\nLa carta di credito è del tipo Visa.")});

    seen = {};
    const Seen iban = run<TfrmIban>("txtIban", "it73x0542811101iban00123456");
    EXPECT_EQ(iban.title, QStringLiteral(" Controllo IBAN"));
    EXPECT_EQ(iban.maxLength, 27);
    EXPECT_EQ(iban.boxAfterTyping, QStringLiteral("IT73X0542811101IBAN00123456"));
    EXPECT_EQ(iban.messages, QStringList{QString::fromUtf8("L'IBAN digitato è VALIDO.")});

    for (const Seen* s : {&cf, &iva, &carta, &iban}) {
        SCOPED_TRACE(s->title.toStdString());
        EXPECT_TRUE(s->fixed);
        EXPECT_FALSE(s->closeButton);
        EXPECT_TRUE(s->banner);
        EXPECT_TRUE(s->boldLargeBox);
        EXPECT_TRUE(s->controllaFocusedAfterEnter);
        EXPECT_FALSE(s->stillOpen);
    }
    EXPECT_TRUE(program.platform.viewOf(program.app.frmPassword)->isVisible());
}

TEST_F(CheckerWindows, TheLengthWarningLeavesTheWindowOpenWithTheCursorInTheBox) {
    bool boxFocused = false;
    whenModal([&](QWidget* w) {
        auto* box = w->findChild<QLineEdit*>(QStringLiteral("txtIban"));
        QTest::keyClicks(box, "it60x054281110100000012345");
        w->findChild<QPushButton*>(QStringLiteral("btnControlla"))->click();
        seen.stillOpen = w->isVisible();
        boxFocused = w->focusWidget() == box;
        w->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
    });
    program.app.runDialog<TfrmIban>(program.app.frmPassword);
    EXPECT_EQ(seen.messages, QStringList{QStringLiteral(
                                 "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.")});
    EXPECT_TRUE(seen.stillOpen);
    EXPECT_TRUE(boxFocused);
}
