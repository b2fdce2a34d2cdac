#include "map/idlinechanges.h"

#include "map/gamemap.h"

namespace tarnel {

QList<LineChange> idChangesInFile(const QByteArray&, MapFileKind, const IdMapping&)
{
    return {};
}

QByteArray withLineChanges(const QByteArray& bytes, const QList<LineChange>&)
{
    return bytes;
}

QList<FileIdChanges> idChangesInMap(const GameMap&, const IdMapping&)
{
    return {};
}

} // namespace tarnel
