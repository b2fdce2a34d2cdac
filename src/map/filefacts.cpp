#include "map/filefacts.h"

#include "document/idedocument.h"
#include "document/idetext.h"
#include "document/idindex.h"
#include "map/idvalue.h"
#include "map/linewalk.h"
#include "texts/maptexts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <future>

namespace tarnel {

namespace {

using idetext::isKeyword;

QString textOf(QByteArrayView value)
{
    return QString::fromLatin1(value);
}

// A first value written as a whole number too long for 64 bits: such IDs are
// reported rather than compared.
bool isTooWide(QByteArrayView value)
{
    value = value.trimmed();
    if (value.startsWith('-') || value.startsWith('+'))
        value = value.sliced(1);
    return value.size() > 18 &&
           std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isPositiveNumber(QByteArrayView value)
{
    value = value.trimmed();
    // Nearly every draw distance is a few digits: positive unless all of them are zeros.
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!value.isEmpty() && value.size() <= 18 && std::all_of(value.begin(), value.end(), isDigit))
        return std::any_of(value.begin(), value.end(), [](char c) { return c != '0'; });
    double number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    return error == std::errc() && end == value.data() + value.size() && number > 0 && number < 1e300;
}

// The names of a file's lines, gathered in one buffer; they point into it once it is complete.
class NamePool {
public:
    // Returns an empty name, which finish() points at the bytes kept.
    QByteArray take(QByteArrayView name, bool definition)
    {
        (definition ? m_definitionSpans : m_referenceSpans)
            .push_back({quint32(m_bytes.size()), quint32(name.size())});
        m_bytes.append(name);
        return {};
    }
    // The names `later` took, after these.
    void append(NamePool&& later)
    {
        const quint32 offset = quint32(m_bytes.size());
        m_bytes.append(later.m_bytes);
        for (auto [spans, laterSpans] : {std::pair{&m_definitionSpans, &later.m_definitionSpans},
                                         std::pair{&m_referenceSpans, &later.m_referenceSpans}}) {
            const size_t known = spans->size();
            spans->insert(spans->end(), laterSpans->begin(), laterSpans->end());
            for (size_t i = known; i < spans->size(); ++i)
                (*spans)[i].first += offset;
        }
    }
    // Points the names of `facts`, taken in their order, into the pool.
    void finish(FileFacts& facts)
    {
        facts.namePool = std::move(m_bytes);
        const char* const base = facts.namePool.constData();
        for (qsizetype i = 0; i < facts.definitions.size(); ++i)
            point(facts.definitions[i].name, base, m_definitionSpans[size_t(i)]);
        for (qsizetype i = 0; i < facts.references.size(); ++i)
            point(facts.references[i].name, base, m_referenceSpans[size_t(i)]);
    }

private:
    using Span = std::pair<quint32, quint32>; // offset, size
    static void point(QByteArray& name, const char* base, Span span)
    {
        name =
            span.second == 0 ? QByteArray() : QByteArray::fromRawData(base + span.first, qsizetype(span.second));
    }
    QByteArray m_bytes;
    std::vector<Span> m_definitionSpans;
    std::vector<Span> m_referenceSpans;
};

// Names are copied unless a pool gathers them.
QByteArray nameOf(QByteArrayView name, NamePool* pool, bool definition)
{
    return pool ? pool->take(name, definition) : name.toByteArray();
}

void addFinding(FileFacts& facts, Severity severity, qint64 line, QString message)
{
    facts.findings.append(MapFinding{severity, {}, line, std::move(message), -1});
}

void checkHour(FileFacts& facts, qint64 id, QByteArrayView hour, qint64 line)
{
    const std::optional<qint64> value = idNumberOf(hour);
    if (!value || *value < 0 || *value > 23)
        addFinding(facts, Severity::Warning, line, texts::mapHourOutOfRange.arg(id).arg(textOf(hour.trimmed())));
}

// The checks of an object or timed object line: mesh count, draw distances, hours.
void checkObjectLine(FileFacts& facts, IdSection section, const LineValues& v, qint64 id, qint64 line)
{
    const bool timed = section == IdSection::Tobj;
    const qsizetype tail = timed ? 3 : 1; // flags, and the hours of a timed object
    const qsizetype count = v.count;
    if (count < 4 + tail)
        return; // a short line: the editor's load report tells
    qsizetype firstDistance = 3;
    qsizetype distances = 1;
    if (count > 4 + tail) { // with a mesh count
        firstDistance = 4;
        distances = count - 4 - tail;
        const std::optional<qint64> meshes = idNumberOf(v.at(3));
        if (!meshes || *meshes != distances)
            addFinding(facts, Severity::Warning, line,
                       texts::mapMeshCount.arg(id).arg(textOf(v.at(3).trimmed())).arg(distances));
    }
    for (qsizetype i = firstDistance; i < firstDistance + distances && i < LineValues::kept; ++i) {
        if (!isPositiveNumber(v.at(i)))
            addFinding(facts, Severity::Warning, line,
                       texts::mapDrawDistance.arg(id).arg(textOf(v.at(i).trimmed())));
    }
    if (timed && count <= LineValues::kept) {
        checkHour(facts, id, v.at(count - 2), line);
        checkHour(facts, id, v.at(count - 1), line);
    }
}

void addDefinition(FileFacts& facts, IdSection section, const LineValues& v, qint64 line, NamePool* pool = nullptr)
{
    const std::optional<qint64> id = idNumberOf(v.at(0));
    if (!id) {
        if (isTooWide(v.at(0)))
            addFinding(facts, Severity::Warning, line, texts::mapIdTooWide.arg(textOf(v.at(0).trimmed())));
        return;
    }
    facts.definitions.append(IdDefinition{*id, nameOf(v.at(1), pool, true), line, section});
    if (section == IdSection::Objs || section == IdSection::Tobj)
        checkObjectLine(facts, section, v, *id, line);
}

void addReference(FileFacts& facts, ReferenceKind kind, QByteArrayView idValue, QByteArrayView name, qint64 line,
                  NamePool* pool = nullptr)
{
    const std::optional<qint64> id = idNumberOf(idValue);
    if (!id) {
        if (isTooWide(idValue))
            addFinding(facts, Severity::Warning, line, texts::mapIdTooWide.arg(textOf(idValue.trimmed())));
        return;
    }
    if (kind == ReferenceKind::PathHeader && *id == -1)
        return; // refers to nothing
    facts.references.append(IdReference{*id, nameOf(name.trimmed(), pool, false), line, kind});
}

// A path block's header: `ped, ID, name` or `car, ID, name`.
void addPathHeader(FileFacts& facts, const LineValues& v, qint64 line, NamePool* pool = nullptr)
{
    if (v.count >= 2 && isPathHeaderWord(v.at(0)))
        addReference(facts, ReferenceKind::PathHeader, v.at(1), v.at(2), line, pool);
}

// What a file's bytes as a whole are: empty, or holding a NUL byte; told as
// the file's first finding once all its blocks are read.
class WholeFile {
public:
    void read(QByteArrayView block)
    {
        m_empty = m_empty && block.isEmpty();
        m_binary = m_binary || (!block.isEmpty() && std::memchr(block.data(), 0, size_t(block.size())));
    }
    void append(const WholeFile& later)
    {
        m_empty = m_empty && later.m_empty;
        m_binary = m_binary || later.m_binary;
    }
    void note(FileFacts& facts) const
    {
        if (m_empty)
            facts.findings.prepend(MapFinding{Severity::Warning, {}, 0, texts::mapEmptyFile, -1});
        else if (m_binary)
            facts.findings.prepend(MapFinding{Severity::Warning, {}, 0, texts::mapBinaryFile, -1});
    }

private:
    bool m_empty = true;
    bool m_binary = false;
};

void sortFindingsByLine(FileFacts& facts)
{
    std::stable_sort(facts.findings.begin(), facts.findings.end(),
                     [](const MapFinding& a, const MapFinding& b) { return a.line < b.line; });
}

} // namespace

FileFacts readIdeFacts(const QByteArray& bytes)
{
    return readIdeFacts([&bytes](const BlockSink& take) { take(bytes); });
}

namespace {

// The facts of an IDE file's lines, read a block at a time.
class IdeFactsReader {
public:
    void read(QByteArrayView block)
    {
        m_whole.read(block);
        const qint64 before = m_facts.lineCount;
        m_facts.lineCount += forEachLine(block, [&](QByteArrayView line, qint64 inBlock) {
            const std::optional<IdeSectionWalk::Open> open = m_sections.contentOf(line);
            if (open && !idetext::isBlank(line))
                readLine(line, before + inBlock, *open);
        });
    }
    // The facts of the lines `later` read, which follow these.
    void append(IdeFactsReader&& later)
    {
        const qint64 lines = m_facts.lineCount;
        FileFacts& facts = later.m_facts;
        for (IdDefinition& definition : facts.definitions)
            definition.line += lines;
        for (IdReference& reference : facts.references)
            reference.line += lines;
        for (MapFinding& finding : facts.findings)
            finding.line += lines;
        for (auto& [id, line] : facts.commentedDefinitions)
            line += lines;
        m_facts.definitions.append(std::move(facts.definitions));
        m_facts.references.append(std::move(facts.references));
        m_facts.findings.append(std::move(facts.findings));
        m_facts.commentedIds.append(std::move(facts.commentedIds));
        m_facts.commentedDefinitions.append(std::move(facts.commentedDefinitions));
        m_facts.lineCount += facts.lineCount;
        m_whole.append(later.m_whole);
        m_pool.append(std::move(later.m_pool));
    }
    FileFacts finish()
    {
        FileFacts& facts = m_facts;
        std::sort(facts.commentedIds.begin(), facts.commentedIds.end());
        facts.commentedIds.erase(std::unique(facts.commentedIds.begin(), facts.commentedIds.end()),
                                 facts.commentedIds.end());
        m_whole.note(facts);
        sortFindingsByLine(facts);
        m_pool.finish(facts);
        return std::move(facts);
    }

private:
    void readLine(QByteArrayView line, qint64 number, IdeSectionWalk::Open open)
    {
        if (idetext::isCommented(line)) {
            if (open.kind == IdeSectionWalk::Kind::Defining) {
                if (const std::optional<qint64> id =
                        rowIdOf(line.first(std::max<qsizetype>(line.indexOf(','), 0)))) {
                    m_facts.commentedIds.append(*id);
                    m_facts.commentedDefinitions.append({*id, number});
                }
            }
            return;
        }
        m_values.split(line);
        switch (open.kind) {
        case IdeSectionWalk::Kind::Defining:
            addDefinition(m_facts, open.defining, m_values, number, &m_pool);
            break;
        case IdeSectionWalk::Kind::Effects:
            addReference(m_facts, ReferenceKind::Effect, m_values.at(0), {}, number, &m_pool);
            break;
        case IdeSectionWalk::Kind::Paths: addPathHeader(m_facts, m_values, number, &m_pool); break;
        default: break;
        }
    }

