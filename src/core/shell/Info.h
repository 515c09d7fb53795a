// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The information window, from the launcher: what the program is, and a link to its readme.

#include "core/shell/LinkWindow.h"

#include <string>

namespace quaderna {

class TfrmInfo : public LinkWindow {
public:
    explicit TfrmInfo(Application& app);
    Button imgEmail{this, "imgEmail"};

protected:
    void followLink() override;
};

// The link's text: the document it opens.
inline constexpr const char* kInfoLink = "Leggi la documentazione del programma";

} // namespace quaderna
