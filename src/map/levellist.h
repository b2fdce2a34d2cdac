#pragma once

#include "map/mapsources.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace tarnel {

// A line of a level list naming a file of the map.
struct ListedFile {
    MapFileKind kind = MapFileKind::Ide;
    QString path; // as the list writes it
    qint64 line = 0;
};

// The `IDE` and `IPL` lines of a level list (keyword in any case, then a
// path), in load order. The other keywords (`IMG`, `COLFILE n`, `SPLASH`, ...)
// name nothing the map reads; `#` lines are comments.
QList<ListedFile> readLevelList(QByteArrayView bytes);

} // namespace tarnel
