#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tarnel {

// Where an editor window of `editor`'s size goes beside its main window
// `owner` on `screen` (frames included): to the owner's right if it fits on the
// screen, else to its left, else as far right as the screen allows, over the
// owner's right edge. It starts level with the owner's top and stays on screen.
QPoint besideOwner(const QRect& owner, const QSize& editor, const QRect& screen);

// Moves the not yet shown window `window` beside `owner` as above, sized to
// its contents unless it was resized before; nothing when the owner is not shown.
void placeBesideOwner(const QWidget& owner, QWidget& window);

} // namespace tarnel
