// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cards awaiting renewal: every card whose expiry, less its notice days, has come; the chosen
// user is loaded into the user archive window.

#include "core/users/UserList.h"

namespace quaderna {

class TfrmSospesi : public UserList {
public:
    explicit TfrmSospesi(Application& app);

    // The list is built each time the window is opened.
    void FormCreate() override;

protected:
    void deliver(const TTesserato& user, std::int64_t position) override;
};

} // namespace quaderna
