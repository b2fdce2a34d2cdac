#pragma once

#include <QSize>

namespace tarnel {

// The size the main window opens at: the designed size `wanted`, cut to what
// fits in `available` (the screen less its panels) with the window's frame
// `frame` (title bar and borders) around it, but never below `minimum`, the
// smallest size its layout allows.
QSize fittedWindowSize(QSize wanted, QSize minimum, QSize available, QSize frame);

} // namespace tarnel
