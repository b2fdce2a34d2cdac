#include "mainwindow/mainwindow.h"

#include "document/idedocument.h"
#include "document/idindex.h"
#include "history/edithistory.h"
#include "editors/editorhost.h"
#include "editors/editorplacement.h"
#include "mainwindow/aboutdialog.h"
#include "mainwindow/duplicatemarks.h"
#include "mainwindow/filecommands.h"
#include "mainwindow/filedroptarget.h"
#include "mainwindow/filterbar.h"
#include "mainwindow/freeidswindow.h"
#include "mainwindow/loadreportwindow.h"
#include "mainwindow/menumnemonics.h"
#include "mainwindow/pathsview.h"
#include "mainwindow/pitchedrows.h"
#include "mainwindow/rowclipboard.h"
#include "mainwindow/sectionmodel.h"
#include "mainwindow/sectionselector.h"
#include "mainwindow/sectionview.h"
#include "mainwindow/statisticspanel.h"
#include "mainwindow/twips.h"
#include "mainwindow/windowsize.h"
#include "paste/pastelinedialog.h"
#include "platform/platform.h"
#include "settings/settingsfile.h"
#include "texts/texts.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

namespace tarnel {

namespace {

// Object names of a table's view, its Actions menu and the menu's items start with the table's name.
QString tableNamePrefix(LineKind kind)
{
    switch (kind) {
    case LineKind::Object: return QStringLiteral("objects");
    case LineKind::TimedObject: return QStringLiteral("timedObjects");
    case LineKind::Light: return QStringLiteral("lights");
    case LineKind::Sun: return QStringLiteral("sun");
    case LineKind::Particle: return QStringLiteral("particles");
    case LineKind::PedArea: return QStringLiteral("pedAreas");
    }
    return {};
}

// What each selector caption shows; "Paths" keeps the timed objects' menu.
struct SectionTarget {
    std::optional<LineKind> table; // none: the paths text
    LineKind menu;
};

// The selector caption that shows a table.
int sectionIndexOf(LineKind kind)
{
    switch (kind) {
    case LineKind::Object: return 0;
    case LineKind::TimedObject: return 1;
    case LineKind::Light: return SectionSelector::lightsIndex;
    case LineKind::Particle: return 5;
    case LineKind::Sun: return 6;
    case LineKind::PedArea: return 7;
    }
    return 0;
}

SectionTarget sectionTarget(int index)
{
    switch (index) {
    case 0: return {LineKind::Object, LineKind::Object};
    case 1: return {LineKind::TimedObject, LineKind::TimedObject};
    case 2: return {std::nullopt, LineKind::TimedObject};
    case 5: return {LineKind::Particle, LineKind::Particle};
    case 6: return {LineKind::Sun, LineKind::Sun};
    case 7: return {LineKind::PedArea, LineKind::PedArea};
    default: return {LineKind::Light, LineKind::Light};
    }
}

QAction* namedAction(QObject* owner, const QString& name, const QString& text)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(name);
    return action;
}

// How the settings file stores an option.
QString onOff(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString menuCaption(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

// A caption whose first letter is its mnemonic: Alt and the letter in the menu bar.
QString withMnemonic(const QString& caption)
{
    return QLatin1Char('&') + caption;
}

// "1 line removed", "3 lines removed".
QString countedLines(qsizetype count, const QString& one, const QString& many)
{
    return count == 1 ? one : many.arg(count);
}

} // namespace

MainWindow::MainWindow(Platform& platform, SettingsFile& settings, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_settings(settings), m_document(new IdeDocument(this)),
      m_recent(new RecentList(settings)),
      m_fileCommands(new FileCommands(*m_document, platform, *m_recent, this, this))
{
    setObjectName(QStringLiteral("mainWindow"));
    m_settings.setMissingKeyHandler([this](const QString& message) {
        m_platform.showMessage(this, texts::appTitle, message, Platform::Icon::None);
    });
    buildControls();
    buildMenus();

    // Double click or Enter opens the selected rows, "New line" an empty line, in the kind's editor.
    m_editors = new EditorHost(*m_document, m_platform, this, this);
    connect(m_editors, &EditorHost::statusMessage, this, &MainWindow::setStatus);
    m_fileCommands->setEditsCheck([this] { return m_editors->mayDiscardAll(); });
    for (LineKind kind : allLineKinds) {
        connect(view(kind), &SectionView::openRequested, this,
                [this, kind] { m_editors->openRows(kind, view(kind)->selectedRowNumbers()); });
        connect(tableActions(kind).newLine, &QAction::triggered, this, [this, kind] { m_editors->openNew(kind); });
        // A row added by a copy, a paste, a new line or an undo comes into view.
        connect(view(kind)->model(), &QAbstractItemModel::rowsInserted, this,
                [this, kind](const QModelIndex&, int first) { scrollToRow(kind, first); });
    }
    connect(m_editors, &EditorHost::rowConfirmed, this, &MainWindow::scrollToRow);
    // A file just read (and sorted) starts on each table's first row, so Enter opens it.
    connect(m_document, &IdeDocument::contentReplaced, this, [this] {
        for (LineKind kind : allLineKinds)
            view(kind)->makeCurrent(0);
    });
    buildKeyboard();

    connect(m_document, &IdeDocument::modifiedChanged, this, &MainWindow::updateTitle);
    connect(m_document, &IdeDocument::openFilePathChanged, this, &MainWindow::updateTitle);
    connect(m_fileCommands, &FileCommands::statusMessage, this, &MainWindow::setStatus);
    followLoadReport();
    connect(m_fileCommands, &FileCommands::recentListChanged, this, &MainWindow::refreshRecentMenu);
    // Files dropped on the window, or on a text field that would type their address, are opened.
    auto* drops = new FileDropTarget(this);
    for (QWidget* target :
         {static_cast<QWidget*>(this), m_filterBar->findChild<QWidget*>(QStringLiteral("filterField")),
          m_pathsView->viewport()})
        drops->watch(target);
    connect(drops, &FileDropTarget::filesDropped, m_fileCommands, &FileCommands::openDroppedFiles);

    // The designed client area at 96 dpi; its controls lay themselves out in it.
    // At a large scale it would not fit the screen, so it is cut to the screen's
    // free area less a frame as the style draws one (the desktop's is not known yet).
    const QSize designed(912, 533 + menuBar()->sizeHint().height());
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const QSize frame(2 * border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
    const QRect free = screen()->availableGeometry();
    const QSize fitted = fittedWindowSize(designed, minimumSizeHint(), free.size(), frame);
    resize(fitted);
    // A window cut to the screen shows whole only from the free area's corner on.
    if (fitted != designed)
        move(free.topLeft());
    updateTitle();
}

MainWindow::~MainWindow()
{
    delete m_recent;
}

void MainWindow::followLoadReport()
{
    // A load comes with its report; New and Close empty it with the tables.
    connect(m_document, &IdeDocument::contentReplaced, this, [this] {
        const LoadReport& report = m_document->loadReport();
        m_loadReportItem->setEnabled(!report.isEmpty());
        if (m_reportWindow)
            m_reportWindow->setReport(report);
    });
}

void MainWindow::openLoadReport()
{
    if (!m_reportWindow) {
        m_reportWindow = new LoadReportWindow(this);
        m_reportWindow->setReport(m_document->loadReport());
        connect(m_reportWindow, &LoadReportWindow::rowRequested, this, &MainWindow::showRow);
        placeBesideOwner(*this, *m_reportWindow);
    }
    m_reportWindow->show();
    m_reportWindow->raise();
    m_reportWindow->activateWindow();
}

void MainWindow::openFreeIds()
{
    if (!m_freeIdsWindow) {
        m_freeIdsWindow = new FreeIdsWindow(*m_document, m_platform, this);
        placeBesideOwner(*this, *m_freeIdsWindow);
    }
    m_freeIdsWindow->show();
    m_freeIdsWindow->raise();
    m_freeIdsWindow->activateWindow();
}

void MainWindow::showRow(LineKind kind, RowId row)
{
    const qsizetype position = m_document->table(kind).rowWithId(row);
    if (position < 0)
        return; // removed since the load
    showTableRow(kind, position);
}

void MainWindow::showTableRow(LineKind kind, qsizetype position)
{
    selectSection(sectionIndexOf(kind));
    SectionView* shown = view(kind);
    // A row the filter hides is wanted more than the filter.
    if (shown->sectionModel()->shownRow(position) < 0)
        m_filterBar->setText(QString());
    const QModelIndex index = shown->model()->index(shown->sectionModel()->shownRow(position), 0);
    shown->selectionModel()->setCurrentIndex(index,
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    shown->scrollTo(index);
}

void MainWindow::goToId()
{
    const std::optional<QString> answer = m_platform.askText(this, texts::goToIdTitle, texts::goToIdLabel);
    if (!answer || answer->trimmed().isEmpty())
        return;
    const QString wanted = answer->trimmed();
    // The paths have no IDs of their own: their objects are looked up.
    const SectionTarget target = sectionTarget(m_shownSection);
    const QList<LineKind> kinds =
        target.table ? QList<LineKind>{*target.table} : QList<LineKind>{LineKind::Object, LineKind::TimedObject};
    if (const std::optional<qint64> id = rowIdOf(wanted.toLatin1())) {
        for (LineKind kind : kinds) {
            const RowStore& rows = m_document->table(kind).rows();
            for (qsizetype row = 0; row < rows.size(); ++row) {
                if (rowIdOf(rows.firstValue(row)) == id) {
                    showTableRow(kind, row);
                    view(kind)->setFocus(Qt::ShortcutFocusReason);
                    return;
                }
            }
        }
    }
    m_platform.showMessage(this, texts::appTitle, texts::noLineWithId.arg(wanted), Platform::Icon::Information);
}

void MainWindow::goToNextDuplicate()
{
    const DuplicateMarks& marks = DuplicateMarks::of(*m_document);
    // The shown one of the two tables first, from its current row on, then the other.
    const std::optional<LineKind> shown = sectionTarget(m_shownSection).table;
    const bool timedFirst = shown == LineKind::TimedObject;
    for (LineKind kind : {timedFirst ? LineKind::TimedObject : LineKind::Object,
                          timedFirst ? LineKind::Object : LineKind::TimedObject}) {
        SectionModel* model = view(kind)->sectionModel();
        // The filter applies to every table shown, so to this one once it is.
        model->setFilter(m_filterBar->text());
        // From the current row when it is selected, else from the top.
        const QModelIndex current = view(kind)->currentIndex();
        const bool fromCurrent = kind == shown && view(kind)->selectionModel()->isRowSelected(current.row());
        const int after = fromCurrent ? current.row() : -1;
        if (const int row = marks.nextMarkedRow(*model, after); row >= 0) {
            showTableRow(kind, model->tableRow(row));
            return;
        }
    }
    setStatus(texts::noDuplicateIds);
}

void MainWindow::applyFilter()
{
    if (const std::optional<LineKind> kind = sectionTarget(m_shownSection).table) {
        SectionModel* model = view(*kind)->sectionModel();
        model->setFilter(m_filterBar->text());
        // Each keystroke shows the first match, an ID match before the others.
        if (model->isFiltered())
            view(*kind)->showRow(model->firstMatch());
    }
    refreshFilterCount();
}

void MainWindow::refreshFilterCount()
{
    const std::optional<LineKind> kind = sectionTarget(m_shownSection).table;
    const SectionModel* model = kind ? view(*kind)->sectionModel() : nullptr;
    if (model && model->isFiltered())
        m_filterBar->showCount(model->rowCount(), model->table().rowCount());
    else
        m_filterBar->clearCount();
}

void MainWindow::focusFirstShownRow()
{
    const std::optional<LineKind> kind = sectionTarget(m_shownSection).table;
    if (!kind)
        return;
    SectionView* shown = view(*kind);
    shown->setFocus(Qt::ShortcutFocusReason);
    if (shown->model()->rowCount() > 0) {
        shown->selectionModel()->setCurrentIndex(shown->model()->index(0, 0),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        shown->scrollToTop();
    }
}

void MainWindow::buildControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    // The panel and the section views are drawn in a small 8-point face.
    QFont small = central->font();
    small.setPointSizeF(8);
    central->setFont(small);
    m_sections = new QStackedWidget(central);
    m_sections->setObjectName(QStringLiteral("sectionViews"));
    // The window's layout keeps it from growing smaller than the whole left
    // panel beside the ID and name of an object.
    m_sections->setMinimumWidth(twips(800 + 2500) + 24);
    for (LineKind kind : allLineKinds) {
        auto* model = new SectionModel(m_document->table(kind), this);
        model->setRowIds(&m_document->rowIds());
        if (kind == LineKind::Object || kind == LineKind::TimedObject)
            model->setDuplicateMarks(&DuplicateMarks::of(*m_document));
        m_views[size_t(kind)] = new SectionView(model, m_sections);
        m_views[size_t(kind)]->setObjectName(tableNamePrefix(kind) + QStringLiteral("View"));
        // Tab leaves the table for the next control; the arrows move between rows.
        m_views[size_t(kind)]->setTabKeyNavigation(false);
        m_sections->addWidget(m_views[size_t(kind)]);
    }
    m_pathsView = new PathsView(*m_document, m_platform, m_sections);
    m_sections->addWidget(m_pathsView);

    // The filter field sits above the shown section when asked for.
    m_filterBar = new FilterBar(central);
    connect(m_filterBar, &FilterBar::textChanged, this, &MainWindow::applyFilter);
    connect(m_filterBar, &FilterBar::accepted, this, &MainWindow::focusFirstShownRow);
    connect(m_filterBar, &FilterBar::closed, this, [this] { m_sections->currentWidget()->setFocus(); });
    for (SectionView* shown : m_views) {
        QAbstractItemModel* model = shown->model();
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(model, signal, this, &MainWindow::refreshFilterCount);
        connect(model, &QAbstractItemModel::layoutChanged, this, &MainWindow::refreshFilterCount);
        connect(model, &QAbstractItemModel::modelReset, this, &MainWindow::refreshFilterCount);
    }
    auto* shownSection = new QVBoxLayout;
    shownSection->setSpacing(4);
    shownSection->addWidget(m_filterBar);
    shownSection->addWidget(m_sections, 1);

    // The section view fills the window right of the panel, down to the status bar.
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(8, 8, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(buildLeftPanel());
    layout->addLayout(shownSection, 1);

    m_statusPanel = new QLabel(texts::ready);
    m_statusPanel->setObjectName(QStringLiteral("statusMessage"));
    m_versionPanel = new QLabel;
    m_versionPanel->setObjectName(QStringLiteral("statusVersion"));
    m_versionPanel->setMinimumWidth(100);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->addWidget(m_statusPanel, 1);
    statusBar()->addPermanentWidget(m_versionPanel);
    statusBar()->setSizeGripEnabled(true);
    // Each panel draws its own sunken frame inside itself, so it is whole at any
    // height; the style's frames around the bar's items are not drawn by every style
    // and reach past the panels, where the bar cuts them.
    for (QLabel* panel : {m_statusPanel, m_versionPanel})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
}

QWidget* MainWindow::buildLeftPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("leftPanel"));
    panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    m_selector = new SectionSelector(panel);
    m_selector->setAutoFillBackground(true);
    m_selector->setBackgroundRole(QPalette::Base);
    connect(m_selector, &SectionSelector::sectionClicked, this, &MainWindow::selectSection);
    m_statistics = new StatisticsPanel(*m_document, panel);

    const auto checkBox = [panel](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, panel);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    m_showLines = checkBox("showLines", texts::gridLines);
    m_catchPaste = checkBox("catchPaste", texts::catchPaste);
    m_objectSort = checkBox("objectSort", texts::sortByObject);
    m_keepLayout = checkBox("keepLayout", texts::keepFileLayout);
    connect(m_showLines, &QCheckBox::toggled, this, &MainWindow::applyGridLines);
    connect(m_catchPaste, &QCheckBox::toggled, this, &MainWindow::applyPasteCatching);
    connect(m_objectSort, &QCheckBox::toggled, this, &MainWindow::applySort);
    // The box follows the document's sorting, which undo and redo change too.
    connect(m_document, &IdeDocument::sortedChanged, m_objectSort, [this](bool sorted) {
        const QSignalBlocker quiet(m_objectSort);
        m_objectSort->setChecked(sorted);
        m_settings.writeSetting(QStringLiteral("sort"), onOff(sorted));
    });
    connect(m_keepLayout, &QCheckBox::toggled, this, &MainWindow::applyKeepLayout);
    // Shown for this document only: neither the setting nor the option changes.
    connect(m_fileCommands, &FileCommands::keepLayoutShown, m_keepLayout, [box = m_keepLayout](bool on) {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    });

    auto* openNote = new QPushButton(texts::notepad, panel);
    openNote->setObjectName(QStringLiteral("openInTextEditor"));
    auto* reload = new QPushButton(texts::reloadOpenFile, panel);
    reload->setObjectName(QStringLiteral("reloadFile"));
    connect(openNote, &QPushButton::clicked, this, [this] {
        if (m_document->isUntitled())
            return;
        // The answer may come later, from the event loop: the window may be gone by then.
        m_platform.openInTextEditor(
            m_document->openFilePath(), [window = QPointer<MainWindow>(this)](bool started) {
                if (!started && window)
                    window->m_platform.showMessage(window, texts::appTitle, texts::textEditorFailed,
                                                   Platform::Icon::Information);
            });
    });
    connect(reload, &QPushButton::clicked, m_fileCommands, &FileCommands::reloadFile);

    // Column 0 indents the options under the statistics.
    auto* rows = new PitchedRows(panel);
    rows->setColumnMinimumWidth(0, 8);
    rows->setColumnMinimumWidth(1, 121);
    rows->addRow(m_selector, 176, 0, 2);
    rows->addRow(m_statistics, 160, 0, 2);
    for (QCheckBox* box : {m_showLines, m_catchPaste, m_objectSort})
        rows->addRow(box, 16, 1);
    rows->addRow(m_keepLayout, 24, 1);
    rows->addRow(openNote, 24, 0, 2);
    rows->addRow(reload, 24, 0, 2);
    rows->endRows();
    return panel;
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(withMnemonic(texts::menuFile));
    m_fileMenu = file;
    file->setObjectName(QStringLiteral("fileMenu"));
    const auto fileItem = [&](const QString& name, const QString& caption, QKeySequence key, auto slot) {
        QAction* action = namedAction(this, name, caption);
        action->setShortcut(key);
        connect(action, &QAction::triggered, m_fileCommands, slot);
        file->addAction(action);
        return action;
    };
    fileItem(QStringLiteral("fileNew"), texts::menuNew, QKeySequence(Qt::CTRL | Qt::Key_N),
             &FileCommands::fileNew);
    fileItem(QStringLiteral("fileOpen"), texts::menuOpen, QKeySequence(Qt::CTRL | Qt::Key_O),
             &FileCommands::fileOpen);
    fileItem(QStringLiteral("fileClose"), texts::menuClose, QKeySequence(), &FileCommands::fileClose);
    file->addSeparator()->setObjectName(QStringLiteral("fileSaveSeparator"));
    fileItem(QStringLiteral("fileSave"), texts::menuSave, QKeySequence(Qt::CTRL | Qt::Key_S),
             &FileCommands::fileSave);
    fileItem(QStringLiteral("fileSaveAs"), texts::menuSaveAs, QKeySequence(), &FileCommands::fileSaveAs);
    m_loadReportItem = namedAction(this, QStringLiteral("fileLoadReport"), texts::menuLoadReport);
    m_loadReportItem->setEnabled(false);
    connect(m_loadReportItem, &QAction::triggered, this, &MainWindow::openLoadReport);
    file->addAction(m_loadReportItem);
    file->addSeparator()->setObjectName(QStringLiteral("fileRecentSeparator"));
    QMenu* recent = file->addMenu(texts::menuOpenRecent);
    recent->setObjectName(QStringLiteral("recentMenu"));
    for (int n = 1; n <= RecentList::slotCount; ++n) {
        QAction* item = namedAction(this, QStringLiteral("recentFile%1").arg(n), QString());
        item->setShortcut(QKeySequence(Qt::Key_F1 + (n - 1)));
        connect(item, &QAction::triggered, this, [this, n] { openRecent(n); });
        recent->addAction(item);
        m_recentItems[size_t(n - 1)] = item;
    }
    file->addSeparator()->setObjectName(QStringLiteral("fileExitSeparator"));
    QAction* exit = namedAction(this, QStringLiteral("fileExit"), texts::menuExit);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    file->addAction(exit);

    QMenu* edit = menuBar()->addMenu(withMnemonic(texts::menuEdit));
    edit->setObjectName(QStringLiteral("editMenu"));
    // Captions name the step: "Undo Remove 500 lines".
    QUndoStack& history = EditHistory::of(*m_document).stack();
    QAction* undo = history.createUndoAction(this, withMnemonic(texts::menuUndo));
    undo->setObjectName(QStringLiteral("editUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = history.createRedoAction(this, withMnemonic(texts::menuRedo));
    redo->setObjectName(QStringLiteral("editRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator()->setObjectName(QStringLiteral("editUndoSeparator"));
    // Cut and copy act on the shown table; their keys only while a table has
    // the focus, so the paths text keeps its own.
    m_editCut = namedAction(this, QStringLiteral("editCut"), texts::menuCutLines);
    m_editCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    m_editCopy = namedAction(this, QStringLiteral("editCopy"), texts::menuCopyLines);
    m_editCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    for (QAction* action : {m_editCut, m_editCopy}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        edit->addAction(action);
        for (LineKind kind : allLineKinds)
            view(kind)->addAction(action);
    }
    connect(m_editCopy, &QAction::triggered, this, [this] { copyShownRows(); });
    connect(m_editCut, &QAction::triggered, this, [this] {
        if (const std::optional<LineKind> kind = copyShownRows())
            tableActions(*kind).remove->trigger(); // the remove command's own step
    });
    m_editPaste = namedAction(this, QStringLiteral("editPaste"), texts::menuPasteInLine);
    m_editPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    m_editPaste2 = namedAction(this, QStringLiteral("editPasteWithoutShortcut"), texts::menuPasteInLine);
    edit->addAction(m_editPaste);
    edit->addAction(m_editPaste2);
    connect(m_editPaste, &QAction::triggered, this, &MainWindow::openPasteLine);
    connect(m_editPaste2, &QAction::triggered, this, &MainWindow::openPasteLine);
    edit->addSeparator()->setObjectName(QStringLiteral("editFindSeparator"));
    QAction* find = namedAction(this, QStringLiteral("editFind"), texts::menuFind);
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(find, &QAction::triggered, m_filterBar, &FilterBar::open);
    edit->addAction(find);
    QAction* goTo = namedAction(this, QStringLiteral("editGoToId"), texts::menuGoToId);
    goTo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    connect(goTo, &QAction::triggered, this, &MainWindow::goToId);
    edit->addAction(goTo);
    QAction* freeIds = namedAction(this, QStringLiteral("editFreeIds"), texts::menuFreeIds);
    connect(freeIds, &QAction::triggered, this, &MainWindow::openFreeIds);
    edit->addAction(freeIds);
    QAction* nextDuplicate = namedAction(this, QStringLiteral("editNextDuplicateId"), texts::menuNextDuplicateId);
    nextDuplicate->setShortcut(QKeySequence(Qt::Key_F8));
    connect(nextDuplicate, &QAction::triggered, this, &MainWindow::goToNextDuplicate);
    edit->addAction(nextDuplicate);

    for (LineKind kind : allLineKinds) {
        QMenu* menu = buildActionsMenu(kind);
        menuBar()->addMenu(menu);
        menu->menuAction()->setVisible(kind == LineKind::Object);
        m_views[size_t(kind)]->setPopupMenu(menu);
    }

    QMenu* help = menuBar()->addMenu(withMnemonic(texts::menuHelp));
    help->setObjectName(QStringLiteral("helpMenu"));
    QAction* homepage = namedAction(this, QStringLiteral("helpHomePage"), texts::homePageHost);
    connect(homepage, &QAction::triggered, this, [this] { m_platform.openUrl(QUrl(texts::homePage)); });
    help->addAction(homepage);
    help->addSeparator()->setObjectName(QStringLiteral("helpSeparator"));
    QAction* about = namedAction(this, QStringLiteral("helpAbout"), texts::menuAbout);
    connect(about, &QAction::triggered, this, [this] {
        AboutDialog dialog(this);
        dialog.exec();
    });
    help->addAction(about);
    for (QMenu* menu : {file, edit, help})
        giveMnemonics(*menu);
}

QMenu* MainWindow::buildActionsMenu(LineKind kind)
{
    const QString prefix = tableNamePrefix(kind);
    auto* menu = new QMenu(withMnemonic(texts::menuActions), this);
    menu->setObjectName(prefix + QStringLiteral("ActionsMenu"));
    TableActions& actions = m_tableActions[size_t(kind)];
    const auto item = [&](const char* name, const QString& caption) {
        QAction* action = namedAction(this, prefix + QLatin1String(name), caption);
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

void MainWindow::buildKeyboard()
{
    // F10 opens the menu bar at File, as Alt and its letters do.
    QAction* menuBarKey = namedAction(this, QStringLiteral("focusMenuBar"), QString());
    menuBarKey->setShortcut(QKeySequence(Qt::Key_F10));
    connect(menuBarKey, &QAction::triggered, this,
            [this] { menuBar()->setActiveAction(m_fileMenu->menuAction()); });
    addAction(menuBarKey);
    for (int index = 0; index < SectionSelector::labelCount; ++index) {
        QAction* show = namedAction(this, QStringLiteral("showSection%1").arg(index), QString());
        show->setShortcut(QKeySequence(Qt::CTRL | (Qt::Key_1 + index)));
        // The shown table takes the keys at once.
        connect(show, &QAction::triggered, this, [this, index] {
            selectSection(index);
            m_sections->currentWidget()->setFocus(Qt::ShortcutFocusReason);
        });
        addAction(show);
    }
    // The keyboard's pop-up keys open a table's Actions menu on its selection.
    for (LineKind kind : allLineKinds)
        view(kind)->installEventFilter(this);
    DuplicateMarks::of(*m_document)
        .buildAfterPaintOf({view(LineKind::Object)->viewport(), view(LineKind::TimedObject)->viewport()});
    // Up and Down in the selector, then Tab into the shown section (hidden
    // ones are passed over), then the options.
    QList<QWidget*> chain{m_selector};
    for (LineKind kind : allLineKinds)
        chain << view(kind);
    chain << m_pathsView << m_showLines << m_catchPaste << m_objectSort << m_keepLayout;
    for (qsizetype k = 1; k < chain.size(); ++k)
        QWidget::setTabOrder(chain[k - 1], chain[k]);
    giveShortcutsTo(LineKind::Object);
    view(LineKind::Object)->setFocus();
}

// Only the shown table's commands carry the keys; hidden menus would share them.
void MainWindow::giveShortcutsTo(LineKind shown)
{
    for (LineKind kind : allLineKinds) {
        const TableActions& actions = tableActions(kind);
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

void MainWindow::popUpActionsMenu(LineKind kind)
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
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
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::scrollToRow(LineKind kind, qsizetype row)
{
    view(kind)->showRow(view(kind)->sectionModel()->shownRow(row));
}

void MainWindow::startUp(const QString& commandLine)
{
    setStatus(texts::ready);
    if (!m_settings.exists()) {
        m_settings.rebuildSettings();
        setStatus(texts::settingsRebuilt);
    }
    refreshRecentMenu();
    QString path = commandLine;
    path.remove(QLatin1Char('"'));
    m_fileCommands->startUp(path);
    updateTitle();
    m_versionPanel->setText(texts::version);

    m_objectSort->setChecked(m_settings.readOption(QStringLiteral("sort")));
    // Sorted as the settings say is where the document starts, not a change of it.
    EditHistory::of(*m_document).forget();
    for (LineKind kind : allLineKinds)
        view(kind)->makeCurrent(0); // the first row as sorted
    m_showLines->setChecked(m_settings.readOption(QStringLiteral("lines")));
    m_catchPaste->setChecked(m_settings.readOption(QStringLiteral("paste")));
    m_keepLayout->setChecked(m_settings.readAddedOption(QStringLiteral("keepLayout")));
    // The Edit menu must match the box also when the box stayed clear.
    applyPasteCatching(m_catchPaste->isChecked());
}

QString MainWindow::statusText() const
{
    return m_statusPanel->text();
}

QString MainWindow::versionPanelText() const
{
    return m_versionPanel->text();
}

void MainWindow::setStatus(const QString& text)
{
    m_statusPanel->setText(text);
}

void MainWindow::refreshRecentMenu()
{
    const QStringList entries = m_recent->readSlots();
    for (int n = 1; n <= RecentList::slotCount; ++n) {
        QAction* item = m_recentItems[size_t(n - 1)];
        const QString caption = entries.value(n - 1);
        item->setText(menuCaption(caption));
        item->setData(caption);
        // An empty slot's name, its own or one moved down from above, names no file: nothing to offer.
        bool placeholder = false;
        for (int slot = 1; slot <= RecentList::slotCount; ++slot)
            placeholder = placeholder || RecentList::isPlaceholder(slot, caption);
        item->setVisible(!placeholder);
    }
}

void MainWindow::openRecent(int slot)
{
    const QString caption = m_recentItems[size_t(slot - 1)]->data().toString();
    // Only a slot's own name marks it empty; a name pushed down from the slot
    // above reads as a file name and is reported missing when chosen.
    if (RecentList::isPlaceholder(slot, caption))
        return;
    m_fileCommands->openNamedFile(caption);
}

void MainWindow::selectSection(int index)
{
    if (index == SectionSelector::twoDfxIndex)
        index = SectionSelector::lightsIndex;
    const SectionTarget target = sectionTarget(index);
    m_sections->setCurrentWidget(target.table ? static_cast<QWidget*>(view(*target.table)) : m_pathsView);
    for (LineKind kind : allLineKinds)
        m_actionsMenus[size_t(kind)]->menuAction()->setVisible(kind == target.menu);
    // The paths keep the timed objects' menu in the bar, but its commands must
    // not reach a table the user cannot see; disabled, no shortcut runs them.
    const TableActions& actions = tableActions(target.menu);
    for (QAction* action : {actions.newLine, actions.commentOut, actions.unComment, actions.remove,
                            actions.duplicate, m_editCut, m_editCopy})
        action->setEnabled(target.table.has_value());
    giveShortcutsTo(target.menu);
    m_selector->markShown(index);
    m_shownSection = index;
    // The filter follows to each table shown.
    applyFilter();
}

std::optional<LineKind> MainWindow::copyShownRows()
{
    const auto* shown = qobject_cast<const SectionView*>(m_sections->currentWidget());
    const qsizetype copied = shown ? copySelectedRows(*m_document, *shown, m_platform) : 0;
    if (copied == 0)
        return std::nullopt;
    setStatus(countedLines(copied, texts::oneLineCopied, texts::linesCopied));
    return shown->kind();
}

void MainWindow::openPasteLine()
{
    PasteLineDialog dialog(*m_document, m_platform, this);
    dialog.exec();
    if (const qsizetype added = dialog.addedCount(); added > 0)
        setStatus(countedLines(added, texts::oneLinePasted, texts::linesPasted));
}

void MainWindow::applySort(bool on)
{
    EditHistory::of(*m_document).setSorted(on);
    m_settings.writeSetting(QStringLiteral("sort"), onOff(on));
}

void MainWindow::applyGridLines(bool on)
{
    for (SectionView* view : m_views)
        view->setShowGrid(on);
    m_settings.writeSetting(QStringLiteral("lines"), onOff(on));
}

void MainWindow::applyPasteCatching(bool on)
{
    m_editPaste->setEnabled(on);
    m_editPaste->setVisible(on);
    m_editPaste2->setEnabled(!on);
    m_editPaste2->setVisible(!on);
    m_settings.writeSetting(QStringLiteral("paste"), onOff(on));
}

void MainWindow::applyKeepLayout(bool on)
{
    m_fileCommands->setKeepLayout(on);
    m_settings.writeSetting(QStringLiteral("keepLayout"), onOff(on));
}

void MainWindow::updateTitle()
{
    setWindowTitle(texts::appTitle + QStringLiteral(" [ ") + m_document->displayName() + QStringLiteral(" ]") +
                   (m_document->isModified() ? QStringLiteral("*") : QString()));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_fileCommands->askToSave())
        event->accept();
    else
        event->ignore();
}

} // namespace tarnel
