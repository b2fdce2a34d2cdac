#include "map/gamemap.h"

namespace tarnel {

class MapIndex {};

GameMap::GameMap() = default;
GameMap::GameMap(GameMap&&) noexcept = default;
GameMap& GameMap::operator=(GameMap&&) noexcept = default;
GameMap::~GameMap() = default;

GameMap GameMap::read(MapSources sources)
{
    GameMap map;
    map.m_sources = std::move(sources);
    map.m_facts.resize(map.m_sources.files.size());
    return map;
}

GameMap GameMap::fromFacts(MapSources sources, QList<FileFacts> facts)
{
    GameMap map;
    map.m_sources = std::move(sources);
    map.m_facts = std::move(facts);
    return map;
}

void GameMap::replaceFacts(qsizetype file, FileFacts facts)
{
    m_facts[file] = std::move(facts);
}

std::optional<qint64> GameMap::idLimit() const
{
    return m_setLimit.value_or(std::nullopt);
}

void GameMap::setIdLimit(std::optional<std::optional<qint64>> limit)
{
    m_setLimit = limit;
}

QList<MapFinding> GameMap::findings() const
{
    return m_sources.findings;
}

QList<std::pair<qsizetype, IdDefinition>> GameMap::definitionsOf(qint64) const
{
    return {};
}

QList<std::pair<qsizetype, IdReference>> GameMap::referencesOf(qint64) const
{
    return {};
}

QList<qint64> GameMap::usedIds() const
{
    return {};
}

QList<qint64> GameMap::commentedIds() const
{
    return {};
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
