// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the window models need from the outside world.

#include "core/forms/Controls.h"
#include "core/text/Date.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna {

class Form;
class Report;
struct Chart;

enum class MsgKind { Warning, Error, Information, Confirmation };
enum class MsgButton { OK, Cancel, Yes, No };

// The progress of a long job (filling a grid, writing a file), shown with "Annulla" once the job
// has lasted half a second. Gone when destroyed.
class Progress {
public:
    virtual ~Progress() = default;
    // Reports how far the job is; false once the person has pressed "Annulla".
    virtual bool update(std::int64_t done, std::int64_t total) = 0;
};

struct FileFilter {
    std::string description; // "Immagine JPEG (*.jpg; *.jpeg)"
    std::string patterns;    // "*.jpg;*.jpeg"
};

class Platform {
public:
    virtual ~Platform() = default;

    // The message routine: warning, error and information boxes carry OK and Annulla,
    // a confirmation carries Sì and No.
    virtual MsgButton messageBox(std::string_view text, MsgKind kind) = 0;
    // A plain message: the text and OK, no icon.
    virtual void showMessage(std::string_view text) = 0;
    // A sentence on the window's status line (panInfo), until the mouse brings a hint there.
    // False when the window has no status line.
    virtual bool showStatus(Form& /*form*/, std::string_view /*text*/) { return false; }

    // Windows.
    virtual void show(Form& form) = 0;
    virtual void hide(Form& form) = 0;
    // Shows a dialog and returns when it has been closed.
    virtual void showModal(Form& form) = 0;
    virtual void terminate() = 0;

    // Files and pictures.
    virtual std::optional<std::filesystem::path> openFile(std::string_view title,
                                                          const std::vector<FileFilter>& filters) = 0;
    // Nothing when the file is missing or not a readable image.
    virtual ImageRef loadPicture(const std::filesystem::path& path) = 0;
    virtual bool savePictureJpeg(const ImageRef& image, const std::filesystem::path& path) = 0;
    // A picture that comes with the program (a placeholder face, a default logo).
    virtual ImageRef builtinPicture(std::string_view name) = 0;

    // Hands a document, folder, web address or mailto text to the desktop.
    virtual bool shellOpen(std::string_view command) = 0;

    // Printing: the print dialog first, false when it was cancelled.
    virtual bool print(const Report& report) = 0;
    virtual void preview(const Report& report) = 0;
    // A chart on the printer: the print dialog first, offering `copies` copies; then landscape
    // pages, one chart on each, as many as the copies finally chosen. False when cancelled (a
    // desktop without a printer prints nothing).
    virtual bool printChart(const Chart& /*chart*/, int /*copies*/) { return false; }

    // The one-line input box: the text confirmed with OK, nothing when it was cancelled (a
    // desktop that cannot ask answers nothing).
    virtual std::optional<std::string> inputBox(std::string_view /*caption*/, std::string_view /*prompt*/,
                                                std::string_view /*value*/) {
        return std::nullopt;
    }
    // Starts the progress window of a long job, described by `text` (a desktop that shows none
    // lets the job run to its end).
    virtual std::unique_ptr<Progress> progress(std::string_view text);

    // The folder of the running program, where the files that come with it live (the user
    // guide); empty when the program has no folder of its own (tests), and the data folder stands
    // in for it.
    virtual std::filesystem::path programFolder() { return {}; }

    // The clock.
    virtual Date today() = 0;
    virtual DateTime now() = 0;
};

} // namespace quaderna
