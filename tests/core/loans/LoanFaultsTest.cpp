// SPDX-License-Identifier: GPL-3.0-or-later
// Loans and returns when something goes wrong: files that cannot be written, another desk that
// holds a lock, a full disk, damaged loan files, two desks lending at once.

#include "LoanFixture.h"
#include "support/Faults.h"

#include <set>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

const std::string kPrestitoInUso =
    "Attenzione: l'archivio è in uso da un'altra postazione e il prestito non è "
    "stato registrato.\n\r\n\rAttendere qualche istante e riprovare.";
const std::string kRestituzioneInUso =
    "Attenzione: l'archivio è in uso da un'altra postazione e la restituzione non è stata registrata.\n\r\n\r"
    "Attendere qualche istante e riprovare.";

} // namespace

class LoanFaults : public LoanFixture {
protected:
    ShortWait shortWait;

    // The state of both archives, to compare after a failed loan or return.
    struct Files {
        std::string libri, loans;
        bool operator==(const Files&) const = default;
    };
    Files files(int y = 2022) const { return {readBytes(libri()), readBytes(year(y))}; }

    // A loan that fails: the error box with `message`, both archives as they were, the sheet and
    // the fields as they were.
    void expectFailedLoan(const Files& before, const std::string& message) {
        EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
        EXPECT_EQ(ui.lastText(), message);
        EXPECT_TRUE(files() == before) << "an archive changed";
        EXPECT_EQ(loans.lstRecords.count(), 0);
        EXPECT_EQ(loans.titCodice.text, "");
        EXPECT_EQ(loans.titTitolo.text, "");
        EXPECT_EQ(loans.titDataSca.text, "24/03/2022");
    }
};

TEST_F(LoanFaults, ALoanThatCannotBeWrittenLeavesTheBookAvailable) {
    writeBytes(year(2022), "");
    loanSheetOf("rossi");
    pickDueDate({2022, 3, 24});
    const Files before = files();
    // The year's file turns read-only while the sheet is open.
    makeReadOnly(year(2022));
    lendBook("B2");
    expectFailedLoan(before, kArchivio);
    EXPECT_EQ(storedBooks(dir.path()).at(1).Scadenza, "");
}

TEST_F(LoanFaults, ALoanOnAFullDiskLeavesTheBookAvailable) {
    std::vector<TPrestito> earlier(
        100, loan("Bianchi Anna", "T-2", "X", "Altro", "01/03/2022", "31/03/2022", "02/03/2022"));
    storeLoans(year(2022), earlier);
    loanSheetOf("rossi");
    pickDueDate({2022, 3, 24});
    const Files before = files();
    {
        // Books are rewritten in place; the loan file has no room to grow.
        DiskFull full(before.loans.size());
        lendBook("B2");
    }
    expectFailedLoan(before, kArchivio);
}

TEST_F(LoanFaults, AnotherDeskHoldingEitherArchiveKeepsTheLoanWhole) {
    loanSheetOf("rossi");
    pickDueDate({2022, 3, 24});
    const Files before = files();
    {
        OtherDeskLock other(year(2022), TPrestito::Size);
        lendBook("B2");
        expectFailedLoan(before, kPrestitoInUso);
    }
    {
        OtherDeskLock other(libri(), TLibro::Size);
        lendBook("B2");
        expectFailedLoan(before, kPrestitoInUso);
    }
    // The desk lets go: the same loan goes through.
    lendBook("B2");
    EXPECT_EQ(ui.lastText(), kAggiunto);
    EXPECT_EQ(storedLoans(year(2022)).size(), 1u);
    EXPECT_EQ(storedBooks(dir.path()).at(1).Prestato, "Tessera n. T-1");
}

TEST_F(LoanFaults, ABookArchiveThatCannotBeWrittenIsSaidAndLendsNothing) {
    loanSheetOf("rossi");
    pickDueDate({2022, 3, 24});
    const Files before = files();
    lendBook("B2", 0, [&] { makeReadOnly(libri()); });
    expectFailedLoan(before, kArchivio);
}

