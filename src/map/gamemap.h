#pragma once

#include "map/filefacts.h"
#include "map/findingreceiver.h"
#include "map/mapsources.h"

#include <QList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace tarnel {

class MapIndex;

// The map: the facts of every file, one ID space, the checks.
class GameMap {
public:
    GameMap();
    GameMap(GameMap&&) noexcept;
    GameMap& operator=(GameMap&&) noexcept;
    ~GameMap();

    // Reads every file of `sources` (two threads).
    static GameMap read(MapSources sources);
    // A map of facts already read, one per file of `sources` (tests, the window).
    static GameMap fromFacts(MapSources sources, QList<FileFacts> facts);

    const MapSources& sources() const { return m_sources; }
    const FileFacts& facts(qsizetype file) const;
    // One file changed (the window, after each edit or undo): costs what that
    // file holds. Returns the files whose findings may have changed
    // (findingsIn), ascending: that file and those defining or referring to
    // an ID whose definitions it changed; every file when the ID limit changed.
    QList<qsizetype> replaceFacts(qsizetype file, FileFacts facts);

    // Set, or derived from the inst lines: 11 values -> 20000, 13 -> 6500,
    // 12 -> 5500, none -> no limit.
    std::optional<qint64> idLimit() const;
    // nullopt: derive it; an empty optional<qint64>: no limit.
    void setIdLimit(std::optional<std::optional<qint64>> limit);

    // Every finding, in load order then line order (level lists first).
    QList<MapFinding> findings() const;
    // The same, one at a time, for a map of many findings (no list of them all is made).
    void forEachFinding(const std::function<void(const MapFinding&)>& take) const;
    // Those of one file (-1: of the level lists and folders), in line order.
    QList<MapFinding> findingsIn(qsizetype file) const;
    // Those of one file on the lines [fromLine, toLine), one at a time: two
    // threads may each take a part of a big file.
    void forEachFindingIn(qsizetype file, qint64 fromLine, qint64 toLine,
                          const std::function<void(const MapFinding&)>& take) const;
    // The same, the frequent ones as their parts.
    void forEachFindingIn(qsizetype file, qint64 fromLine, qint64 toLine, FindingReceiver& receiver) const;
    // Where an ID is defined, and where it is referred to, in load order.
    QList<std::pair<qsizetype, IdDefinition>> definitionsOf(qint64 id) const;
    QList<std::pair<qsizetype, IdReference>> referencesOf(qint64 id) const;
    // Every defined ID, ascending, each once (commented lines not counted).
    // Reads every file's facts: for the Free IDs, not for each edit.
    QList<qint64> usedIds() const;
    // The IDs of commented-out defining lines, ascending, each once.
    QList<qint64> commentedIds() const;

private:
    MapSources m_sources;
    std::optional<std::optional<qint64>> m_setLimit;
    std::unique_ptr<MapIndex> m_index;
};

// The ID limit a map's inst lines imply: 11 values -> 20000, 13 -> 6500,
// 12 -> 5500, anything else -> none.
std::optional<qint64> idLimitForInstValues(int valueCount);

} // namespace tarnel
