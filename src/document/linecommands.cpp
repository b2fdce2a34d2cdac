#include "document/linecommands.h"

#include "document/idedocument.h"
#include "document/idetext.h"
#include "document/rowlist.h"

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

// Rewrites the first value of each row. While the table is sorted a rewritten
// row may move, so the rows still to do are followed to their new places.
template <typename Rewrite>
qsizetype rewriteRows(EditKey key, SectionTable& table, QList<qsizetype> pending, Rewrite rewrite)
{
    qsizetype changed = 0;
    for (qsizetype i = 0; i < pending.size(); ++i) {
        const qsizetype row = pending[i];
        QList<QByteArray> values = table.rows().values(row);
        if (!rewrite(values.front()))
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

template <typename Rewrite>
qsizetype rewriteFirstValues(EditKey key, IdeDocument& document, LineKind kind, QList<qsizetype> rows,
                             Rewrite rewrite)
{
    SectionTable& table = document.table(kind);
    QList<qsizetype> pending = sortedDistinctIn(std::move(rows), table.rowCount());
    const Batch batch(key, table, pending.size());
    return rewriteRows(key, table, std::move(pending), rewrite);
}

} // namespace

qsizetype commentOut(EditKey key, IdeDocument& document, LineKind kind, QList<qsizetype> rows)
{
    return rewriteFirstValues(key, document, kind, std::move(rows), [](QByteArray& first) {
        if (idetext::isCommented(first))
            return false;
        first.prepend("# ");
        return true;
    });
}

qsizetype unComment(EditKey key, IdeDocument& document, LineKind kind, QList<qsizetype> rows)
{
    return rewriteFirstValues(key, document, kind, std::move(rows), [](QByteArray& first) {
        if (!idetext::isCommented(first))
            return false;
        // Only the marks Comment out puts in front: "#" characters in the
        // value's text stay.
        first.remove(0, idetext::commentMarksLength(first));
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
