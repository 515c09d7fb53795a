// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/loans/Restituzioni.h"

#include "core/Application.h"
#include "core/forms/KeyFilters.h"
#include "core/forms/Messages.h"
#include "core/loans/LoanMessages.h"
#include "core/loans/LoanSheet.h"
#include "core/loans/RendiLibro.h"
#include "core/reports/Layouts.h"
#include "core/shell/Guida.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"
#include "core/users/TrovaAnagrafica.h"

#include <cstdio>

namespace quaderna {

namespace {

constexpr const char* kElencoVuoto = "Operazione non applicabile: l'elenco non contiene nessuna voce.";
constexpr const char* kNessunaSelezione =
    "Attenzione: selezionare un libro con un clic prima di premere il pulsante Rimuovi da elenco.";
constexpr const char* kPrestitoRimosso =
    "Il prestito selezionato è stato rimosso dall'elenco.\n\r\n\rE' ora possibile registrare una nuova "
    "restituzione per lo stesso utente.";

} // namespace

TfrmRestituzioni::TfrmRestituzioni(Application& app)
    : Form(app, "TfrmRestituzioni", "  Quaderna 3.0 - Restituzione libri") {
    for (Edit* e : {&txtTesserato, &txtNumTessera, &txtRecapito, &titTesserato, &titNumTessera, &titRecapito,
                    &titCodice, &titTitolo, &titData, &titDataSca, &titDataRes})
        e->readOnly = true;
    panContainer.visible = false;
    for (Control* c : std::initializer_list<Control*>{&lblFile, &lblPosizione, &btnAggiorna, &btnRicarica})
        c->visible = false;
    icoGuida.tabStop = false;
    icoEsci.tabStop = false;
    txtAnno.onKeyDown = [this](Key& k) { txtAnnoKeyDown(k); };
    btnImporta.onClick = [this] { btnImportaClick(); };
    btnVisualizza.onClick = [this] { btnVisualizzaClick(); };
    lstRecords.onClick = [this] { lstRecordsClick(); };
    btnRimuovi.onClick = [this] { btnRimuoviClick(); };
    btnAggiorna.onClick = [this] { btnAggiornaClick(); };
    btnRicarica.onClick = [this] { btnRicaricaClick(); };
    btnStampa.onClick = [this] { btnStampaClick(); };
    icoGuida.onClick = [this] { icoGuidaClick(); };
    btnEsci.onClick = [this] { btnEsciClick(); };
    icoEsci.onClick = [this] { btnEsciClick(); };
}

void TfrmRestituzioni::FormShow() {
    panSelezione.visible = true;
    panContainer.visible = false;
    txtTesserato.text.clear();
    txtNumTessera.text.clear();
    txtRecapito.text.clear();
    char year[16];
    std::snprintf(year, sizeof year, "%04d", app.today().year);
    txtAnno.text = year;
    setFocus(txtAnno);
}

void TfrmRestituzioni::FormClose(CloseAction&) {
    app.show(app.frmAvvio);
}

void TfrmRestituzioni::txtAnnoKeyDown(Key& key) {
    if (key.code == VK::Return) {
        key.swallow();
        setFocus(btnImporta);
        return;
    }
    digitsOnly(key);
}

void TfrmRestituzioni::btnImportaClick() {
    app.runDialog<TfrmTrovaAnagrafica>(*this, "reg_restituzioni");
}

void TfrmRestituzioni::clearSelection() {
    titCodice.text.clear();
    titTitolo.text.clear();
    titData.text.clear();
    titDataSca.text.clear();
    lblPosizione.text.clear();
}

void TfrmRestituzioni::btnVisualizzaClick() {
    if (text::trimView(txtTesserato.text).empty()) {
        ui().messageBox(msg::MancaNomeUtente, MsgKind::Warning);
        setFocus(btnImporta);
        return;
    }
    if (text::trimView(txtNumTessera.text).empty()) {
        ui().messageBox(msg::MancaTesseraUtente, MsgKind::Warning);
        setFocus(btnImporta);
        return;
    }
    const auto file = loans::typedYearFile(app.dataDir(), txtAnno.text);
    if (!file) {
        ui().messageBox(msg::AnnoQuattroCifre, MsgKind::Warning);
        setFocus(txtAnno);
        return;
    }
    lblFile.text = file->string();
    titTesserato.text = text::trim(txtTesserato.text);
    titNumTessera.text = text::trim(txtNumTessera.text);
    titRecapito.text = text::trim(txtRecapito.text);
    clearSelection();
    titDataRes.text = app.today().format();
    std::vector<std::string> lines;
    try {
        lines = openLoanLines(*file, titNumTessera.text);
    } catch (const IoError&) {
        // The sheet stays closed; the year's file cannot be read or created.
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Error);
        return;
    }
    lstRecords.setItems(std::move(lines));
    panContainer.visible = true;
    panSelezione.visible = false;
    setFocus(lstRecords);
}

