// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The views of the book windows: archive, read-only catalogue, searches and code check.

class QWidget;

namespace quaderna {
class BookSearch;
}

namespace quaderna::ui {
class FormView;
class QtPlatform;
void registerCatalogueViews(QtPlatform& platform);
// The view of a book search: its criteria panel and its result panel (the loan book picker too).
FormView* bookSearchView(QtPlatform& platform, BookSearch& model, QWidget* parent);
} // namespace quaderna::ui
