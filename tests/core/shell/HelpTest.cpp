// SPDX-License-Identifier: GPL-3.0-or-later
// The help window from every help command, the link to the user guide, and the launcher's
// information and credits windows with their links.

#include "core/export/ExpAnagrafica.h"
#include "core/export/ExpLibri.h"
#include "core/export/ExpPrestiti.h"
#include "core/export/ExpPrestitiSca.h"
#include "core/history/RiepilogoPrestiti.h"
#include "core/shell/Guida.h"
#include "core/shell/HelpTexts.h"
#include "core/shell/Info.h"
#include "core/shell/Splash.h"
#include "support/AppFixture.h"

#include <set>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

class Help : public AppFixture {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmAvvio);
        app.hide(app.frmPassword);
    }
    struct Seen {
        std::string caption, title, text;
    };
    // Clicks a help command and reads the help window it opens.
    Seen helpOf(Control& command) {
        Seen seen;
        ui.onDialog<TfrmGuida>([&](TfrmGuida& g) {
            seen = {g.caption, g.lblTitolo.text, g.txtGuida.text};
            EXPECT_EQ(g.owner(), &command.form());
            person.click(g.btnChiudi);
            EXPECT_FALSE(g.visible());
        });
        const std::size_t before = ui.dialogsShown.size();
        person.click(command);
        EXPECT_EQ(ui.dialogsShown.size(), before + 1);
        return seen;
    }
};

} // namespace

TEST_F(Help, EveryHelpCommandOfTheProgramShowsItsOwnTopic) {
    const struct {
        Form& window;
        Control& command;
        const char* title;
    } commands[] = {
        {app.frmAvvio, app.frmAvvio.imgGuida, "Uno sguardo a Quaderna 3.0."},
        {app.frmMenuPrestiti, app.frmMenuPrestiti.imgGuida, "Applicazione Prestiti e Restituzioni."},
        {app.frmMenuStorico, app.frmMenuStorico.imgGuida, "Applicazione Storico e Statistiche."},
        {app.frmLibri, app.frmLibri.cmdGuida, "Applicazione Archivio Libri."},
        {app.frmConsultaLibri, app.frmConsultaLibri.cmdGuida, "Applicazione Consultazione Catalogo Libri."},
        {app.frmAnagrafica, app.frmAnagrafica.cmdGuida, "Applicazione Archivio Utenti."},
        {app.frmTessera, app.frmTessera.imgGuida, "Applicazione Stampa Tessere."},
        {app.frmPrestiti, app.frmPrestiti.icoGuida, "Applicazione Prestiti e Restituzioni."},
        {app.frmRestituzioni, app.frmRestituzioni.icoGuida, "Applicazione Prestiti e Restituzioni."},
        {app.frmStatistiche, app.frmStatistiche.imgGuida, "Grafici statistici prestiti mensili."},
        {app.frmStatistiche, app.frmStatistiche.cmdGuida, "Grafici statistici prestiti mensili."},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.title);
        app.show(c.window);
        const Seen seen = helpOf(c.command);
        EXPECT_EQ(seen.caption, " Guida all'utilizzo del software");
        EXPECT_EQ(seen.title, c.title);
        ASSERT_NE(help::find(c.title), nullptr);
        EXPECT_EQ(seen.text, help::find(c.title)->text());
        // The window that asked for help is still there, as it was.
        EXPECT_TRUE(c.window.visible());
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Help, TheHistoryListAndTheExportWindowsShowTheirOwnTopics) {
    TfrmRiepilogoPrestiti storico(app);
    TfrmExpLibri libri(app);
    TfrmExpAnagrafica utenti(app);
    TfrmExpPrestiti prestiti(app);
    TfrmExpPrestitiSca scaduti(app);
    const struct {
        Control& command;
        const char* title;
    } commands[] = {
        {storico.imgGuida, "Riepilogo storico prestiti librari."},
        {libri.cmdGuida, "Esportazione archivio libri in Microsoft Excel."},
        {utenti.cmdGuida, "Esportazione archivio anagrafico utenti in Microsoft Excel."},
        {prestiti.cmdGuida, "Esportazione archivio prestiti libri in Microsoft Excel."},
        {scaduti.cmdGuida, "Riepilogo prestiti scaduti in Microsoft Excel."},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.title);
        const Seen seen = helpOf(c.command);
        EXPECT_EQ(seen.title, c.title);
        ASSERT_NE(help::find(c.title), nullptr);
        EXPECT_EQ(seen.text, help::find(c.title)->text());
    }
}

