#include "core/forms/Form.h"

#include "core/forms/Application.h"
#include "core/text/Text.h"

#include <algorithm>

namespace quaderna {

Control::Control(Form* owner, std::string name) : owner_(owner), name_(std::move(name)) {
    if (owner_)
        owner_->controls_.push_back(this);
}

void ListBox::clear() {
    items_.clear();
    itemIndex = -1;
    ++revision_;
}

void ListBox::setItems(std::vector<std::string> lines) {
    items_ = std::move(lines);
    if (sorted)
        std::stable_sort(items_.begin(), items_.end(),
                         [](const std::string& a, const std::string& b) { return text::listLess(a, b); });
    itemIndex = -1;
    ++revision_;
}

void ListBox::add(std::string line) {
    if (sorted) {
        auto at =
            std::upper_bound(items_.begin(), items_.end(), line,
                             [](const std::string& a, const std::string& b) { return text::listLess(a, b); });
        items_.insert(at, std::move(line));
    } else {
        items_.push_back(std::move(line));
    }
    ++revision_;
}

std::string ListBox::selectedText() const {
    if (itemIndex < 0 || itemIndex >= count())
        return {};
    return items_[static_cast<std::size_t>(itemIndex)];
}

Form::Form(Application& app, std::string className, std::string caption)
    : caption(std::move(caption)), app(app), className_(std::move(className)) {}

Form::~Form() = default;

Platform& Form::ui() const {
    return app.ui;
}

void Form::setFocus(Control& c) {
    if (focused_ == &c)
        return;
    Control* old = focused_;
    focused_ = &c;
    if (old && old->onExit)
        old->onExit();
    if (focused_ == &c && c.onEnter)
        c.onEnter();
}

Control* Form::find(std::string_view name) const {
    for (Control* c : controls_)
        if (c->name() == name)
            return c;
    return nullptr;
}

void Form::setEnterChain(std::initializer_list<Control*> chain) {
    chain_.assign(chain.begin(), chain.end());
}

void Form::keyDown(Control& c, Key& key) {
    if (c.onKeyDown)
        c.onKeyDown(key);
    if (key.code != VK::Return || chain_.empty())
        return;
    const auto it = std::find(chain_.begin(), chain_.end(), &c);
    if (it == chain_.end())
        return;
    const auto next = std::next(it) == chain_.end() ? chain_.begin() : std::next(it);
    setFocus(**next);
}

void Form::keyUp(Control& c, Key& key) {
    if (c.onKeyUp)
        c.onKeyUp(key);
}

} // namespace quaderna
