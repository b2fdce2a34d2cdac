#include "mainwindow/windowsize.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

namespace tarnel {

QSize fittedWindowSize(QSize wanted, QSize minimum, QSize available, QSize frame)
{
    return wanted.boundedTo(available - frame).expandedTo(minimum);
}

void openAtDesignedSize(QMainWindow& window, QSize designed)
{
    designed.rheight() += window.menuBar()->sizeHint().height();
    const int border = window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const QSize frame(2 * border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
    const QRect free = window.screen()->availableGeometry();
    const QSize fitted = fittedWindowSize(designed, window.minimumSizeHint(), free.size(), frame);
    window.resize(fitted);
    // A window cut to the screen shows whole only from the free area's corner on.
    if (fitted != designed)
        window.move(free.topLeft());
}

} // namespace tarnel
