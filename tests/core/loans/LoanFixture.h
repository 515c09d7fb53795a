// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loan and returns windows on a temporary data folder: a few books and users, and the
// librarian's hands for the steps of a loan and a return.

#include "core/loans/Calendario.h"
#include "core/loans/RendiLibro.h"
#include "core/loans/TrovaPrestitiLibri.h"
#include "core/storage/Prestito.h"
#include "core/storage/RecordFile.h"
#include "core/users/TrovaAnagrafica.h"
#include "support/AppFixture.h"
#include "support/Books.h"
#include "support/Users.h"

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace quaderna::testing {

inline TPrestito loan(std::string tesserato, std::string numTessera, std::string codice, std::string titolo,
                      std::string data, std::string dataSca, std::string dataRes = "") {
    TPrestito p;
    p.Tesserato = std::move(tesserato);
    p.NumTessera = std::move(numTessera);
    p.Recapito = "333 1234567";
    p.Codice = std::move(codice);
    p.Titolo = std::move(titolo);
    p.Data = std::move(data);
    p.DataSca = std::move(dataSca);
    p.DataRes = std::move(dataRes);
    return p;
}

inline void storeLoans(const std::filesystem::path& file, const std::vector<TPrestito>& loans) {
    std::string bytes = readBytes(file);
    for (const auto& l : loans)
        bytes += l.encode();
    writeBytes(file, bytes);
}

inline std::vector<TPrestito> storedLoans(const std::filesystem::path& file) {
    const std::string bytes = readBytes(file);
    std::vector<TPrestito> r;
    for (std::size_t at = 0; at + TPrestito::Size <= bytes.size(); at += TPrestito::Size)
        r.push_back(TPrestito::decode(std::string_view(bytes).substr(at, TPrestito::Size)));
    return r;
}

// Record k of an archive, as bytes.
inline std::string recordBytes(const std::filesystem::path& file, std::size_t size, std::size_t k) {
    return readBytes(file).substr(k * size, size);
}

// Another desk, in a process of its own, that takes an archive's lock and keeps it until told to
// let go.
class OtherDeskLock {
public:
    OtherDeskLock(const std::filesystem::path& archive, std::size_t recordSize) {
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
    ~OtherDeskLock() { letGo(); }
    OtherDeskLock(const OtherDeskLock&) = delete;
    OtherDeskLock& operator=(const OtherDeskLock&) = delete;
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

// A shorter wait for another desk's lock than the program's few seconds.
class ShortWait {
public:
    ShortWait() : saved_(RecordFile::lockWait()) { RecordFile::setLockWait(std::chrono::milliseconds(200)); }
    ~ShortWait() { RecordFile::setLockWait(saved_); }
    ShortWait(const ShortWait&) = delete;
    ShortWait& operator=(const ShortWait&) = delete;

private:
    std::chrono::milliseconds saved_;
};

inline const std::string kArchivio =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i "
    "privilegi di scrittura nella cartella di installazione del programma.";
inline const std::string kAggiunto = "Il prestito corrente è stato aggiunto all'elenco.\n\r\n\rE' ora "
                                     "possibile registrare un nuovo prestito allo stesso utente.";
inline const std::string kRimosso = "Il prestito selezionato è stato rimosso dall'elenco.\n\r\n\rE' ora "
                                    "possibile registrare una nuova restituzione per lo stesso utente.";

class LoanFixture : public AppFixture {
protected:
    void SetUp() override {
        TTesserato rossi = user("Rossi Mario", "T-1");
        rossi.Recapito = "333 1234567";
        TTesserato bianchi = user("Bianchi Anna", "T-2");
        bianchi.Recapito = "anna@example.org";
        storeUsers(dir.path(), {rossi, bianchi});
        storeBooks(dir.path(), {book("I promessi sposi", "A1", "Manzoni Alessandro"),
                                book("Il Gattopardo", "B2", "Tomasi di Lampedusa Giuseppe"),
                                book("La coscienza di Zeno", "C3", "Svevo Italo")});
        app.start();
        app.show(app.frmAvvio);
        app.hide(app.frmPassword);
    }

    TfrmPrestiti& loans = app.frmPrestiti;
    TfrmRestituzioni& returns = app.frmRestituzioni;

    std::filesystem::path libri() const { return dir / "Libri.pro"; }
    std::filesystem::path year(int y) const { return dir / (std::to_string(y) + ".bib"); }

    // "PRESTITI E RESTITUZIONI", then one of the sub-menu's buttons.
    void openLoans() {
        person.click(app.frmAvvio.btnPrestiti);
        person.click(app.frmMenuPrestiti.btnApriPrestito);
    }
    void openReturns() {
        person.click(app.frmAvvio.btnPrestiti);
        person.click(app.frmMenuPrestiti.btnApriRestituzione);
    }

    // "Importa utente" in `window`: the user whose name contains `name`, found and double-clicked.
    void importUser(Button& importa, const std::string& name) {
        ui.onDialog<TfrmTrovaAnagrafica>([this, name](TfrmTrovaAnagrafica& d) {
            person.type(d.txtTesserato, name);
            person.click(d.btnCerca);
            person.doubleClick(d.lstRecords, 0);
        });
        person.click(importa);
    }
    // The loan window up to its sheet for the user whose name contains `name`.
    void loanSheetOf(const std::string& name) {
        openLoans();
        importUser(loans.btnImporta, name);
        person.click(loans.btnVisualizza);
    }
    // "<<  Importa data": the day chosen in the calendar, then "Importa".
    void pickDueDate(Date day) {
        ui.onDialog<TfrmCalendario>([this, day](TfrmCalendario& c) {
            c.calAppuntamenti.date = day;
            person.click(c.btnImportaData);
        });
        person.click(loans.btnDataSca);
    }
    // "Importa libro": the available books whose code contains `code`, and a double-click on the
    // line `line` of the result; `beforeChoosing` runs just before the double-click.
    void lendBook(const std::string& code, int line = 0, std::function<void()> beforeChoosing = {}) {
        ui.onDialog<TfrmTrovaPrestitiLibri>([this, code, line, beforeChoosing](TfrmTrovaPrestitiLibri& d) {
            person.type(d.txtCodice, code);
            person.click(d.btnCerca);
            if (beforeChoosing)
                beforeChoosing();
            person.doubleClick(d.lstRecords, line);
        });
        person.click(loans.btnImportaLibro);
    }
    // A whole loan: due date, then the book.
    void lend(const std::string& code, Date due) {
        pickDueDate(due);
        lendBook(code);
    }

    // The returns window up to the sheet of `year` for the user whose name contains `name`.
    void returnSheetOf(const std::string& name, const std::string& yearText) {
        openReturns();
        person.retype(returns.txtAnno, yearText);
        importUser(returns.btnImporta, name);
        person.click(returns.btnVisualizza);
    }
    // A click on line `line` of the returns sheet.
    void clickLine(int line) {
        returns.lstRecords.itemIndex = line;
        person.click(returns.lstRecords);
    }
    // "Rimuovi da elenco", then `answer` in the confirmation window.
    void confirmReturn(std::function<void(TfrmRendiLibro&)> answer = {}) {
        ui.onDialog<TfrmRendiLibro>([this, answer](TfrmRendiLibro& d) {
            if (answer)
                answer(d);
            else
                person.click(d.btnConferma);
        });
        person.click(returns.btnRimuovi);
    }
};

} // namespace quaderna::testing
