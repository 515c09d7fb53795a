// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakePlatform.h"

#include "core/storage/Files.h"
#include "core/text/Text.h"

#include <fstream>
#include <stdexcept>

namespace quaderna::testing {

const Shown& FakePlatform::lastMessage() const {
    if (messages.empty())
        throw std::logic_error("no message was shown");
    return messages.back();
}

MsgButton FakePlatform::messageBox(std::string_view text, MsgKind kind) {
    static constexpr Shown::Kind kinds[] = {Shown::Warning, Shown::Error, Shown::Information,
                                            Shown::Confirmation};
    messages.push_back({kinds[static_cast<int>(kind)], std::string(text)});
    if (kind != MsgKind::Confirmation)
        return MsgButton::OK;
    if (answers.empty())
        return MsgButton::Yes;
    const MsgButton a = answers.front();
    answers.pop_front();
    return a;
}

void FakePlatform::showMessage(std::string_view text) {
    messages.push_back({Shown::Plain, std::string(text)});
}

void FakePlatform::show(Form& form) {
    events.push_back("show " + form.className());
}
void FakePlatform::hide(Form& form) {
    events.push_back("hide " + form.className());
}

void FakePlatform::showModal(Form& form) {
    // As on screen: a dialog that closed itself while it was being shown never appears.
    if (!form.visible())
        return;
    dialogsShown.push_back(form.className());
    events.push_back("modal " + form.className());
    const auto it = scripts_.find(std::type_index(typeid(form)));
    if (it != scripts_.end())
        it->second(form);
}

std::optional<std::filesystem::path> FakePlatform::openFile(std::string_view title,
                                                            const std::vector<FileFilter>& filters) {
    fileDialogs.push_back({std::string(title), filters});
    if (filesToOpen.empty())
        return std::nullopt;
    auto f = filesToOpen.front();
    filesToOpen.pop_front();
    return f;
}

bool FakePlatform::showStatus(Form& form, std::string_view text) {
    statuses.emplace_back(form.className(), std::string(text));
    return true;
}

ImageRef FakePlatform::loadPicture(const std::filesystem::path& path) {
    // As on screen: only a regular file is read, and not beyond the pictures' size limit.
    std::optional<std::string> content;
    try {
        content = files::readRegular(path, files::kPictureLimit);
    } catch (const IoError&) {
        return nullptr;
    }
    // Test pictures are small text files starting with "IMG:".
    if (!content || content->rfind("IMG:", 0) != 0)
        return nullptr;
    return std::make_shared<FakeImage>(content->substr(4));
}

bool FakePlatform::savePictureJpeg(const ImageRef& image, const std::filesystem::path& path) {
    // As on screen: the picture is encoded in memory and the file replaced whole.
    const auto* img = dynamic_cast<const FakeImage*>(image.get());
    if (!img)
        return false;
    try {
        files::replaceFile(path, "IMG:" + img->tag);
    } catch (const IoError&) {
        return false;
    }
    return true;
}

ImageRef FakePlatform::builtinPicture(std::string_view name) {
    return std::make_shared<FakeImage>(std::string(name));
}

bool FakePlatform::shellOpen(std::string_view command) {
    shellOpened.emplace_back(command);
    return shellOpenSucceeds;
}

bool FakePlatform::print(const Report& report) {
    if (!printDialogAccepts)
        return false;
    printed.push_back(report);
    return true;
}

void FakePlatform::preview(const Report& report) {
    previewed.push_back(report);
}

bool FakePlatform::printChart(const Chart& chart, int copies) {
    if (!printDialogAccepts)
        return false;
    chartsPrinted.push_back({chart, copies});
    return true;
}

std::optional<std::string> FakePlatform::inputBox(std::string_view caption, std::string_view prompt,
                                                  std::string_view value) {
    inputsAsked.push_back({std::string(caption), std::string(prompt), std::string(value)});
    if (inputAnswers.empty())
        return std::string(value);
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

namespace {

class FakeProgress : public Progress {
public:
    FakeProgress(FakePlatform& ui, std::size_t index) : ui_(ui), index_(index) {}
    bool update(std::int64_t done, std::int64_t total) override {
        auto& shown = ui_.progressShown[index_];
        ++shown.updates;
        shown.done = done;
        shown.total = total;
        return !ui_.annulla || !ui_.annulla(shown);
    }

private:
    FakePlatform& ui_;
    std::size_t index_;
};

} // namespace

std::unique_ptr<Progress> FakePlatform::progress(std::string_view text) {
    progressShown.push_back({std::string(text)});
    return std::make_unique<FakeProgress>(*this, progressShown.size() - 1);
}

namespace {

std::size_t caretAtEnd(const Edit& box) {
    return text::length(box.text);
}

} // namespace

void Person::type(Edit& box, std::string_view s) {
    // Typing follows the focus, as on screen: after an Enter that moves it, the next characters
    // go to the box that took it.
    Edit* target = &box;
    if (!box.form().hasFocus(box))
        box.form().setFocus(box);
    for (std::size_t i = 0; i < s.size();) {
        const char32_t cp = text::nextCodePoint(s, i);
        Key key;
        if (cp == '\r' || cp == '\n')
            key.code = VK::Return;
        else
            key.ch = cp;
        Form& form = target->form();
        form.typeKey(*target, key, caretAtEnd(*target), 0);
        Key up{key.code, key.ch};
        form.keyUp(*target, up);
        if (auto* next = dynamic_cast<Edit*>(form.focused()))
            target = next;
    }
}

void Person::retype(Edit& box, std::string_view s) {
    box.form().setFocus(box);
    if (!box.text.empty()) {
        Key del{VK::Delete, 0};
        box.form().typeKey(box, del, 0, caretAtEnd(box));
        Key up{VK::Delete, 0};
        box.form().keyUp(box, up);
    }
    type(box, s);
}

void Person::paste(Edit& box, std::string_view s) {
    if (!box.form().hasFocus(box))
        box.form().setFocus(box);
    box.form().input(box, {caretAtEnd(box), 0, std::string(s), Proposal::Route::Other});
}

void Person::pick(ComboEdit& box, int index) {
    box.form().setFocus(box);
    if (index < 0 || index >= static_cast<int>(box.items.size()))
        return;
    box.form().input(
        box, {0, caretAtEnd(box), box.items[static_cast<std::size_t>(index)], Proposal::Route::Pick, index});
}

void Person::press(Control& c, int keyCode) {
    if (c.focusable())
        c.form().setFocus(c);
    Key key{keyCode, 0};
    if (auto* e = dynamic_cast<Edit*>(&c))
        c.form().typeKey(*e, key, caretAtEnd(*e), 0);
    else
        c.form().keyDown(c, key);
    Key up{keyCode, 0};
    c.form().keyUp(c, up);
}

void Person::click(Control& c) {
    c.form().mouseDown(c);
    c.form().mouseUp(c);
    c.form().click(c);
}

void Person::doubleClick(ListBox& list, int index) {
    list.itemIndex = index;
    if (list.onDblClick)
        list.onDblClick();
}

void Person::mouseDown(Control& c) {
    c.form().mouseDown(c);
}

void Person::mouseUp(Control& c) {
    c.form().mouseUp(c);
}

void Person::toggle(CheckBox& box) {
    box.form().toggle(box);
}

} // namespace quaderna::testing
