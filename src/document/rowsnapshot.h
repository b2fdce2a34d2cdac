#pragma once

#include "document/loadreport.h"
#include "document/rowstore.h"

#include <QList>

#include <vector>

// Some rows of a table as they stood at one moment: their positions
// (ascending) and, in the same order, their values and identities. Two
// snapshots of the same rows before and after a change are all an undo needs.
struct RowSnapshot {
    QList<qsizetype> positions;
    RowStore rows;

    qsizetype size() const { return positions.size(); }
};

// The rows at `positions` (ascending, distinct, all in the table).
RowSnapshot snapshotRows(const RowStore& rows, const QList<qsizetype>& positions);
// The rows whose identity is in `ids` (ascending) or at least `firstNew`: in
// one pass, wherever a change has put them.
RowSnapshot snapshotRowsWithIds(const RowStore& rows, const std::vector<RowId>& ids, RowId firstNew);