    FileFacts m_facts;
    WholeFile m_whole;
    NamePool m_pool;
    IdeSectionWalk m_sections;
    LineValues m_values;
};

} // namespace

FileFacts readIdeFacts(const ByteBlocks& blocks)
{
    IdeFactsReader reader;
    blocks([&reader](QByteArrayView block) { reader.read(block); });
    return reader.finish();
}

FileFacts readIdeFacts(const ByteBlocks& first, const ByteBlocks& rest)
{
    IdeFactsReader later;
    std::future<void> laterRead =
        std::async(std::launch::async, [&] { rest([&later](QByteArrayView block) { later.read(block); }); });
    IdeFactsReader reader;
    first([&reader](QByteArrayView block) { reader.read(block); });
    laterRead.get();
    reader.append(std::move(later));
    return reader.finish();
}

FileFacts readIplFacts(const QByteArray& bytes)
{
    return readIplFacts([&bytes](const BlockSink& take) { take(bytes); });
}

FileFacts readIplFacts(const ByteBlocks& blocks)
{
    FileFacts facts;
    WholeFile whole;
    NamePool pool;
    IplSectionWalk sections;
    LineValues values;
    // Each inst line's value count, and the LOD index of those of 11 values;
    // its text is kept where it may be out of range, for the block it lies in
    // is gone when it is checked.
    struct Lod {
        qsizetype placement;
        std::optional<qint64> value;
        QByteArray text;
    };
    std::vector<quint8> counts;
    std::vector<Lod> lods;
    std::array<qint64, 256> countFrequency{};
    bool first = true;
    blocks([&](QByteArrayView block) {
        // A block ends at an LF, so a first one shorter than the mark is the whole file's start.
        facts.binary = facts.binary || (first && block.startsWith("bnry"));
        first = false;
        if (facts.binary)
            return;
        whole.read(block);
        const qint64 before = facts.lineCount;
        facts.lineCount += forEachLine(block, [&](QByteArrayView line, qint64 inBlock) {
            if (!sections.isInstContent(line) || idetext::isBlank(line) || idetext::isCommented(line))
                return;
            values.split(line);
            ++facts.instCount;
            const quint8 count = quint8(std::min<qsizetype>(values.count, 255));
            ++countFrequency[count];
            const qsizetype known = facts.references.size();
            addReference(facts, ReferenceKind::Placement, values.at(0), values.at(1), before + inBlock, &pool);
            if (facts.references.size() > known) {
                counts.push_back(count);
                if (values.count == 11) { // checked once the file's own count is known to be 11
                    const QByteArrayView lod = values.at(10);
                    const std::optional<qint64> value = idNumberOf(lod);
                    const bool inRange = value && *value >= -1 && *value < facts.instCount;
                    lods.push_back(Lod{known, value, inRange ? QByteArray() : lod.trimmed().toByteArray()});
                }
            }
        });
    });
    if (facts.binary) {
        facts = FileFacts{};
        facts.binary = true;
        addFinding(facts, Severity::Warning, 0, texts::mapBinaryPlacements);
        return facts;
    }
    for (int count = 1; count < int(countFrequency.size()); ++count) {
        if (countFrequency[size_t(count)] > countFrequency[size_t(facts.instValueCount)])
            facts.instValueCount = count;
    }
    for (size_t i = 0; i < counts.size(); ++i) {
        if (counts[i] != facts.instValueCount) {
            const IdReference& placement = facts.references[qsizetype(i)];
            addFinding(facts, Severity::Warning, placement.line,
                       texts::mapInstValueCount.arg(placement.id).arg(counts[i]).arg(facts.instValueCount));
        }
    }
    if (facts.instValueCount != 11)
        lods.clear(); // an 11-value line among longer ones lacks a comma: its last value is no LOD index
    for (const Lod& lod : lods) {
        if (!lod.value || *lod.value < -1 || *lod.value >= facts.instCount) {
            const IdReference& placement = facts.references[lod.placement];
            addFinding(facts, Severity::Error, placement.line,
                       texts::mapLodOutOfRange.arg(placement.id).arg(textOf(lod.text)).arg(facts.instCount));
        }
    }
    whole.note(facts);
    sortFindingsByLine(facts);
    pool.finish(facts);
    return facts;
}

FileFacts ideFactsOfDocument(const IdeDocument& document, const FileFacts& asRead)
{
    FileFacts facts;
    facts.lineCount = asRead.lineCount;
    facts.namePool = asRead.namePool; // the names of the sections taken as read point into it
    const RowIdSource& rowIds = document.rowIds();
    LineValues values;
    auto readRow = [&](const RowStore& rows, qsizetype row) {
        values.count = rows.valueCount(row);
        for (qsizetype i = 0; i < std::min<qsizetype>(values.count, LineValues::kept); ++i)
            values.values[size_t(i)] = rows.value(row, i);
        return qint64(rowIds.fileLine(rows.id(row)));
    };
    for (const auto& [kind, section] :
         {std::pair{LineKind::Object, IdSection::Objs}, std::pair{LineKind::TimedObject, IdSection::Tobj}}) {
        const RowStore& rows = document.table(kind).rows();
        for (qsizetype row = 0; row < rows.size(); ++row) {
            if (rows.isCommented(row)) {
                if (const std::optional<qint64> id = rowIdOf(rows.firstValue(row))) {
                    facts.commentedIds.append(*id);
                    facts.commentedDefinitions.append({*id, qint64(rowIds.fileLine(rows.id(row)))});
                }
                continue;
            }
            const qint64 line = readRow(rows, row);
            addDefinition(facts, section, values, line);
        }
    }
    // The sections the document does not hold, as read.
    for (const IdDefinition& definition : asRead.definitions) {
        if (definition.section != IdSection::Objs && definition.section != IdSection::Tobj)
            facts.definitions.append(definition);
    }
    for (const LineKind kind : {LineKind::Light, LineKind::Sun, LineKind::Particle, LineKind::PedArea}) {
        const RowStore& rows = document.table(kind).rows();
        for (qsizetype row = 0; row < rows.size(); ++row) {
            if (!rows.isCommented(row))
                addReference(facts, ReferenceKind::Effect, rows.firstValue(row), {},
                             qint64(rowIds.fileLine(rows.id(row))));
        }
    }
    // Path headers: the lines of the file where they read as they did, else 0.
    QList<IdReference> readHeaders;
    for (const IdReference& reference : asRead.references) {
        if (reference.kind == ReferenceKind::PathHeader)
            readHeaders.append(reference);
    }
    const qsizetype firstHeader = facts.references.size();
    forEachLine(document.pathText(), [&](QByteArrayView line, qint64) {
        if (!idetext::isCommented(line)) {
            values.split(line);
            addPathHeader(facts, values, 0);
        }
    });
    for (qsizetype i = firstHeader, k = 0; i < facts.references.size(); ++i, ++k) {
        IdReference& header = facts.references[i];
        if (k < readHeaders.size() && readHeaders[k].id == header.id && readHeaders[k].name == header.name)
            header.line = readHeaders[k].line;
    }
    // The findings of lines the document does not hold, as read.
    QSet<qint64> otherLines;
    for (const IdDefinition& definition : asRead.definitions) {
        if (definition.section != IdSection::Objs && definition.section != IdSection::Tobj)
            otherLines.insert(definition.line);
    }
    for (const MapFinding& finding : asRead.findings) {
        if (finding.line == 0 || otherLines.contains(finding.line))
            facts.findings.append(finding);
    }
    auto byLine = [](qint64 a, qint64 b) { return (a == 0 ? LLONG_MAX : a) < (b == 0 ? LLONG_MAX : b); };
    std::stable_sort(facts.definitions.begin(), facts.definitions.end(),
                     [&](const IdDefinition& a, const IdDefinition& b) { return byLine(a.line, b.line); });
    std::stable_sort(facts.references.begin(), facts.references.end(),
                     [&](const IdReference& a, const IdReference& b) { return byLine(a.line, b.line); });
    std::stable_sort(facts.findings.begin(), facts.findings.end(),
                     [&](const MapFinding& a, const MapFinding& b) { return byLine(a.line, b.line); });
    std::sort(facts.commentedIds.begin(), facts.commentedIds.end());
    facts.commentedIds.erase(std::unique(facts.commentedIds.begin(), facts.commentedIds.end()),
                             facts.commentedIds.end());
    return facts;
}

} // namespace tarnel
