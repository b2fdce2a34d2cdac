#pragma once

#include "map/mapfinding.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tarnel {

enum class MapFileKind { Ide, Ipl };

// One file of the map, as a level list, a folder or the command line named it.
struct MapFile {
    MapFileKind kind = MapFileKind::Ide;
    QString path;      // absolute path on disk; empty when not found
    QString shownPath; // as findings and `tarnel-cli map` show it
    QString listedAs;  // the path as the list writes it (empty when found in a folder / given directly)
    QString listFile;  // the list that named it; empty otherwise
    qint64 listLine = 0;
    bool missing() const { return path.isEmpty(); }
};

// Which files make up the map, in load order.
struct MapSources {
    QString gameFolder;   // absolute
    QStringList lists;    // the level lists read, absolute
    QList<MapFile> files; // load order, each file once (same device and inode read once)
    QList<MapFinding>
        findings; // missing files, a list naming itself, `..` leaving the game folder, the folder note, ...
};

// Operands: level lists (.dat, or any file that is neither .ide nor .ipl),
// folders, IDE and IPL files, mixed. `gameFolder` empty: from the first list
// (the parent of its folder when that folder is named `data`, else its own
// folder), else from the first folder or file operand's folder.
MapSources collectMapSources(const QStringList& operands, const QString& gameFolder = {});

} // namespace tarnel
