#include "document/rowstore.h"

#include "document/idetext.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace tarnel {

namespace {

constexpr char separator = '\n';
constexpr QByteArrayView joiner = ", ";
constexpr QByteArrayView lineEnd = "\r\n";

const char* findByte(const char* from, const char* end, char c)
{
    if (from >= end)
        return end;
    const void* hit = std::memchr(from, c, size_t(end - from));
    return hit ? static_cast<const char*>(hit) : end;
}

// How many bytes of `bytes` are `c`, eight at a time: a line of a
// megabyte of values is counted each time a cell of it is shown.
qsizetype countByte(QByteArrayView bytes, char c)
{
    constexpr quint64 ones = 0x0101010101010101u;
    constexpr quint64 lows = 0x7f7f7f7f7f7f7f7fu;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    qsizetype count = 0;
    for (; end - p >= 8; p += 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        const quint64 x = word ^ (ones * quint8(c)); // zero bytes where c was
        // The high bit of each byte that is zero, exactly (no borrow between bytes).
        count += std::popcount(~(((x & lows) + lows) | x | lows));
    }
    return count + std::count(p, end, c);
}

// First value begins with '#' after leading spaces; `end` bounds the search.
bool startsWithHash(const char* p, const char* end)
{
    while (p < end && *p == ' ')
        ++p;
    return p < end && *p == '#';
}

} // namespace

QByteArrayView RowStore::ValueCursor::next()
{
    const char* begin = m_at;
    const char* stop = findByte(m_at, m_end, m_mark);
    m_at = stop == m_end ? nullptr : stop + m_gap;
    if (m_trim) {
        while (begin < stop && *begin == ' ')
            ++begin;
        while (stop > begin && stop[-1] == ' ')
            --stop;
    }
    return {begin, stop - begin};
}

QByteArrayView RowStore::value(qsizetype row, qsizetype index) const
{
    if (index < 0)
        return {};
    // Walks to the value without counting the row's values first.
    ValueCursor values = valuesOf(m_rows[size_t(row)]);
    for (qsizetype i = 0; i < index && !values.atEnd(); ++i)
        values.next();
    return values.atEnd() ? QByteArrayView() : values.next();
}

QByteArray RowStore::joinedValues(qsizetype row, qsizetype first, qsizetype count) const
{
    ValueCursor values = valuesOf(m_rows[size_t(row)]);
    for (qsizetype i = 0; i < first && !values.atEnd(); ++i)
        values.next();
    QByteArray text;
    for (qsizetype i = 0; i < count && !values.atEnd(); ++i) {
        if (i > 0)
            text += ", ";
        text += values.next();
    }
    return text;
}

qsizetype RowStore::countValues(const Row& r) const
{
    return countByte(bytesOf(r), (r.flags & Separated) ? separator : ',') + 1;
}

QByteArrayView RowStore::firstValue(qsizetype row) const
{
    return valuesOf(m_rows[size_t(row)]).next();
}

void RowStore::valueViews(qsizetype row, QVarLengthArray<QByteArrayView, 16>& into) const
{
    into.clear();
    for (ValueCursor values = valuesOf(m_rows[size_t(row)]); !values.atEnd();)
        into.append(values.next());
}

