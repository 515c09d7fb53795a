#pragma once
// The user search: up to ten criteria, a sorted list of the matching users, "Trova" inside the
// list, the list printed, and the chosen user handed to the window that asked for it.

#include "core/users/UserList.h"

namespace quaderna {

class TfrmTrovaAnagrafica : public UserList {
public:
    explicit TfrmTrovaAnagrafica(Application& app);

    Edit txtTesserato{this, "txtTesserato"}, txtCarica{this, "txtCarica"},
        txtNumTessera{this, "txtNumTessera"}, txtDataRil{this, "txtDataRil"},
        txtDataScade{this, "txtDataScade"}, txtComuneNasc{this, "txtComuneNasc"},
        txtComuneRes{this, "txtComuneRes"}, txtCodFisc{this, "txtCodFisc"}, txtTitoli{this, "txtTitoli"},
        txtNote{this, "txtNote"};
    Label lblConta{this, "lblConta"};
    Label lblMemory{this, "lblMemory"};
    Label lblAttendere{this, "lblAttendere", "Ricerca schede in corso. Attendere..."};
    Label lblTrovate{this, "lblTrovate", "Il presente elenco contiene 0 schede."};
    Panel panAvvio{this, "panAvvio"};
    Panel panContainer{this, "panContainer"};
    Button btnAnnulla{this, "btnAnnulla"}, btnCerca{this, "btnCerca"};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();

    std::array<Edit*, 10> criteria() {
        return {&txtTesserato,  &txtCarica,    &txtNumTessera, &txtDataRil, &txtDataScade,
                &txtComuneNasc, &txtComuneRes, &txtCodFisc,    &txtTitoli,  &txtNote};
    }

protected:
    // By the marker the caller left in lblMemory; any other marker writes nothing.
    void deliver(const TTesserato& user, std::int64_t position) override;
};

} // namespace quaderna
