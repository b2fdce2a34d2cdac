#include "mainwindow/tablecommands.h"

#include "document/idedocument.h"
#include "history/edithistory.h"
#include "mainwindow/menumnemonics.h"
#include "mainwindow/namedaction.h"
#include "mainwindow/rowclipboard.h"
#include "mainwindow/sectionmodel.h"
#include "mainwindow/sectionswitcher.h"
#include "mainwindow/sectionview.h"
#include "paste/pastelinedialog.h"
#include "texts/texts.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace tarnel {

namespace {

// "1 line removed", "3 lines removed".
QString countedLines(qsizetype count, const QString& one, const QString& many)
{
    return count == 1 ? one : many.arg(count);
}

} // namespace

TableCommands::TableCommands(IdeDocument& document, Platform& platform, SectionSwitcher& sections, QWidget& window)
    : QObject(&window), m_document(&document), m_platform(platform), m_sections(sections), m_window(window)
{
    // Cut and copy act on the shown table; their keys only while a table has
    // the focus, so the paths text keeps its own.
    m_editCut = namedAction(&window, QStringLiteral("editCut"), texts::menuCutLines);
    m_editCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    m_editCopy = namedAction(&window, QStringLiteral("editCopy"), texts::menuCopyLines);
    m_editCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    for (QAction* action : {m_editCut, m_editCopy}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        for (LineKind kind : allLineKinds)
            view(kind)->addAction(action);
    }
    connect(m_editCopy, &QAction::triggered, this, [this] { copyShownRows(); });
    connect(m_editCut, &QAction::triggered, this, [this] {
        if (const std::optional<LineKind> kind = copyShownRows())
            actions(*kind).remove->trigger(); // the remove command's own step
    });
    m_editPaste = namedAction(&window, QStringLiteral("editPaste"), texts::menuPasteInLine);
    m_editPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    m_pasteWithoutShortcut =
        namedAction(&window, QStringLiteral("editPasteWithoutShortcut"), texts::menuPasteInLine);
    connect(m_editPaste, &QAction::triggered, this, &TableCommands::openPasteLine);
    connect(m_pasteWithoutShortcut, &QAction::triggered, this, &TableCommands::openPasteLine);

    for (LineKind kind : allLineKinds) {
        QMenu* menu = buildActionsMenu(kind);
        view(kind)->setPopupMenu(menu);
        // The keyboard's pop-up keys open a table's Actions menu on its selection.
        view(kind)->installEventFilter(this);
    }
    connect(&sections, &SectionSwitcher::sectionShown, this, &TableCommands::follow);
    giveShortcutsTo(LineKind::Object);
}

SectionView* TableCommands::view(LineKind kind) const
{
    return m_sections.view(kind);
}

void TableCommands::addEditItems(QMenu& edit) const
{
    edit.addActions({m_editCut, m_editCopy, m_editPaste, m_pasteWithoutShortcut});
}

void TableCommands::addActionsMenus(QMenuBar& bar) const
{
    for (LineKind kind : allLineKinds) {
        bar.addMenu(actionsMenu(kind));
        actionsMenu(kind)->menuAction()->setVisible(kind == LineKind::Object);
    }
}

QMenu* TableCommands::buildActionsMenu(LineKind kind)
{
    const QString prefix = namePrefixOf(kind);
    auto* menu = new QMenu(withMnemonic(texts::menuActions), &m_window);
    menu->setObjectName(prefix + QStringLiteral("ActionsMenu"));
    TableActions& actions = m_tableActions[size_t(kind)];
    const auto item = [&](const char* name, const QString& caption) {
        QAction* action = namedAction(&m_window, prefix + QLatin1String(name), caption);
        menu->addAction(action);
        return action;
    };
    actions.newLine = item("NewLine", texts::menuNewLine);
    menu->addSeparator()->setObjectName(prefix + QStringLiteral("CommentSeparator"));
    actions.commentOut = item("CommentOut", texts::menuCommentOut);
    actions.unComment = item("UnComment", texts::menuUnComment);
    menu->addSeparator()->setObjectName(prefix + QStringLiteral("RemoveSeparator"));
    actions.remove = item("Remove", texts::menuRemoveLine);
    actions.duplicate = item("Duplicate", texts::menuDuplicateLine);
    menu->addSeparator()->setObjectName(prefix + QStringLiteral("CopySeparator"));
    menu->addActions({m_editCut, m_editCopy});
    m_actionsMenus[size_t(kind)] = menu;
    giveMnemonics(*menu);

    // The commands act on their own table's selection, whichever section is shown.
    // Each is one step of the undo history over all the selected rows, named
    // and reported by the number of rows it changed; a command that changed
    // none says so and keeps no step.
    // What comes into view afterwards: the current row, wherever sorting moved
    // it; after a removal the row that took the first removed row's place (or
    // the last) made current; the copies (which rowsInserted scrolls to).
    enum class Then { ShowCurrent, CurrentAfterRemoval, ShowCopies };
    using Command = qsizetype (EditHistory::*)(LineKind, const QList<qsizetype>&);
    const auto reporting = [this, kind](Command command, const QString& one, const QString& many, Then then) {
        return [this, kind, command, one, many, then] {
            const QList<qsizetype> rows = view(kind)->selectedRowNumbers();
            const int firstShown = rows.isEmpty() ? -1 : view(kind)->sectionModel()->shownRow(rows.front());
            const qsizetype changed = (EditHistory::of(*m_document).*command)(kind, rows);
            setStatus(changed > 0 ? countedLines(changed, one, many) : texts::noLineChanged);
            if (changed > 0 && then == Then::CurrentAfterRemoval)
                view(kind)->makeCurrent(firstShown);
            else if (then == Then::ShowCurrent)
                view(kind)->showCurrent();
        };
    };
    connect(actions.commentOut, &QAction::triggered, this,
            reporting(&EditHistory::commentOut, texts::oneLineCommentedOut, texts::linesCommentedOut,
                      Then::ShowCurrent));
    connect(
        actions.unComment, &QAction::triggered, this,
        reporting(&EditHistory::unComment, texts::oneLineUnCommented, texts::linesUnCommented, Then::ShowCurrent));
    connect(
        actions.remove, &QAction::triggered, this,
        reporting(&EditHistory::remove, texts::oneLineRemoved, texts::linesRemoved, Then::CurrentAfterRemoval));
    connect(actions.duplicate, &QAction::triggered, this,
            reporting(&EditHistory::duplicate, texts::lineDuplicated, texts::linesDuplicated, Then::ShowCopies));
    return menu;
}

