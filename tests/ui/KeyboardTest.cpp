// The keyboard and the mouse on the real windows: what only the screen can break.

#include "UiSupport.h"
#include "core/catalogue/Convalida.h"
#include "core/shell/Password.h"
#include "support/Books.h"
#include "support/TempDir.h"
#include "ui/platform/Widgets.h"

#include <QAbstractItemView>
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
