#pragma once

#include "document/editkey.h"
#include "document/linekind.h"

#include <QByteArray>
#include <QList>

namespace tarnel {

class IdeDocument;

// The commands of a table's Actions menu. Each acts on the given rows (in
// table order) as one command and returns how many rows it changed; the edit
// history runs them as its steps (EditHistory::commentOut, ...).

// "# " before the first value of every row not commented yet.
qsizetype commentOut(EditKey key, IdeDocument& document, LineKind kind, QList<qsizetype> rows);
// Takes from the first value of commented rows what Comment out put before it:
// leading spaces, the "#" characters and the spaces after them.
qsizetype unComment(EditKey key, IdeDocument& document, LineKind kind, QList<qsizetype> rows);
// Gives each row `rows[i]` the values `values[i]` (rows in any order, those
// outside the table left aside); returns how many rows differed.
qsizetype setRowsValues(EditKey key, IdeDocument& document, LineKind kind, const QList<qsizetype>& rows,
                        const QList<QList<QByteArray>>& values);
qsizetype removeRows(EditKey key, IdeDocument& document, LineKind kind, QList<qsizetype> rows);
// Appends a copy of each row, every value included.
qsizetype duplicateRows(EditKey key, IdeDocument& document, LineKind kind, QList<qsizetype> rows);

} // namespace tarnel
