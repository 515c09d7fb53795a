// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The views of the card windows: the card window, the library data, card printing and preview.

namespace quaderna::ui {
class QtPlatform;
void registerCardsViews(QtPlatform& platform);
} // namespace quaderna::ui
