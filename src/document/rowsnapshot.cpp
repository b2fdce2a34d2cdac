#include "document/rowsnapshot.h"

#include <algorithm>

namespace tarnel {

namespace {

void appendNumber(QByteArray& out, qsizetype n)
{
    while (n >= 0x80) {
        out.append(char(0x80 | (n & 0x7f)));
        n >>= 7;
    }
    out.append(char(n));
}

qsizetype readNumber(const char*& p)
{
    qsizetype n = 0;
    for (int shift = 0;; shift += 7) {
        const uchar byte = uchar(*p++);
        n |= qsizetype(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return n;
    }
}

// The rows at `positions` copied as they are stored, with room for exactly them.
RowSnapshot copyRows(const RowStore& rows, const std::vector<qsizetype>& positions)
{
    RowSnapshot snapshot;
    // Rows in shared bytes are pointed at, the others copied.
    snapshot.rows.appendRowsAt(rows, positions);
    for (qsizetype row : positions)
        snapshot.positions.append(row);
    snapshot.positions.squeeze();
    // Its copied bytes never change: the rows undo and redo bring back point there.
    snapshot.rows.shareOwnBytes();
    return snapshot;
}

} // namespace

void RowPositions::append(qsizetype position)
{
    // The first step counts from -1, so a first position is never a zero step.
    const qsizetype step = position - m_last;
    if (m_count > 0 && step != m_step)
        closeRun();
    m_step = step;
    ++m_count;
    m_last = position;
    ++m_size;
}

void RowPositions::closeRun()
{
    appendNumber(m_runs, m_step);
    appendNumber(m_runs, m_count);
    m_count = 0;
}

std::vector<qsizetype> RowPositions::unpacked() const
{
    std::vector<qsizetype> positions;
    positions.reserve(size_t(m_size));
    qsizetype at = -1;
    const auto run = [&](qsizetype step, qsizetype count) {
        for (qsizetype k = 0; k < count; ++k)
            positions.push_back(at += step);
    };
    const char* p = m_runs.constData();
    const char* const end = p + m_runs.size();
    while (p < end) {
        const qsizetype step = readNumber(p);
        run(step, readNumber(p));
    }
    run(m_step, m_count);
    return positions;
}

RowPositions::Reader::Reader(const RowPositions& positions)
    : m_positions(positions), m_at(positions.m_runs.constData()), m_end(m_at + positions.m_runs.size())
{
}

qsizetype RowPositions::Reader::next()
{
    if (m_left == 0) {
        // The closed runs, then the open one.
        if (m_at < m_end) {
            m_step = readNumber(m_at);
            m_left = readNumber(m_at);
        } else {
            m_step = m_positions.m_step;
            m_left = m_positions.m_count;
        }
    }
    --m_left;
    return m_position += m_step;
}

RowSnapshot snapshotRows(const RowStore& rows, const QList<qsizetype>& positions)
{
    return copyRows(rows, std::vector<qsizetype>(positions.cbegin(), positions.cend()));
}

RowSnapshot snapshotRowsWithIds(const RowStore& rows, const std::vector<RowId>& ids, RowId firstNew)
{
    std::vector<bool> wanted(size_t(firstNew), false);
    for (RowId id : ids) {
        if (id < firstNew)
            wanted[id] = true;
    }
    std::vector<qsizetype> positions;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const RowId id = rows.id(row);
        if (id >= firstNew || wanted[id])
            positions.push_back(row);
    }
    return copyRows(rows, positions);
}

void dropUnchangedRows(RowSnapshot& before, RowSnapshot& after, RowId firstNew)
{
    // A row's place among the rows in neither snapshot is its position less
    // the snapshot's rows before it. Pairs whose place, values and order
    // agree go over to those rows; the rows made by the change never pair.
    // Both snapshots are walked once, their positions read as they come and
    // the pairs marked a bit a row: a change of every row of a big table
    // pairs none, and must not cost more than the snapshots.
    std::vector<bool> keptFrom(size_t(before.size()), true);
    std::vector<bool> keptTo(size_t(after.size()), true);
    qsizetype paired = 0;
    RowPositions::Reader from(before.positions);
    RowPositions::Reader to(after.positions);
    qsizetype j = 0;
    qsizetype toPlace = 0;
    const auto readTo = [&] {
        if (j < after.size())
            toPlace = to.next() - j;
    };
    readTo();
    for (qsizetype i = 0; i < before.size(); ++i) {
        const qsizetype place = from.next() - i;
        while (j < after.size() && (toPlace < place || (toPlace == place && after.rows.id(j) >= firstNew))) {
            ++j;
            readTo();
        }
        const RowId id = before.rows.id(i);
        if (j < after.size() && toPlace == place && id != 0 && after.rows.id(j) == id &&
            before.rows.sameValues(i, after.rows, j)) {
            keptFrom[size_t(i)] = false;
            keptTo[size_t(j)] = false;
            ++paired;
            ++j;
            readTo();
        }
    }
    if (paired == 0)
        return;
    const auto keep = [](RowSnapshot& snapshot, const std::vector<bool>& kept) {
        std::vector<qsizetype> indexes;
        RowPositions positions;
        RowPositions::Reader all(snapshot.positions);
        for (qsizetype i = 0; i < snapshot.size(); ++i) {
            const qsizetype position = all.next();
            if (kept[size_t(i)]) {
                indexes.push_back(i);
                positions.append(position);
            }
        }
        RowSnapshot smaller = copyRows(snapshot.rows, indexes);
        positions.squeeze();
        smaller.positions = std::move(positions);
        snapshot = std::move(smaller);
    };
    keep(before, keptFrom);
    keep(after, keptTo);
}

} // namespace tarnel
