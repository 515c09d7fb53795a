#pragma once
// The views of the book windows: archive, read-only catalogue, searches and code check.

namespace quaderna::ui {
class QtPlatform;
void registerCatalogueViews(QtPlatform& platform);
} // namespace quaderna::ui
