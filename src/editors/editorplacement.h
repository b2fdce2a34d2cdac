#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tarnel {

// Where an editor window of `editor`'s size goes beside its main window
// `owner` on `screen` (frames included): to the owner's right if it fits on the
// screen, else to its left, else as far right as the screen allows, over the
// owner's right edge. It starts level with the owner's top and stays on screen.
QPoint besideOwner(const QRect& owner, const QSize& editor, const QRect& screen);

} // namespace tarnel
