// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard and the mouse on the real windows: what only the screen can break.

#include "UiSupport.h"
#include "core/catalogue/Convalida.h"
#include "core/shell/Password.h"
#include "support/Books.h"
#include "support/TempDir.h"
#include "support/Users.h"
#include "ui/platform/Widgets.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        password::installFirstAccess(dir.path());
        program.start();
        program.platform.messageHook = [this](const QString& text, MsgKind, bool) {
            messages << text;
            return MsgButton::OK;
        };
    }

    // Opens a work window from the launcher the way its entry does.
    ui::FormView* open(Form& window) {
        program.platform.dispatch([&] {
            app.show(window);
            app.hide(app.frmPassword);
        });
        ui::FormView* view = program.platform.viewOf(window);
        EXPECT_TRUE(view && view->isVisible());
        view->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(view));
        return view;
    }
    // The first-access password accepted: the launcher on screen.
    ui::FormView* login() {
        program.platform.dispatch([&] {
            app.frmPassword.txtPassword.text = "QUADERNA";
            app.frmPassword.cmdOKClick();
        });
        return program.platform.viewOf(app.frmAvvio);
    }
    // The box a person types into (for a drop-down, the drop-down itself takes the focus).
    QWidget* box(QWidget* view, const char* name) {
        return view->findChild<QWidget*>(QString::fromLatin1(name));
    }
    QLineEdit* line(QWidget* view, const char* name) {
        QWidget* w = box(view, name);
        if (auto* c = qobject_cast<QComboBox*>(w))
            return c->lineEdit();
        return qobject_cast<QLineEdit*>(w);
    }
    // Types into whatever box has the focus in the window, as a person does.
    void typeHere(QWidget* view, const char* keys) {
        QWidget* w = view->focusWidget();
        ASSERT_NE(w, nullptr);
        QTest::keyClicks(w, keys);
    }
    void key(QWidget* view, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(view->focusWidget(), k, mods);
    }
    ui::SuggestionList* suggestions(QWidget* view) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* l = qobject_cast<ui::SuggestionList*>(w); l && l->isVisible())
                return l;
        Q_UNUSED(view);
        return nullptr;
    }

    TempDir dir;
    ui::Program program{dir.path()};
    Application& app = program.app;
    QStringList messages;
};

} // namespace

TEST_F(Keyboard, EnterInASuggestionBoxTakesWhatIsShownAndMovesOn) {
    ui::FormView* view = open(app.frmLibri);
    TfrmLibri& w = app.frmLibri;
    box(view, "txtPagine")->setFocus();
    key(view, Qt::Key_Return);
    ASSERT_EQ(view->focusWidget(), box(view, "txtGenere"));

    typeHere(view, "Romanzo st");
    ui::SuggestionList* list = suggestions(view);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Romanzo storico"));
    key(view, Qt::Key_Return);
    typeHere(view, "Ottimo");
    EXPECT_EQ(w.txtGenere.text, "Romanzo st");
    EXPECT_EQ(w.txtGiudizio.text, "Ottimo");
    EXPECT_EQ(suggestions(view), nullptr);

    // Down highlights a suggestion, and Enter then takes it.
    box(view, "txtGenere")->setFocus();
    line(view, "txtGenere")->selectAll();
    typeHere(view, "romanzo s");
    key(view, Qt::Key_Down);
    key(view, Qt::Key_Return);
    EXPECT_EQ(w.txtGenere.text, "Romanzo sentimentale");
    EXPECT_TRUE(w.hasFocus(w.txtGiudizio));

    // The caret keys work as in any box, and a click elsewhere is not eaten by the list.
    box(view, "txtLingua")->setFocus();
    typeHere(view, "Ita");
    ASSERT_NE(suggestions(view), nullptr);
    key(view, Qt::Key_Home);
    typeHere(view, "X");
    key(view, Qt::Key_End);
    key(view, Qt::Key_Left);
    typeHere(view, "Y");
    EXPECT_EQ(w.txtLingua.text, "XItYa");
    key(view, Qt::Key_A, Qt::ControlModifier);
    typeHere(view, "Latino");
    EXPECT_EQ(w.txtLingua.text, "Latino");
    QTest::mouseClick(box(view, "txtPrima"), Qt::LeftButton);
    EXPECT_TRUE(w.hasFocus(w.txtPrima));
    EXPECT_EQ(view->focusWidget(), box(view, "txtPrima"));
    EXPECT_EQ(suggestions(view), nullptr);
}

