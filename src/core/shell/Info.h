#pragma once
// The information window, from the launcher: what the program is, and a link that writes to its
// maker.

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

// The message to the maker, as handed to the mail program: subject and body as they stand.
std::string infoMailCommand();

} // namespace quaderna