TEST_F(LoanFaults, ASheetThatCannotBeOpenedKeepsTheSelectionPanel) {
    // A look needs no right to write: a read-only folder with no file for the year shows an
    // empty sheet and creates nothing, and a read-only year file is listed.
    makeReadOnly(dir.path());
    openLoans();
    importUser(loans.btnImporta, "rossi");
    person.click(loans.btnVisualizza);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    EXPECT_TRUE(loans.panContainer.visible);
    EXPECT_EQ(loans.lstRecords.count(), 0);
    EXPECT_FALSE(std::filesystem::exists(year(2022)));
    ::chmod(dir.path().c_str(), 0755);
    storeLoans(year(2021), {loan("Rossi Mario", "T-1", "A1", "Uno", "01/12/2021", "15/12/2021")});
    makeReadOnly(year(2021));
    makeReadOnly(dir.path());
    openReturns();
    importUser(returns.btnImporta, "rossi");
    person.retype(returns.txtAnno, "2021");
    person.click(returns.btnVisualizza);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    EXPECT_EQ(returns.lstRecords.count(), 1);
    ::chmod(dir.path().c_str(), 0755);

    // A year file that cannot be opened at all (here a folder under its name) is said.
    person.click(returns.btnEsci);
    std::filesystem::create_directory(year(2020));
    openReturns();
    importUser(returns.btnImporta, "rossi");
    person.retype(returns.txtAnno, "2020");
    person.click(returns.btnVisualizza);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
    EXPECT_EQ(ui.lastText(), kArchivio);
    EXPECT_TRUE(returns.panSelezione.visible);
}

TEST_F(LoanFaults, DamagedLoanFilesAreReadAsFarAsTheyGoAndMendedByTheNextLoan) {
    const TPrestito first = loan("Rossi Mario", "T-1", "A1", "I promessi sposi", "01/03/2022", "15/03/2022");
    // A record whose code and title claim more bytes than their fields hold.
    std::string overlong =
        loan("Rossi Mario", "T-1", std::string(24, 'K'), std::string(80, 'W'), "02/03/2022", "16/03/2022")
            .encode();
    overlong[TPrestito::F::Codice.offset] = static_cast<char>(200);
    overlong[TPrestito::F::Titolo.offset] = static_cast<char>(255);
    const std::string partial = first.encode().substr(0, 100); // a record cut short
    writeBytes(year(2022), first.encode() + overlong + partial);

    loanSheetOf("rossi");
    ASSERT_EQ(loans.lstRecords.count(), 2);
    EXPECT_EQ(loans.lstRecords.items()[1], "Cod. " + std::string(24, 'K') + "  " + std::string(80, 'W') +
                                               "  Data: 02/03/2022  Scad: 16/03/2022");

    lend("C3", {2022, 3, 31});
    const std::string after = readBytes(year(2022));
    ASSERT_EQ(after.size(), 3 * TPrestito::Size); // the partial record is written over
    EXPECT_EQ(after.substr(0, 2 * TPrestito::Size), first.encode() + overlong);
    EXPECT_EQ(TPrestito::decode(after.substr(2 * TPrestito::Size)).Codice, "C3");

    // The returns window reads the damaged record too, and returns it.
    person.click(loans.btnEsci);
    returnSheetOf("rossi", "2022");
    ASSERT_EQ(returns.lstRecords.count(), 3);
    clickLine(1);
    EXPECT_EQ(returns.lblPosizione.text, "2");
    confirmReturn();
    EXPECT_EQ(storedLoans(year(2022)).at(1).DataRes, "10/03/2022");
    EXPECT_EQ(returns.lstRecords.count(), 2);
}

