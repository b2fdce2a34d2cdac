#pragma once

class QWidget;

namespace tarnel {

// Esc in the window `window` (one its controls leave to it) closes it, as it does a dialog.
void closeOnEscape(QWidget& window);

} // namespace tarnel
