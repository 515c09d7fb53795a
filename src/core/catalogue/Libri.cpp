// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/Libri.h"

#include "core/Application.h"
#include "core/catalogue/AllegaCartella.h"
#include "core/catalogue/Codici_Dewey.h"
#include "core/catalogue/Convalida.h"
#include "core/catalogue/StampaLibro.h"
#include "core/export/ExpLibri.h"
#include "core/forms/Messages.h"
#include "core/storage/Navigation.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

namespace quaderna {

namespace {

constexpr const char* kMancaTitolo =
    "Attenzione: per salvare la scheda è necessario indicare il titolo del libro.";
constexpr const char* kMancaCodice =
    "Attenzione: per salvare la scheda è necessario indicare il codice identificativo del libro.";
constexpr const char* kCodiceNonConvalidato =
    "Attenzione: per salvare la scheda è necessario convalidare il codice identificativo del libro "
    "utilizzando il pulsante a destra del campo di testo Codice.";
constexpr const char* kMancaAutore =
    "Attenzione: per salvare la scheda è necessario indicare l'autore del libro.";
constexpr const char* kDuplicaNonInserita =
    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
    "che questa è stata inserita in archivio.";
constexpr const char* kDuplicata =
    "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl "
    "termine premere Salva per inserire la scheda in archivio.";
constexpr const char* kCodiceMancante =
    "Indicare il codice identificativo da assegnare al libro prima di premere il pulsante di convalida.";
constexpr const char* kGiaConvalidato = "Il codice identificativo del libro è già stato convalidato.";
constexpr const char* kMancaIsbn =
    "Attenzione: per poter effettuare una ricerca sul Web è necessario compilare il "
    "campo relativo all'ISBN del libro.";
constexpr const char* kWebNonRaggiungibile = "Attenzione: il sistema non permette di collegarsi al motore di "
                                             "ricerca di Google.\n\r\n\rAccertarsi che la "
                                             "propria connessione a Internet funzioni correttamente.";

} // namespace

std::string isbnSearchCommand(std::string_view isbn) {
    return "\"https://www.google.com/search?q=ISBN:" + std::string(isbn) + "\"";
}

TfrmLibri::TfrmLibri(Application& app) : BookSheet(app, "TfrmLibri", " Quaderna 3.0 - Archivio Libri") {
    txtPrestato.text = std::string(kLibroDisponibile);
    cmdNuovo.onClick = [this] { cmdNuovoClick(); };
    cmdSalva.onClick = [this] { cmdSalvaClick(); };
    cmdDuplica.onClick = [this] { cmdDuplicaClick(); };
    btnCodice.onClick = [this] { btnCodiceClick(); };
    btnDewey.onClick = [this] { btnDeweyClick(); };
    btnGoogle.onClick = [this] { btnGoogleClick(); };
    cmdStampa.onClick = [this] { cmdStampaClick(); };
    cmdFile.onClick = [this] { cmdFileClick(); };
    cmdEsporta.onClick = [this] { cmdEsportaClick(); };
    for (Button* b :
         {&cmdNuovo, &cmdDuplica, &cmdSalva, &cmdFile, &cmdEsporta, &btnCodice, &btnDewey, &btnGoogle})
        b->tabStop = false;
}

void TfrmLibri::FormShow() {
    cmdNuovoClick();
}

void TfrmLibri::FormClose(CloseAction&) {
    app.show(app.frmAvvio);
}

void TfrmLibri::cmdFileClick() {
    runAttachments(*this, "libri", {&lblFile01, &lblDesc01, &lblFile02, &lblDesc02, &lblFile03, &lblDesc03});
}

void TfrmLibri::cmdNuovoClick() {
    clearScreen(kLibroDisponibile);
}

void TfrmLibri::cmdSalvaClick() {
    const struct {
        bool failed;
        const char* message;
        Edit& focus;
    } checks[] = {
        {text::trimView(txtTitolo.text).empty(), kMancaTitolo, txtTitolo},
        {text::trimView(txtCodice.text).empty(), kMancaCodice, txtCodice},
        {text::trimView(txtConvalida.text) == "No", kCodiceNonConvalidato, txtCodice},
        {text::trimView(txtAutore.text).empty(), kMancaAutore, txtAutore},
    };
    for (const auto& c : checks)
        if (c.failed) {
            ui().messageBox(c.message, MsgKind::Warning);
            setFocus(c.focus);
            return;
        }
    try {
        RecordFile file(archive(), TLibro::Size);
        const std::string bytes = composeRecord().encode();
        const std::string p = text::trim(lblPosizione.text);
        RecordFile::Lock lock(file); // the day's copy shows the archive as no other desk is changing it
        app.backupBefore(*this, archive());
        if (!p.empty()) {
            file.seek(recordPosition(p) - 1);
            file.write(bytes);
            lblPosizione.text = std::to_string(file.position());
            file.close();
            ui().messageBox(msg::ModificheSalvate, MsgKind::Information);
        } else {
            lblPosizione.text = std::to_string(file.append(bytes) + 1);
            file.close();
            ui().messageBox(msg::SchedaInserita, MsgKind::Information);
        }
    } catch (const ArchiveBusy&) {
        ui().messageBox(msg::ArchivioInUso, MsgKind::Error);
    } catch (const std::exception&) {
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Error);
    }
}

void TfrmLibri::cmdDuplicaClick() {
    if (text::trimView(lblPosizione.text).empty()) {
        ui().messageBox(kDuplicaNonInserita, MsgKind::Warning);
        return;
    }
    txtCodice.text.clear();
    txtPrestato.text = std::string(kLibroDisponibile);
    txtScadenza.text.clear();
    txtConvalida.text = "No";
    chkAnnullata.checked = false;
    for (Label* l : {&lblFile01, &lblFile02, &lblFile03, &lblDesc01, &lblDesc02, &lblDesc03})
        l->text.clear();
    lblPosizione.text.clear();
    try {
        RecordFile file(archive(), TLibro::Size);
        setFocus(txtCodice);
        file.close();
        ui().messageBox(kDuplicata, MsgKind::Information);
    } catch (const IoError&) {
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Warning);
    }
}

void TfrmLibri::btnCodiceClick() {
    const std::string code = text::trim(txtCodice.text);
    if (code.empty()) {
        ui().messageBox(kCodiceMancante, MsgKind::Warning);
        setFocus(txtCodice);
        return;
    }
    if (!text::trimView(lblPosizione.text).empty()) {
        ui().messageBox(kGiaConvalidato, MsgKind::Information);
        setFocus(txtCodice);
        return;
    }
    app.runDialog<TfrmConvalida>(
        *this, {}, [&](TfrmConvalida& d) { d.txtCodice.text = "CODICE DA CONVALIDARE:  " + code; });
}

void TfrmLibri::btnDeweyClick() {
    app.runDialog<TfrmCodici_Dewey>(*this, "libri");
}

void TfrmLibri::btnGoogleClick() {
    const std::string isbn = text::trim(txtIsbn.text);
    if (isbn.empty()) {
        ui().messageBox(kMancaIsbn, MsgKind::Warning);
        setFocus(txtIsbn);
        return;
    }
    if (!ui().shellOpen(isbnSearchCommand(isbn)))
        ui().messageBox(kWebNonRaggiungibile, MsgKind::Warning);
}

void TfrmLibri::cmdStampaClick() {
    app.runDialog<TfrmStampaLibro>(*this);
}

void TfrmLibri::cmdEsportaClick() {
    app.runDialog<TfrmExpLibri>(*this);
}

} // namespace quaderna
