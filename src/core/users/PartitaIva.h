// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The VAT number check: the check digit, and the provincial office that issued a valid number.

#include "core/forms/Form.h"

#include <string>
#include <string_view>

namespace quaderna {

class TfrmPartitaIva : public Form {
public:
    explicit TfrmPartitaIva(Application& app);

    Edit txtPartitaIva{this, "txtPartitaIva", 11};
    Button btnControlla{this, "btnControlla"};
    Button btnChiudi{this, "btnChiudi"};

    void FormCreate() override;
    void FormShow() override;
    void txtPartitaIvaKeyDown(Key& key);
    void btnControllaClick();
    void btnChiudiClick();
};

namespace partitaiva {
// The name of the VAT office with a three-digit code (digits 8 to 10 of a number); empty for a
// code no office has.
std::string ufficio(std::string_view codice);
} // namespace partitaiva

} // namespace quaderna
