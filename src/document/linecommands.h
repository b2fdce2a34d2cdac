#pragma once

#include "document/linekind.h"

#include <QList>

namespace tarnel {

class IdeDocument;

// The commands of a table's Actions menu. Each acts on the given rows (in
// table order) as one command and returns whether it changed anything; the
// window runs them as steps of the document's edit history.

// "# " before the first value of every row not commented yet.
qsizetype commentOut(IdeDocument& document, LineKind kind, QList<qsizetype> rows);
// Takes from the first value of commented rows what Comment out put before it:
// leading spaces, the "#" characters and the spaces after them.
qsizetype unComment(IdeDocument& document, LineKind kind, QList<qsizetype> rows);
qsizetype removeRows(IdeDocument& document, LineKind kind, QList<qsizetype> rows);
// Appends a copy of each row, every value included.
qsizetype duplicateRows(IdeDocument& document, LineKind kind, QList<qsizetype> rows);

} // namespace tarnel
