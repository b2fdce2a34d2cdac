#pragma once

#include "document/linekind.h"

#include <QByteArray>
#include <QList>

namespace tarnel {

class RowStore;

// Which of a row's values each column of its table shows.
//
// 2dfx rows: one value a column. Object and timed object lines come in two
// layouts. The usual one is
//     ID, model, texture, mesh count, draw distance per mesh, flags [, time on, time off]
// so a line with two or three meshes has more values than the table has
// columns: "Draw Dis" then shows every draw distance, and the columns after
// it take the line's last values. The later layout has no mesh count:
//     ID, model, texture, draw distance, flags [, time on, time off]
// A table reads its rows of exactly that many values (5 for objects, 7 for
// timed objects) in the later layout when no active row of it is long enough
// for the usual one (see laterLayoutOf).

// Whether rows with these value counts follow the later layout. The active
// (uncommented) rows decide: none has the usual count or more and some has
// exactly the later count; a commented column-title line cannot switch it.
// A table with no active row, say one whose rows were all commented out,
// follows its commented rows: later when more of them have the later count
// than the usual count or more.
bool laterLayoutOf(LineKind kind, const RowStore& rows);

// Whether a row of `valueCount` values in a table read in the later layout
// (or not) is a later-layout row.
bool isLaterLayoutRow(LineKind kind, qsizetype valueCount, bool laterLayoutTable);

// The values [first, first + count) that a column shows; count 0 is an empty cell.
struct CellSpan {
    qsizetype first = 0;
    qsizetype count = 0;
};

// The values column `column` shows for a row of `valueCount` values.
CellSpan cellSpan(LineKind kind, qsizetype valueCount, bool laterLayoutRow, int column);

// The column's text: its values joined with ", ".
QByteArray cellText(const RowStore& rows, qsizetype row, LineKind kind, bool laterLayoutTable, int column);

// Every column's text of a row, `separator` between them, appended to `out`:
// what cellText gives column by column, in one walk of the row.
void appendRowCells(const RowStore& rows, qsizetype row, LineKind kind, bool laterLayoutTable, char separator,
                    QByteArray& out);

// The column of the draw distances, which may show several values.
inline constexpr int drawDistanceColumn = 4;
// The column of the mesh count, empty in the later layout.
inline constexpr int meshCountColumn = 3;

// A row's values from its cells, one text a column: the reverse of cellSpan.
// The draw distance cell is split at its commas (each piece trimmed of
// spaces); a later-layout row leaves out the mesh count cell.
QList<QByteArray> valuesFromCells(LineKind kind, const QList<QByteArray>& cells, bool laterLayoutRow);

} // namespace tarnel
