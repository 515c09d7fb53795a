// SPDX-License-Identifier: GPL-3.0-or-later
// Two copies of the program on one data folder, as two desks sharing a network folder.

#include "core/storage/RecordFile.h"
#include "core/storage/Tesserato.h"
#include "support/AppFixture.h"
#include "support/Books.h"

#include <chrono>
#include <set>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

// One desk in a process of its own: a librarian who saves `count` new books as fast as the
// program lets her. The exit status is the number of saves not reported as inserted (0 is all).
[[noreturn]] void desk(const std::filesystem::path& folder, const std::string& name, int count,
                       int startPipe) {
    char go = 0;
    const bool started = ::read(startPipe, &go, 1) == 1;
    int failed = started ? 0 : count;
    {
        FakePlatform ui;
        Application app(ui, folder);
        Person person(ui);
        app.start();
        app.show(app.frmLibri);
        TfrmLibri& w = app.frmLibri;
        for (int i = 0; started && i < count; ++i) {
            person.click(w.cmdNuovo);
            person.type(w.txtTitolo, name + " " + std::to_string(i));
            person.type(w.txtCodice, name + "-" + std::to_string(i));
            person.type(w.txtAutore, name);
            w.txtConvalida.text = std::string(kSi); // as the code check window would leave it
            person.click(w.cmdSalva);
            if (ui.lastText() != "La scheda corrente è stata inserita in archivio.")
                ++failed;
        }
    }
    ::_exit(failed > 100 ? 100 : failed);
}

} // namespace

TEST(TwoDesks, SavingNewBooksAtTheSameTimeKeepsEveryOne) {
    TempDir dir;
    const int each = 500;
    int startPipe[2];
    ASSERT_EQ(::pipe(startPipe), 0);
    pid_t children[2];
    const char* names[2] = {"Prestiti", "Catalogo"};
    for (int d = 0; d < 2; ++d) {
        children[d] = ::fork();
        ASSERT_GE(children[d], 0);
        if (children[d] == 0) {
            ::close(startPipe[1]);
            desk(dir.path(), names[d], each, startPipe[0]);
        }
    }
    ::close(startPipe[0]);
    ASSERT_EQ(::write(startPipe[1], "gg", 2), 2); // both desks start at the same moment
    ::close(startPipe[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "saves not reported as inserted";
    }

    const auto books = storedBooks(dir.path());
    EXPECT_EQ(std::filesystem::file_size(dir / "Libri.pro"), 2u * each * TLibro::Size);
    std::set<std::string> codes;
    for (const auto& b : books)
        codes.insert(b.Codice);
    EXPECT_EQ(books.size(), 2u * each);
    EXPECT_EQ(codes.size(), 2u * each) << "records written over one another";
}

namespace {

// Another desk that takes the archive's lock and keeps it until told to let go.
class OtherDesk {
public:
    explicit OtherDesk(const std::filesystem::path& archive, std::size_t recordSize) {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            RecordFile file(archive, recordSize);
            RecordFile::Lock lock(file);
            char c = 1;
            if (::write(ready[1], &c, 1) != 1 || ::read(release[0], &c, 1) < 0)
                ::_exit(1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        char c = 0;
        if (::read(ready[0], &c, 1) != 1)
            throw std::runtime_error("the other desk did not start");
        ::close(ready[0]);
    }
    ~OtherDesk() { letGo(); }
    void letGo() {
        if (pid_ <= 0)
            return;
        ::close(release_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = 0;
    }

private:
    pid_t pid_ = 0;
    int release_ = -1;
};

// A shorter wait for the lock than the program's few seconds, so that the test runs quickly.
class ShortLockWait {
public:
    ShortLockWait() : saved_(RecordFile::lockWait()) {
        RecordFile::setLockWait(std::chrono::milliseconds(200));
    }
    ~ShortLockWait() { RecordFile::setLockWait(saved_); }

private:
    std::chrono::milliseconds saved_;
};

const char* const kInUso = "Attenzione: l'archivio è in uso da un'altra postazione e la scheda non "
                           "è stata salvata.\n\r\n\rAttendere qualche istante e riprovare.";

} // namespace

class BusyArchive : public AppFixture {
protected:
    void SetUp() override { app.start(); }
    ShortLockWait shortWait;
};

TEST_F(BusyArchive, ASaveThatCannotHaveTheLockSaysSoAndWritesNothing) {
    storeBooks(dir.path(), {book("Primo", "A1")});
    const std::string before = readBytes(dir / "Libri.pro");
    TfrmLibri& w = app.frmLibri;
    app.show(w);
    person.type(w.txtTitolo, "Nuovo");
    person.type(w.txtCodice, "N1");
    person.type(w.txtAutore, "Autore");
    w.txtConvalida.text = std::string(kSi);
    {
        OtherDesk other(dir / "Libri.pro", TLibro::Size);
        person.click(w.cmdSalva);
        EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
        EXPECT_EQ(ui.lastText(), kInUso);
        EXPECT_EQ(w.lblPosizione.text, "");
        EXPECT_EQ(readBytes(dir / "Libri.pro"), before);

        // Moving through the archive and searching still work: reading takes no lock.
        person.click(w.cmdPrimo);
        EXPECT_EQ(w.txtTitolo.text, "Primo");
        EXPECT_EQ(w.lblPosizione.text, "1");
        person.type(w.txtNote, "nota");
        person.click(w.cmdSalva);
        EXPECT_EQ(ui.lastText(), kInUso);
        EXPECT_EQ(readBytes(dir / "Libri.pro"), before);
    }
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastText(), "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    EXPECT_EQ(storedBooks(dir.path()).at(0).Note, "nota");
}

TEST_F(BusyArchive, TheUserWindowToo) {
    TfrmAnagrafica& w = app.frmAnagrafica;
    app.show(w);
    person.type(w.txtTesserato, "Rossi Mario");
    person.type(w.txtNumTessera, "12");
    person.type(w.txtDataScade, "31/12/2022");
    OtherDesk other(dir / "Tesserati.pro", TTesserato::Size);
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastText(), kInUso);
    EXPECT_EQ(w.lblPosizione.text, "");
    EXPECT_EQ(std::filesystem::file_size(dir / "Tesserati.pro"), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "1.jpg"));
    other.letGo();
    person.click(w.cmdSalva);
    EXPECT_EQ(ui.lastText(), "La scheda corrente è stata inserita in archivio.");
    EXPECT_EQ(w.lblPosizione.text, "1");
}
