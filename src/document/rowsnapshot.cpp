#include "document/rowsnapshot.h"

#include <algorithm>

RowSnapshot snapshotRows(const RowStore& rows, const QList<qsizetype>& positions)
{
    RowSnapshot snapshot;
    snapshot.positions = positions;
    snapshot.rows.reserve(positions.size());
    for (qsizetype row : positions)
        snapshot.rows.append(rows.values(row), rows.id(row));
    return snapshot;
}

RowSnapshot snapshotRowsWithIds(const RowStore& rows, const std::vector<RowId>& ids, RowId firstNew)
{
    RowSnapshot snapshot;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const RowId id = rows.id(row);
        if (id >= firstNew || std::binary_search(ids.cbegin(), ids.cend(), id)) {
            snapshot.positions.append(row);
            snapshot.rows.append(rows.values(row), id);
        }
    }
    return snapshot;
}