QList<QByteArray> RowStore::values(qsizetype row) const
{
    const Row& r = m_rows[size_t(row)];
    QList<QByteArray> result;
    result.reserve(countOf(r));
    for (ValueCursor values = valuesOf(r); !values.atEnd();)
        result.append(values.next().toByteArray());
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

void RowStore::appendLineAsRead(const QByteArray& bytes, qsizetype offset, qsizetype length, qsizetype valueCount,
                                RowId id)
{
    const quint8 slot = sharedSlotFor(bytes);
    if (slot == 0) {
        appendLine(QByteArrayView(bytes).sliced(offset, length), id);
        return;
    }
    const char* const first = bytes.constData() + offset;
    Row r = makeRow(offset, length, shortCount(valueCount), quint8((slot << slotShift) | AsRead), id);
    if (startsWithHash(first, first + length))
        r.flags |= Commented;
    m_liveBytes += length;
    ++m_shared[slot - 1].rows;
    m_rows.push_back(r);
}

quint8 RowStore::slotFor(const QByteArray& bytes)
{
    if (bytes.isNull())
        return 0;
    for (size_t i = 0; i < m_shared.size(); ++i) {
        if (m_shared[i].bytes.constData() == bytes.constData())
            return quint8(i + 1);
    }
    const quint8 slot = freeSlot();
    if (slot != 0)
        m_shared[slot - 1].bytes = bytes;
    return slot;
}

quint8 RowStore::freeSlot()
{
    for (size_t i = 0; i < m_shared.size(); ++i) {
        if (m_shared[i].rows == 0) {
            m_shared[i].bytes = QByteArray();
            return quint8(i + 1);
        }
    }
    if (qsizetype(m_shared.size()) == slotLimit)
        return 0;
    m_shared.emplace_back();
    return quint8(m_shared.size());
}

RowStore::Row RowStore::store(const QList<QByteArray>& values, RowId id, QByteArray& out)
{
    // A comma inside a value would split it when read back from the joined form.
    const bool separated =
        std::any_of(values.cbegin(), values.cend(), [](const QByteArray& v) { return v.contains(','); });
    Row r = makeRow(out.size(), 0, shortCount(qMax<qsizetype>(values.size(), 1)),
                    quint8(separated ? Separated : 0), id);
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0) {
            if (separated)
                out.append(separator);
            else
                out.append(joiner);
        }
        const qsizetype start = out.size();
        out.append(values[i]);
        // A line break inside a value would split the line when saved.
        char* const end = out.data() + out.size();
        for (char* p = out.data() + start; p < end; ++p) {
            if (*p == '\n' || *p == '\r')
                *p = ' ';
        }
    }
    r.length = quint32(out.size() - r.offset());
    const char* first = out.constData() + r.offset();
    if (startsWithHash(first, first + r.length))
        r.flags |= Commented;
    m_liveBytes += r.length;
    m_ownLiveBytes += r.length;
    return r;
}

void RowStore::forget(const Row& r)
{
    m_liveBytes -= r.length;
    if (const quint8 slot = slotOf(r))
        --m_shared[slot - 1].rows;
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
    for (qsizetype row : rows) {
        if (slotOf(m_rows[size_t(row)]) == 0)
            bytes += m_rows[size_t(row)].length;
    }
    // Room for all copies first, so rows in the buffer are copied from where they stay.
    if (m_buffer.capacity() - m_buffer.size() < bytes)
        m_buffer.reserve(qMax(m_buffer.capacity() * 2, m_buffer.size() + bytes));
    for (qsizetype row : rows) {
        Row r = m_rows[size_t(row)];
        r.id = firstId ? firstId++ : 0;
        m_liveBytes += r.length;
        // A copy of a row in the shared bytes, which never change, points there too.
        if (const quint8 slot = slotOf(r)) {
            ++m_shared[slot - 1].rows;
        } else {
            const qint64 offset = m_buffer.size();
            m_buffer.append(dataOf(r), r.length);
            r.setOffset(offset);
            m_ownLiveBytes += r.length;
        }
        m_rows.push_back(r);
    }
}

void RowStore::reserve(qsizetype rows, qsizetype bytes)
{
    m_rows.reserve(size() + rows);
    if (m_buffer.capacity() - m_buffer.size() < bytes)
        m_buffer.reserve(m_buffer.size() + bytes);
}

template <typename At> void RowStore::appendCopiesOf(const RowStore& from, qsizetype count, At at)
{
    if (count <= 0)
        return;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const Row& r = from.m_rows[size_t(at(i))];
        bytes += slotOf(r) ? 0 : r.length;
    }
    reserve(count, bytes);
    SlotMap mapping;
    for (qsizetype i = 0; i < count; ++i)
        m_rows.push_back(copyOf(from, at(i), mapping));
}

void RowStore::appendRowsAt(const RowStore& from, const std::vector<qsizetype>& rows)
{
    appendCopiesOf(from, qsizetype(rows.size()), [&rows](qsizetype i) { return rows[size_t(i)]; });
}

void RowStore::appendRowsOf(const RowStore& from, qsizetype first, qsizetype count)
{
    appendCopiesOf(from, count, [first](qsizetype i) { return first + i; });
}

bool RowStore::shareSlotOf(Row& r, const RowStore& from, SlotMap& mapping)
{
    const quint8 fromSlot = slotOf(r);
    if (fromSlot == 0)
        return false;
    quint8& mapped = mapping[fromSlot];
    if (mapped == unmapped)
        mapped = slotFor(from.m_shared[fromSlot - 1].bytes);
    if (mapped == 0)
        return false;
    setSlot(r, mapped);
    ++m_shared[mapped - 1].rows;
    return true;
}

RowStore::Row RowStore::copyOf(const RowStore& from, qsizetype row, SlotMap& mapping)
{
    Row r = from.m_rows[size_t(row)];
    m_liveBytes += r.length;
    // Shared bytes never change: a row lying in them is pointed at, not copied.
    if (shareSlotOf(r, from, mapping))
        return r;
    const qint64 offset = m_buffer.size();
    m_buffer.append(from.dataOf(r), r.length);
    r.setOffset(offset);
    setSlot(r, 0);
    m_ownLiveBytes += r.length;
    return r;
}

