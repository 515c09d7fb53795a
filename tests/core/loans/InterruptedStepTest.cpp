// SPDX-License-Identifier: GPL-3.0-or-later
// A program killed in the middle of a loan or a return: a desk in a process of its own is stopped
// at a point of its step and killed (SIGKILL); the next program to take the archives' locks, the
// next start or another desk's next loan or return, completes or undoes the step and says so.

#include "LoanFixture.h"
#include "core/loans/Intent.h"
#include "core/storage/ArchiveCheck.h"

#include <csignal>
#include <cstdlib>
#include <random>
#include <set>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

// A desk in a child process, given the folder: it runs `step` on a program of its own and ends.
// With `stopAt`, the program stops itself at that point of the step and the desk is killed there.
// False when the desk ended without reaching the point.
bool killedAt(const std::filesystem::path& folder, const char* stopAt,
              const std::function<void(Application&, FakePlatform&, Person&)>& step) {
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        ::setenv("QUADERNA_TEST_STOP_AT", stopAt, 1);
        {
            FakePlatform ui;
            Application app(ui, folder);
            Person person(ui);
            app.start();
            step(app, ui, person);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, WUNTRACED);
    const bool stopped = WIFSTOPPED(status);
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return stopped && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

void lendB2ToRossi(Application& app, FakePlatform& ui, Person& person) {
    TfrmPrestiti& w = app.frmPrestiti;
    app.show(w);
    w.txtTesserato.text = "Rossi Mario";
    w.txtNumTessera.text = "T-1";
    person.click(w.btnVisualizza);
    w.titDataSca.text = "24/03/2022";
    ui.onDialog<TfrmTrovaPrestitiLibri>([&](TfrmTrovaPrestitiLibri& d) {
        person.type(d.txtCodice, "B2");
        person.click(d.btnCerca);
        person.doubleClick(d.lstRecords, 0);
    });
    person.click(w.btnImportaLibro);
}

void returnRossisLoan(Application& app, FakePlatform& ui, Person& person) {
    TfrmRestituzioni& r = app.frmRestituzioni;
    app.show(r);
    r.txtTesserato.text = "Rossi Mario";
    r.txtNumTessera.text = "T-1";
    person.click(r.btnVisualizza);
    r.lstRecords.itemIndex = 0;
    person.click(r.lstRecords);
    ui.onDialog<TfrmRendiLibro>([&](TfrmRendiLibro& d) { person.click(d.btnConferma); });
    person.click(r.btnRimuovi);
}

std::string findings(const std::filesystem::path& folder) {
    std::string out;
    for (const auto& f : check::checkArchives(folder).findings)
        out += f.file + " " + std::to_string(f.record) + ": " + f.text + "\n";
    return out;
}

} // namespace

class InterruptedStep : public LoanFixture {
protected:
    std::filesystem::path intent() const { return dir / std::string(loans::kIntentFileName); }

    // Both archives as a finished step leaves them: B2 lent to Rossi with its open loan, or
    // available with no open loan.
    void expectWhole(bool lent) {
        const TLibro b2 = storedBooks(dir.path()).at(1);
        EXPECT_EQ(b2.Prestato, lent ? "Tessera n. T-1" : std::string(kLibroDisponibile));
        EXPECT_EQ(b2.Scadenza, lent ? "24/03/2022" : "");
        int open = 0;
        for (const auto& l : storedLoans(year(2022)))
            open += l.Codice == "B2" && l.DataRes.empty();
        EXPECT_EQ(open, lent ? 1 : 0);
        EXPECT_FALSE(std::filesystem::exists(intent()));
        EXPECT_EQ(findings(dir.path()), "");
    }
};

