// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of every window model.

#include "core/forms/Controls.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna {

class Application;
class Platform;

enum class CloseAction { Hide, None };

class Form {
public:
    Form(Application& app, std::string className, std::string caption);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& className() const { return className_; }
    std::string caption;

    // Lifecycle handlers.
    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormClose(CloseAction& /*action*/) {}

    bool visible() const { return visible_; }
    bool modal() const { return modal_; }
    Form* owner() const { return owner_; }

    // Focus belongs to the model, so tests see where the cursor went.
    Control* focused() const { return focused_; }
    void setFocus(Control& c);
    bool hasFocus(const Control& c) const { return focused_ == &c; }
    // Counts the moves of the focus, so a view knows when the program moved it.
    std::uint64_t focusMoves() const { return focusMoves_; }

    const std::vector<Control*>& controls() const { return controls_; }
    Control* find(std::string_view name) const;

    // Enter in a control of the chain moves the focus to the next one (the last to the first).
    void setEnterChain(std::initializer_list<Control*> chain);

    // The one input gate. Whatever a person does to a control reaches the model here, from the
    // windows on screen and from the tests' hands alike, in this order:
    //
    //   a key:     key handler (which may swallow it), then the Enter chain; Enter on a push
    //              button presses it; for a key that types or deletes in a box: read-only check,
    //              width, the change made, change handler.
    //   other text (paste, drop, input method, pick, suggestion): read-only check; each character
    //              offered to the key handler as the key that types it (a removal as Delete), the
    //              swallowed ones dropped; width; the change made; change handler.
    //   the mouse: mouse down, focus, mouse up, click (mouse up also when the button is released
    //              off the control, which then has no click).
    //
    // The answer is the text that stands; a refused change leaves the box as it was.
    void keyDown(Control& c, Key& key);
    void keyUp(Control& c, Key& key);
    // A key pressed in a box whose selection runs from `selStart` for `selLength` characters (the
    // caret alone: length 0). Characters, Backspace and Delete edit the text; other keys (arrows,
    // Home, End) only move the caret, which is the platform's business.
    InputResult typeKey(Edit& box, Key& key, std::size_t selStart, std::size_t selLength);
    InputResult input(Edit& box, Proposal change);
    void mouseDown(Control& c);
    void mouseUp(Control& c);
    void click(Control& c);
    // A check box clicked or toggled with the space bar.
    void toggle(CheckBox& box);

    Application& app;
    Platform& ui() const;

private:
    friend class Control;
    friend class Application;
    std::string className_;
    std::vector<Control*> controls_;
    std::vector<Control*> chain_;
    Control* focused_ = nullptr;
    std::uint64_t focusMoves_ = 0;
    bool visible_ = false;
    bool modal_ = false;
    Form* owner_ = nullptr;
};

} // namespace quaderna