void RowStore::shareOwnBytes()
{
    if (m_ownLiveBytes == 0)
        return;
    const quint8 slot = freeSlot();
    if (slot == 0)
        return;
    SharedBytes& shared = m_shared[slot - 1];
    shared.bytes = std::move(m_buffer);
    m_buffer = QByteArray();
    for (qsizetype i = 0; i < size(); ++i) {
        Row& r = m_rows[size_t(i)];
        if (slotOf(r) == 0) {
            setSlot(r, slot);
            ++shared.rows;
        }
    }
    m_ownLiveBytes = 0;
}

void RowStore::replaceRowsWith(const std::vector<std::pair<qsizetype, qsizetype>>& rows, const RowStore& from)
{
    SlotMap mapping;
    for (const auto& [row, fromRow] : rows) {
        const Row old = m_rows[size_t(row)];
        forget(old);
        Row fresh = copyOf(from, fromRow, mapping);
        fresh.id = old.id;
        m_rows[size_t(row)] = fresh;
    }
    compactIfWasteful();
}

bool RowStore::sameValues(qsizetype row, const RowStore& other, qsizetype otherRow) const
{
    const Row& a = m_rows[size_t(row)];
    const Row& b = other.m_rows[size_t(otherRow)];
    // Equal values are stored the same way, separated exactly when one holds
    // a comma, unless a row is stored as read: then they are compared one by one.
    if ((a.flags | b.flags) & AsRead) {
        ValueCursor mine = valuesOf(a);
        ValueCursor theirs = other.valuesOf(b);
        while (!mine.atEnd() && !theirs.atEnd()) {
            if (mine.next() != theirs.next())
                return false;
        }
        return mine.atEnd() && theirs.atEnd();
    }
    if ((a.flags & Separated) != (b.flags & Separated))
        return false;
    return bytesOf(a) == other.bytesOf(b);
}

template <typename Write> void RowStore::rewriteRows(const QList<qsizetype>& rows, qsizetype bytes, Write write)
{
    const quint8 slot = freeSlot();
    QByteArray fresh;
    QByteArray& out = slot ? fresh : m_buffer;
    // Room for all first, so rows in the buffer are copied from where they stay.
    if (out.capacity() - out.size() < bytes)
        out.reserve(out.size() + bytes);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        Row& r = m_rows[size_t(rows[i])];
        const Row old = r;
        r = write(i, old, out);
        forget(old);
        m_liveBytes += r.length;
        if (slot) {
            setSlot(r, slot);
            ++m_shared[slot - 1].rows;
        } else {
            m_ownLiveBytes += r.length;
        }
    }
    if (slot)
        m_shared[slot - 1].bytes = std::move(fresh);
    compactIfWasteful();
}

void RowStore::replaceValues(const QList<qsizetype>& rows, const QList<QList<QByteArray>>& values)
{
    qsizetype bytes = 0;
    for (const QList<QByteArray>& rowValues : values) {
        for (const QByteArray& value : rowValues)
            bytes += value.size() + 2;
    }
    rewriteRows(rows, bytes, [&](qsizetype i, const Row& old, QByteArray& out) {
        Row r = store(values[i], old.id, out);
        // store() counts the row as the buffer's; rewriteRows counts it where it lies.
        m_liveBytes -= r.length;
        m_ownLiveBytes -= r.length;
        return r;
    });
}

void RowStore::replaceValues(qsizetype row, const QList<QByteArray>& values)
{
    const Row old = m_rows[size_t(row)];
    const Row fresh = store(values, old.id);
    forget(old);
    m_rows[size_t(row)] = fresh;
    compactIfWasteful();
}

bool RowStore::holdsValues(qsizetype row, const QList<QByteArray>& values) const
{
    ValueCursor held = valuesOf(m_rows[size_t(row)]);
    for (const QByteArray& value : values) {
        if (held.atEnd() || held.next() != value)
            return false;
    }
    // An empty list reads back as one empty value.
    return held.atEnd() && !values.isEmpty();
}

