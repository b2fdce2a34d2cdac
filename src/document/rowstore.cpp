#include "document/rowstore.h"

#include "document/idetext.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char separator = '\n';
constexpr QByteArrayView joiner = ", ";
constexpr QByteArrayView lineEnd = "\r\n";

char foldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

const char* findByte(const char* from, const char* end, char c)
{
    if (from >= end)
        return end;
    const void* hit = std::memchr(from, c, size_t(end - from));
    return hit ? static_cast<const char*>(hit) : end;
}

// First value begins with '#' after leading spaces; `end` bounds the search.
bool startsWithHash(const char* p, const char* end)
{
    while (p < end && *p == ' ')
        ++p;
    return p < end && *p == '#';
}

// The first eight bytes of a key, case folded, as one number: keys whose
// numbers differ compare the same way as the numbers.
quint64 keyPrefix(QByteArrayView key)
{
    quint64 prefix = 0;
    const qsizetype n = qMin<qsizetype>(key.size(), 8);
    for (qsizetype i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < n ? uchar(foldCase(key[i])) : 0u);
    return prefix;
}

} // namespace

QByteArrayView RowStore::value(qsizetype row, qsizetype index) const
{
    const Row& r = m_rows[size_t(row)];
    if (index < 0 || index >= countOf(r))
        return {};
    const char* p = dataOf(r);
    const char* const end = p + r.length;
    const bool separated = r.flags & Separated;
    const char mark = separated ? separator : ',';
    const qsizetype skip = separated ? 1 : joiner.size();
    for (qsizetype i = 0; i < index; ++i)
        p = findByte(p, end, mark) + skip;
    return QByteArrayView(p, findByte(p, end, mark) - p);
}

qsizetype RowStore::countValues(const Row& r) const
{
    const QByteArrayView bytes = bytesOf(r);
    return bytes.count((r.flags & Separated) ? separator : ',') + 1;
}

QByteArrayView RowStore::firstValue(qsizetype row) const
{
    const Row& r = m_rows[size_t(row)];
    const char* p = dataOf(r);
    return QByteArrayView(p, findByte(p, p + r.length, (r.flags & Separated) ? separator : ',') - p);
}

QList<QByteArray> RowStore::values(qsizetype row) const
{
    const Row& r = m_rows[size_t(row)];
    QList<QByteArray> result;
    const qsizetype count = countOf(r);
    result.reserve(count);
    const char* p = dataOf(r);
    const char* const end = p + r.length;
    const bool separated = r.flags & Separated;
    const char mark = separated ? separator : ',';
    const qsizetype skip = separated ? 1 : joiner.size();
    for (qsizetype i = 0; i < count; ++i) {
        const char* stop = findByte(p, end, mark);
        result.append(QByteArray(p, stop - p));
        p = stop + skip;
    }
    return result;
}

void RowStore::appendLine(QByteArrayView line, RowId id)
{
    // The joined form is at most one byte longer per comma than the line.
    const qsizetype start = m_buffer.size();
    const qsizetype room = 2 * line.size() + 1;
    if (m_buffer.capacity() - start < room) {
        m_buffer.reserve(qMax(m_buffer.capacity() * 2, start + room));
        preferHugePages(m_buffer.data() + start, m_buffer.capacity() - start);
    }
    m_buffer.resize(start + room);
    char* const first = m_buffer.data() + start;
    char* out = first;
    quint32 count = 0;
    const char* p = line.data();
    const char* const end = p + line.size();
    for (;;) {
        while (p < end && *p == ' ')
            ++p;
        const char* comma = findByte(p, end, ',');
        const char* stop = comma;
        while (stop > p && stop[-1] == ' ')
            --stop;
        std::memcpy(out, p, size_t(stop - p));
        out += stop - p;
        ++count;
        if (comma == end)
            break;
        *out++ = ',';
        *out++ = ' ';
        p = comma + 1;
    }
    const qsizetype length = out - first;
    m_buffer.resize(start + length);
    Row r = makeRow(start, length, shortCount(count), 0, id);
    if (length > 0 && *first == '#')
        r.flags |= Commented;
    m_liveBytes += length;
    m_ownLiveBytes += length;
    m_rows.push_back(r);
}

bool RowStore::shareBytes(const QByteArray& bytes)
{
    if (m_sharedRows > 0)
        return false; // rows point into other bytes already: copy this one
    m_shared = bytes;
    return true;
}

