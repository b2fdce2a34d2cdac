#pragma once

#include "history/outsideids.h"

namespace tarnel {

class OpenMap;

// The open map's other files as the shown document's outside IDs: an object
// ID another file defines (or a section of this one the tables do not show)
// is marked, and its tooltip names those definitions and the first few `inst`
// lines placing it. Read from the map's facts on each question.
class MapIdNotes : public OutsideIds {
public:
    explicit MapIdNotes(const OpenMap& map) : m_map(map) {}

    // How many places a tooltip names before "…".
    static constexpr qsizetype placesNamed = 5;

    bool definesElsewhere(qint64 id) const override;
    QStringList notesOn(qint64 id) const override;

private:
    const OpenMap& m_map;
};

} // namespace tarnel
