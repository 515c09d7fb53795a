// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiSupport.h"
#include "core/shell/Password.h"
#include "core/storage/Libro.h"
#include "support/TempDir.h"
#include "ui/CommandLine.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

#include <tuple>

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

TEST(Startup, TheRealProgramOpensOnTheLoginAndTheFirstAccessPasswordShowsTheLauncher) {
    TempDir dir;
    password::installFirstAccess(dir.path());
    ui::Program program(dir.path());
    program.start();

    ui::FormView* login = program.platform.viewOf(program.app.frmPassword);
    ASSERT_NE(login, nullptr);
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(login->windowTitle(), QString::fromUtf8(" Quaderna 3.0 - Autenticazione"));
    EXPECT_EQ(program.platform.viewOf(program.app.frmAvvio), nullptr); // built when first shown

    auto* box = widget<QLineEdit>(program.platform, program.app.frmPassword, "txtPassword");
    auto* ok = widget<QPushButton>(program.platform, program.app.frmPassword, "cmdOK");
    ASSERT_TRUE(box && ok);
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(ok->isEnabled());
    box->setFocus();
    QTest::keyClicks(box, "quaderna");
    EXPECT_TRUE(ok->isEnabled());
    QTest::keyClick(box, Qt::Key_Return);

    EXPECT_TRUE(program.platform.viewOf(program.app.frmAvvio)->isVisible());
    EXPECT_FALSE(login->isVisible());
    EXPECT_EQ(program.platform.viewOf(program.app.frmAvvio)->windowTitle(),
              QString::fromUtf8(" Quaderna 3.0"));
}

TEST(Startup, AWrongPasswordShowsThePlainMessageInItalian) {
    TempDir dir;
    password::installFirstAccess(dir.path());
    ui::Program program(dir.path());
    program.start();
    auto* box = widget<QLineEdit>(program.platform, program.app.frmPassword, "txtPassword");
    QString seen, button;
    whenModal([&](QWidget* w) {
        seen = w->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
        auto* b = w->findChild<QPushButton*>();
        button = b->text();
        b->click();
    });
    box->setFocus();
    QTest::keyClicks(box, "errata");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(seen, QStringLiteral("Attenzione: password errata."));
    EXPECT_EQ(button, QStringLiteral("OK"));
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_TRUE(program.platform.viewOf(program.app.frmPassword)->isVisible());
}

TEST(Startup, ShellOpenEncodesMailAndSearchAddressesForTheDesktop) {
    EXPECT_EQ(ui::QtPlatform::urlFor("\"https://www.google.com/search?q=ISBN:88 04 12345\""),
              QStringLiteral("https://www.google.com/search?q=ISBN:88%2004%2012345"));
    EXPECT_EQ(
        ui::QtPlatform::urlFor("\"mailto:mario.rossi@example.org?subject=Rinnovo tessera&body=Caro Mario & "
                               "C., città\""),
        QStringLiteral(
            "mailto:mario.rossi@example.org?subject=Rinnovo%20tessera&body=Caro%20Mario%20%26%20C.,"
            "%20citt%C3%A0"));
    EXPECT_EQ(ui::QtPlatform::urlFor("\"/dati/Documenti_Allegati/a b.pdf\""),
              QStringLiteral("file:///dati/Documenti_Allegati/a%20b.pdf"));
}