class ReturnFaults : public LoanFaults {
protected:
    void SetUp() override {
        LoanFaults::SetUp();
        loanSheetOf("rossi");
        lend("B2", {2022, 3, 24});
        person.click(loans.btnEsci);
        returnSheetOf("rossi", "2022");
        clickLine(0);
        ASSERT_EQ(returns.titCodice.text, "B2");
    }
    // A return that fails: the error box, both archives as they were, the loan still selected.
    void expectFailedReturn(const Files& before, const std::string& message) {
        EXPECT_EQ(ui.lastMessage().kind, Shown::Error);
        EXPECT_EQ(ui.lastText(), message);
        EXPECT_TRUE(files() == before) << "an archive changed";
        EXPECT_EQ(returns.lstRecords.count(), 1);
        EXPECT_EQ(returns.titCodice.text, "B2");
    }
};

TEST_F(ReturnFaults, AReturnThatCannotBeWrittenLeavesTheBookLent) {
    const Files before = files();
    makeReadOnly(year(2022));
    confirmReturn();
    expectFailedReturn(before, kArchivio);
    EXPECT_EQ(storedBooks(dir.path()).at(1).Prestato, "Tessera n. T-1");
}

TEST_F(ReturnFaults, ABookArchiveThatCannotBeReadAsTheConfirmationOpensIsSaidAndReturnsNothing) {
    const Files before = files();
    makeReadOnly(libri());
    bool shown = false;
    confirmReturn([&](TfrmRendiLibro&) { shown = true; });
    EXPECT_FALSE(shown) << "the confirmation opened with no book to free";
    expectFailedReturn(before, kArchivio);
    EXPECT_EQ(storedLoans(year(2022)).at(0).DataRes, "");
}

TEST_F(ReturnFaults, ABookArchiveThatCannotBeWrittenIsSaidAndReturnsNothing) {
    const Files before = files();
    confirmReturn([&](TfrmRendiLibro& d) {
        makeReadOnly(libri());
        person.click(d.btnConferma);
        EXPECT_FALSE(d.visible());
    });
    expectFailedReturn(before, kArchivio);
}

TEST_F(ReturnFaults, AnotherDeskHoldingEitherArchiveKeepsTheReturnWhole) {
    const Files before = files();
    {
        OtherDeskLock other(year(2022), TPrestito::Size);
        confirmReturn();
        expectFailedReturn(before, kRestituzioneInUso);
    }
    {
        OtherDeskLock other(libri(), TLibro::Size);
        confirmReturn();
        expectFailedReturn(before, kRestituzioneInUso);
    }
    confirmReturn();
    EXPECT_EQ(ui.lastText(), kRimosso);
    EXPECT_EQ(storedLoans(year(2022)).at(0).DataRes, "10/03/2022");
    EXPECT_EQ(storedBooks(dir.path()).at(1).Scadenza, "");
}

namespace {

// One desk in a process of its own: it lends `count` books, whose codes are `prefix` and a
// number, to one card, as fast as the program lets it. The exit status is the number of loans not
// reported as added.
[[noreturn]] void lendingDesk(const std::filesystem::path& folder, const std::string& prefix,
                              const std::string& card, int count, int startPipe) {
    char go = 0;
    const bool started = ::read(startPipe, &go, 1) == 1;
    int failed = started ? 0 : count;
    {
        FakePlatform ui;
        Application app(ui, folder);
        Person person(ui);
        app.start();
        app.show(app.frmPrestiti);
        TfrmPrestiti& w = app.frmPrestiti;
        w.txtTesserato.text = "Desk " + prefix;
        w.txtNumTessera.text = card;
        person.click(w.btnVisualizza);
        for (int i = 0; started && i < count; ++i) {
            w.titDataSca.text = "31/03/2022";
            const std::string code = prefix + "-" + std::to_string(100 + i);
            ui.onDialog<TfrmTrovaPrestitiLibri>([&](TfrmTrovaPrestitiLibri& d) {
                person.type(d.txtCodice, code);
                person.click(d.btnCerca);
                person.doubleClick(d.lstRecords, 0);
            });
            person.click(w.btnImportaLibro);
            if (ui.lastText() != kAggiunto)
                ++failed;
        }
    }
    ::_exit(failed > 100 ? 100 : failed);
}

} // namespace

