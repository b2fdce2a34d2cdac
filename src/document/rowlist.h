#pragma once

#include <QList>

namespace tarnel {

// Row numbers ascending, each once: how the commands and the edit history
// take a selection.
QList<qsizetype> sortedDistinct(QList<qsizetype> rows);
// The same, keeping only rows of a table of `rowCount` rows.
QList<qsizetype> sortedDistinctIn(QList<qsizetype> rows, qsizetype rowCount);

} // namespace tarnel
