#include "map/mapsources.h"

#include "document/filenames.h"
#include "document/idefile.h"
#include "map/levellist.h"
#include "map/pathresolver.h"
#include "texts/maptexts.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

#include <algorithm>
#include <set>

namespace tarnel {

namespace {

using FileIdentity = std::pair<quint64, quint64>; // device, inode

std::optional<FileIdentity> identityOf(const QString& path)
{
    struct stat info {};
    if (::stat(fileNameBytes(path).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{quint64(info.st_dev), quint64(info.st_ino)};
}

bool hasSuffix(const QString& path, QStringView suffix)
{
    return path.endsWith(suffix, Qt::CaseInsensitive);
}

std::optional<MapFileKind> kindByName(const QString& path)
{
    if (hasSuffix(path, u".ide"))
        return MapFileKind::Ide;
    if (hasSuffix(path, u".ipl"))
        return MapFileKind::Ipl;
    return std::nullopt;
}

// The game folder a list implies: the parent of its folder when that is named
// `data` (any case), else its own folder.
QString gameFolderOf(const QString& folder)
{
    const QFileInfo info(folder);
    return info.fileName().compare(u"data", Qt::CaseInsensitive) == 0 ? info.absolutePath()
                                                                      : info.absoluteFilePath();
}

class Collector {
public:
    explicit Collector(const QString& gameFolder) : m_resolver(gameFolder)
    {
        m_sources.gameFolder = gameFolder;
        m_gameIsCurrent = QFileInfo(gameFolder).canonicalFilePath() == QDir::current().canonicalPath();
    }

    void addOperand(const QString& operand);
    MapSources take() { return std::move(m_sources); }

private:
    void readList(const QString& operand, const QString& absolute);
    void readFolder(const QString& operand, const QString& absolute);
    void walk(const QString& folder, const QString& shown, QList<std::pair<QString, QString>>& found);
    void addFile(MapFileKind kind, const QString& absolute, const QString& shown, const QString& listedAs = {},
                 const QString& listFile = {}, qint64 listLine = 0);
    void addMissing(MapFileKind kind, const QString& shown, const QString& listedAs, const QString& listFile,
                    qint64 listLine);
    void note(const QString& path, qint64 line, const QString& message)
    {
        m_sources.findings.append(MapFinding{Severity::Warning, path, line, message, -1});
    }
    QString shownListed(const QString& absolute) const
    {
        return m_gameIsCurrent ? QDir(m_sources.gameFolder).relativeFilePath(absolute) : absolute;
    }

    MapSources m_sources;
    PathResolver m_resolver;
    bool m_gameIsCurrent = false;
    std::set<FileIdentity> m_readFiles;
    std::set<FileIdentity> m_readLists;
    std::set<FileIdentity> m_folders;
    QSet<QString> m_missing; // case-folded, as listed
};

void Collector::addOperand(const QString& operand)
{
    const QFileInfo info(operand);
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    if (info.isDir())
        readFolder(operand, absolute);
    else if (const std::optional<MapFileKind> kind = kindByName(operand); kind && info.exists())
        addFile(*kind, absolute, operand);
    else if (kind)
        addMissing(*kind, operand, {}, {}, 0);
    else if (!info.exists())
        note(operand, 0, texts::mapNoSuchOperand);
    else
        readList(operand, absolute);
}

void Collector::readList(const QString& operand, const QString& absolute)
{
    const std::optional<FileIdentity> identity = identityOf(absolute);
    if (identity && !m_readLists.insert(*identity).second)
        return; // named twice: read once
    const ReadOutcome read = readIdeFile(absolute);
    if (read.status != ReadOutcome::Read) {
        note(operand, 0, texts::mapCannotRead.arg(read.error));
        return;
    }
    m_sources.lists.append(absolute);
    const QList<ListedFile> listed = readLevelList(read.bytes);
    for (const auto& [kind, path, line] : listed) {
        const PathResolver::Resolved resolved = m_resolver.resolve(path);
        if (resolved.outcome == PathResolver::Outcome::LeavesGameFolder) {
            note(operand, line, texts::mapLeavesGameFolder.arg(path));
        } else if (resolved.outcome == PathResolver::Outcome::Missing) {
            note(operand, line, texts::mapListedFileMissing.arg(path));
            addMissing(kind, path, path, operand, line);
        } else if (identityOf(resolved.path) == identity) {
            note(operand, line, texts::mapListNamesItself.arg(path));
        } else {
            addFile(kind, resolved.path, shownListed(resolved.path), path, operand, line);
        }
    }
    if (listed.isEmpty())
        note(operand, 0, texts::mapListNamesNothing);
}
void Collector::readFolder(const QString& operand, const QString& absolute)
{
    note(operand, 0, texts::mapFolderNote);
    QList<std::pair<QString, QString>> found; // shown, absolute
    walk(absolute, operand.endsWith(u'/') ? operand.chopped(1) : operand, found);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        const int folded = a.first.compare(b.first, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.first < b.first;
    });
    for (const auto& [shown, path] : found)
        addFile(*kindByName(path), path, shown);
}

void Collector::walk(const QString& folder, const QString& shown, QList<std::pair<QString, QString>>& found)
{
    const std::optional<FileIdentity> identity = identityOf(folder);
    if (!identity)
        return;
    if (!m_folders.insert(*identity).second) {
        note(shown, 0, texts::mapFolderLoop);
        return;
    }
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        const QString shownEntry = shown + u'/' + entry.fileName();
        if (entry.isDir())
            walk(entry.absoluteFilePath(), shownEntry, found);
        else if (entry.isFile() && kindByName(entry.fileName()))
            found.append({shownEntry, entry.absoluteFilePath()});
    }
}

void Collector::addFile(MapFileKind kind, const QString& absolute, const QString& shown, const QString& listedAs,
                        const QString& listFile, qint64 listLine)
{
    const std::optional<FileIdentity> identity = identityOf(absolute);
    if (identity && !m_readFiles.insert(*identity).second)
        return; // the same file named twice is read once
    m_sources.files.append(MapFile{kind, absolute, shown, listedAs, listFile, listLine});
}

void Collector::addMissing(MapFileKind kind, const QString& shown, const QString& listedAs,
                           const QString& listFile, qint64 listLine)
{
    if (listFile.isEmpty())
        note(shown, 0, texts::mapNoSuchOperand);
    if (m_missing.contains(shown.toCaseFolded()))
        return;
    m_missing.insert(shown.toCaseFolded());
    m_sources.files.append(MapFile{kind, {}, shown, listedAs, listFile, listLine});
}

} // namespace

MapSources collectMapSources(const QStringList& operands, const QString& gameFolder)
{
    QString game = gameFolder;
    if (game.isEmpty()) {
        // From the first list, else from the first folder or file.
        for (const bool listsOnly : {true, false}) {
            for (const QString& operand : operands) {
                const QFileInfo info(operand);
                const bool list = info.isFile() && !kindByName(operand);
                if (game.isEmpty() && (list || !listsOnly))
                    game = gameFolderOf(info.isDir() ? info.absoluteFilePath() : info.absolutePath());
            }
        }
    }
    Collector collector(
        QDir::cleanPath(QDir::current().absoluteFilePath(game.isEmpty() ? QStringLiteral(".") : game)));
    for (const QString& operand : operands)
        collector.addOperand(operand);
    return collector.take();
}

} // namespace tarnel
