// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The views of the login, the password change, the launcher and the two sub-menus.

namespace quaderna::ui {
class QtPlatform;
void registerShellViews(QtPlatform& platform);
} // namespace quaderna::ui
