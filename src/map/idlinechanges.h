#pragma once

#include "map/idmapping.h"
#include "map/mapsources.h"

#include <QByteArray>
#include <QList>

namespace tarnel {

class GameMap;

// One line a move changes: its number (1-based) and its whole text without the line end, before and after.
struct LineChange {
    qint64 line = 0;
    QByteArray before;
    QByteArray after;
    bool operator==(const LineChange&) const = default;
};

// The lines a move changes in one file's bytes, in line order. IDE: the
// definitions of objs and tobj and the 2dfx lines (first value), path block
// headers (`ped, ID, name`: the second value); IPL: inst lines (first value).
// Commented-out lines of those sections change too, behind their comment
// marks. Only the ID's digits change; the rest of the line is kept.
QList<LineChange> idChangesInFile(const QByteArray& bytes, MapFileKind kind, const IdMapping& mapping);

// `bytes` with those lines changed, every other byte (line ends included) as it was.
QByteArray withLineChanges(const QByteArray& bytes, const QList<LineChange>& changes);

// One file of the map a move changes: its index in the map's files, its bytes as read, its changed lines.
struct FileIdChanges {
    qsizetype file = -1;
    QByteArray bytes;
    QList<LineChange> changes;
};

// Every file of the map the move changes, read from disk (two threads), in load order.
QList<FileIdChanges> idChangesInMap(const GameMap& map, const IdMapping& mapping);

} // namespace tarnel
