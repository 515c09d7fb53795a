// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The views of the loan history query, the history list and the monthly statistics.

namespace quaderna::ui {
class QtPlatform;
void registerHistoryViews(QtPlatform& platform);
} // namespace quaderna::ui
