#pragma once

#include <QApplication>

#include <memory>

namespace tarnel {

// Ends the program once its event loop is done (the window closed, nothing
// left unsaved, settings written as they changed). The application object
// goes first, so that the desktop takes over what the program left on the
// clipboard; the window with its document, models and ID index is left to the
// operating system, which frees a million rows' memory at once where tearing
// them down an object at a time takes long. Only the program's real exit
// comes here: tests create and destroy their windows.
[[noreturn]] void endProgram(std::unique_ptr<QApplication> app, int status);

} // namespace tarnel
