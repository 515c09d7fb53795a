// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/loans/RendiLibro.h"

#include "core/Application.h"
#include "core/forms/Messages.h"
#include "core/loans/Intent.h"
#include "core/loans/LoanMessages.h"
#include "core/storage/Libro.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

#include <optional>

namespace quaderna {

TfrmRendiLibro::TfrmRendiLibro(Application& app)
    : Form(app, "TfrmRendiLibro", " Quaderna 3.0 - Conferma restituzione libro") {
    for (Edit* e : {&txtTitolo, &txtCodice, &txtScaffale, &txtAutore, &txtNazione, &txtGenere})
        e->readOnly = true;
    lblPosizione.visible = false;
    btnConferma.onClick = [this] { btnConfermaClick(); };
    btnAnnulla.onClick = [this] { btnAnnullaClick(); };
}

void TfrmRendiLibro::FormShow() {
    const TfrmRestituzioni& returns = app.frmRestituzioni;
    const std::string code = text::trim(returns.titCodice.text);
    const std::string card = text::trim(returns.titNumTessera.text);
    const std::string due = text::trim(returns.titDataSca.text);
    // The copy the loan lent: the one with the loan's code lent to this card until the loan's due
    // date; failing that, one lent to this card; failing that, the first with the code. Compared
    // as stored, in Windows-1252.
    std::optional<std::string> storedCode, lentTo, storedDue;
    if (text::fitsCp1252(code))
        storedCode = text::toCp1252(code);
    if (text::fitsCp1252(card) && text::fitsCp1252(due)) {
        lentTo = text::toCp1252(text::trim("Tessera n. " + card));
        storedDue = text::toCp1252(due);
    }
    std::optional<std::int64_t> exact, toCard, first;
    std::string exactRecord, toCardRecord, firstRecord;
    try {
        RecordFile books(app.dataFile(TLibro::FileName), TLibro::Size);
        if (storedCode)
            books.scanEach([&](std::string_view rec, std::int64_t k) {
                if (text::trimView(rawField(rec, TLibro::F::Codice)) != *storedCode)
                    return true;
                if (!first) {
                    first = k;
                    firstRecord.assign(rec);
                }
                if (lentTo && text::trimView(rawField(rec, TLibro::F::Prestato)) == *lentTo) {
                    if (text::trimView(rawField(rec, TLibro::F::Scadenza)) == *storedDue) {
                        exact = k;
                        exactRecord.assign(rec);
                        return false;
                    }
                    if (!toCard) {
                        toCard = k;
                        toCardRecord.assign(rec);
                    }
                }
                return true;
            });
    } catch (const IoError&) {
        // Without the book archive the return would be said done with the book still lent.
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Error);
        app.close(*this);
        return;
    }
    const auto chosen = exact ? exact : toCard ? toCard : first;
    if (chosen) {
        const TLibro book = TLibro::decode(exact ? exactRecord : toCard ? toCardRecord : firstRecord);
        txtTitolo.text = text::trim(book.Titolo);
        txtCodice.text = text::trim(book.Codice);
        txtScaffale.text = text::trim(book.Scaffale);
        txtAutore.text = text::trim(book.Autore);
        txtNazione.text = text::trim(book.Nazione);
        txtGenere.text = text::trim(book.Genere);
        lblPosizione.text = std::to_string(*chosen + 1);
    }
    setFocus(btnConferma);
}

void TfrmRendiLibro::btnConfermaClick() {
    TfrmRestituzioni& returns = app.frmRestituzioni;
    const std::filesystem::path archive = app.dataFile(TLibro::FileName);
    const std::string position = text::trim(lblPosizione.text);
    const char* failure = nullptr;
    bool gone = false;
    try {
        // Both archives' locks are held until the loan is written (Libri.pro's first, as a loan
        // takes them): no desk sees the book available with its loan still open, or returns the
        // same loan meanwhile. A step another desk left half done is mended first.
        std::optional<RecordFile> books;
        std::optional<RecordFile::Lock> booksLock;
        if (!position.empty() || loans::stepPending(app.dataDir())) {
            books.emplace(archive, TLibro::Size);
            booksLock.emplace(*books);
            loans::mendInterruptedStep(app, returns, *books);
        }
        const std::filesystem::path file = text::trim(returns.lblFile.text);
        RecordFile loans(file, TPrestito::Size);
        RecordFile::Lock loansLock(loans);
        if (!returns.selectedLoanOpen(loans)) {
            gone = true;
        } else if (position.empty()) {
            // No book has the loan's code: the loan alone is returned.
            returns.writeReturn(loans);
        } else {
            const std::int64_t index = std::stoll(position) - 1;
            std::string before;
            books->seek(index);
            books->read(before);
            // The record is read again under the lock: only the two loan fields change.
            if (text::fromCp1252(text::trimView(rawField(before, TLibro::F::Codice))) !=
                text::trim(txtCodice.text)) {
                returns.writeReturn(loans);
            } else {
                app.backupBefore(returns, archive);
                app.backupBefore(returns, file);
                std::string available = before;
                writeField(available, TLibro::F::Prestato, kLibroDisponibile);
                writeField(available, TLibro::F::Scadenza, "");
                loans::Intent intent;
                intent.kind = loans::Intent::Return;
                intent.book = index;
                intent.bookBefore = before;
                intent.bookAfter = available;
                intent.yearFile = file.filename().string();
                intent.loan = std::stoll(text::trim(returns.lblPosizione.text)) - 1;
                loans.seek(intent.loan);
                loans.read(intent.loanBefore);
                intent.loanAfter = returns.composeLoan().encode();
                loans::PendingStep step(app.dataDir(), intent);
                loans::testStopPoint("restituzione-1");
                try {
                    books->writeAt(index, available);
                    loans::testStopPoint("restituzione-2");
                    returns.writeReturn(loans);
                } catch (...) {
                    // The loan stays open: so does the book. Should that fail too, the intent
                    // record stays for the next loan or return, on any desk.
                    books->writeAt(index, before);
                    step.finish();
                    throw;
                }
                loans::testStopPoint("restituzione-3");
                step.finish();
            }
        }
    } catch (const ArchiveBusy&) {
        failure = msg::RestituzioneInUso;
    } catch (const std::exception&) {
        failure = msg::ArchivioNonAccessibile;
    }
    // The files are closed: the messages may wait for the person.
    if (failure) {
        ui().messageBox(failure, MsgKind::Error);
    } else if (gone) {
        ui().messageBox(msg::PrestitoGiaRestituito, MsgKind::Warning);
        returns.reloadSheet();
    } else {
        returns.btnRicaricaClick();
    }
    app.close(*this);
}

void TfrmRendiLibro::btnAnnullaClick() {
    app.close(*this);
}

} // namespace quaderna
