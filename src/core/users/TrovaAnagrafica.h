// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user search: up to ten criteria, a sorted list of the matching users, "Trova" inside the
// list, the list printed, and the chosen user handed to the window that asked for it.

#include "core/forms/CriteriaSearch.h"
#include "core/users/UserList.h"

namespace quaderna {

class TfrmTrovaAnagrafica : public CriteriaSearch<UserList> {
public:
    explicit TfrmTrovaAnagrafica(Application& app);

    Edit txtTesserato{this, "txtTesserato"}, txtCarica{this, "txtCarica"},
        txtNumTessera{this, "txtNumTessera"}, txtDataRil{this, "txtDataRil"},
        txtDataScade{this, "txtDataScade"}, txtComuneNasc{this, "txtComuneNasc"},
        txtComuneRes{this, "txtComuneRes"}, txtCodFisc{this, "txtCodFisc"}, txtTitoli{this, "txtTitoli"},
        txtNote{this, "txtNote"};

    std::array<Edit*, 10> criteria() override {
        return {&txtTesserato,  &txtCarica,    &txtNumTessera, &txtDataRil, &txtDataScade,
                &txtComuneNasc, &txtComuneRes, &txtCodFisc,    &txtTitoli,  &txtNote};
    }

protected:
    void search(const std::array<std::string, 10>& typed, text::Lines& lines) override;
    // By the marker the caller left in lblMemory; any other marker writes nothing.
    void deliver(const TTesserato& user, std::int64_t position) override;
    std::string lineOf(std::string_view record) const override;

private:
    // The search opened for a return lists cancelled cards too, marked, so that the books still
    // lent to them can come back; every other caller gets only the cards in use.
    bool forReturn() const;
};

} // namespace quaderna
