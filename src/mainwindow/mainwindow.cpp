#include "mainwindow/mainwindow.h"

#include "document/idedocument.h"
#include "editors/editorhost.h"
#include "editors/editorplacement.h"
#include "history/documentids.h"
#include "history/edithistory.h"
#include "mainwindow/bulkcommands.h"
#include "mainwindow/filecommands.h"
#include "mainwindow/filedroptarget.h"
#include "mainwindow/filemenu.h"
#include "mainwindow/filterbar.h"
#include "mainwindow/freeidswindow.h"
#include "mainwindow/helpmenu.h"
#include "mainwindow/idnavigation.h"
#include "mainwindow/idsafterpaint.h"
#include "mainwindow/leftpanel.h"
#include "mainwindow/loadreportwindow.h"
#include "mainwindow/mapcommands.h"
#include "mainwindow/mappanel.h"
#include "mainwindow/mapproblems.h"
#include "mainwindow/menumnemonics.h"
#include "mainwindow/moveidscommand.h"
#include "mainwindow/namedaction.h"
#include "mainwindow/openmap.h"
#include "mainwindow/optionboxes.h"
#include "mainwindow/pathsview.h"
#include "mainwindow/placementfileview.h"
#include "mainwindow/recentfilesmenu.h"
#include "mainwindow/sectionselector.h"
#include "mainwindow/sectionswitcher.h"
#include "mainwindow/sectionview.h"
#include "mainwindow/statuspanels.h"
#include "mainwindow/windowsize.h"
#include "platform/platform.h"
#include "settings/recentlist.h"
#include "settings/settingsfile.h"
#include "texts/texts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoGroup>

