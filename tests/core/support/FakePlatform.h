// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scripted stand-in for the desktop: it records every message, answers confirmations and
// file dialogs from a script, drives dialogs with the test's own hands, and keeps a fixed clock.

#include "core/Application.h"
#include "core/forms/Platform.h"
#include "core/reports/Chart.h"
#include "core/reports/Report.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

namespace quaderna::testing {

struct FakeImage : Image {
    explicit FakeImage(std::string tag) : tag(std::move(tag)) {}
    std::string tag;
};

struct Shown {
    enum Kind { Warning, Error, Information, Confirmation, Plain } kind;
    std::string text;
};

class FakePlatform : public Platform {
public:
    // Everything the program said, in order.
    std::vector<Shown> messages;
    // Answers for confirmations, taken in order; Yes when the script runs out.
    std::deque<MsgButton> answers;
    // What the status lines said, as (window class, text), in order.
    std::vector<std::pair<std::string, std::string>> statuses;
    std::vector<std::string> shellOpened;
    // What the desktop answers to a shell open: false is "no program can open it".
    bool shellOpenSucceeds = true;
    std::vector<std::string> dialogsShown; // class names, in order
    std::vector<std::string> events;       // "show TfrmAvvio", "hide TfrmPassword", ...
    std::deque<std::optional<std::filesystem::path>> filesToOpen;
    // Copies of the reports as they were handed over: a window's report goes with the window.
    std::vector<Report> printed, previewed;
    // The title and the filters of every file dialog shown, in order.
    struct FileDialog {
        std::string title;
        std::vector<FileFilter> filters;
    };
    std::vector<FileDialog> fileDialogs;
    bool printDialogAccepts = true;
    // Charts handed to the printer, with the copies the print dialog was opened with.
    struct PrintedChart {
        Chart chart;
        int copies = 0;
    };
    std::vector<PrintedChart> chartsPrinted;
    // The input boxes shown, and the answers the person types, taken in order: nothing is
    // "Annulla"; when the script runs out the person confirms the box as it stands.
    struct InputAsked {
        std::string caption, prompt, value;
    };
    std::vector<InputAsked> inputsAsked;
    std::deque<std::optional<std::string>> inputAnswers;
    // The progress windows started, by their text, and how many reports each received.
    struct ProgressShown {
        std::string text;
        std::int64_t updates = 0, done = 0, total = 0;
    };
    std::vector<ProgressShown> progressShown;
    // Whether the person presses "Annulla" on a progress window after the report just received
    // (never, unless set).
    std::function<bool(const ProgressShown&)> annulla;
    bool terminated = false;
    Date fixedToday{2022, 3, 10};
    TimeOfDay fixedTime{9, 30, 15};

    // What the person does when a dialog of type D appears.
    template <class D> void onDialog(std::function<void(D&)> script) {
        scripts_[std::type_index(typeid(D))] = [script](Form& f) { script(static_cast<D&>(f)); };
    }

    const Shown& lastMessage() const;
    std::string lastText() const { return messages.empty() ? std::string() : messages.back().text; }

    MsgButton messageBox(std::string_view text, MsgKind kind) override;
    void showMessage(std::string_view text) override;
    bool showStatus(Form& form, std::string_view text) override;
    void show(Form& form) override;
    void hide(Form& form) override;
    void showModal(Form& form) override;
    void terminate() override { terminated = true; }
    std::optional<std::filesystem::path> openFile(std::string_view title,
                                                  const std::vector<FileFilter>& filters) override;
    ImageRef loadPicture(const std::filesystem::path& path) override;
    bool savePictureJpeg(const ImageRef& image, const std::filesystem::path& path) override;
    ImageRef builtinPicture(std::string_view name) override;
    bool shellOpen(std::string_view command) override;
    bool print(const Report& report) override;
    void preview(const Report& report) override;
    // The program's own folder; empty (the data folder stands in) unless a test sets it.
    std::filesystem::path programFolderPath;
    std::filesystem::path programFolder() override { return programFolderPath; }
    bool printChart(const Chart& chart, int copies) override;
    std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                        std::string_view value) override;
    std::unique_ptr<Progress> progress(std::string_view text) override;
    Date today() override { return fixedToday; }
    DateTime now() override { return {fixedToday, fixedTime}; }

private:
    std::map<std::type_index, std::function<void(Form&)>> scripts_;
};

// A person at the keyboard and the mouse.
class Person {
public:
    explicit Person(FakePlatform&) {}
    // Puts the focus into the box and types each character as a key press; handlers may swallow
    // keys; the box's length limit and read-only state hold as on screen.
    void type(Edit& box, std::string_view text);
    // Selects everything in the box and types over it.
    void retype(Edit& box, std::string_view text);
    // Pastes at the end of the box's text (any route that is not a key: the menu, Ctrl+V, a
    // middle click, a drop, an input method).
    void paste(Edit& box, std::string_view text);
    // Picks item `index` from the box's drop-down list.
    void pick(ComboEdit& box, int index);
    // Presses one key (a key code such as VK::Return) in a control.
    void press(Control& c, int keyCode);
    // Presses and releases the mouse button on the control: mouse down, focus, mouse up, click,
    // when the control is visible and enabled.
    void click(Control& c);
    void doubleClick(ListBox& list, int index);
    void mouseDown(Control& c);
    // Releases the mouse button pressed on the control, wherever the pointer is.
    void mouseUp(Control& c);
    void toggle(CheckBox& box);
};

} // namespace quaderna::testing
