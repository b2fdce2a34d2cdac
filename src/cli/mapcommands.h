#pragma once

#include <QStringList>

namespace tarnel::cli {

// The commands on a whole map: level lists, folders and IDE and IPL files
// together, read into one ID space. Each takes the arguments after its name
// and returns the exit status.

// Prints every finding, one a line as compilers do, then their count on standard error.
int checkMap(QStringList args);
// Prints the first runs of IDs no defining line of the map uses, below its ID limit.
int freeIdsOfMap(QStringList args);
// Prints each file of the map: kind, path, lines and what it defines or places.
int listMap(QStringList args);

} // namespace tarnel::cli
