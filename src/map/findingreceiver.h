#pragma once

#include "map/mapfinding.h"

namespace tarnel {

class FindingMessages;

// What GameMap::forEachFindingIn hands out. The findings a big map has by the
// hundred thousand come as their parts (their messages are those of
// FindingMessages), so that a receiver writing them all need not make a text
// of each; the others come whole.
class FindingReceiver {
public:
    virtual ~FindingReceiver() = default;

    // The texts of the messages it is handed the parts of, which the walk fills in for the rest.
    virtual const FindingMessages& messages() const = 0;

    virtual void take(const MapFinding& finding) = 0;
    // An ID defined at `line` of `file` (an index into MapSources::files) and
    // before, first at `firstLine` of `firstFile`.
    virtual void definedAgain(Severity severity, qint32 file, qint64 line, qint64 id, qint32 firstFile,
                              qint64 firstLine) = 0;
    // A warning: an ID at or above the ID limit, defined at `line` of `file`.
    virtual void atLimit(qint32 file, qint64 line, qint64 id) = 0;
};

} // namespace tarnel