TEST_F(Keyboard, LeavingAProvinceThatHoldsOneOfItsOwnCodesMovesTheFocusOn) {
    ui::FormView* view = open(app.frmAnagrafica);
    TfrmAnagrafica& w = app.frmAnagrafica;
    box(view, "txtProvRes")->setFocus();
    typeHere(view, "to");
    EXPECT_EQ(w.txtProvRes.text, "TO");
    key(view, Qt::Key_Tab);
    EXPECT_EQ(view->focusWidget(), box(view, "txtCapRes"));
    typeHere(view, "10100");
    EXPECT_EQ(w.txtCapRes.text, "10100");
    EXPECT_EQ(w.txtProvRes.text, "TO");

    // By a click, too.
    box(view, "txtProvNasc")->setFocus();
    typeHere(view, "mi");
    QTest::mouseClick(box(view, "txtComuneRes"), Qt::LeftButton);
    EXPECT_EQ(view->focusWidget(), box(view, "txtComuneRes"));
    typeHere(view, "Torino");
    EXPECT_EQ(w.txtComuneRes.text, "Torino");
    EXPECT_EQ(w.txtProvNasc.text, "MI");
}

TEST_F(Keyboard, ABoxEnteredByEnterOrTabHasItsTextSelectedSoTypingReplacesIt) {
    ui::FormView* view = open(app.frmAnagrafica);
    TfrmAnagrafica& w = app.frmAnagrafica;
    box(view, "txtIndirizzoRes")->setFocus();
    key(view, Qt::Key_Return);
    ASSERT_EQ(view->focusWidget(), box(view, "txtPreavviso"));
    typeHere(view, "30");
    EXPECT_EQ(w.txtPreavviso.text, "30");

    box(view, "txtNumTessera")->setFocus();
    key(view, Qt::Key_Tab);
    ASSERT_EQ(view->focusWidget(), box(view, "txtDataRil"));
    typeHere(view, "01/02/2022");
    EXPECT_EQ(w.txtDataRil.text, "01/02/2022");

    // The digit filter leaves the caret and selection keys alone.
    box(view, "txtPreavviso")->setFocus();
    key(view, Qt::Key_End);
    key(view, Qt::Key_Home);
    key(view, Qt::Key_Delete);
    EXPECT_EQ(w.txtPreavviso.text, "0");
    key(view, Qt::Key_End);
    key(view, Qt::Key_Left, Qt::ShiftModifier);
    typeHere(view, "7x");
    EXPECT_EQ(w.txtPreavviso.text, "7");
}

