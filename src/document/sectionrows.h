#pragma once

#include "document/linekind.h"

#include <QByteArrayView>

#include <optional>

namespace tarnel {

// Which line of a section is a complete row of it: the one rule the loader
// applies to commented lines and the paste dialog to every line it is given.

// The sections whose lines become rows; a 2dfx line's kind is told by its count.
enum class RowSection { Objects, TimedObjects, Effects };

// Most draw distances an object line carries (one per mesh).
inline constexpr int maxDrawDistances = 3;

// An object or timed object line the loader takes as a row: the usual
// layout's count or more, or exactly the later layout's count in a table read
// in it. A commented line is a row by the same rule as the line it switched off.
bool isLoadedObjectRow(LineKind kind, qsizetype valueCount, bool laterLayoutTable);

// A complete object or timed object row as a pasted line is read: as loaded,
// but with one to three draw distances, so that the longer lines of other
// kinds are not taken for objects.
bool isCompleteObjectRow(LineKind kind, qsizetype valueCount, bool laterLayoutTable);

// The 2dfx kind of a line of `pieces` comma-separated pieces. Empty pieces at
// the end (a trailing comma) do not decide the kind while the count without
// them fits one; else they are values like any other.
std::optional<LineKind> effectKindOf(QByteArrayView line, qsizetype pieces);

// A line read as a row: its kind, its value count (every piece, so it is
// written back as it was) and whether it is commented out.
struct SectionRow {
    LineKind kind;
    qsizetype valueCount;
    bool commented;
};

// The row `line` makes in `section` of a table in the later layout (or not),
// or none when it is no complete row there; a `#` line is a commented row
// when, "#" and all, it is one.
std::optional<SectionRow> sectionRowOf(QByteArrayView line, RowSection section, bool laterLayoutTable);

} // namespace tarnel
