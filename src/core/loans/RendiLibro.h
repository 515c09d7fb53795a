// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The return confirmation: the book of the selected loan, found by its code in Libri.pro;
// "Conferma" makes it available again and records the return in the loan file.

#include "core/forms/Form.h"

namespace quaderna {

class TfrmRendiLibro : public Form {
public:
    explicit TfrmRendiLibro(Application& app);

    Edit txtTitolo{this, "txtTitolo"}, txtCodice{this, "txtCodice"}, txtScaffale{this, "txtScaffale"},
        txtAutore{this, "txtAutore"}, txtNazione{this, "txtNazione"}, txtGenere{this, "txtGenere"};
    // Hidden: the 1-based position of the book in Libri.pro, empty when no book has the code.
    Label lblPosizione{this, "lblPosizione"};
    Button btnAnnulla{this, "btnAnnulla"}, btnConferma{this, "btnConferma"};

    void FormShow() override;
    // The book made available and the loan returned as one step: when the loan record cannot be
    // written the book record is put back as it was. Then the sheet is rebuilt.
    void btnConfermaClick();
    void btnAnnullaClick();
};

} // namespace quaderna
