#pragma once

#include "document/bigarrays.h"
#include "document/rowid.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QVarLengthArray>

#include <functional>
#include <utility>
#include <vector>

namespace tarnel {

// Compact storage of a table's rows. Each row costs one 16-byte entry and its
// bytes, stored in one of three ways:
//
// clang-format off
// | encoding                 | bytes lie in              | values separated by | used for                                   |
// |--------------------------|---------------------------|---------------------|--------------------------------------------|
// | shared, joined           | m_shared (a file's bytes) | ", "                | a line of a file just read that already    |
// |                          |                           |                     | reads as its values joined: not copied     |
// | own, joined              | m_buffer                  | ", "                | rows made, changed or copied here          |
// | own, newline-separated   | m_buffer                  | '\n'                | rows with a value holding a comma, which   |
// |                          |                           |                     | the joined form could not tell apart       |
// clang-format on
//
// Shared bytes never change, so a row lying in them is pointed at, not copied,
// by its copies (Duplicate, the edit history's snapshots, the rows undo and
// redo bring back), each joined or separated as it was. A store shares one
// such buffer at a time: a file's bytes, a snapshot's, or the bytes a change
// of many rows (Comment out, Set column) wrote when it left no row in the ones before.
// The joined form is exactly the line a save writes. '\n' is a byte no line
// of a file can hold, and neither it nor '\r' is ever stored inside a value.
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
    // The row's values as stored: joined with ", " (or by "\n" when a value holds a comma).
    QByteArrayView storedBytes(qsizetype row) const { return bytesOf(m_rows[size_t(row)]); }
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
        return (r.flags & Shared) ? bytesOf(r) : QByteArrayView();
    }
    // Whether the row's values are the line's pieces split at commas and
    // trimmed of spaces, as if the row had been read from `line` and not changed.
    bool readsAs(qsizetype row, QByteArrayView line) const;

    // Splits a line at every comma and appends its space-trimmed pieces as one row.
    void appendLine(QByteArrayView line, RowId id = 0);
    // Appends the line bytes.sliced(offset, length), which must already read as
    // its values joined with ", " (no spaces around a value but the one after
    // each comma) and hold `valueCount` - 1 commas. The row points into `bytes`
    // instead of copying them, as long as the store shares no other bytes.
    void appendSharedLine(const QByteArray& bytes, qsizetype offset, qsizetype length, qsizetype valueCount,
                          RowId id = 0)
    {
        if (m_shared.constData() != bytes.constData() && !shareBytes(bytes)) {
            appendLine(QByteArrayView(bytes).sliced(offset, length), id);
            return;
        }
        // Joined form: the first value starts at the first byte, no space before it.
        Row r = makeRow(offset, length, shortCount(valueCount), Shared, id);
        if (length > 0 && bytes.constData()[offset] == '#')
            r.flags |= Commented;
        m_liveBytes += length;
        ++m_sharedRows;
        m_rows.push_back(r);
    }
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
    void insertRowOf(qsizetype position, const RowStore& from, qsizetype row)
    {
        m_rows.insert(position, copyOf(from, row));
    }
    // The rows [first, first + count) of `from` at the end. While no row here
    // points into shared bytes, they point into `from`'s bytes (which it shares)
    // instead of copying them.
    void appendRowsOf(const RowStore& from, qsizetype first, qsizetype count);
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
        ValueCursor(const char* data, qsizetype length, bool separated)
            : m_at(data), m_end(data + length), m_mark(separated ? '\n' : ','), m_gap(separated ? 1 : 2)
        {
        }
        bool atEnd() const { return m_at == nullptr; }
        QByteArrayView next();

    private:
        const char* m_at; // null once the last value is taken
        const char* m_end;
        char m_mark;     // the byte ending a value
        qsizetype m_gap; // bytes from a value's end to the next value
    };

    enum RowFlag : quint8 {
        Shared =
            1, // the bytes lie in m_shared (never followed by a line end but in a file's bytes), else in m_buffer
        Separated = 2, // values separated by '\n', else by ", "
        Commented = 4, // first value starts with '#' after spaces: a commented-out line
    };
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
    const char* dataOf(const Row& r) const
    {
        return ((r.flags & Shared) ? m_shared.constData() : m_buffer.constData()) + r.offset();
    }
    QByteArrayView bytesOf(const Row& r) const { return {dataOf(r), qsizetype(r.length)}; }
    ValueCursor valuesOf(const Row& r) const
    {
        return {dataOf(r), qsizetype(r.length), bool(r.flags & Separated)};
    }
    // The values appended to `out` (the buffer, or bytes about to be shared).
    Row store(const QList<QByteArray>& values, RowId id, QByteArray& out);
    Row store(const QList<QByteArray>& values, RowId id) { return store(values, id, m_buffer); }
    // `from`'s row with its bytes appended to the buffer here.
    Row copyOf(const RowStore& from, qsizetype row);
    // Takes `bytes` as the shared bytes unless rows point into others.
    bool shareBytes(const QByteArray& bytes);
    // Whether rows here can point into `bytes`: the shared bytes, or taken as them.
    bool pointsInto(const QByteArray& bytes);
    void forget(const Row& r);
    void compactIfWasteful();

    using Rows = GapArray<Row>;

    QByteArray m_shared; // bytes of a file just read, which rows may point into
    QByteArray m_buffer; // the store's own bytes
    Rows m_rows;
    qint64 m_liveBytes = 0;    // bytes of all rows
    qint64 m_ownLiveBytes = 0; // bytes of the rows in m_buffer
    qsizetype m_sharedRows = 0;
};

} // namespace tarnel