TEST(Startup, TheDesktopIsAskedWhetherAnyProgramOpensAnAddress) {
    // A desktop of its own: nothing registered, then a browser.
    TempDir home;
    std::filesystem::create_directories(home / "data" / "applications");
    std::filesystem::create_directories(home / "config");
    const QByteArray saved[] = {qgetenv("XDG_CONFIG_HOME"), qgetenv("XDG_DATA_HOME"),
                                qgetenv("XDG_DATA_DIRS"), qgetenv("XDG_CONFIG_DIRS"), qgetenv("BROWSER")};
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((home / "config").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((home / "data").string()));
    qputenv("XDG_DATA_DIRS", QByteArray::fromStdString((home / "none").string()));
    qputenv("XDG_CONFIG_DIRS", QByteArray::fromStdString((home / "none").string()));
    qunsetenv("BROWSER");
    const QUrl web(QStringLiteral("https://www.google.com/search?q=ISBN:88"));
    const QUrl mail(QStringLiteral("mailto:mario@example.org"));
    EXPECT_FALSE(ui::QtPlatform::desktopCanOpen(web));
    EXPECT_FALSE(ui::QtPlatform::desktopCanOpen(mail));
    EXPECT_FALSE(ui::QtPlatform::desktopCanOpen(
        QUrl::fromLocalFile(QString::fromStdString((home / "manca.pdf").string()))));

    writeBytes(home / "config" / "mimeapps.list",
               "[Default Applications]\nx-scheme-handler/https=prova.desktop\n");
    writeBytes(
        home / "data" / "applications" / "prova.desktop",
        "[Desktop Entry]\nType=Application\nName=Prova\nExec=true %u\nMimeType=x-scheme-handler/https;\n");
    EXPECT_TRUE(ui::QtPlatform::desktopCanOpen(web));
    EXPECT_FALSE(ui::QtPlatform::desktopCanOpen(mail));

    // The program's shell open says "could not open" when nothing handles the address.
    ui::QtPlatform platform;
    bool handed = false;
    platform.shellOpenHook = [&](const QString&) { handed = true; };
    EXPECT_FALSE(platform.shellOpen("\"mailto:mario@example.org\""));
    EXPECT_FALSE(handed);
    EXPECT_TRUE(platform.shellOpen("\"https://www.google.com/search?q=ISBN:88\""));
    EXPECT_TRUE(handed);

    const char* names[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS", "BROWSER"};
    for (int i = 0; i < 5; ++i)
        if (saved[i].isNull())
            qunsetenv(names[i]);
        else
            qputenv(names[i], saved[i]);
}

TEST(Startup, TheDataFolderComesFromTheCommandLineOrTheEnvironment) {
    qputenv("QUADERNA_DATA_DIR", "/tmp/quaderna-da-ambiente");
    EXPECT_EQ(ui::dataFolder(
                  {QStringLiteral("quaderna"), QStringLiteral("--data-dir"), QStringLiteral("/srv/bib")}),
              std::filesystem::path("/srv/bib"));
    EXPECT_EQ(ui::dataFolder({QStringLiteral("quaderna"), QStringLiteral("--data-dir=/srv/altra")}),
              std::filesystem::path("/srv/altra"));
    EXPECT_EQ(ui::dataFolder({QStringLiteral("quaderna")}),
              std::filesystem::path("/tmp/quaderna-da-ambiente"));
    qunsetenv("QUADERNA_DATA_DIR");
    EXPECT_EQ(ui::dataFolder({QStringLiteral("quaderna")}),
              std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()));
}

