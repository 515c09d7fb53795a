// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/SubMenu.h"

#include "core/Application.h"
#include "core/shell/Guida.h"
#include "core/text/Text.h"

namespace quaderna {

SubMenu::SubMenu(Application& app, std::string className, std::string caption, Target first, Target second)
    : Form(app, std::move(className), std::move(caption)), first_(first), second_(second) {
    imgEsci.onClick = [this] { imgEsciClick(); };
    imgGuida.onClick = [this] { imgGuidaClick(); };
}

void SubMenu::FormShow() {
    lblMemory.text = "avvio";
    setFocus(firstButton());
}

void SubMenu::imgEsciClick() {
    app.close(*this);
}

void SubMenu::imgGuidaClick() {
    showHelp(*this, helpTopic());
}

void SubMenu::choose(const Target& target, const std::string& caption) {
    Form* window = app.standingWindow(target.window);
    if (!window)
        return;
    if (!caption.empty())
        window->caption = caption;
    lblMemory.text = target.marker;
    app.close(*this);
}

void SubMenu::FormClose(CloseAction&) {
    const std::string marker = text::trim(lblMemory.text);
    Form* target = nullptr;
    if (marker == first_.marker)
        target = app.standingWindow(first_.window);
    else if (marker == second_.marker)
        target = app.standingWindow(second_.window);
    // "avvio", and anything unexpected, goes back to the launcher.
    app.show(target ? *target : static_cast<Form&>(app.frmAvvio));
}

} // namespace quaderna
