#pragma once

#include "map/mapfinding.h"
#include "mainwindow/mapidnotes.h"

#include <QList>
#include <QObject>

#include <functional>

class QDockWidget;

namespace tarnel {

class MainWindow;
class OpenMap;
class ProblemsPanel;

// The open map's checks in the window: the Problems panel (docked, shown
// while a map is open) following every change of the map, going to a
// finding's place, and the map's other files in the shown document's
// duplicate-ID marks and tooltips.
class MapProblems : public QObject {
    Q_OBJECT
public:
    // `showText` shows a file read-only at a line (the placement file view).
    using TextShower = std::function<void(const QString& path, qint64 line)>;
    MapProblems(MainWindow& window, OpenMap& map, TextShower showText);

    ProblemsPanel* panel() const { return m_panel; }
    // Shows the finding's line: an IDE row in the tables (switching file),
    // any other line in the read-only text view.
    void goTo(const MapFinding& finding);

private:
    void follow();
    // Every file's findings read again (a map opened), or those of `files`.
    void refresh();
    void refresh(const QList<qsizetype>& files);
    QString pathOnDisk(const MapFinding& finding) const;

    MainWindow& m_window;
    OpenMap& m_map;
    TextShower m_showText;
    MapIdNotes m_notes;
    ProblemsPanel* m_panel;
    // The findings of the level lists, then of each file in load order: an
    // edit reads again only the files whose findings it may have changed.
    QList<QList<MapFinding>> m_findingsByFile;
    QDockWidget* m_dock = nullptr;
};

} // namespace tarnel
