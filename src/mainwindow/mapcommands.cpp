#include "mainwindow/mapcommands.h"

#include "document/idedocument.h"
#include "editors/editorplacement.h"
#include "editors/toolwindow.h"
#include "map/gamemap.h"
#include "mainwindow/namedaction.h"
#include "mainwindow/openmap.h"
#include "mainwindow/placementfileview.h"
#include "platform/platform.h"
#include "settings/recentmaps.h"
#include "texts/texts.h"

#include <QFileInfo>
#include <QMenu>

namespace tarnel {

MapCommands::MapCommands(OpenMap& map, FileCommands& fileCommands, Platform& platform, SettingsFile& settings,
                         QWidget& window)
    : QObject(&window), m_map(map), m_fileCommands(fileCommands), m_platform(platform), m_window(window),
      m_recent(new RecentMaps(settings))
{
    m_fileCommands.setMapLeave([this] { return leaveMap(); });
    connect(&m_map, &OpenMap::shownFileChanged, this, &MapCommands::followShownFile);
    m_map.setLeaveCheck([this] { return !m_mayDiscardEdits || m_mayDiscardEdits(); });
    // A placement file written (a move of IDs, its undo) is shown as it is now, at the same line.
    connect(&m_map, &OpenMap::placementFileRead, this, [this](const QString& path) {
        if (m_placementView && m_placementView->path() == path)
            m_placementView->showFile(path, m_placementView->textCursor().blockNumber() + 1);
    });
}

MapCommands::~MapCommands() = default;

void MapCommands::addFileItems(QMenu& fileMenu)
{
    const auto item = [&](const QString& name, const QString& caption, QKeySequence key, const QString& after) {
        QAction* action = namedAction(&m_window, name, caption);
        action->setShortcut(key);
        const QList<QAction*> actions = fileMenu.actions();
        for (qsizetype k = 0; k < actions.size(); ++k) {
            if (actions[k]->objectName() == after) {
                fileMenu.insertAction(actions.value(k + 1), action);
                return action;
            }
        }
        fileMenu.addAction(action);
        return action;
    };
    connect(item(QStringLiteral("fileOpenMap"), texts::menuOpenMap, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
                 QStringLiteral("fileOpen")),
            &QAction::triggered, this, &MapCommands::chooseMap);
    connect(item(QStringLiteral("fileSaveAll"), texts::menuSaveAll, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                 QStringLiteral("fileSaveAs")),
            &QAction::triggered, this, &MapCommands::saveAll);
    m_recentMenu = new QMenu(texts::menuRecentMaps, &fileMenu);
    m_recentMenu->setObjectName(QStringLiteral("recentMapsMenu"));
    QAction* recentFiles = nullptr;
    for (QAction* action : fileMenu.actions()) {
        if (action->menu() && action->menu()->objectName() == QLatin1String("recentMenu"))
            recentFiles = action;
    }
    const qsizetype at = fileMenu.actions().indexOf(recentFiles);
    fileMenu.insertMenu(recentFiles ? fileMenu.actions().value(at + 1) : nullptr, m_recentMenu);
    refreshRecentMaps();
}

void MapCommands::refreshRecentMaps()
{
    m_recentMenu->clear();
    const QStringList maps = m_recent->read();
    int n = 0;
    for (const QString& path : maps) {
        QAction* action = m_recentMenu->addAction(QString(path).replace(QLatin1Char('&'), QLatin1String("&&")));
        action->setObjectName(QStringLiteral("recentMap%1").arg(++n));
        connect(action, &QAction::triggered, this, [this, path] { openMap({path}); });
    }
    m_recentMenu->menuAction()->setEnabled(!maps.isEmpty());
}

void MapCommands::chooseMap()
{
    const QStringList& last = m_map.operands();
    const QString start = last.isEmpty() ? QString() : QFileInfo(last.constFirst()).absolutePath();
    const QString chosen = m_platform.fileOrFolderName(&m_window, texts::levelListFilter, start);
    if (!chosen.isEmpty())
        openMap({chosen});
}

void MapCommands::openMap(const QStringList& operands, const QString& gameFolder)
{
    if (!m_fileCommands.askToLeave())
        return;
    m_map.open(operands, gameFolder);
    if (operands.size() == 1) {
        m_recent->recordOpened(QFileInfo(operands.constFirst()).absoluteFilePath());
        refreshRecentMaps();
    }
    emit statusMessage(texts::mapOpened.arg(m_map.map().sources().files.size()));
}

bool MapCommands::saveAll()
{
    if (!m_map.isOpen())
        return !m_fileCommands.document().isModified() || m_fileCommands.fileSave();
    const qsizetype back = m_map.shownFile();
    const QList<qsizetype> changed = m_map.changedFiles();
    bool saved = true;
    // Each is saved as Save would save it shown, with its own layout answer.
    for (qsizetype file : changed) {
        m_map.showFile(file);
        saved = m_map.shownFile() == file && m_fileCommands.fileSave();
        if (!saved)
            break;
    }
    m_map.showFile(back);
    if (saved)
        emit statusMessage(texts::mapSaved.arg(changed.size()));
    return saved;
}

std::optional<bool> MapCommands::leaveMap()
{
    if (!m_map.isOpen())
        return std::nullopt;
    if (m_mayDiscardEdits && !m_mayDiscardEdits())
        return false;
    const QList<qsizetype> changed = m_map.changedFiles();
    if (!changed.isEmpty()) {
        QStringList names;
        for (qsizetype file : changed)
            names << m_map.map().sources().files[file].shownPath;
        const QString text = texts::saveChangedFiles + texts::lineBreak + names.join(texts::lineBreak) +
                             texts::lineBreak + texts::saveChangesQuestion;
        switch (m_platform.askYesNoCancel(&m_window, texts::saveChangesTitle, text)) {
        case Platform::Answer::Cancel: return false;
        case Platform::Answer::No: break;
        case Platform::Answer::Yes:
            if (!saveAll())
                return false;
            break;
        }
    }
    m_map.close();
    if (m_placementView)
        m_placementView->close();
    emit statusMessage(texts::mapClosed);
    return true;
}

void MapCommands::followShownFile(qsizetype file)
{
    const FileCommands::ShownFileState leaving = m_fileCommands.takeShownFile(m_parkedFiles.take(file));
    if (m_lastShown >= 0 && m_map.isOpen())
        m_parkedFiles.insert(m_lastShown, leaving);
    if (!m_map.isOpen())
        m_parkedFiles.clear();
    m_lastShown = file;
}

PlacementFileView* MapCommands::showPlacementFile(qsizetype file, qint64 line)
{
    if (!m_placementView) {
        m_placementView = new PlacementFileView(&m_window);
        m_placementView->setWindowFlag(Qt::Window);
        makeToolWindow(*m_placementView);
        m_placementView->resize(640, 480);
        placeBesideOwner(m_window, *m_placementView);
    }
    m_placementView->showFile(m_map.map().sources().files.value(file).path, line);
    m_placementView->show();
    m_placementView->raise();
    return m_placementView;
}

} // namespace tarnel
