// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The views of the four checker windows: fiscal code, VAT number, credit card and IBAN.

namespace quaderna::ui {
class QtPlatform;
void registerCheckerViews(QtPlatform& platform);
} // namespace quaderna::ui
