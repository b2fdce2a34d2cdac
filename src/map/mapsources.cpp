#include "map/mapsources.h"

namespace tarnel {

MapSources collectMapSources(const QStringList& operands, const QString& gameFolder)
{
    Q_UNUSED(operands);
    MapSources sources;
    sources.gameFolder = gameFolder;
    return sources;
}

} // namespace tarnel
