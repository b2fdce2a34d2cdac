#pragma once

#include "document/linekind.h"
#include "mainwindow/section.h"

#include <QObject>

#include <array>
#include <optional>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace tarnel {

class IdeDocument;
class Platform;
class SectionSwitcher;
class SectionView;

// The commands on a table's rows: each table's Actions menu (New line,
// Comment out, Un-comment, Remove, Duplicate) with its keys and as the
// table's pop-up menu, and the Edit menu's "Cut lines", "Copy lines" and
// "Paste in line". Only the shown table's menu is in the bar and carries the keys.
class TableCommands : public QObject {
    Q_OBJECT
public:
    // The five commands of one table's Actions menu.
    struct TableActions {
        QAction* newLine = nullptr;
        QAction* commentOut = nullptr;
        QAction* unComment = nullptr;
        QAction* remove = nullptr;
        QAction* duplicate = nullptr;
    };

    // Menus and actions are children of `window`, which takes the pop-up keys of the tables.
    TableCommands(IdeDocument& document, Platform& platform, SectionSwitcher& sections, QWidget& window);

    const TableActions& actions(LineKind kind) const { return m_tableActions[size_t(kind)]; }
    QMenu* actionsMenu(LineKind kind) const { return m_actionsMenus[size_t(kind)]; }
    // Adds "Cut lines", "Copy lines" and the two forms of "Paste in line" to the Edit menu.
    void addEditItems(QMenu& edit) const;
    // Adds the Actions menus to the bar, the objects' one shown.
    void addActionsMenus(QMenuBar& bar) const;
    // With the option on, "Paste in line" takes Ctrl+V; else the item without a key is shown.
    void setPasteCatching(bool on);

    // "Copy lines": the shown table's selected rows to the clipboard; their
    // table, none when no row is selected. "Cut lines" removes them after.
    std::optional<LineKind> copyShownRows();
    // "Paste in line": the modal paste dialog.
    void openPasteLine();

signals:
    void statusMessage(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu* buildActionsMenu(LineKind kind);
    void follow(Section shown);
    void giveShortcutsTo(LineKind shown);
    void popUpActionsMenu(LineKind kind);
    SectionView* view(LineKind kind) const;
    void setStatus(const QString& text) { emit statusMessage(text); }

    IdeDocument* m_document;
    Platform& m_platform;
    SectionSwitcher& m_sections;
    QWidget& m_window;
    std::array<QMenu*, lineKindCount> m_actionsMenus{};
    std::array<TableActions, lineKindCount> m_tableActions{};
    QAction* m_editCut = nullptr;
    QAction* m_editCopy = nullptr;
    QAction* m_editPaste = nullptr;
    QAction* m_pasteWithoutShortcut = nullptr;
};

} // namespace tarnel
