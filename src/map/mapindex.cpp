#include "map/mapindex.h"

#include <algorithm>
#include <bit>
#include <future>
#include <iterator>
#include <numeric>
#include <thread>
#include <tuple>
#include <utility>

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

void MapIndex::makeNames() const
{
    // Grouped by a counting sort on the top bits of the hash, which spreads
    // names evenly: a few in a bucket. A big map's names are hashed, counted
    // and placed by two threads, a half each, the first half before the
    // second in each bucket so that a bucket stays in load order.
    size_t count = 0;
    for (qint32 file = 0; file < m_facts.size(); ++file)
        count += m_changed[size_t(file)] ? 0 : size_t(m_facts[file].definitions.size());
    // Calls f(n, place) for the nth to the (to - 1)th definition kept, in load order.
    auto forEachIn = [this](size_t from, size_t to, auto&& f) {
        size_t first = 0; // the number of the file's first definition
        for (qint32 file = 0; file < m_facts.size() && first < to; ++file) {
            if (m_changed[size_t(file)])
                continue;
            const size_t definitions = size_t(m_facts[file].definitions.size());
            for (size_t at = std::max(first, from); at < std::min(first + definitions, to); ++at)
                f(at, MapPlace{file, qint32(at - first)});
            first += definitions;
        }
    };
    const int bits = std::max(1, int(std::bit_width(count / 4)));
    m_names.shift = 64 - bits;
    const size_t buckets = size_t(1) << bits;
    const auto keys = std::make_unique_for_overwrite<qint64[]>(count); // first written by the halves
    m_names.entries.resize(count);
    constexpr size_t splitNames = 100'000;
    const size_t halves = count >= splitNames && std::thread::hardware_concurrency() > 1 ? 2 : 1;
    std::vector<std::vector<quint32>> counts(halves, std::vector<quint32>(buckets, 0));
    auto halfOf = [&](size_t half) { return std::pair{count * half / halves, count * (half + 1) / halves}; };
    auto inHalves = [halves](const auto& work) {
        std::future<void> second;
        if (halves > 1)
            second = std::async(std::launch::async, work, 1);
        work(0);
        if (second.valid())
            second.get();
    };
    inHalves([&](size_t half) {
        const auto [from, to] = halfOf(half);
        forEachIn(from, to, [&](size_t at, MapPlace place) {
            keys[at] = nameKey(definition(place).name);
            ++counts[half][bucketOf(keys[at])];
        });
    });
    // Each half's counts become where its next entry of each bucket goes.
    m_names.start.assign(buckets + 1, 0);
    for (size_t bucket = 0; bucket < buckets; ++bucket) {
        quint32 next = m_names.start[bucket];
        for (size_t half = 0; half < halves; ++half)
            next += std::exchange(counts[half][bucket], next);
        m_names.start[bucket + 1] = next;
    }
    inHalves([&](size_t half) {
        std::vector<quint32>& next = counts[half];
        const auto [from, to] = halfOf(half);
        forEachIn(from, to, [&](size_t at, MapPlace place) {
            m_names.entries[next[bucketOf(keys[at])]++] = {keys[at], place};
        });
    });
}

std::optional<MapPlace> MapIndex::definitionNamed(QByteArrayView name) const
{
    // Once, though two threads may ask at the same time (tarnel-cli check's halves of a big file).
    std::call_once(m_namesMade, [this] { makeNames(); });
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
