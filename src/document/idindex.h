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
// tables' change signals: a change to one row costs a few hash look-ups.
class IdIndex : public QObject {
    Q_OBJECT
public:
    explicit IdIndex(const IdeDocument& document, QObject* parent = nullptr);

    // How many IDs more than one row uses.
    qsizetype duplicateCount() const { return m_duplicates.size(); }
    // Whether more than one row uses `id`: one hash look-up.
    bool isDuplicate(qint64 id) const { return m_duplicates.contains(id); }
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
    static int slotOf(LineKind kind) { return kind == LineKind::Object ? 0 : 1; }

    void watch(const SectionTable& table);
    bool holdsSameId(const SectionTable& table, qsizetype row) const;
    void addRow(const SectionTable& table, qsizetype row);
    void removeRow(const SectionTable& table, qsizetype row);
    void addAll(const SectionTable& table);
    void removeAll(const SectionTable& table);
    void addUse(qint64 id, IdUse use);
    void removeUse(qint64 id, IdUse use);
    void addCommentedRow(const RowStore& rows, LineKind kind, qsizetype row);

    FirstUses m_firstUse;                     // every ID in use: one of its rows
    QHash<qint64, QList<IdUse>> m_duplicates; // IDs used more than once: all their rows
    // Per table, by RowId: the ID indexed, or that of a commented row, held
    // apart (a bit each), which no use counts; else noId.
    std::array<std::vector<qint64>, 2> m_idOfRow;
    std::array<std::vector<bool>, 2> m_commented;
    std::array<qsizetype, 2> m_indexedRows{};   // per table: rows holding an ID
    std::array<qsizetype, 2> m_commentedRows{}; // per table: commented rows holding one
};

} // namespace tarnel
