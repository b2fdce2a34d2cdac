#pragma once

#include "document/bigarrays.h"
#include "document/rowid.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QVarLengthArray>

#include <array>

#include <functional>
#include <utility>
#include <vector>

namespace tarnel {

// Compact storage of a table's rows. Each row costs one 16-byte entry and its
// bytes, stored in one of three ways:
//
// clang-format off
// | encoding                 | bytes lie in                  | values separated by | used for                                   |
// |--------------------------|-------------------------------|---------------------|--------------------------------------------|
// | shared, joined           | shared bytes (a file's, a     | ", "                | a line of a file just read that already    |
// |                          | snapshot's, a bulk change's)  |                     | reads as its values joined: not copied     |
// | own, joined              | m_buffer                      | ", "                | rows made, changed or copied here          |
// | newline-separated        | m_buffer or shared bytes      | '\n'                | rows with a value holding a comma, which   |
// |                          |                               |                     | the joined form could not tell apart       |
// | as read                  | a file's bytes (or copies of  | ',', each value     | a line of a file just read written another |
// |                          | such a row)                   | trimmed of spaces   | way (`a,b`, `a , b`): not copied either    |
// clang-format on
//
// Shared bytes never change, so a row lying in them is pointed at, not copied,
// by its copies (Duplicate, the edit history's snapshots, the rows undo and
// redo bring back), each stored as it was. A store shares up to
// 31 such buffers at once, each held while a row points into it: a file's
// bytes, a snapshot's, the bytes a change of many rows (Comment out, Set
// column) wrote. The joined form is exactly the line a save writes; a row
// stored as read is joined as it is written. '\n' is a
// byte no line of a file can hold, and neither it nor '\r' is ever stored inside a value.
// Values stay the bytes of the file; a ValueCursor walks them in any encoding.
class RowStore {
public:
    qsizetype size() const { return qsizetype(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }

    qsizetype valueCount(qsizetype row) const { return countOf(m_rows[size_t(row)]); }
    // The value at `index`, or an empty view when the row is shorter.
    QByteArrayView value(qsizetype row, qsizetype index) const;
    // The values [first, first + count) joined with ", ", in one walk of the row.
    QByteArray joinedValues(qsizetype row, qsizetype first, qsizetype count) const;
    QByteArrayView firstValue(qsizetype row) const;
    QList<QByteArray> values(qsizetype row) const;
    // The same as views into the store, in one walk of the row.
    void valueViews(qsizetype row, QVarLengthArray<QByteArrayView, 16>& into) const;
    // The row's values as stored: joined with ", " (or by "\n" when a value
    // holds a comma), or the file's line as read (storedAsRead).
    QByteArrayView storedBytes(qsizetype row) const { return bytesOf(m_rows[size_t(row)]); }
    // Whether the stored bytes are a line of a file as it was read, not in the
    // joined form: its values are its pieces between commas, trimmed of spaces.
    bool storedAsRead(qsizetype row) const { return m_rows[size_t(row)].flags & AsRead; }
    // A row whose first value begins with '#' after leading spaces: a
    // commented-out line. Kept with the row, so views need not read its bytes.
    bool isCommented(qsizetype row) const { return m_rows[size_t(row)].flags & Commented; }
    // The row's identity (rowid.h): it moves with the row, whatever its position.
    RowId id(qsizetype row) const { return m_rows[size_t(row)].id; }
    // The row's bytes where they lie in bytes the store shares: in the file it
    // was read from, for a row that still points there (no edit since), or in
    // the history's copy of rows an undo brought back; a null view otherwise.
    QByteArrayView fileBytes(qsizetype row) const
    {
        const Row& r = m_rows[size_t(row)];
        return slotOf(r) ? bytesOf(r) : QByteArrayView();
    }
    // Whether the row's values are the line's pieces split at commas and
    // trimmed of spaces, as if the row had been read from `line` and not changed.
    bool readsAs(qsizetype row, QByteArrayView line) const;

    // Splits a line at every comma and appends its space-trimmed pieces as one row.
    void appendLine(QByteArrayView line, RowId id = 0);
    // Appends the line bytes.sliced(offset, length), which must already read as
    // its values joined with ", " (no spaces around a value but the one after
    // each comma) and hold `valueCount` - 1 commas. The row points into `bytes`
    // instead of copying them while the store can share one more buffer.
    void appendSharedLine(const QByteArray& bytes, qsizetype offset, qsizetype length, qsizetype valueCount,
                          RowId id = 0)
    {
        const quint8 slot = sharedSlotFor(bytes);
        if (slot == 0) {
            appendLine(QByteArrayView(bytes).sliced(offset, length), id);
            return;
        }
        // Joined form: the first value starts at the first byte, no space before it.
        Row r = makeRow(offset, length, shortCount(valueCount), quint8(slot << slotShift), id);
        if (length > 0 && bytes.constData()[offset] == '#')
            r.flags |= Commented;
        m_liveBytes += length;
        ++m_shared[slot - 1].rows;
        m_rows.push_back(r);
    }
    // The same for any line with `valueCount` - 1 commas, joined or not: the row
    // points into `bytes` as read, its values trimmed as they are walked.
    void appendLineAsRead(const QByteArray& bytes, qsizetype offset, qsizetype length, qsizetype valueCount,
                          RowId id = 0);
    void insert(qsizetype position, const QList<QByteArray>& values, RowId id = 0);
    void append(const QList<QByteArray>& values, RowId id = 0) { insert(size(), values, id); }
    // Appends a copy of each of the rows, in the order given, bytes as they
    // are; the copies take the identities from `firstId` on, one each (or 0).
    void appendCopies(const QList<qsizetype>& rows, RowId firstId = 0);
    void replaceValues(qsizetype row, const QList<QByteArray>& values);
    // values[i] for each row rows[i], in one pass.
    void replaceValues(const QList<qsizetype>& rows, const QList<QList<QByteArray>>& values);
    // Whether the row holds exactly these values, read in place.
    bool holdsValues(qsizetype row, const QList<QByteArray>& values) const;
    // Comment out and un-comment on many rows in one pass, the rows never split
    // into values: `prefix` (no comma, no line break) put before each row's
    // first value; or the comment marks (idetext::commentMarksLength) taken
    // from its start, which copies nothing: the row points further into its bytes.
    void prefixRows(const QList<qsizetype>& rows, QByteArrayView prefix);
    void dropCommentMarks(const QList<qsizetype>& rows);
    // Removes the given rows (ascending, distinct) in one pass over the table.
    void removeRows(const QList<qsizetype>& rows);
    void move(qsizetype from, qsizetype to);
    void clear();
    void reserve(qsizetype rows) { m_rows.reserve(rows); }
    // Room for `rows` more rows holding `bytes` bytes in all.
    void reserve(qsizetype rows, qsizetype bytes);

    // Rows of another store taken over as they are stored (no value is split
    // or joined again), identity and all.
    void appendRowOf(const RowStore& from, qsizetype row) { m_rows.push_back(copyOf(from, row)); }
    // Copies of `from`'s rows at these positions, in the order given.
    void appendRowsAt(const RowStore& from, const std::vector<qsizetype>& rows);
    void insertRowOf(qsizetype position, const RowStore& from, qsizetype row)
    {
        m_rows.insert(position, copyOf(from, row));
    }
    // The rows [first, first + count) of `from` at the end.
    void appendRowsOf(const RowStore& from, qsizetype first, qsizetype count);
    // The store's own bytes become shared bytes, which no edit here changes
    // again: copies of its rows in other stores then point into them (a snapshot's).
    void shareOwnBytes();
    // Each row `row` of the (row, fromRow) pairs takes the values of `from`'s
    // row `fromRow` and keeps its identity.
    void replaceRowsWith(const std::vector<std::pair<qsizetype, qsizetype>>& rows, const RowStore& from);
    bool sameValues(qsizetype row, const RowStore& other, qsizetype otherRow) const;
    // The bytes all rows take as stored.
    qint64 storedSize() const { return m_liveBytes; }
    // The bytes the row's values take as stored.
    qsizetype storedSize(qsizetype row) const { return m_rows[size_t(row)].length; }
    // Memory the store holds on its own: its entries and its buffer (bytes it
    // shares with others not counted).
    qsizetype bytesHeld() const { return m_rows.capacity() * qsizetype(sizeof(Row)) + m_buffer.capacity(); }
    // Appends every row of `other` after the rows here and leaves `other` empty;
    // the identities of its rows grow by `idOffset` (lines read by a second thread).
    void appendRows(RowStore&& other, RowId idOffset = 0);

    // The row as a line of the file: its values joined with ", ".
    void appendJoined(QByteArray& out, qsizetype row) const;
    QByteArray joined(qsizetype row) const;
    // The same handed to `out` in pieces that point into the store.
    void writeJoined(qsizetype row, const std::function<void(QByteArrayView)>& out) const;
    // Upper bound of the bytes all rows take when joined, line ends included,
    // for reserving output: joining turns each '\n' of a separated row into
    // ", ", so a row's bytes at most double; each line adds its CR LF.
    qsizetype joinedSizeHint() const { return m_liveBytes * 2 + size() * 2; }
    // Every row as a line of the file ending in CR LF, handed to `out` in table
    // order and in as few pieces as the storage allows: rows that still lie one
    // after another in a file just read go out as one piece.
    void writeLines(const std::function<void(QByteArrayView)>& out) const;

    // Ordering, in rowstoresort.cpp.

    // Orders the rows by their first value (stable) and returns, for every old
    // position, the row's new position.
    QList<qsizetype> sortByFirstValue();
    // Puts the rows in `order` (order[new position] = old position) and returns,
    // for every old position, the row's new position.
    QList<qsizetype> reorder(const QList<qsizetype>& order);
    // The same order without the positions, for rows nobody holds yet.
    void sortRowsByFirstValue();
    // The order sortByFirstValue() gives: order[new position] = old position.
    // Only reads the store, so several stores can work theirs out at once.
    QList<qsizetype> sortedOrder() const;
    // Where a row with this first value goes in a sorted table: after its equals.
    qsizetype sortedPosition(QByteArrayView firstValue) const;
    qsizetype sortedPositionExcluding(qsizetype row) const;
    // Text order of first values: letters compare without case, digits as text.
    static int compareFirstValues(QByteArrayView a, QByteArrayView b);

private:
    // Walks the values of one row in order, whatever its encoding. A row has
    // at least one value (empty bytes are one empty value).
    class ValueCursor {
    public:
        ValueCursor(const char* data, qsizetype length, quint8 flags)
            : m_at(data), m_end(data + length), m_mark((flags & Separated) ? '\n' : ','),
              m_gap((flags & (Separated | AsRead)) ? 1 : 2), m_trim(flags & AsRead)
        {
        }
        bool atEnd() const { return m_at == nullptr; }
        QByteArrayView next();

    private:
        const char* m_at; // null once the last value is taken
        const char* m_end;
        char m_mark;     // the byte ending a value
        qsizetype m_gap; // bytes from a value's end to the next value
        bool m_trim;     // spaces around each value are not the value's
    };

    enum RowFlag : quint8 {
        Separated = 1, // values separated by '\n', else by ", "
        Commented = 2, // first value starts with '#' after spaces: a commented-out line
        AsRead = 4,    // a line as read: values separated by ',', spaces around them not theirs
    };
    // The other five bits of the flags tell where the bytes lie: 0 in m_buffer,
    // s in m_shared[s - 1] (never followed by a line end but in a file's bytes).
    static constexpr int slotShift = 3;
    static constexpr quint8 slotMask = 0xf8;
    static constexpr qsizetype slotLimit = 31;
    // Sixteen bytes a row, identity included: a million rows take 16 MB. The
    // offset has 40 bits, split so that the entry needs no padding.
    struct Row {
        quint32 offsetLow;
        quint32 length;
        RowId id;
        quint16 valueCount; // manyValues: count the separators instead
        quint8 flags;
        quint8 offsetHigh;

        qint64 offset() const { return qint64(offsetLow) | (qint64(offsetHigh) << 32); }
        void setOffset(qint64 offset)
        {
            offsetLow = quint32(offset);
            offsetHigh = quint8(offset >> 32);
        }
    };
    static_assert(sizeof(Row) == 16);
    static Row makeRow(qint64 offset, qsizetype length, quint16 valueCount, quint8 flags, RowId id)
    {
        Row r{0, quint32(length), id, valueCount, flags, 0};
        r.setOffset(offset);
        return r;
    }
    static constexpr quint16 manyValues = 0xffff;
    static quint16 shortCount(qsizetype count) { return count < manyValues ? quint16(count) : manyValues; }
    qsizetype countOf(const Row& r) const { return r.valueCount != manyValues ? r.valueCount : countValues(r); }
    qsizetype countValues(const Row& r) const;
    static quint8 slotOf(const Row& r) { return quint8(r.flags >> slotShift); }
    static void setSlot(Row& r, quint8 slot) { r.flags = quint8((r.flags & ~slotMask) | (slot << slotShift)); }
    const char* dataOf(const Row& r) const
    {
        const quint8 slot = slotOf(r);
        return (slot ? m_shared[slot - 1].bytes.constData() : m_buffer.constData()) + r.offset();
    }
    QByteArrayView bytesOf(const Row& r) const { return {dataOf(r), qsizetype(r.length)}; }
    ValueCursor valuesOf(const Row& r) const { return {dataOf(r), qsizetype(r.length), r.flags}; }
    // The values appended to `out` (the buffer, or bytes about to be shared).
    Row store(const QList<QByteArray>& values, RowId id, QByteArray& out);
    Row store(const QList<QByteArray>& values, RowId id) { return store(values, id, m_buffer); }
    // `from`'s row pointing into the same shared bytes, or with its bytes
    // appended to the buffer here when they are its own or no slot is free.
    // Which slot here each slot of another store's rows maps to, once looked up.
    static constexpr quint8 unmapped = 0xff;
    struct SlotMap : std::array<quint8, slotLimit + 1> {
        SlotMap() { fill(unmapped); }
    };
    Row copyOf(const RowStore& from, qsizetype row, SlotMap& mapping);
    Row copyOf(const RowStore& from, qsizetype row)
    {
        SlotMap mapping;
        return copyOf(from, row, mapping);
    }
    // Points `r`, a row of `from` lying in its shared bytes, at those bytes
    // shared here too; false when it lies in `from`'s own buffer or no slot is free.
    bool shareSlotOf(Row& r, const RowStore& from, SlotMap& mapping);
    // Copies of `from`'s rows at(0), ..., at(count - 1), with room for exactly
    // their entries and own bytes, each slot of `from` looked up once.
    template <typename At> void appendCopiesOf(const RowStore& from, qsizetype count, At at);
    // The slot holding `bytes` (taken when none does yet), or 0 when all are taken.
    quint8 slotFor(const QByteArray& bytes);
    // The same, first trying the first slot: a load's rows all lie in one file's bytes.
    quint8 sharedSlotFor(const QByteArray& bytes)
    {
        return !m_shared.empty() && m_shared.front().bytes.constData() == bytes.constData() ? quint8(1)
                                                                                            : slotFor(bytes);
    }
    // A slot no row points into, emptied, or 0 when all are taken.
    quint8 freeSlot();
    // Rewrites the rows: write(i, old row, out) appends row rows[i]'s new
    // bytes to `out` and returns its entry. A change of many rows writes them
    // apart, as shared bytes of their own when a slot is free, so that the
    // history's copies of the rows point into them; else into the buffer.
    template <typename Write> void rewriteRows(const QList<qsizetype>& rows, qsizetype bytes, Write write);
    void forget(const Row& r);
    void compactIfWasteful();

    using Rows = GapArray<Row>;

    struct SharedBytes {
        QByteArray bytes;   // never changed while shared
        qsizetype rows = 0; // pointing in; the bytes are let go once none is left
    };
    std::vector<SharedBytes> m_shared; // slot s is m_shared[s - 1]
    QByteArray m_buffer;               // the store's own bytes
    Rows m_rows;
    qint64 m_liveBytes = 0;    // bytes of all rows
    qint64 m_ownLiveBytes = 0; // bytes of the rows in m_buffer
};

} // namespace tarnel
