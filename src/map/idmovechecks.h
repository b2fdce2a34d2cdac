#pragma once

#include "map/idmapping.h"

#include <QString>

#include <optional>

namespace tarnel {

class GameMap;

// Why the map cannot take this move, as the dialog and tarnel-cli say it; empty when it can:
// the new IDs reach the map's ID limit (none: never); a new ID is defined by a
// line (commented ones too, in any defining section) whose ID does not move;
// an ID to move is defined nowhere in the map (commented lines count).
QString idMoveRefusal(const GameMap& map, const IdMapping& mapping);

// The first ID of the first run of `span` IDs, at or above `from`, that no
// line of the map defines (commented ones too) or places, ending below the ID
// limit; nullopt when there is none. Without `from`: from 1, or from the
// lowest ID the map defines when an IDE file its lists name is missing (a
// mod's list often names a base game's files that are not there, and the low
// IDs they define would look free).
std::optional<qint64> firstFreeRun(const GameMap& map, qint64 span, std::optional<qint64> from = std::nullopt);

} // namespace tarnel
