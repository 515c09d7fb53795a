// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Control models: what a window's controls hold and what a person or a handler can observe.
//
// A control belongs to a form and registers itself with it, so views find it by name. Handlers
// are plain callbacks set by the form (onClick = [this] { cmdSalvaClick(); }).

#include "core/text/Lines.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna {

class Form;

// Key codes as the windows report them.
namespace VK {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Escape = 27;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Delete = 46;
} // namespace VK

// A key press: a key code for keys that type nothing, a character for keys that do.
// A handler swallows the key by clearing both.
struct Key {
    int code = 0;
    char32_t ch = 0;
    // Held with Ctrl: a shortcut (select all, copy, paste, undo) rather than typing.
    bool command = false;
    void swallow() {
        code = 0;
        ch = 0;
    }
    bool swallowed() const { return code == 0 && ch == 0; }
};

// A change of a box's text proposed by a person, whatever its route: a key, a paste (menu,
// Ctrl+V, middle click), an input method, a drop, a pick from the drop-down, an accepted
// suggestion. The characters from `start` to `start + length` give way to `text`. Positions and
// lengths count characters.
struct Proposal {
    enum class Route {
        Key,   // a key press whose key the key handler has already let through
        Other, // text from elsewhere: each character is offered to the key handler as a key
        Pick,  // an item of the drop-down list (its index in `item`), or an accepted suggestion
    };
    std::size_t start = 0;
    std::size_t length = 0;
    std::string text;
    Route route = Route::Other;
    int item = -1;
};

// What stands after a proposal: the box's whole text and the caret's place in it.
struct InputResult {
    bool changed = false;
    std::string text;
    std::size_t caret = 0;
};

class Control {
public:
    Control(Form* owner, std::string name);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    Form& form() const { return *owner_; }

    bool visible = true;
    bool enabled = true;

    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onMouseDown;
    std::function<void()> onMouseUp; // the button released, on the control or off it
    std::function<void()> onChange;  // a person changed the value
    std::function<void()> onEnter;   // the control takes the focus
    std::function<void()> onExit;    // the control loses the focus
    std::function<void(Key&)> onKeyDown;
    std::function<void(Key&)> onKeyUp;

    // Takes the keyboard focus (hidden or disabled controls included, as a handler asks).
    virtual bool focusable() const { return true; }

private:
    Form* owner_;
    std::string name_;
};

class Label : public Control {
public:
    Label(Form* owner, std::string name, std::string text = {})
        : Control(owner, std::move(name)), text(std::move(text)) {}
    bool focusable() const override { return false; }
    std::string text;
};

class Edit : public Control {
public:
    Edit(Form* owner, std::string name, int maxLength = 0)
        : Control(owner, std::move(name)), maxLength(maxLength) {}
    std::string text;
    int maxLength = 0; // characters a person may type; 0 = no limit
    bool readOnly = false;
    bool password = false;
};

// An edit box with a drop-down list of suggestions.
class ComboEdit : public Edit {
public:
    using Edit::Edit;
    std::vector<std::string> items;
    int itemIndex = -1;
};

class CheckBox : public Control {
public:
    CheckBox(Form* owner, std::string name, std::string text = {})
        : Control(owner, std::move(name)), text(std::move(text)) {}
    bool checked = false;
    std::string text;
};

// Push buttons and clickable pictures. A picture does not take the focus when clicked.
class Button : public Control {
public:
    Button(Form* owner, std::string name, std::string text = {})
        : Control(owner, std::move(name)), text(std::move(text)) {}
    bool focusable() const override { return tabStop; }
    std::string text;
    // False for a picture button: a click on it leaves the focus where it was (on screen Tab still
    // reaches it, and Enter and the space bar press it).
    bool tabStop = true;
};

// A link text: underlined words that are clicked like a button, in a colour (ARGB) that the
// window changes while the mouse button is held on them.
class LinkText : public Button {
public:
    LinkText(Form* owner, std::string name, std::string text, std::uint32_t colour)
        : Button(owner, std::move(name), std::move(text)), colour(colour) {}
    std::uint32_t colour;
};

namespace colours {
inline constexpr std::uint32_t DarkBlue = 0xFF00008B;
inline constexpr std::uint32_t Orange = 0xFFFFA500;
} // namespace colours

class Panel : public Control {
public:
    using Control::Control;
    bool focusable() const override { return false; }
};

// A list of text lines. A sorted list keeps its lines in list order (text::compareList).
class ListBox : public Control {
public:
    ListBox(Form* owner, std::string name, bool sorted = false)
        : Control(owner, std::move(name)), sorted(sorted) {}
    const bool sorted;
    int itemIndex = -1;

    // Lines a list reads from elsewhere only when they are shown, searched, selected or printed
    // (records of a file, read again then): filling such a list costs little more than finding
    // which records it lists.
    class Source {
    public:
        virtual ~Source() = default;
        virtual std::size_t size() const = 0;
        // Line i, good until the next line is asked for on the same thread.
        virtual std::string_view line(std::size_t i) const = 0;
    };

    // Line i; from a source (setSource), good until the next line is asked for on the same thread.
    std::string_view item(int i) const {
        return source_ ? source_->line(static_cast<std::size_t>(i)) : items_[static_cast<std::size_t>(i)];
    }
    // A copy of every line, for a printout.
    std::vector<std::string> items() const;
    int count() const { return static_cast<int>(source_ ? source_->size() : items_.size()); }
    void clear();
    // Replaces every line at once; a sorted list sorts them.
    void setItems(text::Lines lines);
    void setItems(const std::vector<std::string>& lines) { setItems(text::Lines(lines)); }
    // Replaces every line with the lines of a source. A sorted list is ordered by its lines, so
    // it reads them all at once.
    void setSource(std::shared_ptr<const Source> source);
    void add(std::string_view line); // one line, kept in order
    // Empties the list and hands over its lines' room, for the next fill to reuse.
    text::Lines take();
    std::string selectedText() const;
    // Changes whenever the lines change, so views reload only then.
    std::uint64_t revision() const { return revision_; }

private:
    text::Lines items_;
    std::shared_ptr<const Source> source_;
    std::uint64_t revision_ = 0;
};

// A picture; the image itself is an opaque handle of the platform.
class Image {
public:
    virtual ~Image() = default;
};
using ImageRef = std::shared_ptr<const Image>;

class Picture : public Control {
public:
    using Control::Control;
    bool focusable() const override { return false; }
    ImageRef image;
};

// A timer that calls onTimer every interval while enabled.
class Timer : public Control {
public:
    Timer(Form* owner, std::string name, int interval = 1000)
        : Control(owner, std::move(name)), interval(interval) {}
    bool focusable() const override { return false; }
    int interval;
    std::function<void()> onTimer;
};

} // namespace quaderna
