// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two sub-menus of the launcher: two work windows to choose from, and the way back.

#include "core/forms/Form.h"

namespace quaderna {

class SubMenu : public Form {
public:
    struct Target {
        const char* marker; // the word written into lblMemory
        const char* window; // class name of the standing window it opens
    };
    SubMenu(Application& app, std::string className, std::string caption, Target first, Target second);

    Label lblMemory{this, "lblMemory", "avvio"};
    Button imgEsci{this, "imgEsci"};
    Button imgGuida{this, "imgGuida"};

    void FormShow() override;
    void FormClose(CloseAction& action) override;
    void imgEsciClick();
    void imgGuidaClick();

protected:
    virtual Button& firstButton() = 0;
    // The title of the sub-menu's help topic.
    virtual const char* helpTopic() const = 0;
    // Sets the caption of the target window when one is given, writes the marker and closes.
    // A window the program does not have leaves the sub-menu as it is.
    void choose(const Target& target, const std::string& caption);
    Target first_, second_;
};

} // namespace quaderna
