// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/AppFixture.h"

using namespace quaderna;
using namespace quaderna::testing;

class Navigation : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmAvvio);
        app.hide(app.frmPassword);
        ui.events.clear();
    }
};

TEST_F(Navigation, StandingWindowsAreCreatedInTheirOrderAndOnlyTheLoginIsShown) {
    TempDir d;
    FakePlatform fresh;
    Application a(fresh, d.path());
    std::vector<std::string> names;
    for (Form* f : a.standing())
        names.push_back(f->className());
    const std::vector<std::string> order = {
        "TfrmPassword",   "TfrmAvvio",        "TfrmCambiaPassword", "TfrmAnagrafica",
        "TfrmTessera",    "TfrmLibri",        "TfrmConsultaLibri",  "TfrmMenuPrestiti",
        "TfrmPrestiti",   "TfrmRestituzioni", "TfrmMenuStorico",    "TfrmMenuRiepilogoPrestiti",
        "TfrmStatistiche"};
    EXPECT_EQ(names, order);
    a.start();
    EXPECT_EQ(fresh.events, std::vector<std::string>{"show TfrmPassword"});
}

TEST_F(Navigation, SubMenuTitleBarOrEsciReturnsToTheLauncher) {
    person.click(app.frmAvvio.btnPrestiti);
    EXPECT_TRUE(app.frmMenuPrestiti.visible());
    EXPECT_FALSE(app.frmAvvio.visible());
    EXPECT_EQ(app.frmMenuPrestiti.lblMemory.text, "avvio");
    EXPECT_TRUE(app.frmMenuPrestiti.hasFocus(app.frmMenuPrestiti.btnApriPrestito));
    app.close(app.frmMenuPrestiti); // the title-bar button
    EXPECT_TRUE(app.frmAvvio.visible());
    EXPECT_FALSE(app.frmMenuPrestiti.visible());

    person.click(app.frmAvvio.imgStorico);
    EXPECT_TRUE(app.frmMenuStorico.visible());
    person.click(app.frmMenuStorico.imgEsci);
    EXPECT_TRUE(app.frmAvvio.visible());
    EXPECT_FALSE(app.frmMenuStorico.visible());
    EXPECT_EQ(ui.events,
              (std::vector<std::string>{"show TfrmMenuPrestiti", "hide TfrmAvvio", "show TfrmAvvio",
                                        "hide TfrmMenuPrestiti", "show TfrmMenuStorico", "hide TfrmAvvio",
                                        "show TfrmAvvio", "hide TfrmMenuStorico"}));
}

TEST_F(Navigation, SubMenuShownAgainStartsFromAvvio) {
    person.click(app.frmAvvio.btnPrestiti);
    app.frmMenuPrestiti.lblMemory.text = "restituzioni";
    app.hide(app.frmMenuPrestiti);
    app.show(app.frmMenuPrestiti);
    EXPECT_EQ(app.frmMenuPrestiti.lblMemory.text, "avvio");
}

TEST_F(Navigation, TheCardEntryOpensTheCardWindowFromItsPictureOrItsButton) {
    for (Button* entry : {&app.frmAvvio.imgTessere, &app.frmAvvio.btnTessere}) {
        ui.events.clear();
        person.click(*entry);
        EXPECT_TRUE(app.frmTessera.visible()) << entry->name();
        EXPECT_FALSE(app.frmAvvio.visible());
        EXPECT_EQ(ui.events, (std::vector<std::string>{"show TfrmTessera", "hide TfrmAvvio"}));
        person.click(app.frmTessera.imgEsci);
        EXPECT_TRUE(app.frmAvvio.visible());
        EXPECT_FALSE(app.frmTessera.visible());
    }
}

TEST_F(Navigation, EachButtonOfTheSubMenusOpensItsWindowAndClosingItShowsTheLauncher) {
    const struct {
        Button& entry;
        Button& button;
        Form& window;
    } steps[] = {
        {app.frmAvvio.btnPrestiti, app.frmMenuPrestiti.btnApriPrestito, app.frmPrestiti},
        {app.frmAvvio.btnPrestiti, app.frmMenuPrestiti.btnApriRestituzione, app.frmRestituzioni},
        {app.frmAvvio.btnStorico, app.frmMenuStorico.btnApriStorico, app.frmMenuRiepilogoPrestiti},
        {app.frmAvvio.btnStorico, app.frmMenuStorico.btnApriStatistiche, app.frmStatistiche},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.window.className());
        person.click(s.entry);
        person.click(s.button);
        EXPECT_TRUE(s.window.visible());
        EXPECT_FALSE(app.frmMenuPrestiti.visible());
        EXPECT_FALSE(app.frmMenuStorico.visible());
        app.close(s.window);
        EXPECT_TRUE(app.frmAvvio.visible());
        EXPECT_FALSE(s.window.visible());
    }
}

TEST_F(Navigation, LauncherEndsTheProgramFromItsTitleBarAndItsExitIcon) {
    app.close(app.frmAvvio);
    EXPECT_TRUE(app.terminated());
    EXPECT_TRUE(ui.messages.empty());

    FakePlatform other;
    Application second(other, dir.path());
    second.start();
    Person p(other);
    p.click(second.frmAvvio.imgEsci);
    EXPECT_TRUE(other.terminated);
}

TEST_F(Navigation, ShowingTheLauncherTwiceShowsItAsItWas) {
    app.show(app.frmAvvio);
    EXPECT_TRUE(app.frmAvvio.visible());
    EXPECT_FALSE(app.terminated());
}
