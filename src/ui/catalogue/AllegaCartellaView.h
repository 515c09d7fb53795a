// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view of the attachments window.

namespace quaderna::ui {
class QtPlatform;
void registerAttachmentsView(QtPlatform& platform);
} // namespace quaderna::ui
