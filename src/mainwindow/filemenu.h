#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace tarnel {

class FileCommands;
class RecentFilesMenu;
class RecentList;

// The File menu: New, Open, Close, Save, Save as, "Load report", the recent
// files and Exit, with their keys. Its items are children of `window`.
class FileMenu : public QObject {
    Q_OBJECT
public:
    FileMenu(FileCommands& fileCommands, RecentList& recent, QMenuBar& bar, QWidget& window);

    QMenu* menu() const { return m_menu; }
    // Enabled while the document's load report holds lines.
    QAction* loadReportItem() const { return m_loadReport; }
    RecentFilesMenu* recentFiles() const { return m_recentFiles; }

private:
    QMenu* m_menu;
    QAction* m_loadReport = nullptr;
    RecentFilesMenu* m_recentFiles = nullptr;
};

} // namespace tarnel
