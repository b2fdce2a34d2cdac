#pragma once

#include "document/linekind.h"

#include <QtGlobal>

#include <optional>

namespace tarnel {

class GameMap;
class IdeDocument;

// A line of an IDE file of the map.
struct MapPlace {
    qsizetype file = -1;
    qint64 line = 0;
};

// Where Go to ID goes when the shown file has no row with `id`: the first
// object or timed object defining it in another file of the map, load order.
std::optional<MapPlace> firstDefinitionElsewhere(const GameMap& map, qint64 id, qsizetype shownFile);
// Where F8 goes past the shown file: the first object or timed object, in the
// files after `shownFile` (load order, round to the ones before it), whose ID
// the map defines more than once.
std::optional<MapPlace> nextDuplicateElsewhere(const GameMap& map, qsizetype shownFile);

// The table row of `document` read from line `line` of its file, if any.
struct TableRow {
    LineKind kind;
    qsizetype position;
};
std::optional<TableRow> rowReadFromLine(const IdeDocument& document, qint64 line);

} // namespace tarnel
