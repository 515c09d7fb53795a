#pragma once
// The credits window, from the launcher: the maker of the program and a link to its web page.

#include "core/shell/LinkWindow.h"

namespace quaderna {

class TfrmSplash : public LinkWindow {
public:
    explicit TfrmSplash(Application& app);
    Button imgWeb{this, "imgWeb"};

protected:
    void followLink() override;
};

} // namespace quaderna