TEST_F(InterruptedStep, AStepKilledAnywhereIsCompletedOrUndoneByTheNextStartOrTheNextStepOfAnyDesk) {
    const struct Case {
        const char* point;
        bool lentAfter; // the state the mending leaves
        const char* said;
        // A kill in the middle of a write leaves part of the new bytes: what the last write left.
        enum { Whole, BookCut, AppendCut, LoanCut } cut = Whole;
    } cases[] = {
        {"prestito-1", false, "Un prestito interrotto è stato annullato: libro B2, tessera T-1."},
        {"prestito-2", false, "Un prestito interrotto è stato annullato: libro B2, tessera T-1."},
        {"prestito-2", false, "Un prestito interrotto è stato annullato: libro B2, tessera T-1.",
         Case::BookCut},
        {"prestito-3", true, "Un prestito interrotto è stato completato: libro B2, tessera T-1."},
        {"prestito-3", false, "Un prestito interrotto è stato annullato: libro B2, tessera T-1.",
         Case::AppendCut},
        {"restituzione-1", true, "Una restituzione interrotta è stata annullata: libro B2, tessera T-1."},
        {"restituzione-2", true, "Una restituzione interrotta è stata annullata: libro B2, tessera T-1."},
        {"restituzione-3", false, "Una restituzione interrotta è stata completata: libro B2, tessera T-1."},
        {"restituzione-3", false, "Una restituzione interrotta è stata completata: libro B2, tessera T-1.",
         Case::LoanCut},
    };
    enum By { Start, Loan, Return };
    const std::string libriBefore = readBytes(libri());
    for (const By by : {Start, Loan, Return}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.point) + (c.cut != Case::Whole ? " cut" : "") +
                         (by == Start  ? " / start"
                          : by == Loan ? " / loan"
                                       : " / return"));
            writeBytes(libri(), libriBefore);
            writeBytes(year(2022), "");
            const bool returning = std::string(c.point).starts_with("restituzione");
            if (returning) {
                FakePlatform lenderUi;
                Application lender(lenderUi, dir.path());
                Person lenderHands(lenderUi);
                lender.start();
                lendB2ToRossi(lender, lenderUi, lenderHands);
                ASSERT_EQ(lenderUi.lastText(), kAggiunto);
            }
            // Another desk, already started for a loan or a return, or starting after the crash.
            FakePlatform deskUi;
            Application desk(deskUi, dir.path());
            Person hands(deskUi);
            // Its loan of C3 to Bianchi: the step that mends a loan left half done, or the loan that
            // the step that mends a return gives back.
            const auto deskLendsC3 = [&] {
                TfrmPrestiti& w = desk.frmPrestiti;
                desk.show(w);
                w.txtTesserato.text = "Bianchi Anna";
                w.txtNumTessera.text = "T-2";
                hands.click(w.btnVisualizza);
                w.titDataSca.text = "30/03/2022";
                deskUi.onDialog<TfrmTrovaPrestitiLibri>([&](TfrmTrovaPrestitiLibri& d) {
                    hands.type(d.txtCodice, "C3");
                    hands.click(d.btnCerca);
                    hands.doubleClick(d.lstRecords, 0);
                });
                hands.click(w.btnImportaLibro);
                EXPECT_EQ(deskUi.lastText(), kAggiunto);
            };
            if (by != Start)
                desk.start();
            if (by == Return)
                deskLendsC3();
            const std::string loansBefore = readBytes(year(2022));
            ASSERT_TRUE(killedAt(dir.path(), c.point, returning ? returnRossisLoan : lendB2ToRossi));
            ASSERT_TRUE(std::filesystem::exists(intent()));
            if (c.cut == Case::BookCut) {
                // The book's loan fields written up to the middle of Prestato.
                std::string bytes = readBytes(libri());
                const std::size_t from = TLibro::Size + TLibro::F::Prestato.offset + 6;
                bytes.replace(from, TLibro::Size - (from - TLibro::Size),
                              libriBefore.substr(from, TLibro::Size - (from - TLibro::Size)));
                writeBytes(libri(), bytes);
            } else if (c.cut == Case::AppendCut) {
                const std::string bytes = readBytes(year(2022));
                writeBytes(year(2022), bytes.substr(0, bytes.size() - TPrestito::Size + 100));
            } else if (c.cut == Case::LoanCut) {
                // The return date's length written, not its digits.
                std::string bytes = readBytes(year(2022));
                const std::size_t from = TPrestito::F::DataRes.offset + 1;
                bytes.replace(from, TPrestito::Size - from, loansBefore.substr(from, TPrestito::Size - from));
                writeBytes(year(2022), bytes);
            }
            if (std::string(c.point) == "prestito-2" && c.cut == Case::Whole) {
                // The fault as it stands: the book is lent with no loan to return it by.
                EXPECT_EQ(storedBooks(dir.path()).at(1).Prestato, "Tessera n. T-1");
                EXPECT_EQ(readBytes(year(2022)), loansBefore);
            }
            if (std::string(c.point) == "restituzione-2") {
                EXPECT_EQ(storedBooks(dir.path()).at(1).Prestato, std::string(kLibroDisponibile));
                EXPECT_EQ(storedLoans(year(2022)).at(0).DataRes, "");
            }

            if (by == Start) {
                desk.start();
                ASSERT_EQ(deskUi.statuses.size(), 1u);
                EXPECT_EQ(deskUi.statuses[0].first, "TfrmPassword");
                EXPECT_EQ(deskUi.statuses[0].second, c.said);
            } else {
                // Its next loan (another book, to another reader) or return (of a loan of C3)
                // mends the step first, then goes through.
                EXPECT_TRUE(deskUi.statuses.empty());
                if (by == Loan) {
                    deskLendsC3();
                    ASSERT_EQ(deskUi.statuses.size(), 1u);
                    EXPECT_EQ(deskUi.statuses[0].first, "TfrmPrestiti");
                } else {
                    TfrmRestituzioni& r = desk.frmRestituzioni;
                    desk.show(r);
                    r.txtTesserato.text = "Bianchi Anna";
                    r.txtNumTessera.text = "T-2";
                    hands.click(r.btnVisualizza);
                    r.lstRecords.itemIndex = 0;
                    hands.click(r.lstRecords);
                    deskUi.onDialog<TfrmRendiLibro>([&](TfrmRendiLibro& d) { hands.click(d.btnConferma); });
                    hands.click(r.btnRimuovi);
                    EXPECT_EQ(deskUi.lastText(), kRimosso);
                    ASSERT_EQ(deskUi.statuses.size(), 1u);
                    EXPECT_EQ(deskUi.statuses[0].first, "TfrmRestituzioni");
                }
                EXPECT_EQ(deskUi.statuses[0].second, c.said);
                const TLibro c3 = storedBooks(dir.path()).at(2);
                EXPECT_EQ(c3.Prestato, by == Loan ? "Tessera n. T-2" : std::string(kLibroDisponibile));
            }
            expectWhole(c.lentAfter);
        }
    }
}

