// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four checker windows as the user archive window opens them: the user's value goes straight
// into the box, the window shows modally, and a person types, presses "Controlla" and reads.

#include "support/AppFixture.h"

#include <string>
#include <string_view>

namespace quaderna::testing {

// What the person saw once "Controlla" was pressed.
struct Outcome {
    std::string shown; // the box just before pressing
    std::vector<Shown> messages;
    bool stillOpen = false; // the window after the message
    std::string focus;      // the control holding the focus after the message
    Shown::Kind kind() const { return messages.empty() ? Shown::Plain : messages.back().kind; }
    std::string text() const { return messages.empty() ? std::string() : messages.back().text; }
};

template <class D, Edit D::*Box> class CheckerTest : public AppFixture {
protected:
    // Opens the window with `fromCaller` in the box, types `typed` into it, presses "Controlla".
    // The window is gone when this returns.
    Outcome check(std::string_view fromCaller, std::string_view typed = {}) {
        Outcome r;
        ui.onDialog<D>([&](D& d) {
            if (!typed.empty())
                person.type(d.*Box, typed);
            r.shown = (d.*Box).text;
            person.click(d.btnControlla);
            r.stillOpen = d.visible();
            r.focus = d.focused() ? d.focused()->name() : std::string();
        });
        ui.messages.clear();
        app.runDialog<D>(app.frmAvvio, "", [&](D& d) { (d.*Box).text = std::string(fromCaller); });
        r.messages = ui.messages;
        return r;
    }
    Outcome type(std::string_view typed) { return check({}, typed); }
};

} // namespace quaderna::testing
