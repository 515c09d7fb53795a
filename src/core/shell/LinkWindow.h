// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help, information and credits windows: a link text with its icon, and "Chiudi".
//
// Pressing the mouse button on the link or on its icon turns the link orange; releasing it,
// wherever the pointer is, turns it dark blue again; a click sets it dark blue and follows the
// link. Enter on the link (it takes the focus with Tab) follows it too.

#include "core/forms/Form.h"

#include <filesystem>
#include <string>

namespace quaderna {

class LinkWindow : public Form {
public:
    LinkText lnkWeb;
    Button btnChiudi{this, "btnChiudi", "Chiudi"};

    // The window opens with "Chiudi" ready for Enter.
    void FormShow() override;
    void lnkWebMouseDown();
    void lnkWebMouseUp();
    void lnkWebClick();
    void btnChiudiClick();

protected:
    LinkWindow(Application& app, std::string className, std::string caption, std::string linkText);
    // The icon beside the link text behaves as the text does.
    void linkIcon(Button& icon);
    // Where the link leads.
    virtual void followLink() = 0;
};

// The maker of the program.
inline constexpr const char* kAutore = "Quaderna Software";

// The program's own documents, which the information and credits windows open: the project has
// no web page or mailbox of its own, so their links lead to what every copy carries.
inline constexpr const char* kLeggimi = "README.md";
inline constexpr const char* kLicenza = "LICENSE";

// Where a document of the program is: beside the program (a portable copy or the build folder),
// or, for a copy installed on the system, in its shared folder `installed` (relative to
// bin/../share, such as "quaderna" or "doc/quaderna"). When neither has it, the place beside the
// program, so the desktop is told the usual place.
std::filesystem::path programDocument(Application& app, const char* name, const char* installed);
// The document as the shell-open operation takes it: its path within double quotes.
std::string quotedPath(const std::filesystem::path& file);

} // namespace quaderna
