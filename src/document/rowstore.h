#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <vector>

// Compact storage of a table's rows: the values of all rows live in one byte
// buffer, each row's values separated by '\n' (a byte no line of the file can
// hold), and each row costs one small entry. Values stay the bytes of the file.
class RowStore {
public:
    enum StyleFlag : quint8 { RedText = 1, BoldText = 2 };
    static constexpr quint8 normalStyle = 0;
    static constexpr quint8 commentStyle = RedText | BoldText;

    qsizetype size() const { return qsizetype(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }

    qsizetype valueCount(qsizetype row) const { return m_rows[size_t(row)].valueCount; }
    // The value at `index`, or an empty view when the row is shorter.
    QByteArrayView value(qsizetype row, qsizetype index) const;
    QByteArrayView firstValue(qsizetype row) const;
    QList<QByteArray> values(qsizetype row) const;
    // A row whose first value begins with '#' after leading spaces.
    bool isCommented(qsizetype row) const;

    quint8 style(qsizetype row) const { return m_rows[size_t(row)].style; }
    void setStyle(qsizetype row, quint8 style) { m_rows[size_t(row)].style = style; }

    // Splits a line at every comma and appends its space-trimmed pieces as one row.
    void appendLine(QByteArrayView line, quint8 style = normalStyle);
    void insert(qsizetype position, const QList<QByteArray>& values, quint8 style = normalStyle);
    void append(const QList<QByteArray>& values, quint8 style = normalStyle)
    {
        insert(size(), values, style);
    }
    void replaceValues(qsizetype row, const QList<QByteArray>& values);
    void remove(qsizetype row);
    void move(qsizetype from, qsizetype to);
    void clear();

    // The row as a line of the file: its values joined with ", ".
    void appendJoined(QByteArray& out, qsizetype row) const;
    QByteArray joined(qsizetype row) const;
    // Upper bound of the bytes all rows take when joined, for reserving output.
    qsizetype joinedSizeHint() const { return m_liveBytes * 2 + size() * 2; }

    // Orders the rows by their first value (stable) and returns, for every old
    // position, the row's new position.
    QList<qsizetype> sortByFirstValue();
    // Where a row with this first value goes in a sorted table: after its equals.
    qsizetype sortedPosition(QByteArrayView firstValue) const;
    qsizetype sortedPositionExcluding(qsizetype row) const;
    // Text order of first values: letters compare without case, digits as text.
    static int compareFirstValues(QByteArrayView a, QByteArrayView b);

private:
    struct Row {
        qint64 offset;
        quint32 length;
        quint32 valueCount;
        quint8 style;
    };
    QByteArrayView bytesOf(const Row& r) const { return {m_buffer.constData() + r.offset, r.length}; }
    Row store(const QList<QByteArray>& values, quint8 style);
    void compactIfWasteful();

    QByteArray m_buffer;
    std::vector<Row> m_rows;
    qint64 m_liveBytes = 0;
};
