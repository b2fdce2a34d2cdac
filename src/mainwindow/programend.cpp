#include "mainwindow/programend.h"

#include <cstdio>
#include <cstdlib>

namespace tarnel {

void endProgram(std::unique_ptr<QApplication> app, int status)
{
    app.reset();
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

} // namespace tarnel