TEST_F(Keyboard, EnterOnAFocusedPushButtonPressesIt) {
    // The login window: "Cambia password" has the focus.
    ui::FormView* login = program.platform.viewOf(app.frmPassword);
    auto* cambia = login->findChild<QPushButton*>(QStringLiteral("btnCambiaPassword"));
    ASSERT_NE(cambia, nullptr);
    cambia->setFocus();
    QTest::keyClick(cambia, Qt::Key_Return);
    EXPECT_TRUE(program.platform.viewOf(app.frmCambiaPassword)->isVisible());

    // A dialog: the code check's "Annulla" closes it without a verdict.
    bool closed = false;
    whenModal([&](QWidget* d) {
        auto* annulla = d->findChild<QPushButton*>(QStringLiteral("btnAnnulla"));
        annulla->setFocus();
        QTest::keyClick(annulla, Qt::Key_Return);
        closed = !d->isVisible();
    });
    program.platform.dispatch([&] {
        app.show(app.frmLibri);
        app.frmLibri.txtCodice.text = "NUOVO-1";
        app.frmLibri.btnCodice.onClick();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(app.frmLibri.txtConvalida.text, "No");
}

TEST_F(Keyboard, TheCataloguesDropDownsCannotBeChangedByKeysWheelOrPopup) {
    storeBooks(dir.path(), {[] {
                   TLibro b = book("Il Gattopardo", "GT-1");
                   b.Genere = "Narrativa";
                   return b;
               }()});
    ui::FormView* view = open(app.frmConsultaLibri);
    program.platform.dispatch([&] { app.frmConsultaLibri.cmdPrimoClick(); });
    auto* genere = view->findChild<QComboBox*>(QStringLiteral("txtGenere"));
    ASSERT_NE(genere, nullptr);
    genere->lineEdit()->setFocus();
    for (Qt::Key k : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_F4})
        QTest::keyClick(genere->lineEdit(), k);
    QWheelEvent wheel(QPointF(5, 5), genere->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(genere, &wheel);
    genere->showPopup();
    EXPECT_FALSE(genere->view()->isVisible());
    typeHere(view, "x");
    genere->lineEdit()->insert(QStringLiteral("Poesia"));
    EXPECT_EQ(genere->lineEdit()->text(), QStringLiteral("Narrativa"));
    EXPECT_EQ(app.frmConsultaLibri.txtGenere.text, "Narrativa");
}

TEST_F(Keyboard, TheLockedCodeAndDigitOnlyBoxesRefuseTextThatNoKeyBrought) {
    storeBooks(dir.path(), {book("Il Gattopardo", "GT-1")});
    ui::FormView* libri = open(app.frmLibri);
    program.platform.dispatch([&] { app.frmLibri.cmdPrimoClick(); });
    QLineEdit* codice = line(libri, "txtCodice");
    codice->setFocus();
    // insert() is where a middle click, the menu's paste and a drop end up.
    codice->insert(QStringLiteral("ZZ"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("ZZ"));
    QApplication::sendEvent(codice, &commit);
    codice->selectAll();
    codice->del();
    EXPECT_EQ(codice->text(), QStringLiteral("GT-1"));
    EXPECT_EQ(app.frmLibri.txtCodice.text, "GT-1");

    ui::FormView* utenti = open(app.frmAnagrafica);
    QLineEdit* preavviso = line(utenti, "txtPreavviso");
    preavviso->setFocus();
    preavviso->selectAll();
    preavviso->insert(QStringLiteral("4a5"));
    EXPECT_EQ(preavviso->text(), QStringLiteral("45"));
    QApplication::sendEvent(preavviso, &commit);
    EXPECT_EQ(app.frmAnagrafica.txtPreavviso.text, "45");
}

TEST_F(Keyboard, EachWorkWindowOpensWithItsIdleSentence) {
    ui::FormView* view = open(app.frmLibri);
    auto* status = view->findChild<QLabel*>(QStringLiteral("panInfo"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(view->findChild<QWidget*>(QStringLiteral("cmdSalva")), &enter);
    EXPECT_EQ(status->text(), QStringLiteral("Salva la scheda corrente in archivio."));
    program.platform.dispatch([&] { app.close(app.frmLibri); });
    open(app.frmLibri);
    // The window appears under a pointer that has not moved: its background does not empty it.
    QApplication::sendEvent(view, &enter);
    EXPECT_EQ(status->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
}

namespace {

// The widget that has the keyboard in a window, as the person sees it: for a drop-down, the
// drop-down.
QWidget* focusedControl(QWidget* view) {
    QWidget* w = view->focusWidget();
    if (w && qobject_cast<QComboBox*>(w->parentWidget()))
        return w->parentWidget();
    return w;
}

QString focusName(QWidget* view) {
    QWidget* w = focusedControl(view);
    return w ? w->objectName() : QString();
}

// Presses Tab (or Shift+Tab) until the control named `name` has the focus; the names passed on
// the way, or an empty list when it is never reached.
QStringList tabTo(QWidget* view, const char* name, bool back = false) {
    QStringList passed;
    for (int i = 0; i < 80; ++i) {
        if (focusName(view) == QLatin1String(name))
            return passed;
        passed << focusName(view);
        QTest::keyClick(view->focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                        back ? Qt::ShiftModifier : Qt::NoModifier);
    }
    return {};
}

} // namespace

TEST_F(Keyboard, EveryWindowOpensWithTheKeyboardOnAFieldOrACommandNeverOnACheckBox) {
    // Every window there is, opened as the program opens it: the show handler first, then the view.
    QStringList faults;
    for (auto& window : program.platform.sampleWindows(app)) {
        program.platform.dispatch([&] {
            window->FormCreate();
            window->FormShow();
        });
        ui::FormView* view = program.platform.createView(*window);
        ASSERT_NE(view, nullptr);
        view->show();
        view->activateWindow();
        (void)QTest::qWaitForWindowActive(view, 1000);
        QApplication::processEvents();
        const QString name = QString::fromStdString(window->className());
        QWidget* w = focusedControl(view);
        if (!w)
            faults << name + QStringLiteral(": nothing has the keyboard");
        else if (qobject_cast<QCheckBox*>(w))
            faults << name + QStringLiteral(": opens on the check box ") + w->objectName();
        else if (QWidget* own = window->focused() ? view->widgetOf(*window->focused()) : nullptr;
                 !own || (own != w && !own->isAncestorOf(w)))
            faults << name + QStringLiteral(": the screen has the keyboard on ") + w->objectName() +
                          QStringLiteral(", the window on ") +
                          QString::fromStdString(window->focused() ? window->focused()->name() : "nothing");
        view->hide();
        delete view;
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

TEST_F(Keyboard, ANameTypedIntoAFreshUserWindowFromTheLauncherIsTheNameSaved) {
    ui::FormView* launcher = login();
    ASSERT_TRUE(launcher && launcher->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(launcher));
    EXPECT_EQ(focusName(launcher), QStringLiteral("btnAnagrafica"));
    key(launcher, Qt::Key_Space);
    ui::FormView* view = program.platform.viewOf(app.frmAnagrafica);
    ASSERT_TRUE(view && view->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    EXPECT_EQ(focusName(view), QStringLiteral("txtTesserato"));

    typeHere(view, "Rossi Maria");
    key(view, Qt::Key_Return);
    key(view, Qt::Key_Return);
    typeHere(view, "T-1");
    key(view, Qt::Key_Return);
    key(view, Qt::Key_Return);
    typeHere(view, "31/12/2099");
    // Back over the photo's commands to "Salva", and Enter.
    const QStringList passed = tabTo(view, "cmdSalva", true);
    EXPECT_TRUE(passed.contains(QStringLiteral("chkAnnullata")));
    EXPECT_FALSE(app.frmAnagrafica.chkAnnullata.checked);
    key(view, Qt::Key_Return);
    EXPECT_TRUE(messages.contains(QStringLiteral("La scheda corrente è stata inserita in archivio.")))
        << messages.join(QLatin1Char('|')).toStdString();
    const auto users = storedUsers(dir.path());
    ASSERT_EQ(users.size(), 1u);
    EXPECT_EQ(users[0].Tesserato, "Rossi Maria");
    EXPECT_EQ(users[0].NumTessera, "T-1");
    EXPECT_EQ(users[0].Annullata, "No");
}

TEST_F(Keyboard, TheLauncherIsUsedWithTabTheArrowsEnterAndSpace) {
    ui::FormView* launcher = login();
    ASSERT_TRUE(QTest::qWaitForWindowActive(launcher));
    // Tab goes round the six entries, then the icons of the corners and the web strip.
    EXPECT_EQ(tabTo(launcher, "imgGuida"),
              (QStringList{"btnAnagrafica", "btnLibri", "btnTessere", "btnPrestiti", "btnStorico",
                           "btnCatalogo", "icoSito", "imgCopyright", "imgEsci", "imgInfo"}));
    key(launcher, Qt::Key_Tab);
    EXPECT_EQ(focusName(launcher), QStringLiteral("btnAnagrafica"));
    // The arrows move in the two rows of three.
    key(launcher, Qt::Key_Right);
    EXPECT_EQ(focusName(launcher), QStringLiteral("btnLibri"));
    key(launcher, Qt::Key_Down);
    EXPECT_EQ(focusName(launcher), QStringLiteral("btnStorico"));
    key(launcher, Qt::Key_Right);
    key(launcher, Qt::Key_Right);
    EXPECT_EQ(focusName(launcher), QStringLiteral("btnCatalogo"));
    key(launcher, Qt::Key_Up);
    key(launcher, Qt::Key_Left);
    EXPECT_EQ(focusName(launcher), QStringLiteral("btnLibri"));
    EXPECT_TRUE(app.frmAvvio.hasFocus(app.frmAvvio.btnLibri));

    // The focused entry wears the mark, and Enter opens it.
    auto* mark = launcher->findChild<ui::FocusMark*>();
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->target(), launcher->focusWidget());
    EXPECT_TRUE(mark->isVisible());
    EXPECT_TRUE(mark->geometry().contains(launcher->focusWidget()->geometry()));
    key(launcher, Qt::Key_Return);
    ui::FormView* libri = program.platform.viewOf(app.frmLibri);
    ASSERT_TRUE(libri && libri->isVisible());
    EXPECT_FALSE(launcher->isVisible());

    // Back on the launcher, the entry used last still has the keyboard.
    program.platform.dispatch([&] { app.close(app.frmLibri); });
    ASSERT_TRUE(launcher->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(launcher));
    EXPECT_EQ(focusName(launcher), QStringLiteral("btnLibri"));
    EXPECT_EQ(mark->target(), launcher->focusWidget());
    EXPECT_TRUE(mark->isVisible());
}

TEST_F(Keyboard, ABookIsCheckedAndSavedWithoutTheMouse) {
    ui::FormView* view = open(app.frmLibri);
    EXPECT_EQ(focusName(view), QStringLiteral("txtTitolo"));
    typeHere(view, "Il Gattopardo");
    key(view, Qt::Key_Return);
    typeHere(view, "GT-1");
    // Tab reaches the code check beside the code; the space bar runs it, and its "OK" takes Enter.
    key(view, Qt::Key_Tab);
    ASSERT_EQ(focusName(view), QStringLiteral("btnCodice"));
    whenModal([](QWidget* d) { QTest::keyClick(d->focusWidget(), Qt::Key_Return); });
    key(view, Qt::Key_Space);
    EXPECT_EQ(app.frmLibri.txtConvalida.text, "Sì");
    view->activateWindow(); // the window manager's part, which the offscreen screen has not
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    // After the check the focus is back on the icon, and the mark shows it.
    auto* mark = view->findChild<ui::FocusMark*>();
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->target(), view->focusWidget());
    EXPECT_TRUE(mark->isVisible());
    key(view, Qt::Key_Tab);
    EXPECT_EQ(focusName(view), QStringLiteral("txtScaffale"));
    key(view, Qt::Key_Tab);
    typeHere(view, "Tomasi di Lampedusa");

    // On from the fields, the check box, then the toolbar: "Nuovo", "Duplica", "Salva".
    const QStringList passed = tabTo(view, "cmdSalva");
    ASSERT_FALSE(passed.isEmpty());
    EXPECT_EQ(passed.mid(passed.indexOf(QStringLiteral("txtScadenza"))),
              (QStringList{"txtScadenza", "chkAnnullata", "cmdNuovo", "cmdDuplica"}));
    EXPECT_TRUE(passed.contains(QStringLiteral("btnDewey")));
    EXPECT_EQ(mark->target(), view->focusWidget());
    key(view, Qt::Key_Return);
    EXPECT_TRUE(messages.contains(QStringLiteral("La scheda corrente è stata inserita in archivio.")))
        << messages.join(QLatin1Char('|')).toStdString();
    const auto books = storedBooks(dir.path());
    ASSERT_EQ(books.size(), 1u);
    EXPECT_EQ(books[0].Titolo, "Il Gattopardo");
    EXPECT_EQ(books[0].Autore, "Tomasi di Lampedusa");
    EXPECT_EQ(books[0].Annullata, "No");

    // The rest of the toolbar is reached in its order, "Esci" last, and the space bar presses it.
    EXPECT_EQ(tabTo(view, "cmdEsci"),
              (QStringList{"cmdSalva", "cmdTrova", "cmdFile", "cmdStampa", "cmdPrimo", "cmdIndietro",
                           "cmdAvanti", "cmdUltimo", "cmdEsporta", "cmdDisponibili", "cmdGuida"}));
    key(view, Qt::Key_Space);
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(program.platform.viewOf(app.frmAvvio)->isVisible());
}

TEST_F(Keyboard, TheCataloguesCommandsAreReachedWithTab) {
    storeBooks(dir.path(), {book("Il Gattopardo", "GT-1"), book("Lessico famigliare", "LF-1")});
    ui::FormView* view = open(app.frmConsultaLibri);
    EXPECT_EQ(focusName(view), QStringLiteral("txtTitolo"));
    const QStringList passed = tabTo(view, "cmdAvanti");
    ASSERT_FALSE(passed.isEmpty());
    EXPECT_EQ(
        passed.mid(passed.indexOf(QStringLiteral("chkAnnullata"))),
        (QStringList{"chkAnnullata", "cmdTrova", "cmdDisponibili", "cmdStampa", "cmdPrimo", "cmdIndietro"}));
    key(view, Qt::Key_Return);
    EXPECT_EQ(app.frmConsultaLibri.txtTitolo.text, "Il Gattopardo");
    key(view, Qt::Key_Space);
    EXPECT_EQ(app.frmConsultaLibri.txtTitolo.text, "Lessico famigliare");
    EXPECT_EQ(focusName(view), QStringLiteral("cmdAvanti"));
}
