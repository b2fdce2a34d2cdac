#pragma once

#include "document/firstuses.h"
#include "document/linekind.h"
#include "document/rowid.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <array>
#include <limits>
#include <optional>
#include <vector>

namespace tarnel {

class IdeDocument;
class RowStore;
class SectionTable;

// The object ID of a row: its first value read as a whole number, with any
// number of leading zeros. A commented-out row, one whose first value is no
// number, or one whose number lies beyond 64 bits has none.
std::optional<qint64> objectIdOf(const RowStore& rows, qsizetype row);
// The same rule for any value: spaces around it are ignored.
std::optional<qint64> idNumberOf(QByteArrayView value);
// The one reader of a row's ID from its first value, commented or not: the
// marks Comment out puts before it left aside (idetext::commentMarksLength),
// then read as idNumberOf reads it. The filter, Go to ID and the commented IDs
// the free IDs count read IDs through it.
std::optional<qint64> rowIdOf(QByteArrayView firstValue);
// The object ID of a row whose number lies beyond 64 bits: its digits without
// leading zeros, after a '-' when it is negative, so that two rows have the
// same ID exactly when these are equal. Every other row has none.
std::optional<QByteArray> wideObjectIdOf(const RowStore& rows, qsizetype row);

// The object IDs of a document's objects and timed objects, one number space
// across both tables, and which of them more than one row uses. It follows the
// tables' change signals: a change to one row costs a few array look-ups (and
// a walk along the other rows of its ID when it leaves one several rows use).
class IdIndex : public QObject {
    Q_OBJECT
public:
    explicit IdIndex(const IdeDocument& document, QObject* parent = nullptr);

    // How many IDs more than one row uses.
    qsizetype duplicateCount() const { return m_duplicateCount; }
    // Whether more than one row uses `id`: two look-ups.
    bool isDuplicate(qint64 id) const;
    // Those IDs, ascending.
    QList<qint64> duplicateIds() const;
    // The rows using `id`, in no particular order.
    QList<IdUse> usesOf(qint64 id) const;
    // Those rows and the commented rows holding `id` behind their comment
    // marks (which no duplicate counts), in no particular order.
    QList<IdUse> rowsWithId(qint64 id) const;
    // Every ID in use, ascending, each once.
    QList<qint64> usedIds() const;

signals:
    // Rows came, went or changed in one of the two tables.
    void changed();

private:
    static constexpr qint64 noId = std::numeric_limits<qint64>::min();
    static constexpr RowId noRow = std::numeric_limits<RowId>::max();
    // What m_heldId holds of a row: its ID when it fits 32 bits, else one of these.
    static constexpr qint32 notHeld = std::numeric_limits<qint32>::min();
    static constexpr qint32 heldWide = notHeld + 1; // the ID is in m_wideIds
    static int slotOf(LineKind kind) { return kind == LineKind::Object ? 0 : 1; }

    void watch(const SectionTable& table);
    bool holdsSameId(const SectionTable& table, qsizetype row) const;
    void addRow(const SectionTable& table, qsizetype row);
    void removeRow(const SectionTable& table, qsizetype row);
    void removeRows(const SectionTable& table, const QList<qsizetype>& rows);
    void addAll(const SectionTable& table);
    void removeAll(const SectionTable& table);
    void addUse(qint64 id, IdUse use);
    void removeUse(qint64 id, RowId row);
    void addCommentedRow(const RowStore& rows, LineKind kind, qsizetype row);

    // The per-row arrays cover the identity `row`; `spare` more slots are kept
    // when they grow, so that rows added one at a time do not copy them each time.
    void cover(RowId row, bool spare = true);
    void hold(RowId row, qint64 id, LineKind kind, bool commented);
    qint64 heldIdOf(RowId row) const;
    void forget(RowId row);
    LineKind kindOf(RowId row) const { return m_timed[row] ? LineKind::TimedObject : LineKind::Object; }
    IdUse useOf(RowId row) const { return {kindOf(row), row}; }

    FirstUses m_firstUse; // every ID in use: the first of its rows
    // By RowId, for the rows of both tables (the document hands out each
    // identity once, whichever table the row is in): the ID the row holds in
    // the index, a commented row's held apart (which no use counts); the next
    // row using the same ID (noRow after the last), which chains all the rows
    // of an ID from its first use; the row's table and whether it is commented.
    std::vector<qint32> m_heldId;
    std::vector<RowId> m_nextUse;
    std::vector<bool> m_timed;
    std::vector<bool> m_commented;
    QHash<RowId, qint64> m_wideIds; // IDs beyond 32 bits, by row
    qsizetype m_duplicateCount = 0;
    std::array<qsizetype, 2> m_indexedRows{};   // per table: rows holding an ID
    std::array<qsizetype, 2> m_commentedRows{}; // per table: commented rows holding one
};

} // namespace tarnel