void RowStore::prefixRows(const QList<qsizetype>& rows, QByteArrayView prefix)
{
    // A row stored as read is written joined: at most twice its bytes.
    qsizetype bytes = 0;
    for (qsizetype row : rows) {
        const Row& r = m_rows[size_t(row)];
        bytes += ((r.flags & AsRead) ? 2 * r.length : r.length) + prefix.size();
    }
    rewriteRows(rows, bytes, [&](qsizetype i, const Row& old, QByteArray& out) {
        const qint64 offset = out.size();
        out.append(prefix);
        if (old.flags & AsRead)
            appendJoined(out, rows[i]);
        else
            out.append(dataOf(old), old.length);
        const char* first = out.constData() + offset;
        const qsizetype length = out.size() - offset;
        return makeRow(offset, length, old.valueCount,
                       quint8((old.flags & Separated) | (startsWithHash(first, first + length) ? Commented : 0)),
                       old.id);
    });
}

void RowStore::dropCommentMarks(const QList<qsizetype>& rows)
{
    for (qsizetype row : rows) {
        Row& r = m_rows[size_t(row)];
        // The marks end before the first separator, so they are the first value's.
        const qsizetype marks = idetext::commentMarksLength(bytesOf(r));
        r.setOffset(r.offset() + marks);
        r.length -= quint32(marks);
        m_liveBytes -= marks;
        if (slotOf(r) == 0)
            m_ownLiveBytes -= marks;
        const char* first = dataOf(r);
        r.flags = quint8((r.flags & ~Commented) | (startsWithHash(first, first + r.length) ? Commented : 0));
    }
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
    // Room for exactly both parts: growing by doubling would leave a big
    // file's rows and bytes a third more room than they take, for as long as they live.
    m_buffer.reserve(m_buffer.size() + other.m_buffer.size());
    m_rows.reserve(size() + other.size());
    const qint64 base = m_buffer.size();
    m_buffer.append(other.m_buffer);
    const qsizetype first = size();
    m_rows.append(other.m_rows.contiguous(), other.m_rows.size());
    // Each of `other`'s shared buffers is shared here too, or its rows copied.
    SlotMap mapping;
    for (qsizetype i = first; i < size(); ++i) {
        Row& r = m_rows[size_t(i)];
        r.id += idOffset;
        if (slotOf(r) == 0) {
            r.setOffset(r.offset() + base);
        } else if (!shareSlotOf(r, other, mapping)) {
            const qint64 offset = m_buffer.size();
            m_buffer.append(other.dataOf(r), r.length);
            r.setOffset(offset);
            setSlot(r, 0);
            m_ownLiveBytes += r.length;
        }
    }
    m_liveBytes += other.m_liveBytes;
    m_ownLiveBytes += other.m_ownLiveBytes;
    other.clear();
}

// Edits leave their old bytes behind; rewrite the buffer once they outweigh the
// rows. Shared bytes are let go once no row points into them.
void RowStore::compactIfWasteful()
{
    for (SharedBytes& shared : m_shared) {
        if (shared.rows == 0)
            shared.bytes = QByteArray();
    }
    if (m_buffer.size() < 4096 || m_buffer.size() < 2 * m_ownLiveBytes + 1024)
        return;
    QByteArray compacted;
    compacted.reserve(m_ownLiveBytes);
    for (qsizetype i = 0; i < size(); ++i) {
        Row& r = m_rows[size_t(i)];
        if (slotOf(r) != 0)
            continue;
        const qint64 offset = compacted.size();
        compacted.append(bytesOf(r));
        r.setOffset(offset);
    }
    m_buffer.swap(compacted);
}

void RowStore::appendJoined(QByteArray& out, qsizetype row) const
{
    writeJoined(row, [&out](QByteArrayView piece) { out.append(piece); });
}

bool RowStore::readsAs(qsizetype row, QByteArrayView line) const
{
    const Row& r = m_rows[size_t(row)];
    // A row still pointing at the line itself has not changed.
    if (slotOf(r) && dataOf(r) == line.data() && qsizetype(r.length) == line.size())
        return true;
    // One walk over the line's trimmed pieces and the row's values side by side.
    ValueCursor values = valuesOf(r);
    bool same = true;
    idetext::forEachValue(line,
                          [&](QByteArrayView piece) { same = same && !values.atEnd() && values.next() == piece; });
    return same && values.atEnd();
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
    if (!(r.flags & (Separated | AsRead))) {
        out(bytesOf(r));
        return;
    }
    for (ValueCursor values = valuesOf(r);;) {
        out(values.next());
        if (values.atEnd())
            break;
        out(joiner);
    }
}

void RowStore::writeLines(const std::function<void(QByteArrayView)>& out) const
{
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
        if (const quint8 slot = slotOf(r); slot && !(r.flags & AsRead)) {
            // A row still followed by its CR LF in the file's bytes joins the run.
            const QByteArray& shared = m_shared[slot - 1].bytes;
            const char* const sharedEnd = shared.constData() + shared.size();
            const char* begin = shared.constData() + r.offset();
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

} // namespace tarnel