TEST(TwoLendingDesks, LoansMadeAtTheSameTimeAreAllKept) {
    TempDir dir;
    const int each = 40;
    std::vector<TLibro> books;
    for (const char* prefix : {"A", "B"})
        for (int i = 0; i < each; ++i)
            books.push_back(book(std::string("Libro ") + prefix + std::to_string(i),
                                 std::string(prefix) + "-" + std::to_string(100 + i)));
    storeBooks(dir.path(), books);
    int startPipe[2];
    ASSERT_EQ(::pipe(startPipe), 0);
    const struct {
        const char* prefix;
        const char* card;
    } desks[2] = {{"A", "T-1"}, {"B", "T-2"}};
    pid_t children[2];
    for (int d = 0; d < 2; ++d) {
        children[d] = ::fork();
        ASSERT_GE(children[d], 0);
        if (children[d] == 0) {
            ::close(startPipe[1]);
            lendingDesk(dir.path(), desks[d].prefix, desks[d].card, each, startPipe[0]);
        }
    }
    ::close(startPipe[0]);
    ASSERT_EQ(::write(startPipe[1], "gg", 2), 2);
    ::close(startPipe[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "loans not reported as added";
    }

    const auto loans = storedLoans(dir / "2022.bib");
    EXPECT_EQ(std::filesystem::file_size(dir / "2022.bib"), 2u * each * TPrestito::Size);
    std::set<std::string> codes;
    for (const auto& l : loans) {
        codes.insert(l.Codice);
        EXPECT_EQ(l.NumTessera, l.Codice[0] == 'A' ? "T-1" : "T-2") << l.Codice;
    }
    EXPECT_EQ(codes.size(), 2u * each) << "loans written over one another";
    for (const auto& b : storedBooks(dir.path()))
        EXPECT_EQ(b.Prestato, b.Codice[0] == 'A' ? "Tessera n. T-1" : "Tessera n. T-2") << b.Codice;
}

TEST_F(ReturnFaults, ALoanReturnedMeanwhileAtAnotherDeskIsNotReturnedTwice) {
    // The other desk returns the loan and lends the book again to another reader.
    FakePlatform otherUi;
    Application other(otherUi, dir.path());
    other.start();
    Person otherPerson(otherUi);
    TfrmRestituzioni& r = other.frmRestituzioni;
    other.show(r);
    r.txtTesserato.text = "Rossi Mario";
    r.txtNumTessera.text = "T-1";
    otherPerson.click(r.btnVisualizza);
    r.lstRecords.itemIndex = 0;
    otherPerson.click(r.lstRecords);
    otherUi.onDialog<TfrmRendiLibro>([&](TfrmRendiLibro& d) { otherPerson.click(d.btnConferma); });
    otherPerson.click(r.btnRimuovi);
    TfrmPrestiti& l = other.frmPrestiti;
    other.show(l);
    l.txtTesserato.text = "Bianchi Anna";
    l.txtNumTessera.text = "T-2";
    otherPerson.click(l.btnVisualizza);
    l.titDataSca.text = "30/03/2022";
    otherUi.onDialog<TfrmTrovaPrestitiLibri>([&](TfrmTrovaPrestitiLibri& d) {
        otherPerson.type(d.txtCodice, "B2");
        otherPerson.click(d.btnCerca);
        otherPerson.doubleClick(d.lstRecords, 0);
    });
    otherPerson.click(l.btnImportaLibro);
    ASSERT_EQ(otherUi.lastText(), kAggiunto);

    const Files before = files();
    confirmReturn();
    EXPECT_EQ(ui.lastMessage().kind, Shown::Warning);
    EXPECT_EQ(ui.lastText(),
              "Attenzione: il prestito selezionato risulta già restituito.\n\r\n\rL'elenco dei "
              "prestiti è stato aggiornato.");
    EXPECT_TRUE(files() == before) << "an archive changed";
    EXPECT_EQ(storedBooks(dir.path()).at(1).Prestato, "Tessera n. T-2");
    EXPECT_EQ(returns.lstRecords.count(), 0);
    EXPECT_EQ(returns.titCodice.text, "");
}