namespace tarnel {

MainWindow::MainWindow(Platform& platform, SettingsFile& settings, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_settings(settings), m_document(new IdeDocument(this)),
      m_recent(new RecentList(settings)),
      m_fileCommands(new FileCommands(*m_document, platform, *m_recent, this, this)),
      m_openMap(new OpenMap(*m_document, this))
{
    setObjectName(QStringLiteral("mainWindow"));
    m_settings.setMissingKeyHandler([this](const QString& message) {
        m_platform.showMessage(this, texts::appTitle, message, Platform::Icon::None);
    });
    buildControls();
    m_tableCommands = new TableCommands(*m_document, m_platform, *m_sections, *this);
    connect(m_tableCommands, &TableCommands::statusMessage, this, &MainWindow::setStatus);
    m_idNavigation = new IdNavigation(*m_document, m_platform, *m_sections, *this);
    connect(m_idNavigation, &IdNavigation::statusMessage, this, &MainWindow::setStatus);
    followOptions();
    m_mapCommands = new MapCommands(*m_openMap, *m_fileCommands, m_platform, m_settings, *this);
    buildMenus();

    // Double click or Enter opens the selected rows, "New line" an empty line, in the kind's editor.
    m_editors = new EditorHost(*m_document, m_platform, this, this);
    connect(m_editors, &EditorHost::statusMessage, this, &MainWindow::setStatus);
    m_fileCommands->setEditsCheck([this] { return m_editors->mayDiscardAll(); });
    m_mapCommands->setEditsCheck([this] { return m_editors->mayDiscardAll(); });
    buildMap();
    // The map's checks: the Problems panel, marks and tooltips, Go to ID and F8 across its files.
    new MapProblems(*this, *m_openMap, [this](const QString& path, qint64 line) {
        m_mapCommands->showPlacementFile(-1)->showFile(path, line);
    });
    m_idNavigation->followMap(*m_openMap);
    for (LineKind kind : allLineKinds) {
        connect(view(kind), &SectionView::openRequested, this,
                [this, kind] { m_editors->openRows(kind, view(kind)->selectedRowNumbers()); });
        connect(tableActions(kind).newLine, &QAction::triggered, this, [this, kind] { m_editors->openNew(kind); });
        // A row added by a copy, a paste, a new line or an undo comes into view.
        connect(view(kind)->model(), &QAbstractItemModel::rowsInserted, this,
                [this, kind](const QModelIndex&, int first) { m_sections->scrollToRow(kind, first); });
    }
    connect(m_editors, &EditorHost::rowConfirmed, m_sections, &SectionSwitcher::scrollToRow);
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
    // Files dropped on the window, or on a text field that would type their address, are opened.
    auto* drops = new FileDropTarget(this);
    for (QWidget* target :
         {static_cast<QWidget*>(this), filterBar()->findChild<QWidget*>(QStringLiteral("filterField")),
          pathsView()->viewport()})
        drops->watch(target);
    connect(drops, &FileDropTarget::filesDropped, m_fileCommands, &FileCommands::openDroppedFiles);

    // The designed client area at 96 dpi; its controls lay themselves out in it.
    openAtDesignedSize(*this, QSize(912, 533));
    updateTitle();
}

MainWindow::~MainWindow()
{
    delete m_status;
    delete m_recent;
}

SectionView* MainWindow::view(LineKind kind) const
{
    return m_sections->view(kind);
}

PathsView* MainWindow::pathsView() const
{
    return m_sections->pathsView();
}

SectionSelector* MainWindow::selector() const
{
    return m_leftPanel->selector();
}

StatisticsPanel* MainWindow::statisticsPanel() const
{
    return m_leftPanel->statistics();
}

FilterBar* MainWindow::filterBar() const
{
    return m_sections->filterBar();
}

Section MainWindow::shownSection() const
{
    return m_sections->shown();
}

void MainWindow::selectSection(Section section)
{
    m_sections->select(section);
}

void MainWindow::dockPanel(QWidget* panel, const QString& name, Qt::DockWidgetArea area)
{
    auto* dock = new QDockWidget(this);
    dock->setObjectName(name);
    dock->setWidget(panel);
    addDockWidget(area, dock);
}

void MainWindow::buildMap()
{
    auto* panel = new MapPanel(*m_openMap);
    dockPanel(panel, QStringLiteral("mapDock"), Qt::LeftDockWidgetArea);
    QWidget* dock = panel->parentWidget();
    dock->setWindowTitle(texts::mapPanelTitle);
    // With no map open the window is as it always was.
    dock->hide();
    connect(m_openMap, &OpenMap::opened, dock, &QWidget::show);
    connect(m_openMap, &OpenMap::closed, dock, &QWidget::hide);
    connect(panel, &MapPanel::gameFolderChosen, this,
            [this](const QString& folder) { m_mapCommands->openMap(m_openMap->operands(), folder); });
    connect(panel, &MapPanel::placementFileChosen, this,
            [this](qsizetype file) { m_mapCommands->showPlacementFile(file); });
    connect(m_mapCommands, &MapCommands::statusMessage, this, &MainWindow::setStatus);
}

void MainWindow::followLoadReport()
{
    // A load comes with its report; New and Close empty it with the tables.
    connect(m_document, &IdeDocument::contentReplaced, this, [this] {
        const LoadReport& report = m_document->loadReport();
        m_fileMenu->loadReportItem()->setEnabled(!report.isEmpty());
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
        m_freeIdsWindow->followMap(*m_openMap);
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
    m_sections->showTableRow(kind, position);
}

void MainWindow::buildControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    // The panel and the section views are drawn in a small 8-point face.
    QFont small = central->font();
    small.setPointSizeF(8);
    central->setFont(small);
    m_sections = new SectionSwitcher(*m_document, m_platform, *central);

    // The section view fills the window right of the panel, down to the status bar.
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(8, 8, 0, 0);
    layout->setSpacing(6);
    m_leftPanel = new LeftPanel(*m_document, m_platform, m_settings);
    connect(m_leftPanel->selector(), &SectionSelector::sectionClicked, m_sections, &SectionSwitcher::select);
    connect(m_sections, &SectionSwitcher::sectionShown, m_leftPanel->selector(), &SectionSelector::markShown);
    connect(m_leftPanel->reloadButton(), &QPushButton::clicked, m_fileCommands, &FileCommands::reloadFile);
    layout->addWidget(m_leftPanel);
    layout->addLayout(m_sections->layout(), 1);

    m_status = new StatusPanels(*statusBar());
}

void MainWindow::followOptions()
{
    OptionBoxes* options = m_leftPanel->options();
    connect(options, &OptionBoxes::gridLinesChanged, this, [this](bool on) {
        for (LineKind kind : allLineKinds)
            view(kind)->setShowGrid(on);
    });
    connect(options, &OptionBoxes::pasteCatchingChanged, m_tableCommands, &TableCommands::setPasteCatching);
    connect(options, &OptionBoxes::keepLayoutChanged, m_fileCommands, &FileCommands::setKeepLayout);
    connect(m_fileCommands, &FileCommands::keepLayoutShown, options, &OptionBoxes::showKeepLayout);
}

void MainWindow::buildMenus()
{
    m_fileMenu = new FileMenu(*m_fileCommands, *m_recent, *menuBar(), *this);
    m_mapCommands->addFileItems(*m_fileMenu->menu());
    connect(m_fileMenu->loadReportItem(), &QAction::triggered, this, &MainWindow::openLoadReport);

    QMenu* edit = menuBar()->addMenu(withMnemonic(texts::menuEdit));
    edit->setObjectName(QStringLiteral("editMenu"));
    // Captions name the step: "Undo Remove 500 lines". Each file of a map has
    // its own history, which comes into the document with the file.
    auto* histories = new QUndoGroup(this);
    const auto followHistory = [this, histories] {
        QUndoStack* stack = &EditHistory::of(*m_document).stack();
        histories->addStack(stack);
        histories->setActiveStack(stack);
    };
    followHistory();
    connect(m_document, &IdeDocument::contentReplaced, histories, followHistory);
    QAction* undo = histories->createUndoAction(this, withMnemonic(texts::menuUndo));
    undo->setObjectName(QStringLiteral("editUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = histories->createRedoAction(this, withMnemonic(texts::menuRedo));
    redo->setObjectName(QStringLiteral("editRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator()->setObjectName(QStringLiteral("editUndoSeparator"));
    m_tableCommands->addEditItems(*edit);
    edit->addSeparator()->setObjectName(QStringLiteral("editFindSeparator"));
    QAction* find = namedAction(this, QStringLiteral("editFind"), texts::menuFind);
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(find, &QAction::triggered, filterBar(), &FilterBar::open);
    edit->addAction(find);
    edit->addAction(m_idNavigation->goToIdItem());
    QAction* freeIds = namedAction(this, QStringLiteral("editFreeIds"), texts::menuFreeIds);
    connect(freeIds, &QAction::triggered, this, &MainWindow::openFreeIds);
    edit->addAction(freeIds);
    edit->addAction(m_idNavigation->nextDuplicateItem());
    edit->addSeparator()->setObjectName(QStringLiteral("editBulkSeparator"));
    auto* moveIds = new MoveIdsCommand(*m_document, *m_openMap, *m_sections, m_platform, *this);
    connect(moveIds, &MoveIdsCommand::statusMessage, this, &MainWindow::setStatus);
    edit->addAction(moveIds->action());
    auto* bulk = new BulkCommands(*m_document, m_platform, *m_sections, *this);
    connect(bulk, &BulkCommands::statusMessage, this, &MainWindow::setStatus);
    bulk->addEditItems(*edit);

    m_tableCommands->addActionsMenus(*menuBar());

    QMenu* help = addHelpMenu(*menuBar(), *this, m_platform);
    for (QMenu* menu : {m_fileMenu->menu(), edit, help})
        giveMnemonics(*menu);
}

void MainWindow::buildKeyboard()
{
    // F10 opens the menu bar at File, as Alt and its letters do.
    QAction* menuBarKey = namedAction(this, QStringLiteral("focusMenuBar"), QString());
    menuBarKey->setShortcut(QKeySequence(Qt::Key_F10));
    connect(menuBarKey, &QAction::triggered, this,
            [this] { menuBar()->setActiveAction(m_fileMenu->menu()->menuAction()); });
    addAction(menuBarKey);
    m_sections->addSectionKeys(*this);
    buildIdsAfterPaintOf(DocumentIds::of(*m_document),
                         {view(LineKind::Object)->viewport(), view(LineKind::TimedObject)->viewport()});
    // Up and Down in the selector, then Tab into the shown section (hidden
    // ones are passed over), then the options.
    const OptionBoxes* options = m_leftPanel->options();
    QList<QWidget*> chain{selector()};
    for (LineKind kind : allLineKinds)
        chain << view(kind);
    chain << pathsView() << options->showLines() << options->catchPaste() << options->objectSort()
          << options->keepLayout();
    for (qsizetype k = 1; k < chain.size(); ++k)
        QWidget::setTabOrder(chain[k - 1], chain[k]);
    view(LineKind::Object)->setFocus();
}

void MainWindow::startUp(const QString& commandLine)
{
    setStatus(texts::ready);
    if (!m_settings.exists()) {
        m_settings.rebuildSettings();
        setStatus(texts::settingsRebuilt);
    }
    m_fileMenu->recentFiles()->refresh();
    // The options first: a file read into sorted tables is sorted as its rows
    // are taken over, with no reorder of rows the views already show.
    m_leftPanel->options()->restore();
    QString path = commandLine;
    path.remove(QLatin1Char('"'));
    m_fileCommands->startUp(path);
    updateTitle();
    m_status->setVersion(texts::version);

    // Sorted as the settings say is where the document starts, not a change of it.
    EditHistory::of(*m_document).forget();
    for (LineKind kind : allLineKinds)
        view(kind)->makeCurrent(0); // the first row as sorted
}

QString MainWindow::statusText() const
{
    return m_status->message();
}

QString MainWindow::versionPanelText() const
{
    return m_status->version();
}

void MainWindow::setStatus(const QString& text)
{
    m_status->setMessage(text);
}

void MainWindow::updateTitle()
{
    setWindowTitle(texts::windowTitle(m_document->displayName(), m_document->isModified()));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_fileCommands->askToLeave())
        event->accept();
    else
        event->ignore();
}

} // namespace tarnel
