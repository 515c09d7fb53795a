// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The returns window: the open loans of one user in the loan file of a chosen year; a loan
// selected on the sheet is returned through the confirmation window, which makes the book
// available again, and gets today's date as its return date.

#include "core/forms/Form.h"
#include "core/storage/Prestito.h"
#include "core/storage/RecordFile.h"

#include <cstdint>
#include <string>

namespace quaderna {

class TfrmRestituzioni : public Form {
public:
    explicit TfrmRestituzioni(Application& app);

    // Selection panel: the year of the loans and the user imported from the user archive.
    Panel panSelezione{this, "panSelezione"};
    Edit txtAnno{this, "txtAnno", 4};
    Edit txtTesserato{this, "txtTesserato", 50};
    Edit txtNumTessera{this, "txtNumTessera", 24};
    Edit txtRecapito{this, "txtRecapito", 50};
    Button btnImporta{this, "btnImporta"}, btnVisualizza{this, "btnVisualizza"};
    Button icoGuida{this, "icoGuida"}, icoEsci{this, "icoEsci"};

    // Sheet panel: the user, the open loans, the loan selected for return.
    Panel panContainer{this, "panContainer"};
    Edit titTesserato{this, "titTesserato"}, titNumTessera{this, "titNumTessera"},
        titRecapito{this, "titRecapito"};
    ListBox lstRecords{this, "lstRecords"};
    Edit titCodice{this, "titCodice"}, titTitolo{this, "titTitolo"}, titData{this, "titData"},
        titDataSca{this, "titDataSca"}, titDataRes{this, "titDataRes"};
    Button btnRimuovi{this, "btnRimuovi"}, btnStampa{this, "btnStampa"}, btnEsci{this, "btnEsci"};
    // Hidden: the loan file of the year, the 1-based position of the selected loan in it, and the
    // buttons the confirmation window presses.
    Label lblFile{this, "lblFile"};
    Label lblPosizione{this, "lblPosizione"};
    Button btnAggiorna{this, "btnAggiorna"}, btnRicarica{this, "btnRicarica"};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void txtAnnoKeyDown(Key& key);
    void btnImportaClick();
    void btnVisualizzaClick();
    void lstRecordsClick();
    void btnRimuoviClick();
    void btnAggiornaClick();
    void btnRicaricaClick();
    void btnStampaClick();
    void icoGuidaClick();
    void btnEsciClick();

    // The return of the selected loan, for the confirmation window, which holds the loan file's
    // lock (and Libri.pro's) across the whole return. selectedLoanOpen is true when the record at
    // lblPosizione is still an open loan of this card and book (no other desk returned it
    // meanwhile); writeReturn rewrites it from the fields, with today's return date. Both throw
    // IoError.
    bool selectedLoanOpen(RecordFile& loans) const;
    void writeReturn(RecordFile& loans);
    // Rebuilds the sheet after a return and readies the fields for the next one; false (and the
    // archive message) when the file cannot be read.
    bool reloadSheet();
    // The loan as the fields hold it.
    TPrestito composeLoan() const;

private:
    void clearSelection();
};

} // namespace quaderna
