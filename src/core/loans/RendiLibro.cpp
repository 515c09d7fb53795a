#include "core/loans/RendiLibro.h"

#include "core/Application.h"
#include "core/forms/Messages.h"
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
    const std::string code = text::trim(app.frmRestituzioni.titCodice.text);
    try {
        RecordFile books(app.dataFile(TLibro::FileName), TLibro::Size);
        books.scanEach([&](std::string_view rec, std::int64_t k) {
            if (text::fromCp1252(text::trimView(rawField(rec, TLibro::F::Codice))) != code)
                return true;
            const TLibro book = TLibro::decode(rec);
            txtTitolo.text = text::trim(book.Titolo);
            txtCodice.text = text::trim(book.Codice);
            txtScaffale.text = text::trim(book.Scaffale);
            txtAutore.text = text::trim(book.Autore);
            txtNazione.text = text::trim(book.Nazione);
            txtGenere.text = text::trim(book.Genere);
            lblPosizione.text = std::to_string(k + 1);
            return false;
        });
    } catch (const IoError&) {
        // The window shows what it found; "Conferma" still records the return.
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
        // same loan meanwhile.
        std::optional<RecordFile> books;
        std::optional<RecordFile::Lock> booksLock;
        if (!position.empty()) {
            books.emplace(archive, TLibro::Size);
            booksLock.emplace(*books);
        }
        RecordFile loans(text::trim(returns.lblFile.text), TPrestito::Size);
        RecordFile::Lock loansLock(loans);
        if (!returns.selectedLoanOpen(loans)) {
            gone = true;
        } else {
            std::int64_t index = -1;
            std::string before;
            if (books) {
                index = std::stoll(position) - 1;
                books->seek(index);
                books->read(before);
                // The record is read again under the lock: only the two loan fields change.
                if (text::fromCp1252(text::trimView(rawField(before, TLibro::F::Codice))) ==
                    text::trim(txtCodice.text)) {
                    app.backupBefore(returns, archive);
                    std::string available = before;
                    writeField(available, TLibro::F::Prestato, kLibroDisponibile);
                    writeField(available, TLibro::F::Scadenza, "");
                    books->writeAt(index, available);
                } else {
                    index = -1;
                }
            }
            try {
                returns.writeReturn(loans);
            } catch (...) {
                // The loan stays open: so does the book.
                if (index >= 0)
                    books->writeAt(index, before);
                throw;
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
