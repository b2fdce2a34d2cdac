#include "document/rowstore.h"

#include "document/idetext.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

constexpr char separator = '\n';

char foldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

} // namespace

QByteArrayView RowStore::value(qsizetype row, qsizetype index) const
{
    const Row& r = m_rows[size_t(row)];
    if (index < 0 || index >= qsizetype(r.valueCount))
        return {};
    const QByteArrayView bytes = bytesOf(r);
    qsizetype start = 0;
    for (qsizetype i = 0; i < index; ++i)
        start = bytes.indexOf(separator, start) + 1;
    const qsizetype end = bytes.indexOf(separator, start);
    return bytes.sliced(start, (end < 0 ? bytes.size() : end) - start);
}

QByteArrayView RowStore::firstValue(qsizetype row) const
{
    const QByteArrayView bytes = bytesOf(m_rows[size_t(row)]);
    const qsizetype end = bytes.indexOf(separator);
    return end < 0 ? bytes : bytes.first(end);
}

QList<QByteArray> RowStore::values(qsizetype row) const
{
    const Row& r = m_rows[size_t(row)];
    QList<QByteArray> result;
    result.reserve(r.valueCount);
    const QByteArrayView bytes = bytesOf(r);
    qsizetype start = 0;
    for (quint32 i = 0; i < r.valueCount; ++i) {
        qsizetype end = bytes.indexOf(separator, start);
        if (end < 0)
            end = bytes.size();
        result.append(bytes.sliced(start, end - start).toByteArray());
        start = end + 1;
    }
    return result;
}

bool RowStore::isCommented(qsizetype row) const
{
    return idetext::isCommented(firstValue(row));
}

void RowStore::appendLine(QByteArrayView line, quint8 style)
{
    Row r{m_buffer.size(), 0, 0, style};
    idetext::forEachValue(line, [&](QByteArrayView value) {
        if (r.valueCount > 0)
            m_buffer.append(separator);
        m_buffer.append(value);
        ++r.valueCount;
    });
    r.length = quint32(m_buffer.size() - r.offset);
    m_liveBytes += r.length;
    m_rows.push_back(r);
}

RowStore::Row RowStore::store(const QList<QByteArray>& values, quint8 style)
{
    Row r{m_buffer.size(), 0, quint32(qMax<qsizetype>(values.size(), 1)), style};
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            m_buffer.append(separator);
        const qsizetype start = m_buffer.size();
        m_buffer.append(values[i]);
        // A line break inside a value would split the line when saved.
        for (qsizetype k = start; k < m_buffer.size(); ++k) {
            if (m_buffer[k] == '\n' || m_buffer[k] == '\r')
                m_buffer[k] = ' ';
        }
    }
    r.length = quint32(m_buffer.size() - r.offset);
    m_liveBytes += r.length;
    return r;
}

void RowStore::insert(qsizetype position, const QList<QByteArray>& values, quint8 style)
{
    m_rows.insert(m_rows.begin() + position, store(values, style));
}

void RowStore::replaceValues(qsizetype row, const QList<QByteArray>& values)
{
    Row& old = m_rows[size_t(row)];
    m_liveBytes -= old.length;
    const Row fresh = store(values, old.style);
    m_rows[size_t(row)] = fresh;
    compactIfWasteful();
}

void RowStore::remove(qsizetype row)
{
    m_liveBytes -= m_rows[size_t(row)].length;
    m_rows.erase(m_rows.begin() + row);
    compactIfWasteful();
}

void RowStore::move(qsizetype from, qsizetype to)
{
    if (from == to)
        return;
    const auto first = m_rows.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

void RowStore::clear()
{
    m_buffer.clear();
    m_rows.clear();
    m_liveBytes = 0;
}

// Edits leave their old bytes behind; rewrite the buffer once they outweigh the rows.
void RowStore::compactIfWasteful()
{
    if (m_buffer.size() < 4096 || m_buffer.size() < 2 * m_liveBytes + 1024)
        return;
    QByteArray compacted;
    compacted.reserve(m_liveBytes + qsizetype(m_rows.size()));
    for (Row& r : m_rows) {
        const qint64 offset = compacted.size();
        compacted.append(bytesOf(r));
        r.offset = offset;
    }
    m_buffer.swap(compacted);
}

void RowStore::appendJoined(QByteArray& out, qsizetype row) const
{
    const QByteArrayView bytes = bytesOf(m_rows[size_t(row)]);
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end) {
        const char* next = static_cast<const char*>(std::memchr(p, separator, size_t(end - p)));
        if (!next) {
            out.append(p, end - p);
            break;
        }
        out.append(p, next - p);
        out.append(", ", 2);
        p = next + 1;
    }
}

QByteArray RowStore::joined(qsizetype row) const
{
    QByteArray out;
    appendJoined(out, row);
    return out;
}

int RowStore::compareFirstValues(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const uchar ca = uchar(foldCase(a[i]));
        const uchar cb = uchar(foldCase(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    // Keys that differ only in case are equal, so such rows keep their order.
    return 0;
}

QList<qsizetype> RowStore::sortByFirstValue()
{
    const qsizetype n = size();
    std::vector<QByteArrayView> keys(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i)
        keys[size_t(i)] = firstValue(i);
    std::vector<qsizetype> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](qsizetype x, qsizetype y) {
        return compareFirstValues(keys[size_t(x)], keys[size_t(y)]) < 0;
    });
    QList<qsizetype> newPositions(n);
    std::vector<Row> sorted(static_cast<size_t>(n));
    for (qsizetype pos = 0; pos < n; ++pos) {
        const qsizetype old = order[size_t(pos)];
        sorted[size_t(pos)] = m_rows[size_t(old)];
        newPositions[old] = pos;
    }
    m_rows.swap(sorted);
    return newPositions;
}

qsizetype RowStore::sortedPosition(QByteArrayView key) const
{
    qsizetype low = 0;
    qsizetype high = size();
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        if (compareFirstValues(key, firstValue(mid)) < 0)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

qsizetype RowStore::sortedPositionExcluding(qsizetype row) const
{
    const QByteArrayView key = firstValue(row);
    // Search the table as if the row were not in it, then map back.
    qsizetype low = 0;
    qsizetype high = size() - 1;
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        const qsizetype actual = mid < row ? mid : mid + 1;
        if (compareFirstValues(key, firstValue(actual)) < 0)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}
