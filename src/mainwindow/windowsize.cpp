#include "mainwindow/windowsize.h"

namespace tarnel {

QSize fittedWindowSize(QSize wanted, QSize minimum, QSize available, QSize frame)
{
    return wanted.boundedTo(available - frame).expandedTo(minimum);
}

} // namespace tarnel