TEST(InterruptedSteps, DesksKilledAtRandomMomentsLeaveNoBookLentWithoutItsLoan) {
    TempDir dir;
    const int books = 8;
    std::vector<TLibro> shelf;
    for (int i = 0; i < books; ++i)
        shelf.push_back(book("Libro " + std::to_string(i), "K-" + std::to_string(100 + i)));
    storeBooks(dir.path(), shelf);
    storeUsers(dir.path(), {user("Rossi Mario", "T-1")});
    std::mt19937 rng(2025);
    int mended = 0;
    for (int round = 0; round < 120; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Lends a book and returns it, one book after the other, until killed.
            FakePlatform ui;
            Application app(ui, dir.path());
            Person person(ui);
            app.start();
            TfrmPrestiti& w = app.frmPrestiti;
            TfrmRestituzioni& r = app.frmRestituzioni;
            app.show(w);
            app.show(r);
            for (Edit* e : {&w.txtTesserato, &r.txtTesserato})
                e->text = "Rossi Mario";
            for (Edit* e : {&w.txtNumTessera, &r.txtNumTessera})
                e->text = "T-1";
            person.click(w.btnVisualizza);
            for (int i = round;; ++i) {
                w.titDataSca.text = "31/03/2022";
                ui.onDialog<TfrmTrovaPrestitiLibri>([&](TfrmTrovaPrestitiLibri& d) {
                    person.type(d.txtCodice, "K-" + std::to_string(100 + i % books));
                    person.click(d.btnCerca);
                    if (d.lstRecords.count() > 0)
                        person.doubleClick(d.lstRecords, 0);
                });
                person.click(w.btnImportaLibro);
                person.click(r.btnVisualizza);
                if (r.lstRecords.count() == 0)
                    continue;
                r.lstRecords.itemIndex = 0;
                person.click(r.lstRecords);
                ui.onDialog<TfrmRendiLibro>([&](TfrmRendiLibro& d) { person.click(d.btnConferma); });
                person.click(r.btnRimuovi);
            }
        }
        ::usleep(std::uniform_int_distribution<int>(1000, 12000)(rng));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        // The next start mends whatever the desk left.
        FakePlatform ui;
        Application app(ui, dir.path());
        app.start();
        mended += !ui.statuses.empty();
        ASSERT_EQ(findings(dir.path()), "") << "after round " << round;
        ASSERT_FALSE(std::filesystem::exists(dir / std::string(loans::kIntentFileName)));
        std::set<std::string> lentCodes;
        int open = 0;
        const auto loanFile = dir / "2022.bib";
        const auto loans =
            std::filesystem::exists(loanFile) ? storedLoans(loanFile) : std::vector<TPrestito>{};
        for (const auto& l : loans)
            if (l.DataRes.empty()) {
                ++open;
                lentCodes.insert(l.Codice);
            }
        int lent = 0;
        for (const auto& b : storedBooks(dir.path()))
            if (!b.Scadenza.empty()) {
                ++lent;
                EXPECT_TRUE(lentCodes.count(b.Codice)) << b.Codice << " lent with no open loan";
            }
        ASSERT_EQ(lent, open) << "after round " << round;
    }
    ::testing::Test::RecordProperty("steps_mended", mended);
}
