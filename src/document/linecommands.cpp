#include "document/linecommands.h"

#include "document/idedocument.h"
#include "document/idetext.h"
#include "document/rowlist.h"

#include <algorithm>
#include <vector>

namespace tarnel {

namespace {

// From this many rows on, a sorted table takes a command's changes as one batch
// (SectionTable::beginBatch): one reorder instead of a move per row.
constexpr qsizetype batchRows = 64;

// Opens a batch on a sorted table for a big selection; closes it when done.
class Batch {
public:
    Batch(EditKey key, SectionTable& table, qsizetype rows)
        : m_key(key), m_table(table), m_open(table.isSorted() && rows >= batchRows)
    {
        if (m_open)
            m_table.beginBatch(m_key);
    }
    ~Batch()
    {
        if (m_open)
            m_table.endBatch(m_key);
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

private:
    EditKey m_key;
    SectionTable& m_table;
    bool m_open;
};

// Rewrites rows' values: `rewrite(i, values)` for the i-th row of `pending`
// (ascending), true when it changed them. While the table is sorted a
// rewritten row may move, so the rows still to do are followed to their new places.
template <typename Rewrite>
qsizetype rewriteRows(EditKey key, SectionTable& table, QList<qsizetype> pending, Rewrite rewrite)
{
    const Batch batch(key, table, pending.size());
    qsizetype changed = 0;
    for (qsizetype i = 0; i < pending.size(); ++i) {
        const qsizetype row = pending[i];
        QList<QByteArray> values = table.rows().values(row);
        if (!rewrite(i, values))
            continue;
        const qsizetype to = table.setRowValues(key, row, values);
        ++changed;
        if (to == row)
            continue;
        for (qsizetype k = i + 1; k < pending.size(); ++k) {
            qsizetype& other = pending[k];
            if (row < other && other <= to)
                --other;
            else if (to <= other && other < row)
                ++other;
        }
    }
    return changed;
}

// The rows of `rows` (in the table, ascending) whose first value is
// commented (or not): those Comment out and Un-comment change.
QList<qsizetype> rowsCommented(const SectionTable& table, QList<qsizetype> rows, bool commented)
{
    rows = sortedDistinctIn(std::move(rows), table.rowCount());
    rows.removeIf([&](qsizetype row) { return idetext::isCommented(table.rows().firstValue(row)) != commented; });
    return rows;
}

} // namespace

qsizetype commentOut(EditKey key, IdeDocument& document, LineKind kind, QList<qsizetype> rows)
{
    SectionTable& table = document.table(kind);
    const QList<qsizetype> pending = rowsCommented(table, std::move(rows), false);
    if (pending.size() >= batchRows) {
        table.commentOutRows(key, pending);
        return pending.size();
    }
    return rewriteRows(key, table, pending, [](qsizetype, QList<QByteArray>& values) {
        values.front().prepend("# ");
        return true;
    });
}

qsizetype unComment(EditKey key, IdeDocument& document, LineKind kind, QList<qsizetype> rows)
{
    SectionTable& table = document.table(kind);
    const QList<qsizetype> pending = rowsCommented(table, std::move(rows), true);
    if (pending.size() >= batchRows) {
        table.unCommentRows(key, pending);
        return pending.size();
    }
    return rewriteRows(key, table, pending, [](qsizetype, QList<QByteArray>& values) {
        // Only the marks Comment out puts in front: "#" characters in the
        // value's text stay.
        QByteArray& first = values.front();
        first.remove(0, idetext::commentMarksLength(first));
        return true;
    });
}

qsizetype setRowsValues(EditKey key, IdeDocument& document, LineKind kind, const QList<qsizetype>& rows,
                        const QList<QList<QByteArray>>& values)
{
    SectionTable& table = document.table(kind);
    // Row order, the last values given for a row winning.
    std::vector<std::pair<qsizetype, qsizetype>> order; // (row, index in values)
    order.reserve(size_t(rows.size()));
    for (qsizetype i = 0; i < qMin(rows.size(), values.size()); ++i) {
        if (rows[i] >= 0 && rows[i] < table.rowCount())
            order.emplace_back(rows[i], i);
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    // The rows whose values differ, in table order.
    QList<qsizetype> pending;
    QList<qsizetype> sources;
    for (size_t k = 0; k < order.size(); ++k) {
        if (k + 1 < order.size() && order[k + 1].first == order[k].first)
            continue;
        if (table.rows().holdsValues(order[k].first, values[order[k].second]))
            continue;
        pending.append(order[k].first);
        sources.append(order[k].second);
    }
    if (pending.size() >= batchRows) {
        QList<QList<QByteArray>> wanted;
        wanted.reserve(sources.size());
        for (qsizetype source : sources)
            wanted.append(values[source]);
        table.setRowsValues(key, pending, wanted);
        return pending.size();
    }
    return rewriteRows(key, table, pending, [&](qsizetype i, QList<QByteArray>& rowValues) {
        rowValues = values[sources[i]];
        return true;
    });
}

qsizetype removeRows(EditKey key, IdeDocument& document, LineKind kind, QList<qsizetype> rows)
{
    SectionTable& table = document.table(kind);
    const QList<qsizetype> targets = sortedDistinctIn(std::move(rows), table.rowCount());
    table.removeRows(key, targets);
    return targets.size();
}

qsizetype duplicateRows(EditKey key, IdeDocument& document, LineKind kind, QList<qsizetype> rows)
{
    SectionTable& table = document.table(kind);
    const QList<qsizetype> sources = sortedDistinctIn(std::move(rows), table.rowCount());
    {
        const Batch batch(key, table, sources.size());
        table.appendCopies(key, sources);
    }
    return sources.size();
}

} // namespace tarnel
