#pragma once

#include "settings/recentlist.h"

#include <QObject>

#include <array>

class QAction;
class QMenu;
class QWidget;

namespace tarnel {

class FileCommands;

// File > "Open recent": the files of the recent list, F1 to F7, empty slots hidden.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    // Adds the submenu to `fileMenu`; its items are children of `window`.
    RecentFilesMenu(RecentList& recent, FileCommands& fileCommands, QMenu& fileMenu, QWidget& window);

    // Reads the list again into the items.
    void refresh();

private:
    void open(int slot);

    RecentList& m_recent;
    FileCommands& m_fileCommands;
    std::array<QAction*, RecentList::slotCount> m_items{};
};

} // namespace tarnel
