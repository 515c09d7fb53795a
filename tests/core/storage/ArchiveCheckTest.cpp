// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/ArchiveCheck.h"
#include "core/storage/Prestito.h"
#include "core/storage/RecordFile.h"
#include "support/Books.h"
#include "support/Users.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

TPrestito loan(const std::string& tessera, const std::string& codice, const std::string& data,
               const std::string& dataRes = "", const std::string& dataSca = "") {
    TPrestito p;
    p.Tesserato = "Utente " + tessera;
    p.NumTessera = tessera;
    p.Codice = codice;
    p.Titolo = "Titolo " + codice;
    p.Data = data;
    p.DataSca = dataSca.empty() ? data : dataSca;
    p.DataRes = dataRes;
    return p;
}

void storeLoans(const std::filesystem::path& file, const std::vector<TPrestito>& loans) {
    std::string bytes = readBytes(file);
    for (const auto& l : loans)
        bytes += l.encode();
    writeBytes(file, bytes);
}

TLibro lentBook(std::string titolo, std::string codice, const std::string& tessera,
                const std::string& scadenza = "30/04/2022") {
    TLibro b = book(std::move(titolo), std::move(codice));
    b.Prestato = "Tessera n. " + tessera;
    b.Scadenza = scadenza;
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
        "    riparazione: togliere gli ultimi 100 byte, che non formano una scheda (restano nella copia del "
        "giorno, in Backup).\n"
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
        "    riparazione: rendere il libro disponibile per il prestito.\n"
        "Libri.pro, scheda 3: il libro risulta prestato (scadenza \"oggi\") ma nessun prestito aperto lo "
        "riguarda.\n"
        "    riparazione: rendere il libro disponibile per il prestito.\n"
        "Trovati 14 problemi.\n"
        "3 problemi si possono riparare con quaderna --check --ripara, che chiede conferma prima di ogni "
        "modifica e prima copia ogni archivio da modificare in Backup.\n";
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

namespace {

// The findings of a check, one line each, with the repair after a " => ".
std::vector<std::string> findings(const std::filesystem::path& dir) {
    std::vector<std::string> r;
    for (const auto& f : check::checkArchives(dir).findings)
        r.push_back((f.record > 0 ? f.file + ", scheda " + std::to_string(f.record) : f.file) + ": " +
                    f.text + (f.repair ? " => " + f.repair->what : ""));
    return r;
}

const Date kToday{2022, 5, 2};

} // namespace

// Copies sharing a code (as imported or older archives have them) are judged one by one: each open
// loan belongs to the copy lent to its card with its due date, and what is left over is reported
// with the repair that mends it.
TEST(ArchiveCheck, BooksAndOpenLoansAreMatchedCopyByCopy) {
    const std::string kDue1 = "30/04/2022", kDue2 = "15/05/2022";
    struct Case {
        const char* what;
        std::vector<TLibro> books;
        std::vector<TPrestito> loans;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"two readers each holding a copy",
         {lentBook("Uno", "A1", "12", kDue2), lentBook("Uno", "A1", "13", kDue1)},
         {loan("12", "A1", "01/03/2022", "", kDue1), loan("13", "A1", "01/03/2022", "", kDue1),
          loan("12", "A1", "02/03/2022", "", kDue2)},
         // 12 has the first copy (due on the 15th), 13 the second: the loan of 12 due on the 30th
         // finds no copy left.
         {"2022.bib, scheda 1: il libro con codice \"A1\" ha più prestiti aperti che copie prestate: ognuna "
          "delle sue 2 copie è già legata a un altro prestito aperto; questo, della tessera n. \"12\", non "
          "ne "
          "ha nessuna. => chiudere questo prestito con la data di oggi come data di restituzione; il libro "
          "resta prestato come è"}},
        {"the second reader's return freed the first reader's copy",
         {book("Uno", "A1"), lentBook("Uno", "A1", "13", kDue2)},
         {loan("12", "A1", "01/03/2022", "", kDue1), loan("13", "A1", "01/03/2022", "05/03/2022", kDue2)},
         {"2022.bib, scheda 1: il prestito aperto della tessera n. \"12\" (scadenza \"30/04/2022\") riguarda "
          "il "
          "libro con codice \"A1\", che risulta disponibile (Libri.pro, scheda 1). => segnare il libro di "
          "Libri.pro, scheda 1 come prestato alla tessera n. \"12\" con scadenza \"30/04/2022\" (se il libro "
          "è "
          "già tornato, registrarne poi la restituzione)",
          "Libri.pro, scheda 2: il libro risulta prestato (\"Tessera n. 13\") ma nessun prestito aperto lo "
          "riguarda. => rendere il libro disponibile per il prestito"}},
        {"one copy lent to a card with no loan, its open loan another card's",
         {lentBook("Uno", "A1", "13", kDue2)},
         {loan("12", "A1", "01/03/2022", "", kDue1)},
         {"2022.bib, scheda 1: il prestito aperto della tessera n. \"12\" (scadenza \"30/04/2022\") riguarda "
          "il "
          "libro con codice \"A1\", che risulta prestato (\"Tessera n. 13\", Libri.pro, scheda 1) senza un "
          "prestito aperto. => segnare il libro di Libri.pro, scheda 1 come prestato alla tessera n. \"12\" "
          "con scadenza \"30/04/2022\" (se il libro è già tornato, registrarne poi la restituzione)"}},
        {"a return stopped half way, the book then lent again",
         {lentBook("Uno", "A1", "13", kDue2)},
         {loan("12", "A1", "01/03/2022", "", kDue1), loan("13", "a1", "10/03/2022", "", kDue2)},
         {"2022.bib, scheda 1: il libro con codice \"A1\" ha due prestiti aperti: questo, della tessera n. "
          "\"12\", e quello di 2022.bib, scheda 2, della tessera n. \"13\", a cui risulta prestato "
          "(Libri.pro, "
          "scheda 1). => chiudere questo prestito con la data di oggi come data di restituzione; il libro "
          "resta prestato come è"}},
        {"a cancelled copy is marked only when no other copy is available",
         {[] {
              TLibro b = book("Uno", "A1");
              b.Annullata = std::string(kSi);
              return b;
          }(),
          book("Uno", "A1")},
         {loan("12", "A1", "01/03/2022", "", kDue1)},
         {"2022.bib, scheda 1: il prestito aperto della tessera n. \"12\" (scadenza \"30/04/2022\") riguarda "
          "il "
          "libro con codice \"A1\", che risulta disponibile (Libri.pro, scheda 2). => segnare il libro di "
          "Libri.pro, scheda 2 come prestato alla tessera n. \"12\" con scadenza \"30/04/2022\" (se il libro "
          "è "
          "già tornato, registrarne poi la restituzione)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        storeUsers(dir.path(), {user("Rossi Mario", "12"), user("Bianchi Anna", "13")});
        storeBooks(dir.path(), c.books);
        storeLoans(dir / "2022.bib", c.loans);
        EXPECT_EQ(findings(dir.path()), c.expected);
    }
}

// Every repair is asked first; the day's copy of each archive is taken before its first change; only
// the bytes of the record concerned change; the archives are checked again at the end.
TEST(ArchiveCheck, TheRepairsAskFirstCopyTheArchiveAndMendOnlyTheirRecord) {
    TempDir dir;
    storeUsers(dir.path(), {user("Rossi Mario", "12"), user("Bianchi Anna", "13")});
    writeBytes(dir / "Tesserati.pro", readBytes(dir / "Tesserati.pro") + std::string(57, 'x'));
    // Copy 1 was freed by the wrong return; copy 2 stays lent to a closed loan; book 3 lent to
    // nobody; book 4 has two open loans, the first one stale.
    storeBooks(dir.path(), {book("Uno", "A1"), lentBook("Uno", "A1", "13", "15/05/2022"),
                            lentBook("Tre", "A3", "12"), lentBook("Quattro", "A4", "13", "20/05/2022")});
    storeLoans(dir / "2022.bib", {loan("12", "A1", "01/03/2022", "", "30/04/2022"),
                                  loan("13", "A1", "01/03/2022", "05/03/2022"),
                                  loan("12", "A4", "02/03/2022", "", "30/04/2022"),
                                  loan("13", "A4", "03/03/2022", "", "20/05/2022")});
    const auto before = snapshot(dir.path());

    // No answers (no terminal, or stdin closed): nothing changes.
    {
        std::istringstream none;
        std::ostringstream out;
        EXPECT_EQ(check::repair(dir.path(), out, none, kToday), 1);
        EXPECT_NE(out.str().find("Nessuna risposta: nessun'altra modifica."), std::string::npos) << out.str();
        EXPECT_EQ(snapshot(dir.path()), before);
    }
    // The offers in the report's order: the partial user record, the loan of A1 (mark copy 1), the
    // stale loan of A4 (close it), copy 2 of A1, book 3. Book 3 is refused.
    std::istringstream answers("s\nsì\nS\ns\nn\n");
    std::ostringstream out;
    EXPECT_EQ(check::repair(dir.path(), out, answers, kToday), 1) << out.str();
    const std::string text = out.str();
    EXPECT_NE(
        text.find("Tesserati.pro: togliere gli ultimi 57 byte, che non formano una scheda (restano nella "
                  "copia del giorno, in Backup)? [s/N]   Fatto.\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("Libri.pro, scheda 3: rendere il libro disponibile per il prestito? [s/N]   Nessuna "
                        "modifica.\n"),
              std::string::npos)
        << text;
    // Checked again: only the refused repair is left.
    const auto at = text.find("Controllo dopo le riparazioni:\n");
    ASSERT_NE(at, std::string::npos) << text;
    EXPECT_NE(text.find("Libri.pro, scheda 3: il libro risulta prestato", at), std::string::npos);
    EXPECT_NE(text.find("Trovato 1 problema.\n", at), std::string::npos) << text.substr(at);

    // The day's copies hold the files as they were before the first change.
    const auto day = dir / "Backup" / "2022-05-02";
    EXPECT_EQ(readBytes(day / "Tesserati.pro"), before.at("Tesserati.pro"));
    EXPECT_EQ(readBytes(day / "Libri.pro"), before.at("Libri.pro"));
    EXPECT_EQ(readBytes(day / "2022.bib"), before.at("2022.bib"));

    // Each change went to its own record's bytes, and in those only to the fields it mends.
    EXPECT_EQ(readBytes(dir / "Tesserati.pro"), before.at("Tesserati.pro").substr(0, 2 * TTesserato::Size));
    const std::string books = readBytes(dir / "Libri.pro");
    std::string copy1 = before.at("Libri.pro").substr(0, TLibro::Size);
    writeField(copy1, TLibro::F::Prestato, "Tessera n. 12");
    writeField(copy1, TLibro::F::Scadenza, "30/04/2022");
    std::string copy2 = before.at("Libri.pro").substr(TLibro::Size, TLibro::Size);
    writeField(copy2, TLibro::F::Prestato, std::string(kLibroDisponibile));
    writeField(copy2, TLibro::F::Scadenza, "");
    EXPECT_EQ(books, copy1 + copy2 + before.at("Libri.pro").substr(2 * TLibro::Size));
    std::string stale = before.at("2022.bib").substr(2 * TPrestito::Size, TPrestito::Size);
    writeField(stale, TPrestito::F::DataRes, "02/05/2022");
    const std::string& loans = before.at("2022.bib");
    EXPECT_EQ(readBytes(dir / "2022.bib"),
              loans.substr(0, 2 * TPrestito::Size) + stale + loans.substr(3 * TPrestito::Size));

    // The last one, accepted: the folder is sound.
    std::istringstream last("y\n");
    std::ostringstream again;
    EXPECT_EQ(check::repair(dir.path(), again, last, kToday), 0) << again.str();
    int status = -1;
    run(dir.path(), status);
    EXPECT_EQ(status, 0);
}

// A repair writes nothing when its records no longer read as the check saw them (another desk
// lent or returned meanwhile), nor while another desk holds the archive.
TEST(ArchiveCheck, ARepairOfRecordsChangedMeanwhileWritesNothing) {
    TempDir dir;
    storeUsers(dir.path(), {user("Rossi Mario", "12")});
    storeBooks(dir.path(), {book("Uno", "A1")});
    storeLoans(dir / "2022.bib", {loan("12", "A1", "01/03/2022", "", "30/04/2022")});
    const check::Report r = check::checkArchives(dir.path());
    ASSERT_EQ(r.findings.size(), 1u);
    ASSERT_TRUE(r.findings[0].repair);
    // Meanwhile the loan is returned at another desk.
    writeBytes(dir / "2022.bib", loan("12", "A1", "01/03/2022", "10/03/2022", "30/04/2022").encode());
    const auto before = snapshot(dir.path());
    EXPECT_EQ(check::apply(dir.path(), *r.findings[0].repair, kToday),
              "le schede sono cambiate dopo il controllo");
    EXPECT_EQ(snapshot(dir.path()), before);

    // Back as it was, but another desk is writing the book archive.
    writeBytes(dir / "2022.bib", loan("12", "A1", "01/03/2022", "", "30/04/2022").encode());
    const auto held = snapshot(dir.path());
    const auto wait = RecordFile::lockWait();
    RecordFile::setLockWait(std::chrono::milliseconds(50));
    {
        RecordFile other(dir / "Libri.pro", TLibro::Size);
        RecordFile::Lock lock(other);
        EXPECT_EQ(check::apply(dir.path(), *r.findings[0].repair, kToday),
                  "l'archivio è in uso da un'altra postazione");
    }
    RecordFile::setLockWait(wait);
    EXPECT_EQ(snapshot(dir.path()), held);
    EXPECT_EQ(check::apply(dir.path(), *r.findings[0].repair, kToday), "");
    EXPECT_EQ(storedBooks(dir.path()).at(0).Prestato, "Tessera n. 12");
}
