#include "map/mapindex.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <numeric>
#include <tuple>

namespace tarnel {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

qint64 nameKey(QByteArrayView name)
{
    quint64 hash = 1469598103934665603ULL; // FNV-1a over the lower-case bytes
    for (const char c : name)
        hash = (hash ^ quint8(lower(c))) * 1099511628211ULL;
    return qint64(hash);
}

qint32 definitionCount(const FileFacts& facts)
{
    return qint32(facts.definitions.size());
}

// The IDs of the definitions found in one list and not the other.
QSet<qint64> changedDefinitionIds(const QList<IdDefinition>& before, const QList<IdDefinition>& after)
{
    using Key = std::tuple<qint64, qint64, IdSection, QByteArrayView>;
    auto keys = [](const QList<IdDefinition>& definitions) {
        std::vector<Key> sorted;
        sorted.reserve(size_t(definitions.size()));
        for (const IdDefinition& definition : definitions)
            sorted.emplace_back(definition.id, definition.line, definition.section,
                                QByteArrayView(definition.name));
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    };
    const std::vector<Key> old = keys(before);
    const std::vector<Key> now = keys(after);
    std::vector<Key> differing;
    std::set_symmetric_difference(old.begin(), old.end(), now.begin(), now.end(), std::back_inserter(differing));
    QSet<qint64> ids;
    for (const Key& key : differing)
        ids.insert(std::get<0>(key));
    return ids;
}

} // namespace

bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    if (a == b) // nearly always: a name written as its definition writes it
        return true;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

MapIndex::MapIndex(QList<FileFacts> facts) : m_facts(std::move(facts)), m_changed(size_t(m_facts.size()), false)
{
    m_definitions.build(m_facts, m_changed, definitionCount,
                        [](const FileFacts& of, qint32 i) { return of.definitions[i].id; });
    m_firstDefinitions.resize(size_t(m_definitions.slotCount()));
    for (qint64 slot = 0; slot < m_definitions.slotCount(); ++slot) {
        const std::span<const MapPlace> places = m_definitions.placesIn(slot);
        if (places.empty())
            continue;
        const IdDefinition& first = definition(places.front());
        m_firstDefinitions[size_t(slot)] =
            FirstPlace{places.front(), places.size() > 1, first.line, first.section};
    }
}

QSet<qint64> MapIndex::replace(qint32 file, FileFacts facts)
{
    const QSet<qint64> changedIds = changedDefinitionIds(m_facts[file].definitions, facts.definitions);
    if (m_changed[size_t(file)]) {
        const QList<IdDefinition>& old = m_facts[file].definitions;
        for (const IdDefinition& definition : old) {
            const auto found = m_changedDefinitions.find(definition.id);
            if (found == m_changedDefinitions.end())
                continue;
            std::erase_if(*found, [file](MapPlace place) { return place.file == file; });
            if (found->empty())
                m_changedDefinitions.erase(found);
        }
    } else {
        m_changed[size_t(file)] = true;
        m_changedFiles.insert(std::lower_bound(m_changedFiles.begin(), m_changedFiles.end(), file), file);
    }
    m_facts[file] = std::move(facts);
    const QList<IdDefinition>& now = m_facts[file].definitions;
    for (qint32 i = 0; i < now.size(); ++i) {
        std::vector<MapPlace>& places = m_changedDefinitions[now[i].id];
        const MapPlace place{file, i};
        places.insert(std::upper_bound(places.begin(), places.end(), place), place);
    }
    return changedIds;
}

QVarLengthArray<MapPlace, 4> MapIndex::definitionsOf(qint64 id) const
{
    QVarLengthArray<MapPlace, 4> places;
    m_definitions.forEach(id, [&](MapPlace place) {
        if (!m_changed[size_t(place.file)])
            places.append(place);
    });
    if (!m_changedDefinitions.isEmpty()) {
        const auto found = m_changedDefinitions.constFind(id);
        if (found != m_changedDefinitions.cend()) {
            places.append(found->data(), qsizetype(found->size()));
            std::sort(places.begin(), places.end());
        }
    }
    return places;
}

