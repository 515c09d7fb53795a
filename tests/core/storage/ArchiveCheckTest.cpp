#include "core/storage/ArchiveCheck.h"
#include "core/storage/Prestito.h"
#include "support/Books.h"
#include "support/Users.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

TPrestito loan(const std::string& tessera, const std::string& codice, const std::string& data,
               const std::string& dataRes = "") {
    TPrestito p;
    p.Tesserato = "Utente " + tessera;
    p.NumTessera = tessera;
    p.Codice = codice;
    p.Titolo = "Titolo " + codice;
    p.Data = data;
    p.DataSca = data;
    p.DataRes = dataRes;
    return p;
}

void storeLoans(const std::filesystem::path& file, const std::vector<TPrestito>& loans) {
    std::string bytes = readBytes(file);
    for (const auto& l : loans)
        bytes += l.encode();
    writeBytes(file, bytes);
}

TLibro lentBook(std::string titolo, std::string codice, const std::string& tessera) {
    TLibro b = book(std::move(titolo), std::move(codice));
    b.Prestato = "Tessera n. " + tessera;
    b.Scadenza = "30/04/2022";
    return b;
}

// Every file of the folder with its bytes.
std::map<std::string, std::string> snapshot(const std::filesystem::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        files[e.path().filename().string()] = readBytes(e.path());
    return files;
}

std::string run(const std::filesystem::path& dir, int& status) {
    std::ostringstream out;
    status = check::run(dir, out);
    return out.str();
}

} // namespace

TEST(ArchiveCheck, ASoundFolderIsCleanAndNothingIsCreated) {
    TempDir dir;
    storeUsers(dir.path(), {user("Rossi Mario", "12"), user("Bianchi Anna", "13")});
    storeBooks(dir.path(), {book("Uno", "a1"), lentBook("Due", "A2", "12"), book("Tre", "A3")});
    storeLoans(dir / "2021.bib", {loan("13", "A1", "20/12/2021", "10/01/2022")});
    storeLoans(dir / "2022.bib", {loan("12", "A2", "01/03/2022")});
    const auto before = snapshot(dir.path());
    int status = -1;
    const std::string out = run(dir.path(), status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out, "Controllo degli archivi nella cartella " + dir.path().string() +
                       "\n"
                       "  Tesserati.pro: 2 schede\n"
                       "  Libri.pro: 3 schede\n"
                       "  2021.bib: 1 scheda\n"
                       "  2022.bib: 1 scheda\n"
                       "Nessun problema trovato.\n");
    EXPECT_EQ(snapshot(dir.path()), before);

    // An empty folder: nothing to check, nothing created.
    TempDir empty;
    EXPECT_EQ(run(empty.path(), status),
              "Controllo degli archivi nella cartella " + empty.path().string() +
                  "\n  La cartella non contiene archivi.\nNessun problema trovato.\n");
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(std::filesystem::is_empty(empty.path()));
}

TEST(ArchiveCheck, ReportsEveryKindOfDamage) {
    TempDir dir;
    TTesserato badUser = user("Verdi", "14", "31/02/2022");
    badUser.Annullata = "Sí"; // an acute accent instead of the grave
    badUser.DataRil = "";
    storeUsers(dir.path(), {user("Rossi Mario", "12"), badUser});

    std::string longTitle = book("Lungo", "A4").encode();
    longTitle[TLibro::F::Titolo.offset] = static_cast<char>(251); // beyond the width of 250
    TLibro badFlag = book("Flag", "A5");
    badFlag.Convalida = "Si";
    badFlag.Scadenza = "oggi";
    storeBooks(dir.path(), {book("Uno", "A1"), lentBook("Prestato senza prestito", "A2", "12"), badFlag});
    writeBytes(dir / "Libri.pro", readBytes(dir / "Libri.pro") + longTitle + std::string(100, 'x'));

    storeLoans(dir / "2022.bib",
               {loan("12", "A1", "01/03/2022", "05/03/2022"), loan("99", "ZZ", "2022-03-01"),
                loan("12", "a2", "01/03/2022", "02/03/2022")});
    std::filesystem::create_symlink("/dev/null", dir / "2023.bib");

    int status = -1;
    const std::string out = run(dir.path(), status);
    EXPECT_EQ(status, 1);
    const std::string expected =
        "Tesserati.pro, scheda 2: il campo Annullata vale \"Sí\" invece di \"Sì\" o \"No\".\n"
        "Tesserati.pro, scheda 2: la data DataRil manca.\n"
        "Tesserati.pro, scheda 2: la data DataScade \"31/02/2022\" non è una data valida.\n"
        "Libri.pro: la dimensione (13048 byte) non è un multiplo della scheda (3237 byte): gli ultimi 100 "
        "byte "
        "non formano una scheda intera.\n"
        "Libri.pro, scheda 3: il campo Convalida vale \"Si\" invece di \"Sì\" o \"No\".\n"
        "Libri.pro, scheda 3: la data Scadenza \"oggi\" non è una data valida.\n"
        "Libri.pro, scheda 4: il campo Titolo dichiara 251 caratteri, oltre i 250 previsti.\n"
        "2022.bib, scheda 2: la data Data \"2022-03-01\" non è una data valida.\n"
        "2022.bib, scheda 2: la data DataSca \"2022-03-01\" non è una data valida.\n"
        "2022.bib, scheda 2: la tessera n. \"99\" non appartiene a nessun utente.\n"
        "2022.bib, scheda 2: il libro con codice \"ZZ\" non è in archivio.\n"
        "2023.bib: non è un file ordinario (una cartella, un dispositivo o una FIFO al suo posto).\n"
        "Libri.pro, scheda 2: il libro risulta prestato (\"Tessera n. 12\") ma nessun prestito aperto lo "
        "riguarda.\n"
        "Libri.pro, scheda 3: il libro risulta prestato (scadenza \"oggi\") ma nessun prestito aperto lo "
        "riguarda.\n"
        "Trovati 14 problemi.\n";
    const auto at = out.find("2022.bib: 3 schede\n");
    ASSERT_NE(at, std::string::npos) << out;
    EXPECT_EQ(out.substr(at + 19), expected);
}

TEST(ArchiveCheck, AFolderThatCannotBeRead) {
    TempDir dir;
    int status = -1;
    const std::string out = run(dir / "manca", status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(out.find("Attenzione: non è possibile leggere la cartella"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "manca"));
}
