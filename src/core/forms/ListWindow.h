// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every search and list window shares: the sorted list of fixed-width lines, "Trova" inside
// it, the list printed through the list report, and "Chiudi".

#include "core/forms/Form.h"

#include <string>

namespace quaderna {

class ListWindow : public Form {
public:
    // A window whose list keeps the order its lines come in passes sorted = false.
    ListWindow(Application& app, std::string className, std::string caption, std::string printTitle,
               bool sorted = true);

    Edit txtTrova{this, "txtTrova"};
    Button btnTrova{this, "btnTrova"};
    ListBox lstRecords;
    Button btnStampa{this, "btnStampa"}, btnChiudi{this, "btnChiudi"};

    // The last text searched with "Trova", lower-cased.
    std::string lastFindKey;
    // The title of the printed list.
    const std::string printTitle;

    void FormClose(CloseAction& action) override;
    void btnTrovaClick();
    void txtTrovaKeyDown(Key& key);
    void btnStampaClick();
    void btnChiudiClick();

protected:
    // Where the last "Trova" text is kept; a window may keep it beyond its own life.
    virtual std::string& findKey() { return lastFindKey; }
};

} // namespace quaderna
