#include "map/gamemap.h"

#include "document/idefile.h"
#include "map/mapindex.h"
#include "texts/maptexts.h"

#include <algorithm>
#include <future>
#include <map>

namespace tarnel {

namespace {

FileFacts readFacts(const MapFile& file)
{
    if (file.missing())
        return {};
    const ReadOutcome read = readIdeFile(file.path);
    if (read.status != ReadOutcome::Read) {
        FileFacts facts;
        facts.findings.append(MapFinding{Severity::Warning, {}, 0,
                                         texts::mapCannotRead.arg(read.error.isEmpty() ? file.path : read.error), -1});
        return facts;
    }
    return file.kind == MapFileKind::Ide ? readIdeFacts(read.bytes) : readIplFacts(read.bytes);
}

} // namespace

GameMap::GameMap() : m_index(std::make_unique<MapIndex>()) {}
GameMap::GameMap(GameMap&&) noexcept = default;
GameMap& GameMap::operator=(GameMap&&) noexcept = default;
GameMap::~GameMap() = default;

GameMap GameMap::read(MapSources sources)
{
    // Two threads, each a file at a time: a file's bytes are let go once its facts are read.
    const QList<MapFile>& files = sources.files;
    QList<FileFacts> facts(files.size());
    auto readEvery = [&](qsizetype first) {
        for (qsizetype i = first; i < files.size(); i += 2)
            facts[i] = readFacts(files[i]);
    };
    std::future<void> odd = std::async(std::launch::async, readEvery, 1);
    readEvery(0);
    odd.get();
    return fromFacts(std::move(sources), std::move(facts));
}

GameMap GameMap::fromFacts(MapSources sources, QList<FileFacts> facts)
{
    GameMap map;
    map.m_sources = std::move(sources);
    facts.resize(map.m_sources.files.size());
    map.m_index->facts = std::move(facts);
    for (qint32 file = 0; file < map.m_index->facts.size(); ++file)
        map.m_index->add(file);
    map.m_index->recheckAll();
    return map;
}

const FileFacts& GameMap::facts(qsizetype file) const
{
    return m_index->facts.at(file);
}

void GameMap::replaceFacts(qsizetype file, FileFacts facts)
{
    QSet<qint64> touched;
    auto note = [&touched](const FileFacts& of) {
        for (const IdDefinition& definition : of.definitions)
            touched.insert(definition.id);
        for (const IdReference& reference : of.references)
            touched.insert(reference.id);
    };
    note(m_index->facts.at(file));
    note(facts);
    m_index->remove(qint32(file));
    m_index->facts[file] = std::move(facts);
    m_index->add(qint32(file));
    m_index->recheck(touched);
}

std::optional<qint64> GameMap::idLimit() const
{
    if (m_setLimit)
        return *m_setLimit;
    // The value count most inst lines of the map have.
    std::map<int, qint64> lines;
    for (const FileFacts& facts : m_index->facts) {
        if (facts.instValueCount > 0)
            lines[facts.instValueCount] += facts.instCount;
    }
    const auto most =
        std::max_element(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == lines.end() ? std::nullopt : idLimitForInstValues(most->first);
}

void GameMap::setIdLimit(std::optional<std::optional<qint64>> limit)
{
    m_setLimit = limit;
}

QList<MapFinding> GameMap::findings() const
{
    const MapIndex& index = *m_index;
    const QList<MapFile>& files = m_sources.files;
    auto placeOf = [&](qint32 file, qint64 line) { return texts::mapPlace.arg(files[file].shownPath).arg(line); };
    QList<MapFinding> found;
    auto add = [&](Severity severity, qint32 file, qint64 line, QString message) {
        found.append(MapFinding{severity, files[file].shownPath, line, std::move(message), file});
    };
    for (qint32 file = 0; file < index.facts.size(); ++file) {
        for (const MapFinding& finding : index.facts[file].findings)
            add(finding.severity, file, finding.line, finding.message);
    }
    const qsizetype missingIde = std::count_if(files.begin(), files.end(), [](const MapFile& file) {
        return file.kind == MapFileKind::Ide && file.missing();
    });
    for (const qint64 id : index.idsWithFindings()) {
        const IdUses& uses = *index.usesOf(id);
        if (uses.definitions.empty()) {
            for (const MapPlace place : uses.references) {
                if (missingIde > 0)
                    add(Severity::Warning, place.file, index.reference(place).line,
                        texts::mapIdUndefinedSomeMissing.arg(id).arg(missingIde));
                else
                    add(Severity::Error, place.file, index.reference(place).line, texts::mapIdUndefined.arg(id));
            }
            continue;
        }
        const MapPlace first = uses.definitions.front();
        const IdDefinition& definition = index.definition(first);
        const QString firstPlace = placeOf(first.file, definition.line);
        for (size_t k = 1; k < uses.definitions.size(); ++k) {
            const MapPlace again = uses.definitions[k];
            const IdDefinition& repeated = index.definition(again);
            const bool hier = repeated.section == IdSection::Hier || definition.section == IdSection::Hier;
            add(hier ? Severity::Warning : Severity::Error, again.file, repeated.line,
                texts::mapIdDefinedAgain.arg(id).arg(firstPlace));
        }
        for (const MapPlace place : uses.references) {
            const IdReference& reference = index.reference(place);
            if (reference.name.isEmpty() || sameName(reference.name, definition.name))
                continue;
            QString message = texts::mapNameDiffers.arg(id)
                                  .arg(QString::fromLatin1(reference.name), QString::fromLatin1(definition.name))
                                  .arg(firstPlace);
            if (const std::optional<MapPlace> named = index.definitionNamed(reference.name)) {
                const IdDefinition& other = index.definition(*named);
                message += texts::mapNameIsOtherId.arg(QString::fromLatin1(reference.name))
                               .arg(other.id)
                               .arg(placeOf(named->file, other.line));
            }
            add(Severity::Error, place.file, reference.line, message);
        }
    }
    if (const std::optional<qint64> limit = idLimit()) {
        for (auto it = index.ids().cbegin(); it != index.ids().cend(); ++it) {
            if (it.key() < *limit)
                continue;
            for (const MapPlace place : it->definitions)
                add(Severity::Warning, place.file, index.definition(place).line,
                    texts::mapIdAtLimit.arg(it.key()).arg(*limit));
        }
    }
    // A file's own findings of a line come first, as read.
    std::stable_sort(found.begin(), found.end(), [](const MapFinding& a, const MapFinding& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    return m_sources.findings + found;
}

QList<std::pair<qsizetype, IdDefinition>> GameMap::definitionsOf(qint64 id) const
{
    QList<std::pair<qsizetype, IdDefinition>> found;
    if (const IdUses* uses = m_index->usesOf(id)) {
        for (const MapPlace place : uses->definitions)
            found.append({place.file, m_index->definition(place)});
    }
    return found;
}

QList<std::pair<qsizetype, IdReference>> GameMap::referencesOf(qint64 id) const
{
    QList<std::pair<qsizetype, IdReference>> found;
    if (const IdUses* uses = m_index->usesOf(id)) {
        for (const MapPlace place : uses->references)
            found.append({place.file, m_index->reference(place)});
    }
    return found;
}

QList<qint64> GameMap::usedIds() const
{
    QList<qint64> ids;
    for (auto it = m_index->ids().cbegin(); it != m_index->ids().cend(); ++it) {
        if (!it->definitions.empty())
            ids.append(it.key());
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

QList<qint64> GameMap::commentedIds() const
{
    QList<qint64> ids;
    for (const FileFacts& facts : m_index->facts)
        ids += facts.commentedIds;
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

std::optional<qint64> idLimitForInstValues(int valueCount)
{
    switch (valueCount) {
    case 11: return 20000;
    case 13: return 6500;
    case 12: return 5500;
    default: return std::nullopt;
    }
}

} // namespace tarnel
