// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop reduced to what a benchmark of a window needs: every question is answered at once
// with consent, nothing is shown, the clock stands still.

#include "core/forms/Platform.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace quaderna::bench {

class QuietPlatform : public Platform {
public:
    explicit QuietPlatform(Date today = {2026, 3, 10}) : today_(today) {}
    MsgButton messageBox(std::string_view, MsgKind) override { return MsgButton::Yes; }
    void showMessage(std::string_view) override {}
    void show(Form&) override {}
    void hide(Form&) override {}
    void showModal(Form&) override {}
    void terminate() override {}
    std::optional<std::filesystem::path> openFile(std::string_view, const std::vector<FileFilter>&) override {
        return std::nullopt;
    }
    ImageRef loadPicture(const std::filesystem::path&) override { return nullptr; }
    bool savePictureJpeg(const ImageRef&, const std::filesystem::path&) override { return false; }
    ImageRef builtinPicture(std::string_view) override { return nullptr; }
    bool shellOpen(std::string_view) override { return true; }
    bool print(const Report&) override { return false; }
    void preview(const Report&) override {}
    Date today() override { return today_; }
    DateTime now() override { return {today_, {9, 0, 0}}; }

private:
    Date today_;
};

} // namespace quaderna::bench
