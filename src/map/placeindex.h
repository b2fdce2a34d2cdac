#pragma once

#include "map/filefacts.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <limits>
#include <span>
#include <vector>

namespace tarnel {

// Where a definition or reference lies: a file of the map and its place in
// that file's list.
struct MapPlace {
    qint32 file = 0;
    qint32 index = 0;
    friend bool operator<(MapPlace a, MapPlace b)
    {
        return a.file != b.file ? a.file < b.file : a.index < b.index;
    }
    friend bool operator==(MapPlace a, MapPlace b) { return a.file == b.file && a.index == b.index; }
};

// Per key (an ID), the places of the definitions or references that carry it,
// in load order, made once for the files as they are then: one array of
// places grouped by key (a close range of keys indexed directly, others
// through a hash), so a map of millions of lines costs no allocation a key.
class PlaceIndex {
public:
    // keyAt(facts, index) gives the key of entry `index` of a file, count(facts) how many it has.
    template <typename Count, typename KeyAt>
    void build(const QList<FileFacts>& facts, const std::vector<bool>& skipped, Count count, KeyAt keyAt);

    // The places of `key`, in load order.
    std::span<const MapPlace> placesOf(qint64 key) const
    {
        const qint64 slot = slotOf(key);
        return slot < 0 ? std::span<const MapPlace>() : placesIn(slot);
    }
    // The keys' slots, numbered from 0 (-1: a key no place has), and the places of each.
    qint64 slotOf(qint64 key) const
    {
        if (m_dense)
            return key >= m_first && key - m_first < qint64(m_start.size()) - 1 ? key - m_first : -1;
        const auto found = m_slots.constFind(key);
        return found == m_slots.cend() ? -1 : qint64(*found);
    }
    qint64 slotCount() const { return qint64(m_start.size()) - 1; }
    std::span<const MapPlace> placesIn(qint64 slot) const
    {
        const quint32 first = m_start[size_t(slot)];
        return {m_places.data() + first, size_t(m_start[size_t(slot) + 1] - first)};
    }
    // Calls f(place) for each place of `key`, in load order.
    template <typename F> void forEach(qint64 key, F&& f) const
    {
        for (const MapPlace place : placesOf(key))
            f(place);
    }

private:
    bool m_dense = true;
    qint64 m_first = 0;
    QHash<qint64, quint32> m_slots; // when the keys are spread
    std::vector<quint32> m_start{0};
    std::vector<MapPlace> m_places;
};

template <typename Count, typename KeyAt>
void PlaceIndex::build(const QList<FileFacts>& facts, const std::vector<bool>& skipped, Count count, KeyAt keyAt)
{
    auto forEachEntry = [&](auto&& f) {
        for (qint32 file = 0; file < facts.size(); ++file) {
            if (skipped[size_t(file)])
                continue;
            const qint32 entries = count(facts[file]);
            for (qint32 i = 0; i < entries; ++i)
                f(keyAt(facts[file], i), MapPlace{file, i});
        }
    };
    qint64 entries = 0;
    qint64 low = std::numeric_limits<qint64>::max();
    qint64 high = std::numeric_limits<qint64>::min();
    forEachEntry([&](qint64 key, MapPlace) {
        ++entries;
        low = std::min(low, key);
        high = std::max(high, key);
    });
    m_first = entries ? low : 0;
    // Directly indexed when the range is no wider than a few times the entries.
    m_dense = entries == 0 || (quint64(high) - quint64(low) < quint64(4 * entries + 65536));
    qsizetype slotCount = 0;
    if (m_dense) {
        slotCount = entries ? qsizetype(high - low + 1) : 0;
    } else {
        forEachEntry([&](qint64 key, MapPlace) {
            if (!m_slots.contains(key))
                m_slots.insert(key, quint32(slotCount++));
        });
    }
    auto slot = [this](qint64 key) { return size_t(m_dense ? key - m_first : qint64(m_slots.value(key))); };
    m_start.assign(size_t(slotCount) + 1, 0);
    forEachEntry([&](qint64 key, MapPlace) { ++m_start[slot(key) + 1]; });
    for (size_t i = 1; i < m_start.size(); ++i)
        m_start[i] += m_start[i - 1];
    std::vector<quint32> next(m_start.begin(), m_start.end() - 1); // where each slot's next place goes
    m_places.resize(size_t(entries));
    forEachEntry([&](qint64 key, MapPlace place) { m_places[next[slot(key)]++] = place; });
}

} // namespace tarnel