RowStore::Row RowStore::store(const QList<QByteArray>& values, RowId id)
{
    // A comma inside a value would split it when read back from the joined form.
    const bool separated = std::any_of(values.cbegin(), values.cend(),
                                       [](const QByteArray& v) { return v.contains(','); });
    Row r = makeRow(m_buffer.size(), 0, shortCount(qMax<qsizetype>(values.size(), 1)),
                    quint8(separated ? Separated : 0), id);
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0) {
            if (separated)
                m_buffer.append(separator);
            else
                m_buffer.append(joiner);
        }
        const qsizetype start = m_buffer.size();
        m_buffer.append(values[i]);
        // A line break inside a value would split the line when saved.
        for (qsizetype k = start; k < m_buffer.size(); ++k) {
            if (m_buffer[k] == '\n' || m_buffer[k] == '\r')
                m_buffer[k] = ' ';
        }
    }
    r.length = quint32(m_buffer.size() - r.offset());
    const char* first = m_buffer.constData() + r.offset();
    if (startsWithHash(first, first + r.length))
        r.flags |= Commented;
    m_liveBytes += r.length;
    m_ownLiveBytes += r.length;
    return r;
}

void RowStore::forget(const Row& r)
{
    m_liveBytes -= r.length;
    if (r.flags & Shared)
        --m_sharedRows;
    else
        m_ownLiveBytes -= r.length;
}

void RowStore::insert(qsizetype position, const QList<QByteArray>& values, RowId id)
{
    m_rows.insert(position, store(values, id));
}

void RowStore::appendCopies(const QList<qsizetype>& rows, RowId firstId)
{
    qsizetype bytes = 0;
    for (qsizetype row : rows)
        bytes += m_rows[size_t(row)].length;
    // Room for all copies first, so rows in the buffer are copied from where they stay.
    if (m_buffer.capacity() - m_buffer.size() < bytes)
        m_buffer.reserve(qMax(m_buffer.capacity() * 2, m_buffer.size() + bytes));
    for (qsizetype row : rows) {
        Row r = m_rows[size_t(row)];
        const qint64 offset = m_buffer.size();
        m_buffer.append(dataOf(r), r.length);
        r.setOffset(offset);
        r.flags &= quint8(~Shared);
        r.id = firstId ? firstId++ : 0;
        m_liveBytes += r.length;
        m_ownLiveBytes += r.length;
        m_rows.push_back(r);
    }
}

void RowStore::reserve(qsizetype rows, qsizetype bytes)
{
    m_rows.reserve(size() + rows);
    if (m_buffer.capacity() - m_buffer.size() < bytes)
        m_buffer.reserve(m_buffer.size() + bytes);
}

RowStore::Row RowStore::copyOf(const RowStore& from, qsizetype row)
{
    Row r = from.m_rows[size_t(row)];
    const qint64 offset = m_buffer.size();
    m_buffer.append(from.dataOf(r), r.length);
    r.setOffset(offset);
    r.flags &= quint8(~Shared);
    m_liveBytes += r.length;
    m_ownLiveBytes += r.length;
    return r;
}

void RowStore::appendRowsOf(const RowStore& from, qsizetype first, qsizetype count)
{
    if (count <= 0)
        return;
    // Rows of a store that shares nothing all lie in its buffer, which no
    // edit changes once made (a snapshot's): point into it.
    if (m_sharedRows > 0 || from.m_sharedRows > 0) {
        qsizetype bytes = 0;
        for (qsizetype i = first; i < first + count; ++i)
            bytes += from.m_rows[size_t(i)].length;
        reserve(count, bytes);
        for (qsizetype i = first; i < first + count; ++i)
            appendRowOf(from, i);
        return;
    }
    m_shared = from.m_buffer;
    m_rows.reserve(size() + count);
    for (qsizetype i = first; i < first + count; ++i) {
        Row r = from.m_rows[size_t(i)];
        r.flags |= Shared;
        m_liveBytes += r.length;
        m_rows.push_back(r);
    }
    m_sharedRows += count;
}

void RowStore::replaceRowWith(qsizetype row, const RowStore& from, qsizetype fromRow)
{
    const Row old = m_rows[size_t(row)];
    Row fresh = copyOf(from, fromRow);
    fresh.id = old.id;
    forget(old);
    m_rows[size_t(row)] = fresh;
    compactIfWasteful();
}

bool RowStore::sameValues(qsizetype row, const RowStore& other, qsizetype otherRow) const
{
    const Row& a = m_rows[size_t(row)];
    const Row& b = other.m_rows[size_t(otherRow)];
    // Equal values are stored the same way: separated exactly when one holds a comma.
    if ((a.flags & Separated) != (b.flags & Separated))
        return false;
    return bytesOf(a) == other.bytesOf(b);
}

void RowStore::replaceValues(qsizetype row, const QList<QByteArray>& values)
{
    const Row old = m_rows[size_t(row)];
    const Row fresh = store(values, old.id);
    forget(old);
    m_rows[size_t(row)] = fresh;
    compactIfWasteful();
}

void RowStore::removeRows(const QList<qsizetype>& rows)
{
    // Bottom up: the room of the gap buffer then moves down once over the table.
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        forget(m_rows[size_t(*it)]);
        m_rows.erase(*it);
    }
    compactIfWasteful();
}

