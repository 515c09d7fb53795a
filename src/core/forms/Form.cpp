// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/Form.h"

#include "core/text/Text.h"

#include <algorithm>

namespace quaderna {

Control::Control(Form* owner, std::string name) : owner_(owner), name_(std::move(name)) {
    if (owner_)
        owner_->controls_.push_back(this);
}

void ListBox::clear() {
    items_ = text::Lines(); // its room is given back too
    source_.reset();
    itemIndex = -1;
    ++revision_;
}

void ListBox::setItems(text::Lines lines) {
    items_ = std::move(lines);
    source_.reset();
    if (sorted)
        items_.sort();
    itemIndex = -1;
    ++revision_;
}

void ListBox::setSource(std::shared_ptr<const Source> source) {
    if (sorted) {
        text::Lines lines;
        for (std::size_t i = 0; i < source->size(); ++i)
            lines.push_back(source->line(i));
        setItems(std::move(lines));
        return;
    }
    items_ = text::Lines();
    source_ = std::move(source);
    itemIndex = -1;
    ++revision_;
}

std::vector<std::string> ListBox::items() const {
    if (!source_)
        return items_.strings();
    std::vector<std::string> lines;
    lines.reserve(source_->size());
    for (std::size_t i = 0; i < source_->size(); ++i)
        lines.emplace_back(source_->line(i));
    return lines;
}

text::Lines ListBox::take() {
    text::Lines room = std::move(items_);
    room.clear();
    items_ = text::Lines();
    source_.reset();
    itemIndex = -1;
    ++revision_;
    return room;
}

void ListBox::add(std::string_view line) {
    if (source_) { // a line added to a source's lines: they become lines first
        const int selected = itemIndex;
        setItems(text::Lines(items()));
        itemIndex = selected;
    }
    if (sorted)
        items_.insertSorted(line);
    else
        items_.push_back(line);
    ++revision_;
}

std::string ListBox::selectedText() const {
    if (itemIndex < 0 || itemIndex >= count())
        return {};
    return std::string(item(itemIndex));
}

Form::Form(Application& app, std::string className, std::string caption)
    : caption(std::move(caption)), app(app), className_(std::move(className)) {}

Form::~Form() = default;

void Form::setFocus(Control& c) {
    if (focused_ == &c)
        return;
    Control* old = focused_;
    focused_ = &c;
    ++focusMoves_;
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
    if (key.code != VK::Return)
        return;
    if (auto* button = dynamic_cast<Button*>(&c)) {
        click(*button);
        return;
    }
    if (chain_.empty())
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

namespace {

// Line breaks and other control characters cannot stand in a one-line box: each run of them
// becomes one blank.
std::string oneLine(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    bool inBreak = false;
    for (char c : s) {
        const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        if (control) {
            if (!inBreak)
                r += ' ';
            inBreak = true;
        } else {
            r += c;
            inBreak = false;
        }
    }
    return r;
}

// Byte offset of character n (or the end).
std::size_t byteOffset(std::string_view s, std::size_t n) {
    std::size_t i = 0;
    while (n > 0 && i < s.size()) {
        text::nextCodePoint(s, i);
        --n;
    }
    return i;
}

} // namespace

InputResult Form::typeKey(Edit& box, Key& key, std::size_t selStart, std::size_t selLength) {
    keyDown(box, key);
    if (key.swallowed())
        return {false, box.text, selStart + selLength};
    Proposal p;
    p.route = Proposal::Route::Key;
    p.start = selStart;
    p.length = selLength;
    if (key.ch != 0) {
        text::appendUtf8(p.text, key.ch);
    } else if (key.code == VK::Back && selLength == 0) {
        if (selStart == 0)
            return {false, box.text, 0};
        p.start = selStart - 1;
        p.length = 1;
    } else if (key.code == VK::Delete && selLength == 0) {
        if (selStart >= text::length(box.text))
            return {false, box.text, selStart};
        p.length = 1;
    } else if (key.code != VK::Back && key.code != VK::Delete) {
        return {false, box.text, selStart + selLength};
    }
    return input(box, std::move(p));
}

InputResult Form::input(Edit& box, Proposal p) {
    const std::string before = box.text;
    const std::size_t oldLength = text::length(before);
    const InputResult unchanged{false, before, std::min(p.start, oldLength)};
    if (box.readOnly || !box.enabled)
        return unchanged;
    p.start = std::min(p.start, oldLength);
    p.length = std::min(p.length, oldLength - p.start);

    // A line of a drop-down's own list is taken whole, whatever brought it (the list, an accepted
    // suggestion, a paste): the list holds only texts the box accepts, so a box that takes no
    // typing still takes its lines.
    if (auto* combo = dynamic_cast<ComboEdit*>(&box); combo && p.route != Proposal::Route::Key) {
        const std::string whole = before.substr(0, byteOffset(before, p.start)) + p.text +
                                  before.substr(byteOffset(before, p.start + p.length));
        const auto& items = combo->items;
        int item = -1;
        if (p.item >= 0 && p.item < static_cast<int>(items.size()) &&
            items[static_cast<std::size_t>(p.item)] == whole)
            item = p.item;
        else if (const auto it = std::find(items.begin(), items.end(), whole); it != items.end())
            item = static_cast<int>(it - items.begin());
        if (item >= 0) {
            combo->itemIndex = item;
            if (whole == before)
                return {false, before, text::length(before)};
            box.text = whole;
            if (box.onChange)
                box.onChange();
            return {true, box.text, text::length(box.text)};
        }
    }

    // The key filters hold for text from every route, not only for keys.
    std::string kept;
    if (p.route == Proposal::Route::Key) {
        kept = p.text;
    } else {
        if (p.length > 0 && box.onKeyDown) {
            Key del{VK::Delete, 0};
            box.onKeyDown(del);
            if (del.swallowed())
                return unchanged;
        }
        const std::string offered = oneLine(p.text);
        for (std::size_t i = 0; i < offered.size();) {
            const std::size_t from = i;
            Key k{0, text::nextCodePoint(offered, i)};
            if (box.onKeyDown)
                box.onKeyDown(k);
            if (!k.swallowed())
                kept.append(offered, from, i - from);
        }
    }

    // The width: a box takes no more characters than its field holds (a longer text set by the
    // program stays until it is shortened).
    std::size_t keptLength = text::length(kept);
    if (box.maxLength > 0) {
        const std::size_t rest = oldLength - p.length;
        const std::size_t room = rest >= static_cast<std::size_t>(box.maxLength)
                                     ? 0
                                     : static_cast<std::size_t>(box.maxLength) - rest;
        if (keptLength > room) {
            kept = text::left(kept, room);
            keptLength = room;
        }
    }
    if (keptLength == 0 && p.length == 0)
        return unchanged;

    const std::size_t from = byteOffset(before, p.start);
    const std::size_t to = byteOffset(before, p.start + p.length);
    std::string after = before.substr(0, from) + kept + before.substr(to);
    if (auto* combo = dynamic_cast<ComboEdit*>(&box); combo && p.route == Proposal::Route::Pick)
        combo->itemIndex = p.item;
    if (after == before)
        return {false, before, p.start + keptLength};
    box.text = std::move(after);
    if (box.onChange)
        box.onChange();
    return {box.text != before, box.text, std::min(p.start + keptLength, text::length(box.text))};
}

void Form::mouseDown(Control& c) {
    if (!c.visible || !c.enabled)
        return;
    if (c.onMouseDown)
        c.onMouseDown();
    if (c.focusable())
        setFocus(c);
}

void Form::mouseUp(Control& c) {
    if (c.visible && c.enabled && c.onMouseUp)
        c.onMouseUp();
}

void Form::click(Control& c) {
    if (c.visible && c.enabled && c.onClick)
        c.onClick();
}

void Form::toggle(CheckBox& box) {
    if (!box.visible || !box.enabled)
        return;
    box.checked = !box.checked;
    if (box.onClick)
        box.onClick();
    if (box.onChange)
        box.onChange();
}

} // namespace quaderna
