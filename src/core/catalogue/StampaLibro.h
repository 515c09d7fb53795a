// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The book sheet print windows: what is on screen in the book archive window (TfrmStampaLibro)
// or in the read-only catalogue (TfrmStampaLibro02), printed as "SCHEDA INFORMATIVA LIBRO".

#include "core/forms/Form.h"
#include "core/reports/Report.h"

namespace quaderna {

class BookSheet;

class BookSheetPrint : public Form {
public:
    BookSheetPrint(Application& app, std::string className, BookSheet& source);

    Picture imgStampante{this, "imgStampante"};
    Button btnAnnulla{this, "btnAnnulla"};
    Button btnStampa{this, "btnStampa"};
    Report repDocumento;

    void btnStampaClick();
    void btnAnnullaClick();
    // Puts the screen's values and the moment of printing into the sheet.
    void fill();

private:
    BookSheet& source_;
};

class TfrmStampaLibro : public BookSheetPrint {
public:
    explicit TfrmStampaLibro(Application& app);
};

class TfrmStampaLibro02 : public BookSheetPrint {
public:
    explicit TfrmStampaLibro02(Application& app);
};

} // namespace quaderna
