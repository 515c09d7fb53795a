// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loan window: one user at a time, the user's open loans of the current year, a due date
// from the calendar and a book from the available ones; each loan marks the book lent in
// Libri.pro and is appended to the current year's loan file.

#include "core/forms/Form.h"
#include "core/storage/Prestito.h"

#include <filesystem>
#include <string>

namespace quaderna {

class TfrmPrestiti : public Form {
public:
    explicit TfrmPrestiti(Application& app);

    // Selection panel: the user imported from the user archive.
    Panel panSelezione{this, "panSelezione"};
    Edit txtTesserato{this, "txtTesserato", 50};
    Edit txtNumTessera{this, "txtNumTessera", 24};
    Edit txtRecapito{this, "txtRecapito", 50};
    Button btnImporta{this, "btnImporta"}, btnVisualizza{this, "btnVisualizza"};
    Button icoGuida{this, "icoGuida"}, icoEsci{this, "icoEsci"};

    // Sheet panel: the user, the loan being registered and the user's open loans.
    Panel panContainer{this, "panContainer"};
    Edit titTesserato{this, "titTesserato"}, titNumTessera{this, "titNumTessera"},
        titRecapito{this, "titRecapito"};
    Edit titDataSca{this, "titDataSca"};
    Button btnDataSca{this, "btnDataSca"}, btnImportaLibro{this, "btnImportaLibro"};
    Edit titCodice{this, "titCodice"}, titTitolo{this, "titTitolo"}, titData{this, "titData"};
    ListBox lstRecords{this, "lstRecords"};
    Button btnStampa{this, "btnStampa"}, btnEsci{this, "btnEsci"};
    // Hidden: the button the book picker presses, the return date (empty at loan time) and the
    // loan file of the year.
    Button btnAggiungi{this, "btnAggiungi"};
    Edit titDataRes{this, "titDataRes"};
    Label lblFile{this, "lblFile"};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void btnImportaClick();
    void btnVisualizzaClick();
    void btnDataScaClick();
    void titDataScaKeyDown(Key& key);
    void btnImportaLibroClick();
    void btnAggiungiClick();
    void btnStampaClick();
    void icoGuidaClick();
    void btnEsciClick();

    // The two halves of btnAggiungiClick, for the book picker, which must put the book back when
    // the loan cannot be written. appendLoan writes the loan record composed from the fields under
    // the loan file's lock and returns it; it throws IoError (ArchiveBusy when another desk holds
    // the lock) and then changes nothing on screen. loanAdded puts the new line on the sheet,
    // readies the fields for the next loan and says so.
    std::string appendLoan();
    // The loan file of the year of this moment, chosen at each loan: the loan date (titData) becomes
    // today and lblFile that year's file.
    std::filesystem::path loanFileNow();
    void loanAdded(const std::string& record);
    // The loan as the fields hold it.
    TPrestito composeLoan() const;
};

} // namespace quaderna
