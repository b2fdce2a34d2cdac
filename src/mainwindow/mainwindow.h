#pragma once

#include "document/linekind.h"
#include "document/loadreport.h"
#include "settings/recentlist.h"

#include <QMainWindow>

#include <array>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QStackedWidget;

namespace tarnel {

class EditorHost;
class FilterBar;
class FreeIdsWindow;
class FileCommands;
class IdeDocument;
class LoadReportWindow;
class PathsView;
class Platform;
class SectionSelector;
class SectionView;
class SettingsFile;
class StatisticsPanel;

// The main window: the section selector, statistics, options, the shown
// section and the menus. It wires commands to their actions; the commands
// themselves live in their own classes.
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
    // The line editors opened from the section tables.
    EditorHost* editors() const { return m_editors; }
    SectionView* view(LineKind kind) const { return m_views[size_t(kind)]; }
    PathsView* pathsView() const { return m_pathsView; }
    SectionSelector* selector() const { return m_selector; }
    StatisticsPanel* statisticsPanel() const { return m_statistics; }
    QMenu* actionsMenu(LineKind kind) const { return m_actionsMenus[size_t(kind)]; }
    // File > "Load report"; none until first opened.
    LoadReportWindow* loadReportWindow() const { return m_reportWindow; }
    void openLoadReport();
    // Shows the table of `kind` with the row `row` selected, if it is still there.
    void showRow(LineKind kind, RowId row);
    // The filter field above the shown table (Edit > "Find…").
    FilterBar* filterBar() const { return m_filterBar; }
    // Edit > "Go to ID…": asks for an ID and shows its row.
    void goToId();
    // Edit > "Free IDs…": one window, raised when opened again; none until first opened.
    void openFreeIds();
    FreeIdsWindow* freeIdsWindow() const { return m_freeIdsWindow; }
    // Edit > "Next duplicate ID": selects the next shown row of the objects or
    // timed objects whose ID another row uses too.
    void goToNextDuplicate();

    // The five commands of one table's Actions menu.
    struct TableActions {
        QAction* newLine = nullptr;
        QAction* commentOut = nullptr;
        QAction* unComment = nullptr;
        QAction* remove = nullptr;
        QAction* duplicate = nullptr;
    };
    const TableActions& tableActions(LineKind kind) const { return m_tableActions[size_t(kind)]; }
    QString statusText() const;
    QString versionPanelText() const;
    // Index 0..7 of the shown section, after "2DFX" became "Lights".
    int shownSection() const { return m_shownSection; }

    void selectSection(int index);
    void refreshRecentMenu();
    void setStatus(const QString& text);
    // "Copy lines": the shown table's selected rows to the clipboard; their
    // table, none when no row is selected. "Cut lines" removes them after.
    std::optional<LineKind> copyShownRows();
    // "Paste in line": the modal paste dialog.
    void openPasteLine();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildLeftPanel();
    void buildMenus();
    QMenu* buildActionsMenu(LineKind kind);
    void buildKeyboard();
    void giveShortcutsTo(LineKind kind);
    void popUpActionsMenu(LineKind kind);
    void scrollToRow(LineKind kind, qsizetype row);
    // Shows the table of `kind` with its row at `position` selected and current.
    void showTableRow(LineKind kind, qsizetype position);
    void applyFilter();
    void refreshFilterCount();
    void focusFirstShownRow();
    void applySort(bool on);
    void applyGridLines(bool on);
    void applyPasteCatching(bool on);
    void applyKeepLayout(bool on);
    void followLoadReport();
    void updateTitle();
    void openRecent(int slot);

    Platform& m_platform;
    SettingsFile& m_settings;
    IdeDocument* m_document;
    RecentList* m_recent;
    FileCommands* m_fileCommands;
    EditorHost* m_editors = nullptr;

    QStackedWidget* m_sections = nullptr;
    FilterBar* m_filterBar = nullptr;
    SectionSelector* m_selector = nullptr;
    StatisticsPanel* m_statistics = nullptr;
    QCheckBox* m_showLines = nullptr;
    QCheckBox* m_catchPaste = nullptr;
    QCheckBox* m_objectSort = nullptr;
    QCheckBox* m_keepLayout = nullptr;
    std::array<SectionView*, lineKindCount> m_views{};
    PathsView* m_pathsView = nullptr;
    std::array<QMenu*, lineKindCount> m_actionsMenus{};
    std::array<TableActions, lineKindCount> m_tableActions{};
    std::array<QAction*, RecentList::slotCount> m_recentItems{};
    QMenu* m_fileMenu = nullptr;
    QAction* m_loadReportItem = nullptr;
    LoadReportWindow* m_reportWindow = nullptr;
    FreeIdsWindow* m_freeIdsWindow = nullptr;
    QAction* m_editCut = nullptr;
    QAction* m_editCopy = nullptr;
    QAction* m_editPaste = nullptr;
    QAction* m_editPaste2 = nullptr;
    QLabel* m_statusPanel = nullptr;
    QLabel* m_versionPanel = nullptr;
    int m_shownSection = 0;
};

} // namespace tarnel