TEST(Startup, AnInstalledCopyKeepsItsDataInTheUsersOwnFolder) {
    TempDir dir;
    std::filesystem::create_directories(dir / "portatile");
    std::filesystem::create_directories(dir / "sola-lettura");
    std::filesystem::permissions(dir / "sola-lettura",
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    const QByteArray saved[] = {qgetenv("XDG_DATA_HOME"), qgetenv("HOME"), qgetenv("QUADERNA_DATA_DIR")};
    qunsetenv("QUADERNA_DATA_DIR");
    qputenv("HOME", QByteArray::fromStdString((dir / "casa").string()));
    const QStringList plain{QStringLiteral("quaderna")};
    const QString portable = QString::fromStdString((dir / "portatile").string());
    const QString installed = QString::fromStdString((dir / "sola-lettura").string());

    // A folder the program may write into is its own data folder (a copied or portable folder).
    EXPECT_EQ(ui::dataFolder(plain, portable), dir / "portatile");
    // A folder it may not write into sends it to the user's folder.
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(ui::dataFolder(plain, installed), dir / "casa" / ".local" / "share" / "Quaderna");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "dati-utente").string()));
    EXPECT_EQ(ui::dataFolder(plain, installed), dir / "dati-utente" / "Quaderna");
    qputenv("XDG_DATA_HOME", "relativa"); // not absolute: ignored, as the standard says
    EXPECT_EQ(ui::dataFolder(plain, installed), dir / "casa" / ".local" / "share" / "Quaderna");
    // The option and the variable win.
    qputenv("QUADERNA_DATA_DIR", QByteArray::fromStdString((dir / "da-variabile").string()));
    EXPECT_EQ(ui::dataFolder(plain, installed), dir / "da-variabile");
    EXPECT_EQ(ui::dataFolder({QStringLiteral("quaderna"), QStringLiteral("--data-dir"),
                              QString::fromStdString((dir / "da-opzione").string())},
                             installed),
              dir / "da-opzione");
    qunsetenv("QUADERNA_DATA_DIR");

    // The first start makes the user's folder ready, with the first-access password; later starts
    // leave it as the user made it.
    const auto user = ui::dataFolder(plain, installed);
    EXPECT_TRUE(ui::prepareDataFolder(user));
    EXPECT_TRUE(std::filesystem::exists(user / "unins000.dll"));
    writeBytes(user / "unins000.dll", "[Accesso]\r\nValore=ABC\r\n");
    EXPECT_FALSE(ui::prepareDataFolder(user));
    EXPECT_EQ(readBytes(user / "unins000.dll"), "[Accesso]\r\nValore=ABC\r\n");
    EXPECT_FALSE(ui::prepareDataFolder(dir / "portatile")); // a folder of its own is never touched
    EXPECT_FALSE(std::filesystem::exists(dir / "portatile" / "unins000.dll"));

    // Installed beside its menu entry, the program uses the user's folder even where it could
    // write into its own (as the administrator can).
    std::filesystem::create_directories(dir / "prefisso" / "bin");
    std::filesystem::create_directories(dir / "prefisso" / "share" / "applications");
    writeBytes(dir / "prefisso" / "share" / "applications" / (std::string(ui::kAppId) + ".desktop"), "");
    EXPECT_EQ(ui::dataFolder(plain, QString::fromStdString((dir / "prefisso" / "bin").string())), user);

    const char* names[] = {"XDG_DATA_HOME", "HOME", "QUADERNA_DATA_DIR"};
    for (int i = 0; i < 3; ++i)
        if (saved[i].isNull())
            qunsetenv(names[i]);
        else
            qputenv(names[i], saved[i]);
}

TEST(Startup, TheCommandLineSpeaksItalian) {
    const auto line = [](std::initializer_list<const char*> args) {
        QStringList l{QStringLiteral("quaderna")};
        for (const char* a : args)
            l << QString::fromUtf8(a);
        return ui::parseCommandLine(l);
    };
    EXPECT_TRUE(line({"--help"}).help);
    EXPECT_TRUE(line({"-h"}).help);
    EXPECT_TRUE(line({"--version"}).version);
    EXPECT_TRUE(line({"--check"}).check);
    EXPECT_EQ(line({"--check", "/srv/bib"}).checkFolder, QStringLiteral("/srv/bib"));
    EXPECT_TRUE(line({"--check", "--ripara", "/srv/bib"}).repair);
    EXPECT_FALSE(line({"--check", "/srv/bib"}).repair);
    EXPECT_EQ(line({"--ripara"}).error, QStringLiteral("l'opzione \"ripara\" si usa insieme a --check."));
    EXPECT_TRUE(line({"--data-dir", "/srv/bib", "-platform", "offscreen"}).error.isEmpty());
    EXPECT_EQ(line({"--nonesiste"}).error, QStringLiteral("l'opzione \"nonesiste\" non esiste."));
    EXPECT_EQ(line({"archivio.pro"}).error,
              QString::fromUtf8("\"archivio.pro\" non è un'opzione del programma."));
    EXPECT_FALSE(line({"--data-dir"}).error.isEmpty());
    EXPECT_TRUE(ui::helpText().startsWith(QStringLiteral("Uso: quaderna [opzioni]")));
    EXPECT_TRUE(ui::helpText().contains(QStringLiteral("--check [CARTELLA]")));
    EXPECT_EQ(ui::versionText(), QStringLiteral("Quaderna 3.0\n"));
}

