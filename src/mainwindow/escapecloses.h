#pragma once

class QWidget;

namespace tarnel {

// Esc anywhere in the window `window` closes it, as it does a dialog.
void closeOnEscape(QWidget& window);

} // namespace tarnel
