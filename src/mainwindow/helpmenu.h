#pragma once

class QMenu;
class QMenuBar;
class QWidget;

namespace tarnel {

class Platform;

// The Help menu: the home page (in the browser) and About. Its items are children of `window`.
QMenu* addHelpMenu(QMenuBar& bar, QWidget& window, Platform& platform);

} // namespace tarnel
