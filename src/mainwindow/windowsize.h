#pragma once

#include <QSize>

class QMainWindow;

namespace tarnel {

// The size the main window opens at: the designed size `wanted`, cut to what
// fits in `available` (the screen less its panels) with the window's frame
// `frame` (title bar and borders) around it, but never below `minimum`, the
// smallest size its layout allows.
QSize fittedWindowSize(QSize wanted, QSize minimum, QSize available, QSize frame);

// Gives the window its designed client area of `designed` at 96 dpi below
// its menu bar, cut to its screen's free area less a frame as the style draws
// one (the desktop's is not known yet), and moves a cut window to the free area's corner.
void openAtDesignedSize(QMainWindow& window, QSize designed);

} // namespace tarnel
