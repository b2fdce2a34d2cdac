#include "mainwindow/rowfilter.h"

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

} // namespace

std::optional<qint64> rowIdNumber(QByteArrayView value)
{
    qsizetype at = 0;
    while (at < value.size() && (value[at] == '#' || value[at] == ' ' || value[at] == '\t'))
        ++at;
    const qsizetype start = at;
    qint64 number = 0;
    while (at < value.size() && value[at] >= '0' && value[at] <= '9' && at - start < 18)
        number = number * 10 + (value[at++] - '0');
    if (at == start)
        return std::nullopt;
    while (at < value.size() && (value[at] == ' ' || value[at] == '\t'))
        ++at;
    return at == value.size() ? std::optional<qint64>(number) : std::nullopt;
}

RowFilter::RowFilter(const QString& text)
{
    const QString trimmed = text.trimmed();
    static const QRegularExpression idPattern(QStringLiteral("^(\\d{1,18})(?:\\s*-\\s*(\\d{1,18}))?$"));
    if (const QRegularExpressionMatch ids = idPattern.match(trimmed); ids.hasMatch()) {
        const qint64 first = ids.captured(1).toLongLong();
        const qint64 last = ids.hasCaptured(2) ? ids.captured(2).toLongLong() : first;
        m_ids = IdRange{std::min(first, last), std::max(first, last)};
        return;
    }
    m_needle = text.toLatin1();
    for (char& c : m_needle)
        c = lower(c);
}

bool RowFilter::matches(const RowStore& rows, qsizetype row) const
{
    if (m_ids) {
        const std::optional<qint64> id = rowIdNumber(rows.firstValue(row));
        return id && *id >= m_ids->first && *id <= m_ids->last;
    }
    return m_needle.isEmpty() || holds(rows.storedBytes(row), m_needle);
}

bool RowFilter::narrows(const RowFilter& wider) const
{
    if (wider.isEmpty())
        return true;
    if (m_ids || wider.m_ids) {
        return m_ids && wider.m_ids && m_ids->first >= wider.m_ids->first && m_ids->last <= wider.m_ids->last;
    }
    return m_needle.contains(wider.m_needle);
}

} // namespace tarnel
