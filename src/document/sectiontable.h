#pragma once

#include "document/editkey.h"
#include "document/linekind.h"
#include "document/rowidsource.h"
#include "document/rowsnapshot.h"
#include "document/rowstore.h"

#include <QObject>

#include <vector>

namespace tarnel {

// One section table of the open document. Every change goes through here so
// that views and open editors hear of it; while sorting is on, added and
// changed rows go straight to their sorted place. Each mutator takes an
// EditKey, which only the edit history (and the document's load) can make.
class SectionTable : public QObject {
    Q_OBJECT
public:
    // New rows take their identities from `ids` (the document's), or from the table's own.
    explicit SectionTable(LineKind kind, RowIdSource* ids = nullptr, QObject* parent = nullptr);

    LineKind kind() const { return m_kind; }
    int columnCount() const { return fieldCountOf(m_kind); }
    const RowStore& rows() const { return m_rows; }
    qsizetype rowCount() const { return m_rows.size(); }
    // The position of the row with this identity, or -1 when it is gone.
    qsizetype rowWithId(RowId id) const;

    // Each returns the position the row ends up at. While sorted, a changed
    // row moves only when its first value changed.
    qsizetype appendRow(EditKey, const QList<QByteArray>& values);
    // Appends a copy of each of the rows in the order given: at the end in one
    // step, or while sorted outside a batch, each to its place.
    void appendCopies(EditKey, const QList<qsizetype>& rows);
    qsizetype setRowValues(EditKey, qsizetype row, const QList<QByteArray>& values);
    // Changes of many rows (ascending, distinct, all in the table) as one:
    // rows changed where they stand, told by one rowsChanged; while sorted,
    // they then go to their places together, as in a batch. Comment out (rows
    // not commented yet), un-comment (commented rows), values[i] for rows[i].
    void commentOutRows(EditKey, const QList<qsizetype>& rows);
    void unCommentRows(EditKey, const QList<qsizetype>& rows);
    void setRowsValues(EditKey, const QList<qsizetype>& rows, const QList<QList<QByteArray>>& values);
    void removeRow(EditKey key, qsizetype row);
    // Removes the rows (ascending, distinct, all in the table) as one change.
    void removeRows(EditKey, const QList<qsizetype>& rows);
    void clear(EditKey);
    // Takes over freshly loaded rows in one step.
    void replaceAll(EditKey, RowStore&& rows);
    // Trades rows, sorting and layout with `other` (of the same kind), each told as a reset.
    void exchangeRows(EditKey, SectionTable& other);

    // Whether the rows were read in the later object layout (rowcells.h); decided
    // when a file's rows are taken over, kept until the next ones.
    bool isLaterLayout() const { return m_laterLayout; }
    // The table read in the later layout (or not) from now on: its lines were
    // converted (Convert table layout). Tells layoutSwitched when it changes.
    void setLaterLayout(EditKey, bool later);

    // Puts the table from the state `from` was taken in into the one `to` was
    // taken in, when only those rows differ (snapshots of one change, either
    // way round): rows go and come back with their identities at their
    // positions, the others keep their order. Linear in the table's rows.
    void applyRowChanges(EditKey key, const RowSnapshot& from, const RowSnapshot& to);
    // Sorting off, and the rows put back in `order` (order[new position] = old position).
    void unsortToOrder(EditKey, const QList<qsizetype>& order);

    bool isSorted() const { return m_sorted; }
    // Returns newPositions[old] of the reorder sorting on made; empty when none.
    QList<qsizetype> setSorted(EditKey, bool sorted);

    // Many changes as one, for commands on big selections of a sorted table:
    // until endBatch(), changed rows stay where they are and added rows go to
    // the end; endBatch() then puts them in order with one reorder, each after
    // the rows equal to it that were there before, and in table order among
    // themselves, which is where one change at a time would have put them.
    void beginBatch(EditKey);
    void endBatch(EditKey);

signals:
    void aboutToBeReset();
    void wasReset();
    void rowAboutToBeInserted(qsizetype row);
    void rowInserted(qsizetype row);
    // `count` rows added after the last one: no row before them moves.
    void rowsAboutToBeAppended(qsizetype count);
    void rowsAppended(qsizetype first, qsizetype count);
    // The rows removed at once, ascending, numbered as before the removal.
    void rowsAboutToBeRemoved(const QList<qsizetype>& rows);
    void rowsRemoved(const QList<qsizetype>& rows);
    void rowAboutToMove(qsizetype from, qsizetype to);
    void rowMoved(qsizetype from, qsizetype to);
    void rowChanged(qsizetype row);
    // Rows in [first, last] changed, in place, all at once: one signal for a
    // change of many rows (rows between them may have stayed the same).
    void rowsChanged(qsizetype first, qsizetype last);
    void aboutToBeReordered();
    // newPositions[old] is where the row at `old` went.
    void reordered(const QList<qsizetype>& newPositions);
    // isLaterLayout changed: every row's cells may show other values.
    void layoutSwitched();

private:
    friend class IdeDocument; // sorts all tables at once
    // Sorting on with the order worked out beforehand (RowStore::sortedOrder).
    QList<qsizetype> setSortedWithOrder(const QList<qsizetype>& order);
    QList<qsizetype> sortNow(const QList<qsizetype>* order = nullptr);
    void removeRows(const QList<qsizetype>& rows);
    void mark(qsizetype row);
    // Runs `change` on the rows (ascending) as one change of many, as above.
    template <typename Change> void changeMany(EditKey key, const QList<qsizetype>& rows, Change change);
    qsizetype insertRow(const QList<QByteArray>& values, RowId id);

    LineKind m_kind;
    RowIdSource m_ownIds;
    RowIdSource* m_ids;
    RowStore m_rows;
    bool m_sorted = false;
    bool m_laterLayout = false;
    bool m_batch = false;
    std::vector<bool> m_changed; // while a batch is open: rows changed or added in it
};

} // namespace tarnel
