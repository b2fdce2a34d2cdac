#include "editors/editorplacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tarnel {

QPoint besideOwner(const QRect& owner, const QSize& editor, const QRect& screen)
{
    // QRect's right() is the last pixel inside, so a neighbour starts one past it.
    const int screenEnd = screen.x() + screen.width();
    const int rightmost = std::max(screen.x(), screenEnd - editor.width());
    int x = owner.x() + owner.width();
    if (x + editor.width() > screenEnd) {
        x = owner.x() - editor.width();
        if (x < screen.x())
            x = rightmost;
    }
    // An owner partly off the screen would take its neighbour off it too.
    x = std::clamp(x, screen.x(), rightmost);
    const int lowest = std::max(screen.y(), screen.y() + screen.height() - editor.height());
    const int y = std::clamp(owner.y(), screen.y(), lowest);
    return {x, y};
}

void placeBesideOwner(const QWidget& owner, QWidget& window)
{
    if (!owner.isVisible())
        return;
    // A window given a size of its own keeps it; the others fit their contents.
    if (!window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    // The window has no frame before it is shown; it will get one like the owner's.
    const QSize frame = owner.frameGeometry().size() - owner.geometry().size();
    window.move(besideOwner(owner.frameGeometry(), window.size() + frame, owner.screen()->availableGeometry()));
}

} // namespace tarnel
