// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/Password.h"
#include "core/shell/Crypt.h"
#include "core/storage/Ini.h"
#include "support/AppFixture.h"
#include "support/Faults.h"

#include <functional>
#include <sys/stat.h>

using namespace quaderna;
using namespace quaderna::testing;

TEST(Crypt, RoundTripAndOddLength) {
    for (const char* s : {"", "A", "QUADERNA", "PAROLA D'ORDINE èé", "\x01\xC3\xBF 123"}) {
        const std::string hex = Crypt::Scramble(s);
        EXPECT_EQ(hex.size() % 2, 0u);
        EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
        EXPECT_EQ(Crypt::Unscramble(hex), std::string(s));
        // A final single digit is ignored.
        EXPECT_EQ(Crypt::Unscramble(hex + "7"), std::string(s));
    }
    EXPECT_NE(Crypt::Scramble("AB").substr(2), Crypt::Scramble("BB").substr(2)); // the key runs on
    EXPECT_FALSE(Crypt::Unscramble("0G").has_value());
    EXPECT_FALSE(Crypt::Unscramble("AB  CD").has_value());
}

class Login : public AppFixture {
protected:
    void SetUp() override {
        password::writeStored(dir.path(), "SEGRETO");
        app.start();
    }
    TfrmPassword& login = app.frmPassword;
};

TEST_F(Login, StartsOnTheLoginWindowWithOkDisabled) {
    EXPECT_TRUE(login.visible());
    EXPECT_FALSE(app.frmAvvio.visible());
    EXPECT_TRUE(login.hasFocus(login.txtPassword));
    EXPECT_FALSE(login.cmdOK.enabled);
    person.type(login.txtPassword, "   ");
    EXPECT_FALSE(login.cmdOK.enabled);
    person.press(login.txtPassword, VK::Return);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(login.visible());
}

