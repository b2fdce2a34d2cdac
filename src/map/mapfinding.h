#pragma once

#include <QList>
#include <QString>

namespace tarnel {

enum class Severity { Error, Warning };

// One thing the checks found at a file and line of the map.
struct MapFinding {
    Severity severity = Severity::Warning;
    // As it is shown: as given, or for a listed file relative to the game
    // folder when that is the current folder, else absolute.
    QString path;
    qint64 line = 0;  // 1-based; 0 = the file as a whole
    QString message;  // names the ID where there is one
    qint32 file = -1; // index into MapSources::files, -1 for a level list
};

// "PATH:LINE: error: MESSAGE", as compilers write it (no line part for line 0).
QString compilerStyle(const MapFinding& finding);

// The "PATH:LINE: SEVERITY: " that starts such a line, handed to `put` a piece
// at a time: the path and severity as given, the line as a qint64, the rest as
// chars. compilerStyle writes it as text, tarnel-cli check as bytes in place.
template <typename Text, typename Put>
void putPlace(const Text& path, qint64 line, const Text& severity, Put&& put)
{
    put(path);
    if (line > 0) {
        put(':');
        put(line);
    }
    put(':');
    put(' ');
    put(severity);
    put(':');
    put(' ');
}

} // namespace tarnel
