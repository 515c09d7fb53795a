// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Dewey table: the built-in classification headings, found with "Trova", printed, and the
// class number of a double-clicked row put into the book window.

#include "core/forms/ListWindow.h"

namespace quaderna {

class TfrmCodici_Dewey : public ListWindow {
public:
    explicit TfrmCodici_Dewey(Application& app);

    Panel panDewey{this, "panDewey"};
    Label lblAttendere{this, "lblAttendere", "Stampa in corso. Attendere..."};
    Label lblMemory{this, "lblMemory"};
    Timer timCarica{this, "timCarica", 1000};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void timCaricaTimer();
    void lstRecordsDblClick();
    void btnStampaMouseDown();
    void btnStampaClick();

protected:
    // The key survives closing and reopening the table.
    std::string& findKey() override;
};

} // namespace quaderna