void TfrmRestituzioni::lstRecordsClick() {
    // A click selects the last open loan of this card with the clicked line, or nothing.
    clearSelection();
    if (lstRecords.itemIndex < 0 || lstRecords.itemIndex >= lstRecords.count())
        return;
    try {
        const auto found =
            lastOpenLoan(text::trim(lblFile.text), titNumTessera.text, lstRecords.selectedText());
        if (!found)
            return;
        titCodice.text = text::trim(found->loan.Codice);
        titTitolo.text = text::trim(found->loan.Titolo);
        titData.text = text::trim(found->loan.Data);
        titDataSca.text = text::trim(found->loan.DataSca);
        lblPosizione.text = std::to_string(found->index + 1);
    } catch (const IoError&) {
        // Nothing is selected.
    }
}

void TfrmRestituzioni::btnRimuoviClick() {
    if (lstRecords.count() == 0) {
        ui().messageBox(kElencoVuoto, MsgKind::Warning);
        return;
    }
    if (text::trimView(titCodice.text).empty()) {
        ui().messageBox(kNessunaSelezione, MsgKind::Warning);
        return;
    }
    app.runDialog<TfrmRendiLibro>(*this);
}

TPrestito TfrmRestituzioni::composeLoan() const {
    TPrestito p;
    p.Tesserato = titTesserato.text;
    p.NumTessera = titNumTessera.text;
    p.Recapito = titRecapito.text;
    p.Codice = titCodice.text;
    p.Titolo = titTitolo.text;
    p.Data = titData.text;
    p.DataSca = titDataSca.text;
    p.DataRes = titDataRes.text;
    return p;
}

bool TfrmRestituzioni::selectedLoanOpen(RecordFile& loans) const {
    const std::string position = text::trim(lblPosizione.text);
    if (position.empty())
        return false;
    const std::int64_t index = std::stoll(position) - 1;
    if (index < 0 || index >= loans.count())
        return false;
    std::string record;
    loans.seek(index);
    loans.read(record);
    return openLoanOf(record, titNumTessera.text) &&
           text::fromCp1252(text::trimView(rawField(record, TPrestito::F::Codice))) ==
               text::trim(titCodice.text);
}

void TfrmRestituzioni::writeReturn(RecordFile& loans) {
    const std::string position = text::trim(lblPosizione.text);
    if (position.empty())
        return;
    app.backupBefore(*this, text::trim(lblFile.text));
    loans.writeAt(std::stoll(position) - 1, composeLoan().encode());
}

void TfrmRestituzioni::btnAggiornaClick() {
    try {
        RecordFile loans(text::trim(lblFile.text), TPrestito::Size);
        RecordFile::Lock lock(loans);
        writeReturn(loans);
    } catch (const ArchiveBusy&) {
        ui().messageBox(msg::RestituzioneInUso, MsgKind::Error);
        return;
    } catch (const std::exception&) {
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Error);
        return;
    }
    btnRicaricaClick();
}

bool TfrmRestituzioni::reloadSheet() {
    std::vector<std::string> lines;
    try {
        lines = openLoanLines(text::trim(lblFile.text), titNumTessera.text);
    } catch (const IoError&) {
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Error);
        return false;
    }
    lstRecords.setItems(std::move(lines));
    clearSelection();
    titDataRes.text = app.today().format();
    setFocus(lstRecords);
    return true;
}

void TfrmRestituzioni::btnRicaricaClick() {
    if (reloadSheet())
        ui().messageBox(kPrestitoRimosso, MsgKind::Information);
}

void TfrmRestituzioni::btnStampaClick() {
    printLoanSheet(*this, lstRecords,
                   "Prestiti dell'utente " + text::trim(titTesserato.text) + " - Tessera n. " +
                       text::trim(titNumTessera.text));
}

void TfrmRestituzioni::icoGuidaClick() {
    showHelp(*this, help::PrestitiRestituzioni);
}

void TfrmRestituzioni::btnEsciClick() {
    app.close(*this);
}

} // namespace quaderna
