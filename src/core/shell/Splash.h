// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The credits window, from the launcher: the maker of the program and a link to its licence.

#include "core/shell/LinkWindow.h"

namespace quaderna {

class TfrmSplash : public LinkWindow {
public:
    explicit TfrmSplash(Application& app);
    Button imgWeb{this, "imgWeb"};

protected:
    void followLink() override;
};

// The link's text: the licence it opens.
inline constexpr const char* kSplashLink = "Licenza GNU GPL, versione 3 o successiva";

// Opens the program's licence, as the credits link and the launcher's strip do.
void openLicence(Application& app);

} // namespace quaderna
