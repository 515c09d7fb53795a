#pragma once
// The views of the four export windows.

namespace quaderna::ui {
class QtPlatform;
void registerExportViews(QtPlatform& platform);
} // namespace quaderna::ui