void RowStore::move(qsizetype from, qsizetype to)
{
    if (from == to)
        return;
    const Row r = m_rows[size_t(from)];
    m_rows.erase(from);
    m_rows.insert(to, r);
}

void RowStore::clear()
{
    m_shared.clear();
    m_buffer.clear();
    m_rows.clear();
    m_liveBytes = 0;
    m_ownLiveBytes = 0;
    m_sharedRows = 0;
}

void RowStore::appendRows(RowStore&& other, RowId idOffset)
{
    if (other.isEmpty())
        return;
    if (isEmpty() && m_buffer.isEmpty()) {
        *this = std::move(other);
        other.clear();
        if (idOffset != 0) {
            for (qsizetype i = 0; i < size(); ++i)
                m_rows[size_t(i)].id += idOffset;
        }
        return;
    }
    const bool sameShared = other.m_sharedRows == 0 || m_sharedRows == 0 ||
                            m_shared.constData() == other.m_shared.constData();
    if (sameShared && other.m_sharedRows > 0)
        m_shared = other.m_shared;
    const qint64 base = m_buffer.size();
    m_buffer.append(other.m_buffer);
    const qsizetype first = size();
    m_rows.append(other.m_rows.contiguous(), other.m_rows.size());
    for (qsizetype i = first; i < size(); ++i) {
        Row& r = m_rows[size_t(i)];
        r.id += idOffset;
        if (!(r.flags & Shared)) {
            r.setOffset(r.offset() + base);
        } else if (!sameShared) {
            // Rows pointing into other bytes than ours get their own copy.
            const qint64 offset = m_buffer.size();
            m_buffer.append(other.m_shared.constData() + r.offset(), r.length);
            r.setOffset(offset);
            r.flags &= quint8(~Shared);
            m_ownLiveBytes += r.length;
            --other.m_sharedRows;
        }
    }
    m_liveBytes += other.m_liveBytes;
    m_ownLiveBytes += other.m_ownLiveBytes;
    m_sharedRows += other.m_sharedRows;
    other.clear();
}

// Edits leave their old bytes behind; rewrite the buffer once they outweigh the
// rows. Shared bytes are let go once no row points into them.
void RowStore::compactIfWasteful()
{
    if (m_sharedRows == 0 && !m_shared.isNull())
        m_shared = QByteArray();
    if (m_buffer.size() < 4096 || m_buffer.size() < 2 * m_ownLiveBytes + 1024)
        return;
    QByteArray compacted;
    compacted.reserve(m_ownLiveBytes);
    for (qsizetype i = 0; i < size(); ++i) {
        Row& r = m_rows[size_t(i)];
        if (r.flags & Shared)
            continue;
        const qint64 offset = compacted.size();
        compacted.append(bytesOf(r));
        r.setOffset(offset);
    }
    m_buffer.swap(compacted);
}

void RowStore::appendJoined(QByteArray& out, qsizetype row) const
{
    const Row& r = m_rows[size_t(row)];
    if (!(r.flags & Separated)) {
        out.append(bytesOf(r));
        return;
    }
    const char* p = dataOf(r);
    const char* const end = p + r.length;
    for (;;) {
        const char* next = findByte(p, end, separator);
        out.append(p, next - p);
        if (next == end)
            break;
        out.append(joiner);
        p = next + 1;
    }
}

bool RowStore::readsAs(qsizetype row, QByteArrayView line) const
{
    const Row& r = m_rows[size_t(row)];
    // A row still pointing at the line itself has not changed.
    if ((r.flags & Shared) && dataOf(r) == line.data() && qsizetype(r.length) == line.size())
        return true;
    // One walk over the line's trimmed pieces and the row's bytes side by side:
    // the row's values are separated by ", " (no value holds a comma) or by '\n'.
    const bool separated = r.flags & Separated;
    const char* q = dataOf(r);
    const char* const end = q + r.length;
    bool same = true;
    bool first = true;
    idetext::forEachValue(line, [&](QByteArrayView piece) {
        const auto take = [&](QByteArrayView expected) {
            same = same && QByteArrayView(q, end - q).startsWith(expected);
            if (same)
                q += expected.size();
        };
        if (!first)
            take(separated ? QByteArrayView(&separator, 1) : joiner);
        first = false;
        take(piece);
    });
    return same && q == end;
}

QByteArray RowStore::joined(qsizetype row) const
{
    QByteArray out;
    appendJoined(out, row);
    return out;
}

void RowStore::writeJoined(qsizetype row, const std::function<void(QByteArrayView)>& out) const
{
    const Row& r = m_rows[size_t(row)];
    if (!(r.flags & Separated)) {
        out(bytesOf(r));
        return;
    }
    const char* p = dataOf(r);
    const char* const end = p + r.length;
    for (;;) {
        const char* next = findByte(p, end, separator);
        out(QByteArrayView(p, next - p));
        if (next == end)
            break;
        out(joiner);
        p = next + 1;
    }
}