TEST(Startup, AnUnusableDataFolderIsExplainedBeforeAnyWindowOpens) {
    TempDir dir;
    EXPECT_FALSE(ui::checkDataFolder(dir.path()).has_value());
    EXPECT_FALSE(ui::checkDataFolder(dir / "nuova" / "cartella").has_value()); // created when missing
    EXPECT_TRUE(std::filesystem::is_directory(dir / "nuova" / "cartella"));
    writeBytes(dir / "un-file", "x");
    const auto notAFolder = ui::checkDataFolder(dir / "un-file");
    ASSERT_TRUE(notAFolder.has_value());
    EXPECT_TRUE(notAFolder->startsWith(QStringLiteral("Attenzione: la cartella dei dati")));
    std::filesystem::create_directory(dir / "chiusa");
    std::filesystem::permissions(dir / "chiusa", std::filesystem::perms::none);
    const auto unreadable = ui::checkDataFolder(dir / "chiusa");
    ASSERT_TRUE(unreadable.has_value());
    EXPECT_TRUE(unreadable->contains(QStringLiteral("non permette di leggere")));
}

TEST(Startup, CheckReadsTheArchivesWithNoWindowAndNoDisplay) {
    TempDir dir;
    writeBytes(dir / "Libri.pro", std::string(100, 'x'));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QUADERNA_BIN_DIR "/quaderna"),
            {QStringLiteral("--check"), QString::fromStdString(dir.path().string())});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(
        out.contains(QString::fromUtf8("Libri.pro: la dimensione (100 byte) non è un multiplo della scheda")))
        << out.toStdString();
    EXPECT_EQ(readBytes(dir / "Libri.pro"), std::string(100, 'x'));
    EXPECT_FALSE(std::filesystem::exists(dir / "Tesserati.pro"));

    std::filesystem::remove(dir / "Libri.pro");
    p.start(QStringLiteral(QUADERNA_BIN_DIR "/quaderna"),
            {QStringLiteral("--check"), QString::fromStdString(dir.path().string())});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0);
}

// The repairs on the real program: with stdin closed nothing changes; a "s" on stdin makes the
// repair, after the day's copy.
TEST(Startup, CheckRepairsOnlyWhatTheTerminalAgreesTo) {
    TempDir dir;
    TLibro lent;
    lent.Titolo = "Uno";
    lent.Codice = "A1";
    lent.Convalida = "Sì";
    lent.Annullata = "No";
    lent.Prestato = "Tessera n. 12";
    lent.Scadenza = "30/04/2022";
    writeBytes(dir / "Libri.pro", lent.encode());
    const std::string before = readBytes(dir / "Libri.pro");
    const auto repair = [&](const QByteArray& answers) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QUADERNA_BIN_DIR "/quaderna"),
                {QStringLiteral("--check"), QStringLiteral("--ripara"),
                 QString::fromStdString(dir.path().string())});
        EXPECT_TRUE(p.waitForStarted(20000));
        p.write(answers);
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(20000));
        return std::make_pair(p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).toStdString());
    };
    auto [status, out] = repair({});
    EXPECT_EQ(status, 1) << out;
    EXPECT_NE(out.find("Libri.pro, scheda 1: rendere il libro disponibile per il prestito? [s/N] "),
              std::string::npos)
        << out;
    EXPECT_EQ(readBytes(dir / "Libri.pro"), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "Backup"));

    std::tie(status, out) = repair("s\n");
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("Fatto."), std::string::npos) << out;
    EXPECT_NE(readBytes(dir / "Libri.pro"), before);
    bool copied = false;
    for (const auto& day : std::filesystem::directory_iterator(dir / "Backup"))
        copied = readBytes(day.path() / "Libri.pro") == before;
    EXPECT_TRUE(copied);
}
