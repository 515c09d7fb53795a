// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loan history query: a year, an optional book code and an interval of days of that year;
// "Visualizza riepilogo" opens the history list, and two links export the year's loan register
// and its overdue loans.

#include "core/forms/Form.h"

#include <optional>
#include <string>

namespace quaderna {

class TfrmMenuRiepilogoPrestiti : public Form {
public:
    explicit TfrmMenuRiepilogoPrestiti(Application& app);

    Edit txtAnno{this, "txtAnno", 4};
    Edit txtTipologia{this, "txtTipologia", 30};
    ComboEdit txtGiornoInizio{this, "txtGiornoInizio", 2}, txtMeseInizio{this, "txtMeseInizio", 9};
    ComboEdit txtGiornoFine{this, "txtGiornoFine", 2}, txtMeseFine{this, "txtMeseFine", 9};
    Label lblAnnoInizio{this, "lblAnnoInizio", "ANNO"}, lblAnnoFine{this, "lblAnnoFine", "ANNO"};
    Label lblAttendere{this, "lblAttendere", "Caricamento riepilogo in corso. Attendere..."};
    Button btnEsci{this, "btnEsci"}, btnVisualizza{this, "btnVisualizza"};
    // The spreadsheet images and their links.
    Button cmdEsporta{this, "cmdEsporta"}, lnkEsporta{this, "lnkEsporta", "Esporta"};
    Button cmdScaduti{this, "cmdScaduti"}, lnkScaduti{this, "lnkScaduti", "Scaduti"};

    // Hidden: the composed interval and the year's loan file, read by the list and the exports.
    Label lblDataInizio{this, "lblDataInizio"}, lblDataFine{this, "lblDataFine"};
    Label lblFile{this, "lblFile", "FilePath"};

    void FormCreate() override;
    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void txtAnnoKeyDown(Key& key);
    void txtAnnoKeyUp(Key& key);
    void txtAnnoExit();
    void txtTipologiaKeyDown(Key& key);
    // Day and month lists: typing is refused, Enter moves on.
    void listKeyDown(Key& key);
    void txtGiornoExit(ComboEdit& day);
    void txtMeseExit(ComboEdit& month);
    void btnVisualizzaMouseDown();
    void btnVisualizzaClick();
    void cmdEsportaClick();
    void lnkEsportaClick() { cmdEsportaClick(); }
    void cmdScadutiClick();
    void lnkScadutiClick() { cmdScadutiClick(); }
    void btnEsciClick();

private:
    void showYear();
    // The year check of the export links; true when the year's file is set in lblFile.
    bool exportYear();
};

} // namespace quaderna
