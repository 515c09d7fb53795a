#pragma once
// The view of the attachments window.

namespace quaderna::ui {
class QtPlatform;
void registerAttachmentsView(QtPlatform& platform);
} // namespace quaderna::ui
