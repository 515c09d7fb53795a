// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The views of the help, information and credits windows.

namespace quaderna::ui {
class QtPlatform;
void registerHelpViews(QtPlatform& platform);
} // namespace quaderna::ui