void TableCommands::follow(Section shown)
{
    const SectionShown& target = shownBy(shown);
    for (LineKind kind : allLineKinds) {
        QMenu* menu = m_actionsMenus[size_t(kind)];
        menu->menuAction()->setVisible(kind == target.menu);
        // The bar gives Alt+A to the first menu holding the letter, hidden or
        // not: only the shown one keeps it.
        menu->setTitle(kind == target.menu ? withMnemonic(texts::menuActions) : texts::menuActions);
    }
    // The paths keep the timed objects' menu in the bar, but its commands must
    // not reach a table the user cannot see; disabled, no shortcut runs them.
    const TableActions& menu = actions(target.menu);
    for (QAction* action :
         {menu.newLine, menu.commentOut, menu.unComment, menu.remove, menu.duplicate, m_editCut, m_editCopy})
        action->setEnabled(target.table.has_value());
    giveShortcutsTo(target.menu);
}

// Only the shown table's commands carry the keys; hidden menus would share them.
void TableCommands::giveShortcutsTo(LineKind shown)
{
    for (LineKind kind : allLineKinds) {
        const TableActions& actions = this->actions(kind);
        const bool on = kind == shown;
        const auto keys = [on](QList<QKeySequence> sequences) { return on ? sequences : QList<QKeySequence>(); };
        actions.newLine->setShortcuts(keys({QKeySequence(Qt::Key_Insert)}));
        actions.commentOut->setShortcuts(keys({QKeySequence(Qt::CTRL | Qt::Key_Slash)}));
        // Shift turns the slash into a question mark on many keyboards.
        actions.unComment->setShortcuts(keys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Slash),
                                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Question)}));
        actions.remove->setShortcuts(keys({QKeySequence(QKeySequence::Delete)}));
        actions.duplicate->setShortcuts(keys({QKeySequence(Qt::CTRL | Qt::Key_D)}));
    }
}

void TableCommands::setPasteCatching(bool on)
{
    m_editPaste->setEnabled(on);
    m_editPaste->setVisible(on);
    m_pasteWithoutShortcut->setEnabled(!on);
    m_pasteWithoutShortcut->setVisible(!on);
}

void TableCommands::popUpActionsMenu(LineKind kind)
{
    SectionView* shown = view(kind);
    const QList<qsizetype> rows = shown->selectedRowNumbers();
    if (rows.isEmpty())
        return;
    // Under the current row when it is selected, else under the first selected row.
    const SectionModel* model = shown->sectionModel();
    const qsizetype current = shown->currentIndex().isValid() ? model->tableRow(shown->currentIndex().row()) : -1;
    const int row = model->shownRow(rows.contains(current) ? current : rows.first());
    shown->scrollTo(shown->model()->index(row, 0));
    const QRect cell = shown->visualRect(shown->model()->index(row, 0));
    m_actionsMenus[size_t(kind)]->popup(shown->viewport()->mapToGlobal(cell.bottomLeft()));
}

bool TableCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool popUpKey =
            key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
        if (auto* table = qobject_cast<SectionView*>(watched); table && popUpKey) {
            popUpActionsMenu(table->kind());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

std::optional<LineKind> TableCommands::copyShownRows()
{
    const auto* shown = qobject_cast<const SectionView*>(m_sections.shownWidget());
    const qsizetype copied = shown ? copySelectedRows(*m_document, *shown, m_platform) : 0;
    if (copied == 0)
        return std::nullopt;
    setStatus(countedLines(copied, texts::oneLineCopied, texts::linesCopied));
    return shown->kind();
}

void TableCommands::openPasteLine()
{
    PasteLineDialog dialog(*m_document, m_platform, &m_window);
    dialog.exec();
    if (const qsizetype added = dialog.addedCount(); added > 0)
        setStatus(countedLines(added, texts::oneLinePasted, texts::linesPasted));
}

} // namespace tarnel
