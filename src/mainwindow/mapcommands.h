#pragma once

#include "mainwindow/filecommands.h"

#include <QHash>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace tarnel {

class OpenMap;
class PlacementFileView;
class Platform;
class RecentMaps;
class SettingsFile;

// The File menu's map commands: "Open map…", "Recent maps", "Save all", and
// the one question about a map's changed files before it is closed (Close,
// Exit, Open, another map); each shown file keeps its layout answer.
class MapCommands : public QObject {
    Q_OBJECT
public:
    MapCommands(OpenMap& map, FileCommands& fileCommands, Platform& platform, SettingsFile& settings,
                QWidget& window);
    ~MapCommands() override;

    // Adds "Open map…" after Open, "Save all" after Save as and "Recent maps"
    // after the recent files to the File menu.
    void addFileItems(QMenu& fileMenu);
    // Opens the map of `operands` (a level list or a folder, say) once the open
    // document or map may go; `gameFolder` empty: found from the lists.
    void openMap(const QStringList& operands, const QString& gameFolder = {});
    void chooseMap();
    // Saves every changed document of the map (the open document when no map is
    // open), each in its own layout; false when one was not saved.
    bool saveAll();
    // With a map open: asks once about its changed files, then closes it; nothing when none is open.
    std::optional<bool> leaveMap();
    // A placement file of the map as read-only text, at `line` (0: the top). The one view is reused.
    PlacementFileView* showPlacementFile(qsizetype file, qint64 line = 0);
    void setEditsCheck(std::function<bool()> mayDiscardEdits) { m_mayDiscardEdits = std::move(mayDiscardEdits); }

signals:
    void statusMessage(const QString& text);

private:
    void refreshRecentMaps();
    // The shown file changed: its layout answer comes back, the leaving one's is kept.
    void followShownFile(qsizetype file);

    OpenMap& m_map;
    FileCommands& m_fileCommands;
    Platform& m_platform;
    QWidget& m_window;
    std::unique_ptr<RecentMaps> m_recent;
    QMenu* m_recentMenu = nullptr;
    PlacementFileView* m_placementView = nullptr;
    std::function<bool()> m_mayDiscardEdits;
    // Each map file shown before and not shown now: its layout answer and disk state.
    QHash<qsizetype, FileCommands::ShownFileState> m_parkedFiles;
    qsizetype m_lastShown = -1;
};

} // namespace tarnel
