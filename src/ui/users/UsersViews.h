// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The views of the user windows: archive, search, renewals list and photo zoom.

namespace quaderna::ui {
class QtPlatform;
void registerUsersViews(QtPlatform& platform);
} // namespace quaderna::ui
