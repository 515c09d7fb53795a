// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Panels that widen with their window. A work window is drawn on a centred panel of a fixed
// size; the windows whose lists hold long lines let that panel grow with the window, up to the
// width their lines need, so that a whole line shows on a common laptop screen. Each part of a
// widening panel says how it follows the extra width: it keeps its place (the default), grows
// with it, moves right by all of it, or by half of it. The same holds inside any part that grows.

#include <QFont>

class QListView;
class QWidget;

namespace quaderna::ui {

enum class Follow { Left, Stretch, Right, Centre };

// Lets the centred panel `panel` grow up to `maxWidth` when its window has room.
void widenWith(QWidget* panel, int maxWidth);
// How `w`, a part of a widening panel (or of a part that grows), follows the extra width. A text
// box's focus highlight follows with it.
void follow(QWidget* w, Follow how);
// Every direct part of `parent` that has not been given a way yet follows as `how`.
void followRest(QWidget* parent, Follow how);
// Sizes the widening panels of `window` to its width and places their parts.
void widenPanels(QWidget* window);

// The width a list item takes for a line of `chars` characters of the fixed-width `font`, and
// the width of a list that shows such lines whole, its frame and vertical scroll bar included.
int itemWidthFor(const QFont& font, int chars);
int listWidthFor(const QFont& font, int chars);

// Keeps `list` scrolled to the left whenever it comes on screen.
void scrollHomeOnShow(QListView* list);

} // namespace quaderna::ui