MapIndex::FirstPlace MapIndex::firstDefinitionOf(qint64 id) const
{
    if (m_changedFiles.isEmpty()) {
        const qint64 slot = m_definitions.slotOf(id);
        return slot < 0 ? FirstPlace{} : m_firstDefinitions[size_t(slot)];
    }
    FirstPlace found;
    auto consider = [&found](MapPlace place) {
        found.several = found.several || found.first.has_value();
        if (!found.first || place < *found.first)
            found.first = place;
    };
    // In load order: the first one kept is the first, a second one is enough.
    for (const MapPlace place : m_definitions.placesOf(id)) {
        if (m_changed[size_t(place.file)])
            continue;
        consider(place);
        if (found.several)
            break;
    }
    if (!m_changedDefinitions.isEmpty()) {
        const auto changed = m_changedDefinitions.constFind(id);
        if (changed != m_changedDefinitions.cend()) {
            for (const MapPlace place : *changed)
                consider(place);
        }
    }
    if (found.first) {
        const IdDefinition& first = definition(*found.first);
        found.line = first.line;
        found.section = first.section;
    }
    return found;
}

QList<MapPlace> MapIndex::referencesOf(qint64 id) const
{
    if (!m_references) {
        m_references = std::make_unique<PlaceIndex>();
        m_references->build(
            m_facts, m_changed, [](const FileFacts& of) { return qint32(of.references.size()); },
            [](const FileFacts& of, qint32 i) { return of.references[i].id; });
    }
    QList<MapPlace> places;
    m_references->forEach(id, [&](MapPlace place) {
        if (!m_changed[size_t(place.file)])
            places.append(place);
    });
    for (const qint32 file : m_changedFiles) {
        const QList<IdReference>& references = m_facts[file].references;
        for (qint32 i = 0; i < references.size(); ++i) {
            if (references[i].id == id)
                places.append(MapPlace{file, i});
        }
    }
    std::sort(places.begin(), places.end());
    return places;
}

std::optional<MapPlace> MapIndex::definitionNamed(QByteArrayView name) const
{
    // Once, though two threads may ask at the same time (tarnel-cli check's halves of a big file).
    std::call_once(m_namesMade, [this] {
        // Grouped by a counting sort on the top bits of the hash, which spreads
        // names evenly: a few in a bucket.
        std::vector<std::pair<qint64, MapPlace>> names;
        size_t count = 0;
        for (const FileFacts& facts : m_facts)
            count += size_t(facts.definitions.size());
        names.reserve(count);
        for (qint32 file = 0; file < m_facts.size(); ++file) {
            if (m_changed[size_t(file)])
                continue;
            const QList<IdDefinition>& definitions = m_facts[file].definitions;
            for (qint32 i = 0; i < definitions.size(); ++i)
                names.emplace_back(nameKey(definitions[i].name), MapPlace{file, i});
        }
        const int bits = std::max(1, int(std::bit_width(names.size() / 4)));
        m_names.shift = 64 - bits;
        m_names.start.assign((size_t(1) << bits) + 1, 0);
        for (const auto& [key, place] : names)
            ++m_names.start[bucketOf(key) + 1];
        std::partial_sum(m_names.start.begin(), m_names.start.end(), m_names.start.begin());
        std::vector<quint32> next(m_names.start.begin(), m_names.start.end() - 1);
        m_names.entries.resize(names.size());
        for (const auto& entry : names)
            m_names.entries[next[bucketOf(entry.first)]++] = entry;
    });
    std::optional<MapPlace> first;
    auto consider = [&](MapPlace place) {
        if ((!first || place < *first) && sameName(definition(place).name, name))
            first = place;
    };
    const qint64 key = nameKey(name);
    const size_t bucket = bucketOf(key);
    for (quint32 at = m_names.start[bucket]; at < m_names.start[bucket + 1]; ++at) {
        const auto& [entryKey, place] = m_names.entries[at];
        if (entryKey == key && !m_changed[size_t(place.file)])
            consider(place);
    }
    for (const qint32 file : m_changedFiles) {
        for (qint32 i = 0; i < m_facts[file].definitions.size(); ++i)
            consider(MapPlace{file, i});
    }
    return first;
}

} // namespace tarnel
