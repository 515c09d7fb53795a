// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Backup.h"
#include "core/shell/Password.h"
#include "support/AppFixture.h"
#include "support/Books.h"

#include <algorithm>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

std::vector<std::string> names(const std::filesystem::path& folder) {
    std::vector<std::string> r;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
        r.push_back(e.path().filename().string());
    std::sort(r.begin(), r.end());
    return r;
}

const char* const kCopiaNonRiuscita =
    "Attenzione: la copia di sicurezza di oggi nella cartella Backup non è riuscita.";

} // namespace

TEST(Backup, TheFirstWriteOfADayKeepsTheFileAsItWas) {
    TempDir dir;
    const auto libri = dir / "Libri.pro";
    const Date day{2022, 3, 10};
    backup::beforeWrite(dir.path(), libri, day); // nothing to keep yet
    EXPECT_FALSE(std::filesystem::exists(dir / "Backup"));

    writeBytes(libri, "mattina");
    backup::beforeWrite(dir.path(), libri, day);
    const auto copy = dir / "Backup" / "2022-03-10" / "Libri.pro";
    EXPECT_EQ(readBytes(copy), "mattina");
    writeBytes(libri, "pomeriggio");
    backup::beforeWrite(dir.path(), libri, day);
    EXPECT_EQ(readBytes(copy), "mattina"); // the day's copy is the state before its first change
    EXPECT_EQ(names(dir / "Backup" / "2022-03-10"), std::vector<std::string>{"Libri.pro"});

    backup::beforeWrite(dir.path(), libri, Date{2022, 3, 11});
    EXPECT_EQ(readBytes(dir / "Backup" / "2022-03-11" / "Libri.pro"), "pomeriggio");
    EXPECT_EQ(readBytes(libri), "pomeriggio");
}

TEST(Backup, TheLastFourteenDaysAreKeptAndNothingElseIsTouched) {
    TempDir dir, elsewhere;
    writeBytes(dir / "Tesserati.pro", "utenti");
    std::filesystem::create_directories(dir / "Backup" / "vecchie copie");
    writeBytes(dir / "Backup" / "LEGGIMI.txt", "note");
    std::filesystem::create_directories(elsewhere / "2000-01-01");
    writeBytes(elsewhere / "2000-01-01" / "Libri.pro", "altrove");
    std::filesystem::create_directory_symlink(elsewhere / "2000-01-01", dir / "Backup" / "2000-01-01");
    // Twenty days with changes, some of them weeks apart.
    for (int i = 0; i < 20; ++i)
        backup::beforeWrite(dir.path(), dir / "Tesserati.pro", Date{2022, 1, 1}.addDays(i * 3));
    const auto left = names(dir / "Backup");
    std::vector<std::string> days;
    std::copy_if(left.begin(), left.end(), std::back_inserter(days),
                 [](const std::string& n) { return n.rfind("2022-", 0) == 0; });
    ASSERT_EQ(days.size(), 14u);
    EXPECT_EQ(days.front(), "2022-01-19");
    EXPECT_EQ(days.back(), "2022-02-27");
    EXPECT_TRUE(std::filesystem::exists(dir / "Backup" / "vecchie copie"));
    EXPECT_TRUE(std::filesystem::exists(dir / "Backup" / "LEGGIMI.txt"));
    EXPECT_EQ(readBytes(elsewhere / "2000-01-01" / "Libri.pro"), "altrove");
}

class DailyCopies : public AppFixture {
protected:
    void SetUp() override {
        password::writeStored(dir.path(), "SEGRETO");
        app.start();
    }
    void saveNewBook(const char* titolo, const char* codice) {
        TfrmLibri& w = app.frmLibri;
        person.click(w.cmdNuovo);
        person.type(w.txtTitolo, titolo);
        person.type(w.txtCodice, codice);
        person.type(w.txtAutore, "Autore");
        w.txtConvalida.text = std::string(kSi);
        person.click(w.cmdSalva);
    }
};

TEST_F(DailyCopies, SavingABookKeepsTheMorningArchive) {
    storeBooks(dir.path(), {book("Uno", "A1")});
    const std::string morning = readBytes(dir / "Libri.pro");
    app.show(app.frmLibri);
    saveNewBook("Due", "A2");
    saveNewBook("Tre", "A3");
    EXPECT_EQ(ui.lastText(), "La scheda corrente è stata inserita in archivio.");
    EXPECT_EQ(readBytes(dir / "Backup" / "2022-03-10" / "Libri.pro"), morning);
    EXPECT_TRUE(ui.statuses.empty());

    ui.fixedToday = {2022, 3, 11};
    saveNewBook("Quattro", "A4");
    EXPECT_EQ(std::filesystem::file_size(dir / "Backup" / "2022-03-11" / "Libri.pro"), 3 * TLibro::Size);
}

TEST_F(DailyCopies, AFailedCopyNeverStopsTheWorkAndIsSaidOnce) {
    storeBooks(dir.path(), {book("Uno", "A1")});
    writeBytes(dir / "Backup", "not a folder"); // no day folder can be made
    app.show(app.frmLibri);
    saveNewBook("Due", "A2");
    saveNewBook("Tre", "A3");
    EXPECT_EQ(ui.lastText(), "La scheda corrente è stata inserita in archivio.");
    EXPECT_EQ(storedBooks(dir.path()).size(), 3u);
    ASSERT_EQ(ui.statuses.size(), 1u);
    EXPECT_EQ(ui.statuses[0], std::make_pair(std::string("TfrmLibri"), std::string(kCopiaNonRiuscita)));

    // The user window writes on too, and says nothing more the same day.
    TfrmAnagrafica& u = app.frmAnagrafica;
    writeBytes(dir / "Tesserati.pro", "");
    app.show(u);
    person.type(u.txtTesserato, "Rossi Mario");
    person.type(u.txtNumTessera, "12");
    person.type(u.txtDataScade, "31/12/2022");
    person.click(u.cmdSalva);
    EXPECT_EQ(ui.lastText(), "La scheda corrente è stata inserita in archivio.");
    EXPECT_EQ(ui.statuses.size(), 1u);
}

TEST_F(DailyCopies, ChangingThePasswordKeepsTheOldPasswordFile) {
    const std::string before = readBytes(dir / "unins000.dll");
    TfrmCambiaPassword& c = app.frmCambiaPassword;
    person.click(app.frmPassword.btnCambiaPassword);
    person.type(c.txtPasswordOld, "segreto");
    person.type(c.txtPasswordNew, "nuova");
    person.type(c.txtConferma, "nuova");
    person.click(c.cmdOK);
    EXPECT_EQ(ui.lastText(), "Modifica della password completata con successo.");
    EXPECT_EQ(readBytes(dir / "Backup" / "2022-03-10" / "unins000.dll"), before);
    EXPECT_EQ(password::readStored(dir.path()), "NUOVA");
}
