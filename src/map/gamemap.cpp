#include "map/gamemap.h"

#include "document/idefile.h"
#include "map/findingmessages.h"
#include "map/linewalk.h"
#include "map/mapindex.h"
#include "texts/maptexts.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <array>
#include <future>
#include <numeric>
#include <thread>

namespace tarnel {

namespace {

// IDE files at least this big are read by two threads, a part each.
constexpr qint64 splitFactsSize = qint64(8) << 20;

// Where the part of a big IDE file that a second thread reads starts: the
// first line past its middle that opens a section, or nowhere (0) when the
// megabyte from there holds none.
qint64 secondPartOf(const QString& path)
{
    const qint64 size = QFileInfo(path).size();
    if (size < splitFactsSize || std::thread::hardware_concurrency() < 2)
        return 0;
    qint64 start = 0;
    readIdeFileInBlocks(
        path,
        [&](QByteArrayView block) {
            const qsizetype lf = block.indexOf('\n'); // lines start after it
            if (start != 0 || lf < 0)
                return;
            const QByteArrayView lines = block.sliced(lf + 1);
            qsizetype at = -1;
            forEachLine(lines, [&](QByteArrayView line, qint64) {
                const bool ended = line.end() < lines.end(); // the block's last line may be cut short
                if (at < 0 && ended && IdeSectionWalk::opensSection(line))
                    at = line.data() - lines.data();
            });
            if (at >= 0)
                start = size / 2 + lf + 1 + at;
        },
        size / 2, size / 2 + (qint64(1) << 20));
    return start;
}

FileFacts readFacts(const MapFile& file)
{
    if (file.missing())
        return {};
    // A block at a time: the facts keep nothing of the bytes.
    ReadOutcome read;
    const ByteBlocks blocks = [&](const BlockSink& take) { read = readIdeFileInBlocks(file.path, take); };
    FileFacts facts;
    if (file.kind == MapFileKind::Ide) {
        const qint64 second = secondPartOf(file.path);
        ReadOutcome restRead;
        const ByteBlocks first = [&](const BlockSink& take) {
            read = readIdeFileInBlocks(file.path, take, 0, second);
        };
        const ByteBlocks rest = [&](const BlockSink& take) {
            restRead = readIdeFileInBlocks(file.path, take, second);
        };
        facts = second > 0 ? readIdeFacts(first, rest) : readIdeFacts(blocks);
        if (restRead.status != ReadOutcome::Read && second > 0)
            read = restRead;
    } else {
        facts = readIplFacts(blocks);
    }
    if (read.status != ReadOutcome::Read) {
        facts = FileFacts{};
        facts.findings.append(MapFinding{Severity::Warning,
                                         {},
                                         0,
                                         texts::mapCannotRead.arg(read.error.isEmpty() ? file.path : read.error),
                                         -1});
    }
    return facts;
}

// Makes the message of each finding the walk hands out as its parts: the
// findings as the window lists them.
class MessageFindings final : public FindingReceiver {
public:
    MessageFindings(const QList<MapFile>& files, std::optional<qint64> limit,
                    const std::function<void(const MapFinding&)>& take)
        : m_files(files), m_messages(limit), m_take(take)
    {
    }

