#pragma once
// The help, information and credits windows: a link text with its icon, and "Chiudi".
//
// Pressing the mouse button on the link or on its icon turns the link orange; releasing it,
// wherever the pointer is, turns it dark blue again; a click sets it dark blue and follows the
// link. Enter on the link (it takes the focus with Tab) follows it too.

#include "core/forms/Form.h"

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

// The maker of the program and where to reach them.
inline constexpr const char* kAutore = "Quaderna Software";
inline constexpr const char* kEmailAutore = "info@quaderna.example.org";

} // namespace quaderna
