// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The book code check: is the code typed for a new book unused in Libri.pro?

#include "core/forms/Form.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quaderna {

class TfrmConvalida : public Form {
public:
    explicit TfrmConvalida(Application& app);

    Label txtCodice{this, "txtCodice", "CODICE DA CONVALIDARE:"};
    ListBox lstRecords{this, "lstRecords", true};
    Label txtResponso{this, "txtResponso", "CODICE LIBRO VALIDO"};
    Label txtIndicazioni{this, "txtIndicazioni",
                         "Il codice è univoco e può quindi essere assegnato al libro corrente."};
    Button btnOK{this, "btnOK"};
    Button btnAnnulla{this, "btnAnnulla"};

    // The check runs when the window is created, on the book window's code.
    void FormCreate() override;
    void FormClose(CloseAction& action) override;
    void btnOKClick();
    void btnAnnullaClick();
};

// The lines of the books whose code (trimmed, a-z as A-Z) equals `code`, in file order. Reading
// stops silently at a failure, keeping what was found so far.
std::vector<std::string> booksCarryingCode(const std::filesystem::path& archive, std::string_view code);

} // namespace quaderna
