// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The views of the four export windows.

namespace quaderna::ui {
class QtPlatform;
void registerExportViews(QtPlatform& platform);
} // namespace quaderna::ui
