#include "mainwindow/form1.h"

#include "document/idedocument.h"
#include "document/linecommands.h"
#include "edits/edithistory.h"
#include "editors/editorhost.h"
#include "mainwindow/aboutdialog.h"
#include "mainwindow/filecommands.h"
#include "mainwindow/loadreportwindow.h"
#include "mainwindow/pathsview.h"
#include "mainwindow/sectionmodel.h"
#include "mainwindow/sectionselector.h"
#include "mainwindow/sectionview.h"
#include "mainwindow/statisticspanel.h"
#include "mainwindow/twips.h"
#include "paste/pastelinedialog.h"
#include "platform/platform.h"
#include "settings/recentlist.h"
#include "settings/settingsfile.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QSignalBlocker>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace {

const QString homePageHost = QStringLiteral("tarnel.example.org");

// Names of each table's menu and of its items: new line, separator, comment out,
// un-comment, separator, remove, duplicate.
struct ActionsMenuNames {
    const char* menu;
    std::array<const char*, 7> items;
};

ActionsMenuNames actionsMenuNames(LineKind kind)
{
    switch (kind) {
    case LineKind::Object:
        return {"ObjsMenu", {"ObjNewLine", "rererer", "ObComOut", "ObjUnCom", "dd", "ObjRemove", "ObjsDupLine"}};
    case LineKind::TimedObject:
        return {"TobjsMenu", {"TNewLine", "dsfdsfff", "TobjComOut", "TobjUnCom", "regg", "tobjRem", "TobjDline"}};
    case LineKind::Light:
        return {"LightsMenu",
                {"LightNewLine", "ssdgsg", "LightComOut", "LightUnCom", "regrg", "LightRemove", "LightDLine"}};
    case LineKind::Sun:
        return {"SunMenu", {"SunNewLine", "dsfdsf", "SunComOut", "SunUnComment", "ewfewf", "SunRemove", "DpSunb"}};
    case LineKind::Particle:
        return {"PartMenu",
                {"PartNewLine", "wfewf", "PartComOut", "PartUnCom", "dddd", "PartRemove", "PartDupLine"}};
    case LineKind::PedArea:
        return {"AniMenu", {"NewAniLine", "wefwefewf", "AniCo", "AniUnCom", "fdbdfb", "AniRemove", "DupAniLine"}};
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

QAction* namedAction(QObject* owner, const char* name, const QString& text)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QString menuCaption(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

Form1::Form1(Platform& platform, SettingsFile& settings, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_settings(settings),
      m_document(new IdeDocument(this)), m_recent(new RecentList(settings)),
      m_fileCommands(new FileCommands(*m_document, platform, *m_recent, this, this))
{
    setObjectName(QStringLiteral("Form1"));
    m_settings.setMissingKeyHandler([this](const QString& message) {
        m_platform.showMessage(this, QStringLiteral("Tarnel"), message, Platform::Icon::None);
    });
    buildControls();
    buildMenus();

    // Double click or Enter opens the selected rows, "New line" an empty line, in the kind's editor.
    m_editors = new EditorHost(*m_document, m_platform, this, this);
    connect(m_editors, &EditorHost::statusMessage, this, &Form1::setStatus);
    for (LineKind kind : allLineKinds) {
        connect(view(kind), &SectionView::openRequested, this,
                [this, kind] { m_editors->openRows(kind, view(kind)->selectedRowNumbers()); });
        connect(tableActions(kind).newLine, &QAction::triggered, this,
                [this, kind] { m_editors->openNew(kind); });
    }

    connect(m_document, &IdeDocument::modifiedChanged, this, &Form1::updateTitle);
    connect(m_document, &IdeDocument::openFilePathChanged, this, &Form1::updateTitle);
    connect(m_fileCommands, &FileCommands::statusMessage, this, &Form1::setStatus);
    connect(m_fileCommands, &FileCommands::loaded, this, &Form1::refreshStatistics);
    followCountsOfTables();
    followLoadReport();
    connect(m_fileCommands, &FileCommands::recentListChanged, this, &Form1::refreshRecentMenu);

    resize(twips(13680), twips(7995) + menuBar()->sizeHint().height());
    updateTitle();
}

Form1::~Form1()
{
    delete m_recent;
}

void Form1::followCountsOfTables()
{
    // A command on many rows changes a count many times: the panel is brought
    // up to date once, when the command is done.
    const auto schedule = [this] {
        if (m_statisticsPending)
            return;
        m_statisticsPending = true;
        QTimer::singleShot(0, this, &Form1::refreshStatistics);
    };
    for (LineKind kind : allLineKinds) {
        const SectionTable* table = &m_document->table(kind);
        connect(table, &SectionTable::rowInserted, this, schedule);
        connect(table, &SectionTable::rowsAppended, this, schedule);
        connect(table, &SectionTable::rowsRemoved, this, schedule);
        connect(table, &SectionTable::wasReset, this, schedule);
    }
    connect(m_document, &IdeDocument::pathTextChanged, this, schedule);
}

void Form1::followLoadReport()
{
    // A load sets its report once the tables are filled; New and Close empty it
    // with the tables.
    const auto follow = [this] {
        const LoadReport& report = m_document->loadReport();
        m_loadReportItem->setEnabled(!report.isEmpty());
        if (m_reportWindow)
            m_reportWindow->setReport(report);
    };
    connect(m_fileCommands, &FileCommands::loaded, this, follow);
    connect(m_document, &IdeDocument::contentReplaced, this, follow);
}

void Form1::openLoadReport()
{
    if (!m_reportWindow) {
        m_reportWindow = new LoadReportWindow(this);
        m_reportWindow->setReport(m_document->loadReport());
        connect(m_reportWindow, &LoadReportWindow::rowRequested, this, &Form1::showRow);
    }
    m_reportWindow->show();
    m_reportWindow->raise();
    m_reportWindow->activateWindow();
}

void Form1::showRow(LineKind kind, RowId row)
{
    selectSection(sectionIndexOf(kind));
    const qsizetype position = m_document->table(kind).rowWithId(row);
    if (position < 0)
        return; // removed since the load
    SectionView* shown = view(kind);
    const QModelIndex index = shown->model()->index(int(position), 0);
    shown->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    shown->scrollTo(index);
}

void Form1::refreshStatistics()
{
    m_statisticsPending = false;
    m_statistics->refresh(*m_document);
}

void Form1::buildControls()
{
    m_central = new QWidget(this);
    setCentralWidget(m_central);
    m_central->installEventFilter(this);
    // The left-hand controls are laid out for a small 8-point face.
    QFont small = m_central->font();
    small.setPointSizeF(8);
    m_central->setFont(small);

    m_selector = new SectionSelector(m_central);
    m_selector->setGeometry(twips(120), twips(120), twips(1935), twips(2535));
    m_selector->setAutoFillBackground(true);
    m_selector->setBackgroundRole(QPalette::Base);
    connect(m_selector, &SectionSelector::sectionClicked, this, &Form1::selectSection);

    m_statistics = new StatisticsPanel(m_central);
    m_statistics->setGeometry(twips(120), twips(2760), twips(1935), twips(2055));

    const auto checkBox = [this](const char* name, const QString& caption, int top, int width) {
        auto* box = new QCheckBox(caption, m_central);
        box->setObjectName(QString::fromLatin1(name));
        // Wider than designed where the face needs it, but clear of the section view.
        const int fitted = qBound(twips(width), box->sizeHint().width(), twips(2150 - 240) - 2);
        box->setGeometry(twips(240), twips(top), fitted, qMax(twips(195), box->sizeHint().height()));
        return box;
    };
    m_showLines = checkBox("showLines", QStringLiteral("Grid lines"), 4920, 1575);
    m_catchPaste = checkBox("catchPaste", QStringLiteral("Catch Ctrl -V Paste"), 5160, 1695);
    m_objectSort = checkBox("objectSort", QStringLiteral("Sort by object num"), 5400, 1695);
    m_keepLayout = checkBox("keepLayout", QStringLiteral("Keep file layout"), 5640, 1695);
    connect(m_showLines, &QCheckBox::toggled, this, &Form1::applyGridLines);
    connect(m_catchPaste, &QCheckBox::toggled, this, &Form1::applyPasteCatching);
    connect(m_objectSort, &QCheckBox::toggled, this, &Form1::applySort);
    connect(m_keepLayout, &QCheckBox::toggled, this, &Form1::applyKeepLayout);

    const auto button = [this](const char* name, const QString& caption, int top) {
        auto* push = new QPushButton(caption, m_central);
        push->setObjectName(QString::fromLatin1(name));
        push->setGeometry(twips(120), twips(top), twips(1935), qMax(twips(255), push->sizeHint().height()));
        return push;
    };
    QPushButton* openNote = button("openNote", QStringLiteral("Notepad"), 6000);
    QPushButton* reload = button("reloadFile", QStringLiteral("Reload open file"), 6360);
    connect(openNote, &QPushButton::clicked, this, [this] {
        if (m_document->isUntitled())
            return;
        // The answer may come later, from the event loop: the window may be gone by then.
        m_platform.openInTextEditor(m_document->openFilePath(), [window = QPointer<Form1>(this)](bool started) {
            if (!started && window)
                window->m_platform.showMessage(window, QStringLiteral("Tarnel"),
                                               QStringLiteral("The text editor could not be started."),
                                               Platform::Icon::Information);
        });
    });
    connect(reload, &QPushButton::clicked, m_fileCommands, &FileCommands::reloadFile);

    for (LineKind kind : allLineKinds) {
        auto* model = new SectionModel(m_document->table(kind), this);
        auto* view = new SectionView(model, m_central);
        view->setVisible(kind == LineKind::Object);
        m_views[size_t(kind)] = view;
    }
    m_pathsView = new PathsView(*m_document, m_platform, m_central);
    m_pathsView->hide();

    m_statusPanel = new QLabel(QStringLiteral("Tarnel ready"));
    m_statusPanel->setObjectName(QStringLiteral("SB1"));
    m_versionPanel = new QLabel;
    m_versionPanel->setMinimumWidth(twips(1500));
    statusBar()->addWidget(m_statusPanel, 1);
    statusBar()->addPermanentWidget(m_versionPanel);
    statusBar()->setSizeGripEnabled(true);
}

void Form1::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("MenuFile"));
    const auto fileItem = [&](const char* name, const QString& caption, QKeySequence key,
                              auto slot) {
        QAction* action = namedAction(this, name, caption);
        action->setShortcut(key);
        connect(action, &QAction::triggered, m_fileCommands, slot);
        file->addAction(action);
        return action;
    };
    fileItem("FileNew", QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N), &FileCommands::fileNew);
    fileItem("FileOpen", QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O), &FileCommands::fileOpen);
    fileItem("FileClose", QStringLiteral("Close"), QKeySequence(), &FileCommands::fileClose);
    file->addSeparator()->setObjectName(QStringLiteral("div1"));
    fileItem("FileSave", QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S), &FileCommands::fileSave);
    fileItem("FileSaveAs", QStringLiteral("Save as"), QKeySequence(), &FileCommands::fileSaveAs);
    m_loadReportItem = namedAction(this, "FileLoadReport", QStringLiteral("Load report"));
    m_loadReportItem->setEnabled(false);
    connect(m_loadReportItem, &QAction::triggered, this, &Form1::openLoadReport);
    file->addAction(m_loadReportItem);
    file->addSeparator()->setObjectName(QStringLiteral("div2"));
    QMenu* recent = file->addMenu(QStringLiteral("Open recent"));
    recent->setObjectName(QStringLiteral("FileRecent"));
    for (int n = 1; n <= 7; ++n) {
        QAction* item = namedAction(this, qPrintable(QStringLiteral("r%1").arg(n)), QStringLiteral("r%1").arg(n));
        item->setShortcut(QKeySequence(Qt::Key_F1 + (n - 1)));
        connect(item, &QAction::triggered, this, [this, n] { openRecent(n); });
        recent->addAction(item);
        m_recentItems[size_t(n - 1)] = item;
    }
    file->addSeparator()->setObjectName(QStringLiteral("div3"));
    QAction* exit = namedAction(this, "FileExit", QStringLiteral("Exit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    file->addAction(exit);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("MenuEdit"));
    // Captions name the step: "Undo Remove 500 lines".
    QUndoStack& history = EditHistory::of(*m_document).stack();
    QAction* undo = history.createUndoAction(this, QStringLiteral("Undo"));
    undo->setObjectName(QStringLiteral("EditUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = history.createRedoAction(this, QStringLiteral("Redo"));
    redo->setObjectName(QStringLiteral("EditRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator()->setObjectName(QStringLiteral("EditUndoDiv"));
    m_editPaste = namedAction(this, "EditPaste", QStringLiteral("Paste in line"));
    m_editPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    m_editPaste2 = namedAction(this, "EditPaste2", QStringLiteral("Paste in line"));
    edit->addAction(m_editPaste);
    edit->addAction(m_editPaste2);
    connect(m_editPaste, &QAction::triggered, this, &Form1::openPasteLine);
    connect(m_editPaste2, &QAction::triggered, this, &Form1::openPasteLine);

    for (LineKind kind : {LineKind::Object, LineKind::TimedObject, LineKind::Light, LineKind::Sun,
                          LineKind::Particle, LineKind::PedArea}) {
        QMenu* menu = buildActionsMenu(kind);
        menuBar()->addMenu(menu);
        menu->menuAction()->setVisible(kind == LineKind::Object);
        m_views[size_t(kind)]->setPopupMenu(menu);
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    QAction* homepage = namedAction(this, "homepage", homePageHost);
    connect(homepage, &QAction::triggered, this,
            [this] { m_platform.openUrl(QUrl(QStringLiteral("https://") + homePageHost + QLatin1Char('/'))); });
    help->addAction(homepage);
    help->addSeparator()->setObjectName(QStringLiteral("dfff"));
    QAction* about = namedAction(this, "HelpAbout", QStringLiteral("About"));
    connect(about, &QAction::triggered, this, [this] {
        AboutDialog dialog(this);
        dialog.exec();
    });
    help->addAction(about);
}

QMenu* Form1::buildActionsMenu(LineKind kind)
{
    const ActionsMenuNames names = actionsMenuNames(kind);
    auto* menu = new QMenu(QStringLiteral("Actions"), this);
    menu->setObjectName(QString::fromLatin1(names.menu));
    TableActions& actions = m_tableActions[size_t(kind)];
    const auto item = [&](int i, const QString& caption) {
        QAction* action = namedAction(this, names.items[size_t(i)], caption);
        menu->addAction(action);
        return action;
    };
    actions.newLine = item(0, QStringLiteral("New line"));
    menu->addSeparator()->setObjectName(QString::fromLatin1(names.items[1]));
    actions.commentOut = item(2, QStringLiteral("Comment out"));
    actions.unComment = item(3, QStringLiteral("Un-Comment"));
    menu->addSeparator()->setObjectName(QString::fromLatin1(names.items[4]));
    actions.remove = item(5, QStringLiteral("Remove line"));
    actions.duplicate = item(6, QStringLiteral("Duplicate line"));
    m_actionsMenus[size_t(kind)] = menu;

    // The commands act on their own table's selection, whichever section is shown.
    // Each is one step of the undo history over all the selected rows.
    const auto onSelection = [this, kind](const QString& name, auto command) {
        return [this, kind, name, command] {
            const QList<qsizetype> rows = view(kind)->selectedRowNumbers();
            return EditHistory::of(*m_document)
                .changeRows(kind, rows, EditHistory::linesText(name, rows.size()),
                            [&] { return command(*m_document, kind, rows); });
        };
    };
    connect(actions.commentOut, &QAction::triggered, this, onSelection(QStringLiteral("Comment out"), commentOut));
    connect(actions.unComment, &QAction::triggered, this, onSelection(QStringLiteral("Un-comment"), unComment));
    connect(actions.remove, &QAction::triggered, this, onSelection(QStringLiteral("Remove"), removeRows));
    connect(actions.duplicate, &QAction::triggered, this, [this, kind, duplicate = onSelection(QStringLiteral("Duplicate"), duplicateRows)] {
        if (duplicate())
            setStatus(QStringLiteral("Line duplicated"));
    });
    return menu;
}

void Form1::startUp(const QString& commandLine)
{
    setStatus(QStringLiteral("Tarnel ready"));
    if (!m_settings.exists()) {
        m_settings.rebuildSettings();
        setStatus(QStringLiteral("Settings file rebuilt"));
    }
    refreshRecentMenu();
    QString path = commandLine;
    path.remove(QLatin1Char('"'));
    m_fileCommands->startUp(path);
    updateTitle();
    m_versionPanel->setText(versionText);

    m_objectSort->setChecked(m_settings.readOption(QStringLiteral("sort")) == 1);
    // Sorted as the settings say is where the document starts, not a change of it.
    EditHistory::of(*m_document).forget();
    m_showLines->setChecked(m_settings.readOption(QStringLiteral("lines")) == 1);
    m_catchPaste->setChecked(m_settings.readOption(QStringLiteral("paste")) == 1);
    m_keepLayout->setChecked(m_settings.readAddedOption(QStringLiteral("keepLayout")) == 1);
    // The Edit menu must match the box also when the box stayed clear.
    applyPasteCatching(m_catchPaste->isChecked());
}

QString Form1::statusText() const
{
    return m_statusPanel->text();
}

QString Form1::versionPanelText() const
{
    return m_versionPanel->text();
}

void Form1::setStatus(const QString& text)
{
    m_statusPanel->setText(text);
}

void Form1::refreshRecentMenu()
{
    const QStringList entries = m_recent->readSlots();
    for (int n = 1; n <= 7; ++n) {
        QAction* item = m_recentItems[size_t(n - 1)];
        const QString caption = entries.value(n - 1);
        item->setText(menuCaption(caption));
        item->setData(caption);
    }
}

void Form1::openRecent(int slot)
{
    const QString caption = m_recentItems[size_t(slot - 1)]->data().toString();
    // Only a slot's own name marks it empty; a name pushed down from the slot
    // above reads as a file name and is reported missing when chosen.
    if (RecentList::isPlaceholder(slot, caption))
        return;
    m_fileCommands->openNamedFile(caption);
}

void Form1::selectSection(int index)
{
    if (index == SectionSelector::twoDfxIndex)
        index = SectionSelector::lightsIndex;
    const SectionTarget target = sectionTarget(index);
    for (SectionView* view : m_views)
        view->setVisible(target.table && view->kind() == *target.table);
    m_pathsView->setVisible(!target.table);
    for (LineKind kind : allLineKinds)
        m_actionsMenus[size_t(kind)]->menuAction()->setVisible(kind == target.menu);
    // The paths keep the timed objects' menu in the bar, but its commands must
    // not reach a table the user cannot see; disabled, no shortcut runs them.
    const TableActions& actions = tableActions(target.menu);
    for (QAction* action : {actions.newLine, actions.commentOut, actions.unComment, actions.remove, actions.duplicate})
        action->setEnabled(target.table.has_value());
    m_selector->markShown(index);
    m_shownSection = index;
}

void Form1::openPasteLine()
{
    PasteLineDialog dialog(*m_document, m_platform, this);
    connect(&dialog, &PasteLineDialog::statisticsRefreshRequested, this, &Form1::refreshStatistics);
    dialog.exec();
}

void Form1::applySort(bool on)
{
    EditHistory::of(*m_document).setSorted(on, [this](bool sorted) {
        const QSignalBlocker quiet(m_objectSort);
        m_objectSort->setChecked(sorted);
        m_settings.writeSetting(QStringLiteral("sort"), sorted ? QStringLiteral("1") : QStringLiteral("0"));
    });
    m_settings.writeSetting(QStringLiteral("sort"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

void Form1::applyGridLines(bool on)
{
    for (SectionView* view : m_views)
        view->setShowGrid(on);
    m_settings.writeSetting(QStringLiteral("lines"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

void Form1::applyPasteCatching(bool on)
{
    m_editPaste->setEnabled(on);
    m_editPaste->setVisible(on);
    m_editPaste2->setEnabled(!on);
    m_editPaste2->setVisible(!on);
    m_settings.writeSetting(QStringLiteral("paste"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

void Form1::applyKeepLayout(bool on)
{
    m_fileCommands->setKeepLayout(on);
    m_settings.writeSetting(QStringLiteral("keepLayout"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

void Form1::updateTitle()
{
    setWindowTitle(QStringLiteral("Tarnel [ ") + m_document->openFilePath() + QStringLiteral(" ]") +
                   (m_document->isModified() ? QStringLiteral("*") : QString()));
}

void Form1::placeSectionViews()
{
    const int left = twips(2150);
    const int top = twips(120);
    // Down to the status bar, which is where the central widget ends.
    const int width = m_central->width() - left;
    const int height = m_central->height() - top;
    // Too small a window (minimised): keep the last good place.
    if (width <= 0 || height <= 0)
        return;
    for (SectionView* view : m_views)
        view->setGeometry(left, top, width, height);
    m_pathsView->setGeometry(left, top, width, height);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    // The central widget, not the window: the window's own resize comes before
    // its layout has made room for the status bar.
    if (watched == m_central && event->type() == QEvent::Resize)
        placeSectionViews();
    return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (m_fileCommands->askToSave())
        event->accept();
    else
        event->ignore();
}
