#pragma once

#include "document/linekind.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace tarnel {

class SectionTable;

// The two layouts of object and timed object lines (rowcells.h): with a mesh
// count (6 values for an object of one mesh, 8 for a timed object) or the
// later one without it (5 and 7 values).
enum class ObjectLayout { Counted, Later };

// A line's values in layout `to`, commented lines alike (their marks are in
// the first value, which stays); a line already in `to` comes back as it is.
// None when it cannot go: a line of several draw distances (or a mesh count
// other than 1) to the later layout, a line too short for either layout.
std::optional<QList<QByteArray>> convertedObjectValues(LineKind kind, const QList<QByteArray>& values,
                                                       ObjectLayout to);

// `bytes` with the lines of its objs and tobj sections (commented rows too)
// in layout `to`: only the mesh count and the separator before it are added
// or taken out, every other byte stays. `leftLines` (when given) gets the
// numbers (1-based) of the lines that cannot go, which stay as they are.
QByteArray convertLayoutOfFile(const QByteArray& bytes, ObjectLayout to, QList<qint64>* leftLines);

// The rows of an objects or timed objects table that change going to `to`
// (ascending, values[i] for rows[i]) and those that cannot go (leftRows).
struct TableLayoutChange {
    QList<qsizetype> rows;
    QList<QList<QByteArray>> values;
    QList<qsizetype> leftRows;
};
TableLayoutChange layoutChangeOfTable(const SectionTable& table, ObjectLayout to);

} // namespace tarnel
