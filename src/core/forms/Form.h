#pragma once
// The base of every window model.

#include "core/forms/Controls.h"

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

    const std::vector<Control*>& controls() const { return controls_; }
    Control* find(std::string_view name) const;

    // Enter in a control of the chain moves the focus to the next one (the last to the first).
    void setEnterChain(std::initializer_list<Control*> chain);
    // A key pressed or released in a control: its own handler first, then the Enter chain.
    void keyDown(Control& c, Key& key);
    void keyUp(Control& c, Key& key);

    Application& app;
    Platform& ui() const;

private:
    friend class Control;
    friend class Application;
    std::string className_;
    std::vector<Control*> controls_;
    std::vector<Control*> chain_;
    Control* focused_ = nullptr;
    bool visible_ = false;
    bool modal_ = false;
    Form* owner_ = nullptr;
};

} // namespace quaderna
