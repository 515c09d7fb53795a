// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the windows meet the desktop: the scale at which they fit the screen, and the title-bar
// buttons the window manager offers on the fixed windows.

#include <QApplication>

#include <optional>

class QWidget;

namespace quaderna::ui {

// The room the largest windows need, in the windows' own pixels: the maximised work windows'
// smallest client area and, above it, a window manager's title bar.
inline constexpr int kWorkWidth = 1000;
inline constexpr int kWorkHeight = 700;
inline constexpr int kTitleRoom = 24;

// Creates the application. When the screen's available area, at the scale the desktop asks
// for (QT_SCALE_FACTOR, the screen's resolution), is too small for the work windows, the
// application is made again at the largest scale at which they fit, so every window and every
// dialog of Qt's own is drawn smaller alike. Programs started from this one keep the desktop's scale.
void createApplication(std::optional<QApplication>& app, int& argc, char** argv);

// The factor by which a scale of `scale` must shrink for the work windows to fit an available
// area of `available` physical pixels; 1 when they fit.
double fitFactor(double scale, int availableWidth, int availableHeight);

// The buttons a fixed window shows on its title bar.
enum class TitleButtons { None, Close };
// Tells the window manager which buttons and commands a top-level window has (on X11, through
// _MOTIF_WM_HINTS: Qt alone cannot leave a window with no close command). Call before the window
// is mapped; elsewhere than on X11 the window flags alone speak.
void setTitleButtons(QWidget& window, TitleButtons buttons);

// For the desktop tests, which drive the program from outside: with QUADERNA_FOCUS_FILE set,
// that file always holds "Window/control", the object names of the window and of the control
// that have the keyboard (empty when none has); with QUADERNA_CONTROLS_FILE set, that file holds,
// a moment after any window is shown, moved or resized, one line for each named control on
// screen: "Window<TAB>control<TAB>x y width height", on the screen, in its physical pixels, and
// for each window "Window<TAB>.<TAB>x y width height<TAB>id", with the window's X11 id.
void reportForTests(QApplication& app);

} // namespace quaderna::ui