TEST_F(Help, TheWindowsOfOneTopicShowTheSameText) {
    // The loans sub-menu and the loan and return windows share one topic; each asks for it by its
    // title, so what one shows is what the others show.
    app.show(app.frmMenuPrestiti);
    const Seen fromMenu = helpOf(app.frmMenuPrestiti.imgGuida);
    Seen direct;
    ui.onDialog<TfrmGuida>([&](TfrmGuida& g) { direct = {g.caption, g.lblTitolo.text, g.txtGuida.text}; });
    showHelp(app.frmLibri, help::PrestitiRestituzioni);
    EXPECT_EQ(direct.title, fromMenu.title);
    EXPECT_EQ(direct.text, fromMenu.text);
    std::size_t sharing = 0;
    for (const auto& w : help::windows())
        sharing += w.topic == help::PrestitiRestituzioni;
    EXPECT_EQ(sharing, 3u);
}

TEST_F(Help, FifteenWindowsThirteenTopicsEachAFewParagraphsOfItsOwn) {
    const auto& windows = help::windows();
    EXPECT_EQ(windows.size(), 15u);
    std::set<std::string_view> classes, titles, used;
    for (const auto& w : windows) {
        classes.insert(w.className);
        used.insert(w.topic);
        EXPECT_NE(help::find(w.topic), nullptr) << w.className;
    }
    EXPECT_EQ(classes.size(), 15u);
    EXPECT_EQ(help::topics().size(), 13u);
    for (const auto& t : help::topics()) {
        SCOPED_TRACE(std::string(t.title));
        titles.insert(t.title);
        EXPECT_EQ(t.title.back(), '.');
        EXPECT_GE(t.paragraphs.size(), 3u);
        for (std::string_view p : t.paragraphs) {
            EXPECT_GT(p.size(), 80u);
            EXPECT_EQ(p.find_first_of("\r\n"), std::string_view::npos);
        }
        // The paragraphs are joined by an empty line.
        EXPECT_NE(t.text().find("\r\n\r\n"), std::string::npos);
    }
    EXPECT_EQ(titles, used);
}

TEST_F(Help, TheHelpWindowStartsFromItsDesignAndAnUnknownTitleShowsNoText) {
    TfrmGuida g(app);
    EXPECT_EQ(g.lblTitolo.text, "Argomento della guida.");
    EXPECT_EQ(g.lnkWeb.text, "Visualizza guida in formato PDF");
    EXPECT_EQ(g.lnkWeb.colour, colours::DarkBlue);
    g.setTopic(help::EsportaLibri);
    EXPECT_EQ(g.lblTitolo.text, "Esportazione archivio libri in Microsoft Excel.");
    g.setTopic("Nessun argomento.");
    EXPECT_EQ(g.txtGuida.text, "");
}

TEST_F(Help, TheLinkIsOrangeWhileHeldAndOpensTheGuideBesideTheProgram) {
    app.show(app.frmLibri);
    ui.onDialog<TfrmGuida>([&](TfrmGuida& g) {
        EXPECT_TRUE(g.hasFocus(g.btnChiudi));
        EXPECT_TRUE(g.lnkWeb.visible && g.imgPDF.visible);
        // Held on the text or on its icon: orange until the button is released, wherever.
        for (Button* where : {static_cast<Button*>(&g.lnkWeb), &g.imgPDF}) {
            person.mouseDown(*where);
            EXPECT_EQ(g.lnkWeb.colour, colours::Orange);
            person.mouseUp(*where);
            EXPECT_EQ(g.lnkWeb.colour, colours::DarkBlue);
        }
        EXPECT_TRUE(ui.shellOpened.empty());
        // A click follows the link; with no guide nothing else happens.
        ui.shellOpenSucceeds = false;
        person.click(g.lnkWeb);
        person.click(g.imgPDF);
        person.press(g.lnkWeb, VK::Return);
        EXPECT_EQ(g.lnkWeb.colour, colours::DarkBlue);
        EXPECT_TRUE(ui.messages.empty());
        // A guide that nothing on this computer opens is said, and the window stays.
        writeBytes(dir / "Guida.pdf", "%PDF-1.4\n");
        person.click(g.lnkWeb);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.lastText(),
                  "Attenzione: il sistema non permette di aprire la guida in formato PDF.\n\r\n\r"
                  "Accertarsi che sul computer sia installato un programma per la lettura dei "
                  "file PDF.");
        EXPECT_EQ(ui.messages.back().kind, Shown::Warning);
        EXPECT_TRUE(g.visible());
        // Opened: nothing to say.
        ui.shellOpenSucceeds = true;
        person.click(g.imgPDF);
        EXPECT_EQ(ui.messages.size(), 1u);
        person.click(g.btnChiudi);
    });
    person.click(app.frmLibri.cmdGuida);
    const std::string guide = "\"" + (dir / "Guida.pdf").string() + "\"";
    EXPECT_EQ(ui.shellOpened, (std::vector<std::string>{guide, guide, guide, guide, guide}));
}