void RowStore::writeLines(const std::function<void(QByteArrayView)>& out) const
{
    const char* const sharedEnd = m_shared.constData() + m_shared.size();
    const char* runStart = nullptr;
    const char* runEnd = nullptr;
    const auto flush = [&] {
        if (runStart) {
            out(QByteArrayView(runStart, runEnd - runStart));
            runStart = nullptr;
        }
    };
    for (qsizetype i = 0; i < size(); ++i) {
        const Row& r = m_rows[size_t(i)];
        if (r.flags & Shared) {
            // A row still followed by its CR LF in the file's bytes joins the run.
            const char* begin = m_shared.constData() + r.offset();
            const char* end = begin + r.length;
            if (sharedEnd - end >= 2 && end[0] == '\r' && end[1] == '\n') {
                if (runStart && begin == runEnd) {
                    runEnd = end + 2;
                } else {
                    flush();
                    runStart = begin;
                    runEnd = end + 2;
                }
                continue;
            }
        }
        flush();
        writeJoined(i, out);
        out(lineEnd);
    }
    flush();
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
    return reorder(sortedOrder());
}

void RowStore::sortRowsByFirstValue()
{
    const QList<qsizetype> order = sortedOrder();
    PodArray<Row> sorted(size());
    for (qsizetype pos = 0; pos < size(); ++pos)
        sorted[size_t(pos)] = m_rows[size_t(order[pos])];
    m_rows = Rows(std::move(sorted));
}

QList<qsizetype> RowStore::reorder(const QList<qsizetype>& order)
{
    const qsizetype n = size();
    QList<qsizetype> newPositions(n);
    PodArray<Row> moved(n);
    for (qsizetype pos = 0; pos < n; ++pos) {
        moved[size_t(pos)] = m_rows[size_t(order[pos])];
        newPositions[order[pos]] = pos;
    }
    m_rows = Rows(std::move(moved));
    return newPositions;
}

QList<qsizetype> RowStore::sortedOrder() const
{
    const qsizetype n = size();
    if (n < 2)
        return QList<qsizetype>(n, 0);
    // Each key's first eight bytes, case folded, as one number: keys whose
    // numbers differ compare as the numbers do, so a radix sort over those
    // bytes orders nearly every table; runs of equal numbers are then ordered
    // by the whole key where needed. Both steps are stable.
    struct Key {
        quint64 prefix;
        quint32 row;
        quint32 length;
    };
    PodArray<Key> keys(n);
    std::array<std::array<qsizetype, 256>, 8> counts{}; // of each byte value at each place
    for (qsizetype i = 0; i < n; ++i) {
        const QByteArrayView first = firstValue(i);
        const quint64 prefix = keyPrefix(first);
        keys[size_t(i)] = Key{prefix, quint32(i), quint32(qMin<qsizetype>(first.size(), 0xffffffff))};
        for (int place = 0; place < 8; ++place)
            ++counts[size_t(place)][(prefix >> (8 * place)) & 0xff];
    }
    PodArray<Key> spare(n);
    for (int place = 0; place < 8; ++place) {
        std::array<qsizetype, 256>& starts = counts[size_t(place)];
        if (std::find(starts.begin(), starts.end(), n) != starts.end())
            continue; // every key has the same byte here
        qsizetype at = 0;
        for (qsizetype& count : starts) {
            const qsizetype c = count;
            count = at;
            at += c;
        }
        const int shift = 8 * place;
        for (const Key& key : keys)
            spare[size_t(starts[(key.prefix >> shift) & 0xff]++)] = key;
        keys.swap(spare);
    }
    spare.clear();
    const auto before = [this](const Key& x, const Key& y) {
        if (x.length > 8 || y.length > 8)
            return compareFirstValues(firstValue(x.row), firstValue(y.row)) < 0;
        // Equal up to the shorter one, which the longer one continues with NULs.
        return x.length < y.length;
    };
    for (qsizetype i = 0; i < n;) {
        qsizetype j = i + 1;
        bool decide = false;
        while (j < n && keys[size_t(j)].prefix == keys[size_t(i)].prefix) {
            decide = decide || keys[size_t(j)].length > 8 || keys[size_t(j)].length != keys[size_t(i)].length;
            ++j;
        }
        if (decide || (j - i > 1 && keys[size_t(i)].length > 8))
            std::stable_sort(keys.begin() + i, keys.begin() + j, before);
        i = j;
    }
    QList<qsizetype> order(n);
    for (qsizetype pos = 0; pos < n; ++pos)
        order[pos] = keys[size_t(pos)].row;
    return order;
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
