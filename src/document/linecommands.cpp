#include "document/linecommands.h"

#include "document/idedocument.h"
#include "document/idetext.h"

#include <algorithm>

namespace tarnel {

namespace {

QList<qsizetype> inTableOrder(QList<qsizetype> rows, qsizetype rowCount)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(
        std::remove_if(rows.begin(), rows.end(), [rowCount](qsizetype row) { return row < 0 || row >= rowCount; }),
        rows.end());
    return rows;
}

// From this many rows on, a sorted table takes a command's changes as one batch
// (SectionTable::beginBatch): one reorder instead of a move per row.
constexpr qsizetype batchRows = 64;

// Opens a batch on a sorted table for a big selection; closes it when done.
class Batch {
public:
    Batch(SectionTable& table, qsizetype rows) : m_table(table), m_open(table.isSorted() && rows >= batchRows)
    {
        if (m_open)
            m_table.beginBatch();
    }
    ~Batch()
    {
        if (m_open)
            m_table.endBatch();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

private:
    SectionTable& m_table;
    bool m_open;
};

// Rewrites the first value of each row. While the table is sorted a rewritten
// row may move, so the rows still to do are followed to their new places.
template <typename Rewrite> qsizetype rewriteRows(SectionTable& table, QList<qsizetype> pending, Rewrite rewrite)
{
    qsizetype changed = 0;
    for (qsizetype i = 0; i < pending.size(); ++i) {
        const qsizetype row = pending[i];
        QList<QByteArray> values = table.rows().values(row);
        if (!rewrite(values.front()))
            continue;
        const qsizetype to = table.setRowValues(row, values);
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

template <typename Rewrite>
qsizetype rewriteFirstValues(IdeDocument& document, LineKind kind, QList<qsizetype> rows, Rewrite rewrite)
{
    SectionTable& table = document.table(kind);
    QList<qsizetype> pending = inTableOrder(std::move(rows), table.rowCount());
    const Batch batch(table, pending.size());
    return rewriteRows(table, std::move(pending), rewrite);
}

} // namespace

qsizetype commentOut(IdeDocument& document, LineKind kind, QList<qsizetype> rows)
{
    return rewriteFirstValues(document, kind, std::move(rows), [](QByteArray& first) {
        if (idetext::isCommented(first))
            return false;
        first.prepend("# ");
        return true;
    });
}

qsizetype unComment(IdeDocument& document, LineKind kind, QList<qsizetype> rows)
{
    return rewriteFirstValues(document, kind, std::move(rows), [](QByteArray& first) {
        if (!idetext::isCommented(first))
            return false;
        // Only the marks Comment out puts in front: "#" characters in the
        // value's text stay.
        qsizetype start = 0;
        while (start < first.size() && first[start] == ' ')
            ++start;
        while (start < first.size() && first[start] == '#')
            ++start;
        while (start < first.size() && first[start] == ' ')
            ++start;
        first.remove(0, start);
        return true;
    });
}

qsizetype removeRows(IdeDocument& document, LineKind kind, QList<qsizetype> rows)
{
    SectionTable& table = document.table(kind);
    const QList<qsizetype> targets = inTableOrder(std::move(rows), table.rowCount());
    table.removeRows(targets);
    return targets.size();
}

qsizetype duplicateRows(IdeDocument& document, LineKind kind, QList<qsizetype> rows)
{
    SectionTable& table = document.table(kind);
    const QList<qsizetype> sources = inTableOrder(std::move(rows), table.rowCount());
    {
        const Batch batch(table, sources.size());
        table.appendCopies(sources);
    }
    return sources.size();
}

} // namespace tarnel
