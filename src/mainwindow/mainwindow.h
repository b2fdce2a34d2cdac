#pragma once

#include "document/linekind.h"
#include "document/rowid.h"
#include "mainwindow/section.h"
#include "mainwindow/tablecommands.h"

#include <QMainWindow>

class QMenu;

namespace tarnel {

class EditorHost;
class FileMenu;
class FilterBar;
class FreeIdsWindow;
class FileCommands;
class IdeDocument;
class IdNavigation;
class LeftPanel;
class LoadReportWindow;
class MapCommands;
class OpenMap;
class PathsView;
class Platform;
class RecentList;
class SectionSelector;
class SectionSwitcher;
class SectionView;
class SettingsFile;
class StatisticsPanel;
class StatusPanels;

// The main window: the section selector, statistics, options, the shown
// section and the menus. It builds the parts and wires them to each other;
// each job lives in a class of its own: the shown section (`SectionSwitcher`),
// the commands on rows (`TableCommands`), Go to ID and F8 (`IdNavigation`),
// the panel on the left with the option boxes (`LeftPanel`, `OptionBoxes`),
// the File menu (`FileMenu`, `RecentFilesMenu`) and the file commands
// (`FileCommands`). Further panels dock beside the sections through dockPanel().
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Platform& platform, SettingsFile& settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Settings, recent menu, the file named by `commandLine` (quotes are
    // removed here), options. Runs once, before the window is shown.
    void startUp(const QString& commandLine);

    IdeDocument& document() { return *m_document; }
    FileCommands& fileCommands() { return *m_fileCommands; }
    // The map open in the window, if any, and the File menu's map commands.
    OpenMap& openMap() { return *m_openMap; }
    MapCommands& mapCommands() { return *m_mapCommands; }
    // The line editors opened from the section tables.
    EditorHost* editors() const { return m_editors; }
    SectionView* view(LineKind kind) const;
    PathsView* pathsView() const;
    SectionSelector* selector() const;
    StatisticsPanel* statisticsPanel() const;
    QMenu* actionsMenu(LineKind kind) const { return m_tableCommands->actionsMenu(kind); }
    const TableCommands::TableActions& tableActions(LineKind kind) const { return m_tableCommands->actions(kind); }
    // File > "Load report"; none until first opened.
    LoadReportWindow* loadReportWindow() const { return m_reportWindow; }
    void openLoadReport();
    // Shows the table of `kind` with the row `row` selected, if it is still there.
    void showRow(LineKind kind, RowId row);
    // The filter field above the shown table (Edit > "Find…").
    FilterBar* filterBar() const;
    // Edit > "Free IDs…": one window, raised when opened again; none until first opened.
    void openFreeIds();
    FreeIdsWindow* freeIdsWindow() const { return m_freeIdsWindow; }
    // A panel beside the sections, in a dock of the window named `name`.
    void dockPanel(QWidget* panel, const QString& name, Qt::DockWidgetArea area);

    QString statusText() const;
    QString versionPanelText() const;
    // The shown section; "2DFX" shows as the lights.
    Section shownSection() const;
    void selectSection(Section section);
    void setStatus(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void followOptions();
    void buildMenus();
    void buildKeyboard();
    void followLoadReport();
    void updateTitle();
    void buildMap();

    Platform& m_platform;
    SettingsFile& m_settings;
    IdeDocument* m_document;
    RecentList* m_recent;
    FileCommands* m_fileCommands;
    OpenMap* m_openMap;
    MapCommands* m_mapCommands = nullptr;
    EditorHost* m_editors = nullptr;

    SectionSwitcher* m_sections = nullptr;
    TableCommands* m_tableCommands = nullptr;
    IdNavigation* m_idNavigation = nullptr;
    LeftPanel* m_leftPanel = nullptr;
    FileMenu* m_fileMenu = nullptr;
    LoadReportWindow* m_reportWindow = nullptr;
    FreeIdsWindow* m_freeIdsWindow = nullptr;
    StatusPanels* m_status = nullptr;
};

} // namespace tarnel
