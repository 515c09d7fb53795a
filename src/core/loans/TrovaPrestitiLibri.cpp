// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/loans/TrovaPrestitiLibri.h"

#include "core/Application.h"
#include "core/forms/Messages.h"
#include "core/loans/Intent.h"
#include "core/loans/LoanMessages.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

#include <optional>

namespace quaderna {

namespace {

bool available(std::string_view record) {
    return text::trimView(rawField(record, TLibro::F::Annullata)) == "No" &&
           text::trimView(rawField(record, TLibro::F::Scadenza)).empty();
}

} // namespace

TfrmTrovaPrestitiLibri::TfrmTrovaPrestitiLibri(Application& app)
    : BookSearch(app, "TfrmTrovaPrestitiLibri", " Trova libri disponibili per il prestito", true,
                 "Riepilogo libri disponibili per il prestito") {
    lblPosizione.visible = false;
    lstRecords.onDblClick = [this] { lstRecordsDblClick(); };
}

void TfrmTrovaPrestitiLibri::lstRecordsDblClick() {
    if (lstRecords.itemIndex < 0 || lstRecords.itemIndex >= lstRecords.count() ||
        text::trim(lblMemory.text) != "prestiti_libri") {
        app.close(*this);
        return;
    }
    TfrmPrestiti& loans = app.frmPrestiti;
    const std::string chosen = text::trim(lstRecords.selectedText());
    // The code column of the chosen line: only a record with that code can give the line, so the
    // whole line is built for those records only.
    const std::string code =
        chosen.rfind("Cod. ", 0) == 0 ? text::trim(text::left(chosen.substr(5), 24)) : "";
    const std::filesystem::path archive = app.dataFile(TLibro::FileName);
    std::string record; // the loan written
    const char* failure = nullptr;
    bool gone = false;
    try {
        RecordFile books(archive, TLibro::Size);
        // Held until the loan is written: no other desk lends this copy meanwhile, and the book is
        // put back before anyone sees it lent with no loan.
        RecordFile::Lock lock(books);
        loans::mendInterruptedStep(app, loans, books);
        std::optional<std::int64_t> index;
        std::string before;
        books.scanEach([&](std::string_view rec, std::int64_t k) {
            if (available(rec) &&
                text::fromCp1252(text::trimView(rawField(rec, TLibro::F::Codice))) == code &&
                text::trim(bookLine(rec)) == chosen) {
                index = k;
                before.assign(rec);
                return false;
            }
            return true;
        });
        if (!index) {
            gone = true;
        } else {
            // The loan goes into the file of the year of this moment, dated today.
            const std::filesystem::path file = loans.loanFileNow();
            RecordFile year(file, TPrestito::Size);
            RecordFile::Lock yearLock(year);
            const TLibro book = TLibro::decode(before);
            loans.titTitolo.text = text::trim(book.Titolo);
            loans.titCodice.text = text::trim(book.Codice);
            try {
                record = loans.composeLoan().encode();
                app.backupBefore(loans, archive);
                app.backupBefore(loans, file);
                std::string lent = before;
                writeField(lent, TLibro::F::Prestato, "Tessera n. " + text::trim(loans.titNumTessera.text));
                writeField(lent, TLibro::F::Scadenza, text::trim(loans.titDataSca.text));
                loans::Intent intent;
                intent.kind = loans::Intent::Loan;
                intent.book = *index;
                intent.bookBefore = before;
                intent.bookAfter = lent;
                intent.yearFile = file.filename().string();
                intent.loan = year.count();
                intent.loanAfter = record;
                loans::PendingStep step(app.dataDir(), intent);
                loans::testStopPoint("prestito-1");
                try {
                    books.writeAt(*index, lent);
                    loans::testStopPoint("prestito-2");
                    year.append(record);
                } catch (...) {
                    // No loan, no lent book: the record goes back to what it was. Should that fail
                    // too, the intent record stays for the next loan or return, on any desk.
                    books.writeAt(*index, before);
                    step.finish();
                    throw;
                }
                loans::testStopPoint("prestito-3");
                step.finish();
            } catch (...) {
                loans.titTitolo.text.clear();
                loans.titCodice.text.clear();
                throw;
            }
            lblPosizione.text = std::to_string(*index + 1);
        }
    } catch (const ArchiveBusy&) {
        failure = msg::PrestitoInUso;
    } catch (const std::exception&) {
        failure = msg::ArchivioNonAccessibile;
    }
    // The files are closed: the messages may wait for the person.
    if (failure) {
        ui().messageBox(failure, MsgKind::Error);
    } else if (gone) {
        ui().messageBox(msg::LibroNonPiuDisponibile, MsgKind::Warning);
    } else {
        loans.loanAdded(record);
    }
    app.close(*this);
}

} // namespace quaderna
