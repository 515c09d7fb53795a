// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/loans/Prestiti.h"

#include "core/Application.h"
#include "core/forms/Messages.h"
#include "core/loans/Calendario.h"
#include "core/loans/LoanMessages.h"
#include "core/loans/LoanSheet.h"
#include "core/loans/TrovaPrestitiLibri.h"
#include "core/reports/Layouts.h"
#include "core/shell/Guida.h"
#include "core/storage/RecordFile.h"
#include "core/text/Text.h"
#include "core/users/TrovaAnagrafica.h"

namespace quaderna {

namespace {

constexpr const char* kMancaScadenza =
    "Attenzione: indicare la data di scadenza del prestito prima di importare il libro.";
constexpr const char* kPrestitoAggiunto = "Il prestito corrente è stato aggiunto all'elenco.\n\r\n\rE' ora "
                                          "possibile registrare un nuovo prestito allo stesso utente.";

} // namespace

TfrmPrestiti::TfrmPrestiti(Application& app) : Form(app, "TfrmPrestiti", "  Quaderna 3.0 - Prestiti libri") {
    for (Edit* e : {&txtTesserato, &txtNumTessera, &txtRecapito, &titTesserato, &titNumTessera, &titRecapito,
                    &titDataSca, &titCodice, &titTitolo, &titData, &titDataRes})
        e->readOnly = true;
    panContainer.visible = false;
    btnAggiungi.visible = false;
    titDataRes.visible = false;
    lblFile.visible = false;
    icoGuida.tabStop = false;
    icoEsci.tabStop = false;
    btnImporta.onClick = [this] { btnImportaClick(); };
    btnVisualizza.onClick = [this] { btnVisualizzaClick(); };
    btnDataSca.onClick = [this] { btnDataScaClick(); };
    titDataSca.onKeyDown = [this](Key& k) { titDataScaKeyDown(k); };
    btnImportaLibro.onClick = [this] { btnImportaLibroClick(); };
    btnAggiungi.onClick = [this] { btnAggiungiClick(); };
    btnStampa.onClick = [this] { btnStampaClick(); };
    icoGuida.onClick = [this] { icoGuidaClick(); };
    btnEsci.onClick = [this] { btnEsciClick(); };
    icoEsci.onClick = [this] { btnEsciClick(); };
}

void TfrmPrestiti::FormShow() {
    panSelezione.visible = true;
    panContainer.visible = false;
    txtTesserato.text.clear();
    txtNumTessera.text.clear();
    txtRecapito.text.clear();
    setFocus(btnImporta);
}

void TfrmPrestiti::FormClose(CloseAction&) {
    app.show(app.frmAvvio);
}

void TfrmPrestiti::btnImportaClick() {
    app.runDialog<TfrmTrovaAnagrafica>(*this, "reg_prestiti");
}

void TfrmPrestiti::btnVisualizzaClick() {
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
    const Date today = app.today();
    lblFile.text = loans::yearFile(app.dataDir(), today).string();
    titTesserato.text = text::trim(txtTesserato.text);
    titNumTessera.text = text::trim(txtNumTessera.text);
    titRecapito.text = text::trim(txtRecapito.text);
    titCodice.text.clear();
    titTitolo.text.clear();
    titDataSca.text.clear();
    titDataRes.text.clear();
    titData.text = today.format();
    std::vector<std::string> lines;
    try {
        lines = openLoanLines(lblFile.text, titNumTessera.text);
    } catch (const IoError&) {
        // The sheet stays closed; the year's file cannot be read or created.
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Error);
        return;
    }
    lstRecords.setItems(std::move(lines));
    panContainer.visible = true;
    panSelezione.visible = false;
    setFocus(titDataSca);
}

void TfrmPrestiti::btnDataScaClick() {
    app.runDialog<TfrmCalendario>(*this, "prestiti_libri");
}

void TfrmPrestiti::titDataScaKeyDown(Key& key) {
    // The box changes only through the calendar, or is emptied.
    if (key.command)
        return;
    if (key.code == VK::Back || key.code == VK::Delete)
        titDataSca.text.clear();
    else
        btnDataScaClick();
    key.swallow();
}

void TfrmPrestiti::btnImportaLibroClick() {
    const std::string due = text::trim(titDataSca.text);
    if (due.empty()) {
        ui().messageBox(kMancaScadenza, MsgKind::Warning);
        setFocus(titDataSca);
        return;
    }
    const auto dueDate = Date::parse(titDataSca.text);
    if (!dueDate) {
        ui().showMessage("Attenzione: la data di scadenza del prestito " + due +
                         " non esiste.\n\r\n\rPer poter compilare la scheda è necessario indicare una data "
                         "valida nel formato gg/mm/aaaa.");
        setFocus(titDataSca);
        return;
    }
    const Date loanDate = Date::parse(titData.text).value_or(app.today());
    if (loanDate > *dueDate) {
        ui().showMessage("Attenzione: la data di scadenza (" + due +
                         ") non può essere anteriore a quella del prestito (" + text::trim(titData.text) +
                         ").\n\r\n\rPer poter compilare la scheda è necessario indicare una data di scadenza "
                         "valida.");
        setFocus(titDataSca);
        return;
    }
    app.runDialog<TfrmTrovaPrestitiLibri>(*this, "prestiti_libri");
}

TPrestito TfrmPrestiti::composeLoan() const {
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

std::filesystem::path TfrmPrestiti::loanFileNow() {
    const Date today = app.today();
    const std::filesystem::path file = loans::yearFile(app.dataDir(), today);
    const std::string shown = text::trim(lblFile.text);
    if (file != std::filesystem::path(shown)) {
        // The year turned while the sheet was open (a loan after midnight on New Year's Eve): the
        // loan goes into the new year's file, and the caption says the year.
        if (!shown.empty())
            caption = " Quaderna 3.0 - Prestiti libri anno " + std::to_string(today.year);
        lblFile.text = file.string();
    }
    titData.text = today.format();
    return file;
}

std::string TfrmPrestiti::appendLoan() {
    const std::filesystem::path file = loanFileNow();
    const std::string record = composeLoan().encode();
    RecordFile loans(file, TPrestito::Size);
    RecordFile::Lock lock(loans);
    app.backupBefore(*this, file);
    loans.append(record);
    loans.close();
    return record;
}

void TfrmPrestiti::loanAdded(const std::string& record) {
    lstRecords.add(loanLine(record, "  Scad. "));
    titCodice.text.clear();
    titTitolo.text.clear();
    titData.text = app.today().format();
    titDataSca.text.clear();
    titDataRes.text.clear();
    setFocus(titDataSca);
    ui().messageBox(kPrestitoAggiunto, MsgKind::Information);
}

void TfrmPrestiti::btnAggiungiClick() {
    std::string record;
    try {
        record = appendLoan();
    } catch (const ArchiveBusy&) {
        ui().messageBox(msg::PrestitoInUso, MsgKind::Error);
        return;
    } catch (const std::exception&) {
        ui().messageBox(msg::ArchivioNonAccessibile, MsgKind::Error);
        return;
    }
    loanAdded(record);
}

void TfrmPrestiti::btnStampaClick() {
    printLoanSheet(*this, lstRecords,
                   "Prestiti librari dell'utente " + text::trim(titTesserato.text) + " - Tessera n. " +
                       text::trim(titNumTessera.text));
}

void TfrmPrestiti::icoGuidaClick() {
    showHelp(*this, help::PrestitiRestituzioni);
}

void TfrmPrestiti::btnEsciClick() {
    app.close(*this);
}

} // namespace quaderna
