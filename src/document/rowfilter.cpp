#include "document/rowfilter.h"

#include "document/idindex.h"
#include "document/rowstore.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace tarnel {

namespace {

// Latin-1 lower case, byte by byte.
constexpr std::array<char, 256> lowerTable = [] {
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const bool upper = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
        table[size_t(c)] = char(upper ? c + 0x20 : c);
    }
    return table;
}();

char lower(char c)
{
    return lowerTable[uchar(c)];
}

bool holds(QByteArrayView haystack, const QByteArray& needle)
{
    if (needle.size() > haystack.size())
        return false;
    const char first = needle.front();
    const qsizetype lastStart = haystack.size() - needle.size();
    for (qsizetype at = 0; at <= lastStart; ++at) {
        if (lower(haystack[at]) != first)
            continue;
        qsizetype k = 1;
        while (k < needle.size() && lower(haystack[at + k]) == needle[k])
            ++k;
        if (k == needle.size())
            return true;
    }
    return false;
}

// Whether `value` reads as the whole number `number`: digits, spaces around,
// a fraction of zeros allowed ("300.0").
bool readsAsNumber(QByteArrayView value, qint64 number)
{
    qsizetype at = 0;
    while (at < value.size() && value[at] == ' ')
        ++at;
    const qsizetype start = at;
    qint64 read = 0;
    while (at < value.size() && value[at] >= '0' && value[at] <= '9' && at - start < 18)
        read = read * 10 + (value[at++] - '0');
    if (at == start || read != number)
        return false;
    if (at < value.size() && value[at] == '.') {
        ++at;
        while (at < value.size() && value[at] == '0')
            ++at;
    }
    while (at < value.size() && value[at] == ' ')
        ++at;
    return at == value.size();
}

// Whether any value of the row reads as `number`, from its stored bytes in one walk.
bool anyValueReads(const RowStore& rows, qsizetype row, qint64 number, const QByteArray& digits)
{
    const QByteArrayView bytes = rows.storedBytes(row);
    // Most rows hold the digits nowhere: one search turns them away.
    if (!bytes.contains(QByteArrayView(digits)))
        return false;
    if (rows.valueCount(row) <= 1)
        return readsAsNumber(bytes, number);
    // Values holding a comma are stored one a line.
    const char separator = bytes.contains('\n') ? '\n' : ',';
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf(separator, start);
        if (end < 0)
            end = bytes.size();
        if (readsAsNumber(bytes.sliced(start, end - start), number))
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

RowFilter::RowFilter(const QString& text)
{
    const QString trimmed = text.trimmed();
    static const QRegularExpression idPattern(QStringLiteral("^(\\d{1,18})(?:\\s*-\\s*(\\d{1,18}))?$"));
    if (const QRegularExpressionMatch ids = idPattern.match(trimmed); ids.hasMatch()) {
        const qint64 first = ids.captured(1).toLongLong();
        const qint64 last = ids.hasCaptured(2) ? ids.captured(2).toLongLong() : first;
        m_ids = IdRange{std::min(first, last), std::max(first, last)};
        m_anyValue = !ids.hasCaptured(2);
        m_digits = QByteArray::number(first);
        return;
    }
    m_needle = text.toLatin1();
    for (char& c : m_needle)
        c = lower(c);
}

bool RowFilter::matches(const RowStore& rows, qsizetype row) const
{
    if (m_ids)
        return matchesId(rows, row) || (m_anyValue && anyValueReads(rows, row, m_ids->first, m_digits));
    if (m_needle.isEmpty())
        return true;
    // The text searched is the joined form, however the row's bytes are stored.
    if (rows.storedAsRead(row))
        return holds(rows.joined(row), m_needle);
    return holds(rows.storedBytes(row), m_needle);
}

bool RowFilter::matchesId(const RowStore& rows, qsizetype row) const
{
    if (!m_ids)
        return false;
    const std::optional<qint64> id = rowIdOf(rows.firstValue(row));
    return id && *id >= m_ids->first && *id <= m_ids->last;
}

bool RowFilter::narrows(const RowFilter& wider) const
{
    if (wider.isEmpty())
        return true;
    if (m_ids || wider.m_ids) {
        return m_ids && wider.m_ids && m_ids->first >= wider.m_ids->first && m_ids->last <= wider.m_ids->last &&
               (wider.m_anyValue || !m_anyValue);
    }
    return m_needle.contains(wider.m_needle);
}

} // namespace tarnel
