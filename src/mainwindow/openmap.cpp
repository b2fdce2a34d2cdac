#include "mainwindow/openmap.h"

#include "document/idedocument.h"
#include "document/idefile.h"
#include "history/edithistory.h"
#include "map/gamemap.h"

#include <QHash>

#include <future>
#include <numeric>

namespace tarnel {

struct OpenMap::State {
    QStringList operands;
    QString gameFolder;
    GameMap map;
    bool open = false;
    qsizetype shown = -1;
    // The facts of each IDE file as read: the sections the tables do not hold come from there.
    QHash<qsizetype, FileFacts> asRead;
    // The documents of the files not shown, loaded on first use.
    QHash<qsizetype, IdeDocument*> parked;
    QList<QMetaObject::Connection> followed;
    std::optional<std::optional<qint64>> idLimit; // as set (nullopt: derived)
};

OpenMap::OpenMap(IdeDocument& shown, QObject* parent) : QObject(parent), m_shown(shown), m_state(new State)
{
    // Histories emptied as the window goes must not reach documents being destroyed.
    connect(&shown, &QObject::destroyed, this, &OpenMap::stopFollowing);
}

OpenMap::~OpenMap()
{
    stopFollowing();
}

void OpenMap::stopFollowing()
{
    for (const QMetaObject::Connection& connection : std::as_const(m_state->followed))
        disconnect(connection);
    m_state->followed.clear();
}

bool OpenMap::isOpen() const
{
    return m_state->open;
}

const GameMap& OpenMap::map() const
{
    return m_state->map;
}

qsizetype OpenMap::shownFile() const
{
    return m_state->shown;
}

const QStringList& OpenMap::operands() const
{
    return m_state->operands;
}

const QString& OpenMap::gameFolder() const
{
    return m_state->gameFolder;
}

void OpenMap::open(const QStringList& operands, const QString& gameFolder)
{
    close();
    m_state->operands = operands;
    m_state->gameFolder = gameFolder;
    m_state->map = GameMap::read(collectMapSources(operands, gameFolder));
    m_state->open = true;
    const QList<MapFile>& files = m_state->map.sources().files;
    for (qsizetype file = 0; file < files.size(); ++file) {
        if (files[file].kind == MapFileKind::Ide && !files[file].missing())
            m_state->asRead.insert(file, m_state->map.facts(file));
    }
    qsizetype first = 0;
    while (first < files.size() && !m_state->asRead.contains(first))
        ++first;
    if (first < files.size()) {
        // Load errors wait in the file's load report.
        const LoadOutcome outcome = loadDocument(m_shown, files[first].path, [](const LoadError&) {});
        if (outcome.status == ReadOutcome::Read) {
            m_state->shown = first;
            followHistoryOf(first, m_shown);
            refreshFacts(first);
        }
    }
    if (m_state->shown < 0)
        m_shown.reset();
    emit opened();
    emit shownFileChanged(m_state->shown);
}

void OpenMap::close()
{
    if (!m_state->open)
        return;
    stopFollowing();
    // Their histories, children of theirs, go with them.
    qDeleteAll(m_state->parked);
    m_state.reset(new State);
    emit closed();
    emit shownFileChanged(-1);
}

void OpenMap::followHistoryOf(qsizetype file, IdeDocument& document)
{
    QUndoStack& stack = EditHistory::of(document).stack();
    m_state->followed << connect(&stack, &QUndoStack::indexChanged, this, [this, file] { refreshFacts(file); })
                      << connect(&stack, &QUndoStack::cleanChanged, this, &OpenMap::mapChanged);
}

void OpenMap::refreshFacts(qsizetype file)
{
    IdeDocument* document = file == m_state->shown ? &m_shown : m_state->parked.value(file);
    if (!document)
        return;
    emit findingsChanged(
        m_state->map.replaceFacts(file, ideFactsOfDocument(*document, m_state->asRead.value(file))));
    emit mapChanged();
}

IdeDocument* OpenMap::documentOf(qsizetype file)
{
    if (!m_state->asRead.contains(file))
        return nullptr;
    if (file == m_state->shown)
        return &m_shown;
    if (IdeDocument* parked = m_state->parked.value(file))
        return parked;
    auto* document = new IdeDocument(this);
    // Sorted as the window's option is; with no rows yet that is no step.
    EditHistory::of(*document).setSorted(m_shown.isSorted());
    loadDocument(*document, m_state->map.sources().files[file].path, [](const LoadError&) {});
    m_state->parked.insert(file, document);
    followHistoryOf(file, *document);
    return document;
}

void OpenMap::showFile(qsizetype file)
{
    if (file == m_state->shown || !m_state->asRead.contains(file) || (m_mayLeave && !m_mayLeave()))
        return;
    IdeDocument* document = documentOf(file);
    const qsizetype leaving = m_state->shown;
    m_state->parked.remove(file);
    // Each history goes with its content, then the content changes places.
    EditHistory& leavingHistory = EditHistory::of(m_shown);
    EditHistory& comingHistory = EditHistory::of(*document);
    leavingHistory.moveTo(*document);
    comingHistory.moveTo(m_shown);
    if (leaving >= 0)
        m_state->parked.insert(leaving, document);
    else
        document->deleteLater(); // the empty content shown when the map's first file could not be read
    m_state->shown = file;
    m_shown.exchangeContent(*document);
    emit shownFileChanged(file);
}

void OpenMap::setIdLimit(std::optional<std::optional<qint64>> limit)
{
    m_state->idLimit = limit;
    m_state->map.setIdLimit(limit);
    QList<qsizetype> every(m_state->map.sources().files.size());
    std::iota(every.begin(), every.end(), 0);
    emit findingsChanged(every);
    emit mapChanged();
}

void OpenMap::rereadPlacementFiles(const QStringList& paths)
{
    const QList<MapFile>& files = m_state->map.sources().files;
    QList<FileFacts> facts;
    QList<qsizetype> read;
    for (qsizetype file = 0; file < files.size(); ++file) {
        facts << m_state->map.facts(file);
        if (files[file].kind == MapFileKind::Ipl && paths.contains(files[file].path))
            read << file;
    }
    // Two threads, each reading every other file.
    QList<std::optional<FileFacts>> readFacts(read.size());
    const auto readEvery = [&](qsizetype from) {
        for (qsizetype k = from; k < read.size(); k += 2) {
            if (const ReadOutcome outcome = readIdeFile(files[read[k]].path); outcome.status == ReadOutcome::Read)
                readFacts[k] = readIplFacts(outcome.bytes);
        }
    };
    std::future<void> odd = std::async(std::launch::async, readEvery, 1);
    readEvery(0);
    odd.get();
    QList<qsizetype> changed;
    for (qsizetype k = 0; k < read.size(); ++k) {
        if (readFacts[k]) {
            facts[read[k]] = std::move(*readFacts[k]);
            changed << read[k];
        }
    }
    if (changed.isEmpty())
        return;
    // The map is indexed again as a whole: a file's facts replaced one by one are
    // searched line by line afterwards, which over many placement files costs every later edit.
    GameMap map = GameMap::fromFacts(m_state->map.sources(), std::move(facts));
    if (m_state->idLimit)
        map.setIdLimit(*m_state->idLimit);
    m_state->map = std::move(map);
    // The IDE files' findings follow their own steps.
    emit findingsChanged(changed);
    for (qsizetype file : std::as_const(changed))
        emit placementFileRead(files[file].path);
    emit mapChanged();
}

bool OpenMap::isChanged(qsizetype file) const
{
    if (file == m_state->shown)
        return m_shown.isModified();
    const IdeDocument* parked = m_state->parked.value(file);
    return parked && parked->isModified();
}

QList<qsizetype> OpenMap::changedFiles() const
{
    QList<qsizetype> changed;
    for (qsizetype file = 0; file < m_state->map.sources().files.size(); ++file) {
        if (isChanged(file))
            changed.append(file);
    }
    return changed;
}

} // namespace tarnel