TEST_F(Login, AcceptsThePasswordInAnyCaseOfAToZWithBlanksAround) {
    for (const char* typed : {"segreto", "SEGRETO", " SeGrEtO  "}) {
        login.txtPassword.text.clear();
        person.type(login.txtPassword, typed);
        EXPECT_TRUE(login.cmdOK.enabled);
        person.click(login.cmdOK);
        EXPECT_TRUE(app.frmAvvio.visible()) << typed;
        EXPECT_FALSE(login.visible());
        app.hide(app.frmAvvio);
        app.show(login);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Login, WrongPasswordIsRefusedAndTheBoxEmptied) {
    person.type(login.txtPassword, "sbagliata\r");
    EXPECT_EQ(ui.lastMessage().kind, Shown::Plain);
    EXPECT_EQ(ui.lastText(), "Attenzione: password errata.");
    EXPECT_EQ(login.txtPassword.text, "");
    EXPECT_FALSE(login.cmdOK.enabled);
    EXPECT_TRUE(login.hasFocus(login.txtPassword));
    EXPECT_FALSE(app.frmAvvio.visible());
}

TEST_F(Login, AccentedLettersAreNotFolded) {
    password::writeStored(dir.path(), "CAFFè");
    person.type(login.txtPassword, "caffÈ\r"); // È does not match è
    EXPECT_EQ(ui.lastText(), "Attenzione: password errata.");
    person.type(login.txtPassword, "caffè\r");
    EXPECT_TRUE(app.frmAvvio.visible());
}

TEST_F(Login, MissingOrDamagedPasswordFile) {
    std::filesystem::remove(file("unins000.dll"));
    person.type(login.txtPassword, "x\r");
    EXPECT_EQ(ui.lastText(), "Attenzione: password errata.");

    writeBytes(file("unins000.dll"), "[Accesso]\r\nValore=ZZ12\r\n");
    person.type(login.txtPassword, "x\r");
    EXPECT_EQ(ui.lastText(), "Attenzione: si è verificato un errore durante la procedura di lettura della "
                             "password. Si consiglia di reinstallare il software.");
    EXPECT_TRUE(login.visible());
}

TEST_F(Login, APasswordFileThatIsNoFileGivesTheReadMessageAtOnce) {
    HangGuard guard(20); // a FIFO would otherwise keep the login waiting for ever
    const std::string lettura = "Attenzione: si è verificato un errore durante la procedura di lettura "
                                "della password. Si consiglia di reinstallare il software.";
    const auto pwd = file("unins000.dll");
    const auto fifo = [&] { ::mkfifo(pwd.c_str(), 0644); };
    const auto zero = [&] { std::filesystem::create_symlink("/dev/zero", pwd); };
    const auto big = [&] { writeBytes(pwd, "[Accesso]\r\nValore=\r\n" + std::string(2 << 20, ';')); };
    for (const auto& make :
         {std::function<void()>(fifo), std::function<void()>(zero), std::function<void()>(big)}) {
        std::filesystem::remove(pwd);
        make();
        person.type(login.txtPassword, "segreto\r");
        EXPECT_EQ(ui.lastText(), lettura);
        EXPECT_TRUE(login.visible());
        EXPECT_FALSE(app.frmAvvio.visible());
    }
}

TEST_F(Login, EsciEndsTheProgram) {
    person.click(login.cmdEsci);
    EXPECT_TRUE(app.terminated());
    EXPECT_TRUE(ui.terminated);
}

TEST_F(Login, TheTitleBarCannotCloseIt) {
    EXPECT_FALSE(app.close(login));
    EXPECT_TRUE(login.visible());
    EXPECT_FALSE(app.terminated());
}

class ChangePassword : public Login {
protected:
    void SetUp() override {
        Login::SetUp();
        person.click(login.btnCambiaPassword);
    }
    TfrmCambiaPassword& change = app.frmCambiaPassword;
    void fill(const char* old, const char* nuova, const char* conferma) {
        person.type(change.txtPasswordOld, old);
        person.type(change.txtPasswordNew, nuova);
        person.type(change.txtConferma, conferma);
    }
};

TEST_F(ChangePassword, OpensEmptyAndEnterOnlyMovesAlongTheChain) {
    EXPECT_TRUE(change.visible());
    EXPECT_FALSE(login.visible());
    EXPECT_TRUE(change.hasFocus(change.txtPasswordOld));
    EXPECT_FALSE(change.cmdOK.enabled);
    fill("segreto", "nuova", "nuova");
    EXPECT_TRUE(change.cmdOK.enabled);
    person.press(change.txtConferma, VK::Return);
    EXPECT_TRUE(change.hasFocus(change.txtPasswordOld));
    person.press(change.txtPasswordOld, VK::Return);
    EXPECT_TRUE(change.hasFocus(change.txtPasswordNew));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(password::readStored(dir.path()), "SEGRETO");
}

TEST_F(ChangePassword, SuccessfulChangeReturnsToAnEmptyLoginThatTakesOnlyTheNewPassword) {
    fill(" Segreto ", "Nuova Chiave", "Nuova Chiave");
    person.click(change.cmdOK);
    EXPECT_EQ(ui.lastText(), "Modifica della password completata con successo.");
    EXPECT_FALSE(change.visible());
    EXPECT_TRUE(login.visible());
    EXPECT_EQ(login.txtPassword.text, "");
    EXPECT_TRUE(login.hasFocus(login.txtPassword));
    EXPECT_EQ(password::readStored(dir.path()), "NUOVA CHIAVE");
    EXPECT_EQ(ini::readString(file("unins000.dll"), "Accesso", "Valore"), Crypt::Scramble("NUOVA CHIAVE"));

    person.type(login.txtPassword, "segreto\r");
    EXPECT_EQ(ui.lastText(), "Attenzione: password errata.");
    person.type(login.txtPassword, "nuova chiave\r");
    EXPECT_TRUE(app.frmAvvio.visible());
}

TEST_F(ChangePassword, RefusalsKeepTheOldPassword) {
    fill("sbagliata", "abc", "abc");
    person.click(change.cmdOK);
    EXPECT_EQ(ui.lastText(), "Attenzione: vecchia password errata.");
    EXPECT_EQ(change.txtPasswordOld.text, "");
    EXPECT_EQ(change.txtPasswordNew.text, "abc");
    EXPECT_TRUE(change.hasFocus(change.txtPasswordOld));

    // Confirmation compares with letter case, although both would be stored alike.
    change.txtPasswordNew.text.clear();
    change.txtConferma.text.clear();
    fill("segreto", "abc", "ABC");
    person.click(change.cmdOK);
    EXPECT_EQ(ui.lastText(), "Attenzione: la nuova password non è stata confermata correttamente. E' "
                             "necessario reinserire entrambi i valori.");
    EXPECT_EQ(change.txtPasswordNew.text, "");
    EXPECT_EQ(change.txtConferma.text, "");
    EXPECT_TRUE(change.hasFocus(change.txtPasswordNew));
    EXPECT_TRUE(change.visible());
    EXPECT_EQ(password::readStored(dir.path()), "SEGRETO");
}

TEST_F(ChangePassword, RefusesCharactersTheScrambleCannotKeep) {
    fill("segreto", "prezzo€", "prezzo€");
    person.click(change.cmdOK);
    EXPECT_NE(ui.lastText().find("non possono essere memorizzati"), std::string::npos);
    EXPECT_TRUE(change.visible());
    EXPECT_TRUE(change.hasFocus(change.txtPasswordNew));
    EXPECT_EQ(password::readStored(dir.path()), "SEGRETO");
}

TEST_F(ChangePassword, UnwritableOrDamagedPasswordFile) {
    const auto pwd = file("unins000.dll");
    const std::string before = readBytes(pwd);
    makeReadOnly(pwd);
    fill("segreto", "altra", "altra");
    person.click(change.cmdOK);
    const std::string errore = "Attenzione: si è verificato un errore durante la procedura di modifica della "
                               "password. Si consiglia di reinstallare il software.";
    EXPECT_EQ(ui.lastText(), errore);
    EXPECT_TRUE(change.visible());
    EXPECT_EQ(readBytes(pwd), before);

    std::filesystem::permissions(pwd, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    writeBytes(pwd, "[Accesso]\r\nValore=not hex\r\n");
    person.click(change.cmdOK);
    EXPECT_EQ(ui.lastText(), errore);
}

TEST_F(ChangePassword, AFullDiskOrAFolderWithoutRoomForANewFileKeepsTheOldPassword) {
    const auto pwd = file("unins000.dll");
    const std::string before = readBytes(pwd);
    const std::string errore = "Attenzione: si è verificato un errore durante la procedura di modifica della "
                               "password. Si consiglia di reinstallare il software.";
    const std::string lunga(120, 'x'); // its scramble does not fit in what is left of the disk
    {
        DiskFull full(before.size() + 20);
        fill("segreto", lunga.c_str(), lunga.c_str());
        person.click(change.cmdOK);
    }
    EXPECT_EQ(ui.lastText(), errore);
    EXPECT_EQ(readBytes(pwd), before);

    // No temporary file can be made: the file itself is writable, but it is not rewritten in place.
    makeReadOnly(dir.path());
    {
        DiskFull full(before.size() + 20);
        person.click(change.cmdOK);
    }
    EXPECT_EQ(ui.lastText(), errore);
    EXPECT_EQ(readBytes(pwd), before);

    person.click(change.cmdEsci);
    person.type(login.txtPassword, "segreto\r");
    EXPECT_TRUE(app.frmAvvio.visible());
}

TEST_F(ChangePassword, ChiudiGoesBackToTheLogin) {
    fill("segreto", "x", "x");
    person.click(change.cmdEsci);
    EXPECT_FALSE(change.visible());
    EXPECT_TRUE(login.visible());
    EXPECT_EQ(password::readStored(dir.path()), "SEGRETO");
    person.click(login.btnCambiaPassword);
    EXPECT_EQ(change.txtPasswordOld.text, ""); // shown again, empty again
}

TEST(FirstAccess, WrittenOnlyWhenMissing) {
    TempDir dir;
    EXPECT_TRUE(password::installFirstAccess(dir.path()));
    EXPECT_EQ(password::readStored(dir.path()), password::FirstAccess);
    password::writeStored(dir.path(), "CAMBIATA");
    EXPECT_FALSE(password::installFirstAccess(dir.path()));
    EXPECT_EQ(password::readStored(dir.path()), "CAMBIATA");
}

class FirstAccessLine : public AppFixture {
protected:
    void SetUp() override {
        password::installFirstAccess(dir.path());
        app.start();
    }
    TfrmPassword& login = app.frmPassword;
    TfrmCambiaPassword& change = app.frmCambiaPassword;
    void changeTo(const char* old, const char* nuova) {
        person.click(login.btnCambiaPassword);
        person.type(change.txtPasswordOld, old);
        person.type(change.txtPasswordNew, nuova);
        person.type(change.txtConferma, nuova);
        person.click(change.cmdOK);
        EXPECT_EQ(ui.lastText(), "Modifica della password completata con successo.");
        ASSERT_TRUE(login.visible());
    }
};

TEST_F(FirstAccessLine, ShownOnlyWhileTheFirstAccessPasswordIsTheOneInUse) {
    EXPECT_TRUE(login.lblPrimoAccesso.visible);
    EXPECT_EQ(login.lblPrimoAccesso.text, "Password di primo accesso:\nQUADERNA");
    changeTo("quaderna", "biblioteca");
    EXPECT_FALSE(login.lblPrimoAccesso.visible);
    // Put back (in any case of letters): the line tells it again.
    changeTo("biblioteca", "Quaderna");
    EXPECT_TRUE(login.lblPrimoAccesso.visible);
    // Closing the change window without a change shows the login as it stands.
    person.click(login.btnCambiaPassword);
    person.click(change.cmdEsci);
    EXPECT_TRUE(login.lblPrimoAccesso.visible);
    // A password file that cannot be read gives no line: it may not be the password in use.
    for (const char* bytes : {"[Accesso]\r\nValore=ZZ12\r\n", ""}) {
        writeBytes(file("unins000.dll"), bytes);
        person.click(login.btnCambiaPassword);
        person.click(change.cmdEsci);
        EXPECT_FALSE(login.lblPrimoAccesso.visible) << bytes;
    }
}
