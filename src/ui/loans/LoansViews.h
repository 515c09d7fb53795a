// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The views of the loan windows: loans, returns, the date picker, the loan book picker and the
// return confirmation.

namespace quaderna::ui {
class QtPlatform;
void registerLoansViews(QtPlatform& platform);
} // namespace quaderna::ui