    const FindingMessages& messages() const override { return m_messages; }
    void take(const MapFinding& finding) override { m_take(finding); }
    void definedAgain(Severity severity, qint32 file, qint64 line, qint64 id, qint32 firstFile,
                      qint64 firstLine) override
    {
        // An ID defined again names the same first definition each time: its
        // message is made once (a generated map has a few dozen rows an ID).
        auto message = m_definedAgain.constFind(id);
        if (message == m_definedAgain.cend())
            message =
                m_definedAgain.insert(id, m_messages.definedAgain(id, m_files[firstFile].shownPath, firstLine));
        m_take(MapFinding{severity, m_files[file].shownPath, line, *message, file});
    }
    void atLimit(qint32 file, qint64 line, qint64 id) override
    {
        m_take(MapFinding{Severity::Warning, m_files[file].shownPath, line, m_messages.atLimit(id), file});
    }

private:
    const QList<MapFile>& m_files;
    FindingMessages m_messages;
    const std::function<void(const MapFinding&)>& m_take;
    QHash<qint64, QString> m_definedAgain;
};

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
    map.m_index = std::make_unique<MapIndex>(std::move(facts));
    return map;
}

const FileFacts& GameMap::facts(qsizetype file) const
{
    return m_index->facts().at(file);
}

QList<qsizetype> GameMap::replaceFacts(qsizetype file, FileFacts facts)
{
    const std::optional<qint64> limit = idLimit();
    const QSet<qint64> changed = m_index->replace(qint32(file), std::move(facts));
    if (idLimit() != limit) { // another limit: any file's findings may change
        QList<qsizetype> every(m_sources.files.size());
        std::iota(every.begin(), every.end(), 0);
        return every;
    }
    QSet<qsizetype> files{file};
    for (const qint64 id : changed) {
        for (const MapPlace place : m_index->definitionsOf(id))
            files.insert(place.file);
        for (const MapPlace place : m_index->referencesOf(id))
            files.insert(place.file);
    }
    QList<qsizetype> ascending(files.begin(), files.end());
    std::sort(ascending.begin(), ascending.end());
    return ascending;
}

std::optional<qint64> GameMap::idLimit() const
{
    if (m_setLimit)
        return *m_setLimit;
    // The value count most inst lines of the map have.
    std::array<qint64, 256> lines{};
    for (const FileFacts& facts : m_index->facts()) {
        if (facts.instValueCount > 0 && facts.instValueCount < int(lines.size()))
            lines[size_t(facts.instValueCount)] += facts.instCount;
    }
    const auto most = std::max_element(lines.begin(), lines.end());
    return *most == 0 ? std::nullopt : idLimitForInstValues(int(most - lines.begin()));
}

void GameMap::setIdLimit(std::optional<std::optional<qint64>> limit)
{
    m_setLimit = limit;
}

QList<MapFinding> GameMap::findings() const
{
    QList<MapFinding> found;
    forEachFinding([&found](const MapFinding& finding) { found.append(finding); });
    return found;
}

void GameMap::forEachFinding(const std::function<void(const MapFinding&)>& take) const
{
    for (qint32 file = -1; file < m_index->facts().size(); ++file)
        forEachFindingIn(file, 0, std::numeric_limits<qint64>::max(), take);
}

QList<MapFinding> GameMap::findingsIn(qsizetype file) const
{
    QList<MapFinding> found;
    forEachFindingIn(file, 0, std::numeric_limits<qint64>::max(),
                     [&found](const MapFinding& finding) { found.append(finding); });
    return found;
}

void GameMap::forEachFindingIn(qsizetype file, qint64 fromLine, qint64 toLine,
                               const std::function<void(const MapFinding&)>& take) const
{
    MessageFindings receiver(m_sources.files, idLimit(), take);
    forEachFindingIn(file, fromLine, toLine, receiver);
}

// A file's findings in line order: its own, then those of the ID of its
// definition or reference on that line.
void GameMap::forEachFindingIn(qsizetype file, qint64 fromLine, qint64 toLine, FindingReceiver& receiver) const
{
    if (file < 0) {
        for (const MapFinding& finding : m_sources.findings) {
            if (finding.line >= fromLine && finding.line < toLine)
                receiver.take(finding);
        }
        return;
    }
    const MapIndex& index = *m_index;
    const QList<MapFile>& files = m_sources.files;
    const FileFacts& facts = index.facts()[file];
    const QString& path = files[file].shownPath;
    auto placeOf = [&](MapPlace place, qint64 line) {
        return receiver.messages().placeText().filled(files[place.file].shownPath, QString::number(line));
    };
    auto report = [&](Severity severity, qint64 line, QString message) {
        receiver.take(MapFinding{severity, path, line, std::move(message), qint32(file)});
    };
    const std::optional<qint64> limit = idLimit();
    qsizetype missingIde = -1; // counted when first needed

    auto checkDefinition = [&](qint32 i) {
        const IdDefinition& here = facts.definitions[i];
        const MapIndex::FirstPlace definitions = index.firstDefinitionOf(here.id);
        if (definitions.several && !(*definitions.first == MapPlace{qint32(file), i})) {
            const bool hier = here.section == IdSection::Hier || definitions.section == IdSection::Hier;
            receiver.definedAgain(hier ? Severity::Warning : Severity::Error, qint32(file), here.line, here.id,
                                  definitions.first->file, definitions.line);
        }
        if (limit && here.id >= *limit)
            receiver.atLimit(qint32(file), here.line, here.id);
    };
    auto checkReference = [&](qint32 i) {
        const IdReference& here = facts.references[i];
        const std::optional<MapPlace> defined = index.firstDefinitionOf(here.id).first;
        if (!defined) {
            if (missingIde < 0)
                missingIde = std::count_if(files.begin(), files.end(), [](const MapFile& listed) {
                    return listed.kind == MapFileKind::Ide && listed.missing();
                });
            if (missingIde > 0)
                report(Severity::Warning, here.line,
                       texts::mapIdUndefinedSomeMissing.arg(here.id).arg(missingIde));
            else
                report(Severity::Error, here.line, texts::mapIdUndefined.arg(here.id));
            return;
        }
        const IdDefinition& definition = index.definition(*defined);
        if (here.name.isEmpty() || sameName(here.name, definition.name))
            return;
        const QString name = QString::fromLatin1(here.name);
        QString message = texts::mapNameDiffers.arg(here.id)
                              .arg(name, QString::fromLatin1(definition.name))
                              .arg(placeOf(*defined, definition.line));
        if (const std::optional<MapPlace> named = index.definitionNamed(here.name)) {
            const IdDefinition& other = index.definition(*named);
            message += texts::mapNameIsOtherId.arg(name).arg(other.id).arg(placeOf(*named, other.line));
        }
        report(Severity::Error, here.line, message);
    };

    // Three lists in line order, merged: own findings first on a line, then
    // definitions, then references; each from its first entry on `fromLine`
    // or after, to its last before `toLine`.
    auto startOf = [fromLine](const auto& list) {
        return qint32(std::partition_point(list.begin(), list.end(),
                                           [fromLine](const auto& entry) { return entry.line < fromLine; }) -
                      list.begin());
    };
    auto endOf = [toLine](const auto& list) {
        return qint32(std::partition_point(list.begin(), list.end(),
                                           [toLine](const auto& entry) { return entry.line < toLine; }) -
                      list.begin());
    };
    qsizetype own = startOf(facts.findings);
    qint32 definition = startOf(facts.definitions);
    qint32 reference = startOf(facts.references);
    const qsizetype owns = endOf(facts.findings);
    const qint32 definitions = endOf(facts.definitions);
    const qint32 references = endOf(facts.references);
    constexpr qint64 past = std::numeric_limits<qint64>::max();
    while (own < owns || definition < definitions || reference < references) {
        const qint64 ownLine = own < owns ? facts.findings[own].line : past;
        const qint64 definitionLine = definition < definitions ? facts.definitions[definition].line : past;
        const qint64 referenceLine = reference < references ? facts.references[reference].line : past;
        if (ownLine <= definitionLine && ownLine <= referenceLine) {
            const MapFinding& finding = facts.findings[own++];
            report(finding.severity, finding.line, finding.message);
        } else if (definitionLine <= referenceLine) {
            checkDefinition(definition++);
        } else {
            checkReference(reference++);
        }
    }
}

QList<std::pair<qsizetype, IdDefinition>> GameMap::definitionsOf(qint64 id) const
{
    QList<std::pair<qsizetype, IdDefinition>> found;
    for (const MapPlace place : m_index->definitionsOf(id)) {
        IdDefinition definition = m_index->definition(place);
        definition.name = QByteArray(definition.name.constData(), definition.name.size()); // its own copy
        found.append({place.file, definition});
    }
    return found;
}

QList<std::pair<qsizetype, IdReference>> GameMap::referencesOf(qint64 id) const
{
    QList<std::pair<qsizetype, IdReference>> found;
    for (const MapPlace place : m_index->referencesOf(id)) {
        IdReference reference = m_index->reference(place);
        reference.name = QByteArray(reference.name.constData(), reference.name.size());
        found.append({place.file, reference});
    }
    return found;
}

QList<qint64> GameMap::usedIds() const
{
    QList<qint64> ids;
    for (const FileFacts& facts : m_index->facts()) {
        for (const IdDefinition& definition : facts.definitions)
            ids.append(definition.id);
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

QList<qint64> GameMap::commentedIds() const
{
    QList<qint64> ids;
    for (const FileFacts& facts : m_index->facts())
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
