#pragma once

class QWidget;

namespace tarnel {

// Makes the not yet shown `window` a tool window of its parent, the main
// window: the desktop keeps it above that window (never above other programs),
// so a click on the table does not hide it. Qt would let the keys typed in it
// run the main window's shortcuts (Delete, Insert, Ctrl+D on the shown table);
// they stay in the window instead, as in a window of its own.
void makeToolWindow(QWidget& window);

} // namespace tarnel
