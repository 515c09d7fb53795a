#pragma once
// The Dewey table: the built-in classification headings, found with "Trova", printed, and the
// class number of a double-clicked row put into the book window.

#include "core/forms/Form.h"

namespace quaderna {

class TfrmCodici_Dewey : public Form {
public:
    explicit TfrmCodici_Dewey(Application& app);

    Edit txtTrova{this, "txtTrova"};
    Button btnTrova{this, "btnTrova"};
    ListBox lstRecords{this, "lstRecords"};
    Panel panDewey{this, "panDewey"};
    Label lblAttendere{this, "lblAttendere", "Stampa in corso. Attendere..."};
    Label lblMemory{this, "lblMemory"};
    Button btnStampa{this, "btnStampa"};
    Button btnChiudi{this, "btnChiudi"};
    Timer timCarica{this, "timCarica", 1000};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void timCaricaTimer();
    void btnTrovaClick();
    void txtTrovaKeyDown(Key& key);
    void lstRecordsDblClick();
    void btnStampaMouseDown();
    void btnStampaClick();
    void btnChiudiClick();
};

} // namespace quaderna