TEST_F(Help, TheGuideIsTheOneBesideTheProgramElseTheInstalledOne) {
    ui.programFolderPath = dir / "bin";
    std::filesystem::create_directories(dir / "bin");
    std::filesystem::create_directories(dir / "share" / "quaderna");
    const auto beside = dir / "bin" / "Guida.pdf", installed = dir / "share" / "quaderna" / "Guida.pdf";
    const struct {
        bool besideExists, installedExists;
        std::filesystem::path opened;
    } cases[] = {
        {false, false, beside}, // nothing to open: the desktop is told the usual place
        {false, true, installed},
        {true, true, beside},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(beside);
        std::filesystem::remove(installed);
        if (c.besideExists)
            writeBytes(beside, "%PDF");
        if (c.installedExists)
            writeBytes(installed, "%PDF");
        EXPECT_EQ(guideFile(app), c.opened);
    }
}

TEST_F(Help, InformationAndCreditsOpenFromTheLauncherWithTheirLinks) {
    // An installed copy: the readme with the package's documents, the licence with its shared
    // files; the launcher's strip opens the licence as the credits link does.
    ui.programFolderPath = dir / "bin";
    const auto readme = dir / "share" / "doc" / "quaderna" / "README.md";
    const auto licence = dir / "share" / "quaderna" / "LICENSE";
    std::filesystem::create_directories(readme.parent_path());
    std::filesystem::create_directories(licence.parent_path());
    writeBytes(readme, "# Quaderna");
    writeBytes(licence, "GNU GENERAL PUBLIC LICENSE");
    ui.onDialog<TfrmInfo>([&](TfrmInfo& w) {
        EXPECT_EQ(w.caption, " Informazioni su Quaderna 3.0");
        EXPECT_EQ(w.lnkWeb.text, "Leggi la documentazione del programma");
        person.mouseDown(w.imgEmail);
        EXPECT_EQ(w.lnkWeb.colour, colours::Orange);
        person.mouseUp(w.imgEmail);
        person.click(w.lnkWeb);
        EXPECT_EQ(w.lnkWeb.colour, colours::DarkBlue);
        person.click(w.btnChiudi);
        EXPECT_FALSE(w.visible());
    });
    ui.onDialog<TfrmSplash>([&](TfrmSplash& w) {
        EXPECT_EQ(w.caption, " Quaderna 3.0 - Versione 3.0 - Quaderna Software");
        EXPECT_EQ(w.lnkWeb.text, "Licenza GNU GPL, versione 3 o successiva");
        person.click(w.imgWeb);
        person.click(w.btnChiudi);
    });
    person.click(app.frmAvvio.imgInfo);
    person.click(app.frmAvvio.imgCopyright);
    person.click(app.frmAvvio.icoSito);
    EXPECT_EQ(ui.dialogsShown, (std::vector<std::string>{"TfrmInfo", "TfrmSplash"}));
    EXPECT_EQ(ui.shellOpened,
              (std::vector<std::string>{"\"" + readme.string() + "\"", "\"" + licence.string() + "\"",
                                        "\"" + licence.string() + "\""}));
    EXPECT_TRUE(app.frmAvvio.visible());
}
