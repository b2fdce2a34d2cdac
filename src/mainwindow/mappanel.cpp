#include "mainwindow/mappanel.h"

#include "map/gamemap.h"
#include "mainwindow/openmap.h"
#include "texts/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarnel {

namespace {

constexpr int fileRole = Qt::UserRole;

// The folder part and the name of a file: below the game folder as found,
// or as listed when missing (`\` as `/`).
std::pair<QString, QString> folderAndName(const MapFile& file, const QString& gameFolder)
{
    QString shown = file.missing() ? file.listedAs : QDir(gameFolder).relativeFilePath(file.path);
    if (shown.isEmpty() || shown.startsWith(QLatin1String("../")))
        shown = file.missing() ? file.shownPath : file.path;
    shown.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const qsizetype slash = shown.lastIndexOf(QLatin1Char('/'));
    return {slash < 0 ? QStringLiteral(".") : shown.left(slash), shown.mid(slash + 1)};
}

} // namespace

MapPanel::MapPanel(OpenMap& map, QWidget* parent)
    : QWidget(parent), m_map(map), m_gameFolder(new QLineEdit(this)), m_idLimit(new QLineEdit(this)),
      m_tree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("mapPanel"));
    m_gameFolder->setObjectName(QStringLiteral("gameFolderField"));
    m_gameFolder->setPlaceholderText(texts::gameFolderHint);
    m_idLimit->setObjectName(QStringLiteral("idLimitField"));
    m_idLimit->setPlaceholderText(texts::idLimitHint);
    m_tree->setObjectName(QStringLiteral("mapTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);

    auto* fields = new QFormLayout;
    fields->addRow(texts::gameFolderLabel, m_gameFolder);
    fields->addRow(texts::idLimitLabel, m_idLimit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(fields);
    layout->addWidget(m_tree, 1);

    connect(m_gameFolder, &QLineEdit::editingFinished, this, [this] {
        const QString folder = m_gameFolder->text().trimmed();
        // Unchanged, or the one the lists gave, reads nothing again.
        if (folder != m_map.gameFolder() && folder != m_map.map().sources().gameFolder)
            emit gameFolderChosen(folder);
    });
    connect(m_idLimit, &QLineEdit::editingFinished, this, &MapPanel::applyIdLimit);
    connect(m_tree, &QTreeWidget::itemActivated, this, &MapPanel::choose);
    connect(m_tree, &QTreeWidget::itemClicked, this, &MapPanel::choose);
    connect(&m_map, &OpenMap::opened, this, &MapPanel::rebuild);
    connect(&m_map, &OpenMap::closed, this, &MapPanel::rebuild);
    connect(&m_map, &OpenMap::mapChanged, this, &MapPanel::updateMarks);
    connect(&m_map, &OpenMap::shownFileChanged, this, &MapPanel::updateMarks);
}

void MapPanel::rebuild()
{
    m_tree->clear();
    const MapSources& sources = m_map.map().sources();
    m_gameFolder->setText(m_map.isOpen() ? sources.gameFolder : QString());
    const std::optional<qint64> limit = m_map.map().idLimit();
    m_idLimit->setText(limit ? QString::number(*limit) : QString());
    QHash<QString, QTreeWidgetItem*> folders;
    for (qsizetype file = 0; file < sources.files.size(); ++file) {
        const MapFile& mapFile = sources.files[file];
        const auto [folder, name] = folderAndName(mapFile, sources.gameFolder);
        QTreeWidgetItem*& folderItem = folders[folder.toLower()];
        if (!folderItem) {
            folderItem = new QTreeWidgetItem(m_tree, {folder});
            folderItem->setFlags(Qt::ItemIsEnabled);
        }
        auto* item = new QTreeWidgetItem(folderItem, {name});
        item->setData(0, fileRole, file);
        item->setToolTip(0, mapFile.missing() ? texts::mapFileMissing.arg(mapFile.listedAs) : mapFile.path);
        // A missing file is there to be seen, greyed, not chosen.
        if (mapFile.missing())
            item->setFlags(Qt::NoItemFlags);
    }
    // Folders of files found open; those only listed (the base game's, in a
    // mod's repository, say) stay closed and greyed, out of the way.
    for (int f = 0; f < m_tree->topLevelItemCount(); ++f) {
        QTreeWidgetItem* folder = m_tree->topLevelItem(f);
        bool found = false;
        for (int k = 0; k < folder->childCount() && !found; ++k)
            found = folder->child(k)->flags() != Qt::NoItemFlags;
        folder->setExpanded(found);
        if (!found)
            folder->setForeground(0, m_tree->palette().brush(QPalette::Disabled, QPalette::Text));
    }
    updateMarks();
}

void MapPanel::updateMarks()
{
    for (int f = 0; f < m_tree->topLevelItemCount(); ++f) {
        QTreeWidgetItem* folder = m_tree->topLevelItem(f);
        for (int k = 0; k < folder->childCount(); ++k) {
            QTreeWidgetItem* item = folder->child(k);
            const qsizetype file = item->data(0, fileRole).toLongLong();
            const MapSources& sources = m_map.map().sources();
            const QString name = folderAndName(sources.files[file], sources.gameFolder).second;
            item->setText(0, m_map.isChanged(file) ? name + QLatin1Char('*') : name);
            QFont font = item->font(0);
            font.setBold(file == m_map.shownFile());
            item->setFont(0, font);
        }
    }
}

void MapPanel::choose(QTreeWidgetItem* item)
{
    if (!item || !item->parent())
        return;
    const qsizetype file = item->data(0, fileRole).toLongLong();
    const MapFile& mapFile = m_map.map().sources().files[file];
    if (mapFile.missing())
        return;
    if (mapFile.kind == MapFileKind::Ipl)
        emit placementFileChosen(file);
    else
        m_map.showFile(file);
}

void MapPanel::applyIdLimit()
{
    const QString text = m_idLimit->text().trimmed();
    bool number = false;
    const qint64 limit = text.toLongLong(&number);
    if (text.isEmpty())
        m_map.setIdLimit(std::nullopt);
    else if (number && limit >= 0)
        m_map.setIdLimit(limit == 0 ? std::optional<qint64>() : std::optional<qint64>(limit));
}

} // namespace tarnel
