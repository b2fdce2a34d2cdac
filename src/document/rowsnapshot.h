#pragma once

#include "document/rowid.h"
#include "document/rowstore.h"

#include <QByteArray>
#include <QList>

#include <vector>

namespace tarnel {

// Ascending row positions, packed: each run of equal steps between them is
// two numbers of a few bytes (all rows of a table are one run, every second
// row too), a scattered position about three.
class RowPositions {
public:
    void append(qsizetype position);
    qsizetype size() const { return m_size; }
    std::vector<qsizetype> unpacked() const;
    qsizetype bytesHeld() const { return m_runs.capacity(); }
    void squeeze() { m_runs.squeeze(); }

    // Reads the positions in order, one at a time, without unpacking them all.
    class Reader {
    public:
        explicit Reader(const RowPositions& positions);
        // The next position: size() calls in all.
        qsizetype next();

    private:
        const RowPositions& m_positions;
        const char* m_at;
        const char* m_end;
        qsizetype m_position = -1;
        qsizetype m_step = 0;
        qsizetype m_left = 0; // positions left in the run being read
    };

private:
    void closeRun();

    QByteArray m_runs; // (step, count) pairs, each number in 7-bit groups
    qsizetype m_size = 0;
    qsizetype m_last = -1;
    qsizetype m_step = 0;  // of the open run
    qsizetype m_count = 0; // positions in the open run
};

// Some rows of a table as they stood at one moment: their positions
// (ascending) and, in the same order, their values and identities. Two
// snapshots of the same rows before and after a change are all an undo needs.
struct RowSnapshot {
    RowPositions positions;
    RowStore rows;

    qsizetype size() const { return rows.size(); }
    qsizetype bytesHeld() const { return positions.bytesHeld() + rows.bytesHeld(); }
};

// The rows at `positions` (ascending, distinct, all in the table).
RowSnapshot snapshotRows(const RowStore& rows, const QList<qsizetype>& positions);
// The rows whose identity is in `ids` (all below `firstNew`, in any order) or
// at least `firstNew`: in one pass, wherever a change has put them.
RowSnapshot snapshotRowsWithIds(const RowStore& rows, const std::vector<RowId>& ids, RowId firstNew);
// Leaves out of both snapshots of one change (`firstNew` as above) the rows it
// left as they were: same values and, among the rows in neither snapshot, the
// same place. Applying what is left gives the same tables either way round.
void dropUnchangedRows(RowSnapshot& before, RowSnapshot& after, RowId firstNew);

} // namespace tarnel
