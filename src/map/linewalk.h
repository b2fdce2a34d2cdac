#pragma once

#include "document/idetext.h"

#include <QByteArrayView>

#include <array>
#include <bit>
#include <cstring>

namespace tarnel {

// Calls f(line, number) for every line of `bytes` (numbered from 1; CR LF, a
// lone LF and a lone CR each end a line, a last line without an end is read
// too) and returns how many there are. The next CR and LF are found by memchr,
// so long files go at memory speed.
template <typename F> qint64 forEachLine(QByteArrayView bytes, F&& f)
{
    if (bytes.isEmpty())
        return 0;
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    auto find = [end](const char* from, char c) {
        const void* found = std::memchr(from, c, size_t(end - from));
        return found ? static_cast<const char*>(found) : end;
    };
    const char* nextLf = find(at, '\n');
    const char* nextCr = find(at, '\r');
    qint64 number = 0;
    while (at < end) {
        if (nextLf < at)
            nextLf = find(at, '\n');
        if (nextCr < at)
            nextCr = find(at, '\r');
        const char* const lineEnd = std::min(nextLf, nextCr);
        f(QByteArrayView(at, lineEnd - at), ++number);
        at = lineEnd;
        if (at < end && *at == '\r' && at + 1 < end && at[1] == '\n')
            ++at;
        if (at < end)
            ++at;
    }
    return number;
}

// The first comma in [at, end), or end. Eight bytes at a time: the values
// between commas are short, and a call to memchr for each costs more than
// the search itself.
inline const char* nextComma(const char* at, const char* end)
{
    if constexpr (std::endian::native == std::endian::little) {
        constexpr quint64 ones = 0x0101010101010101ULL;
        constexpr quint64 commas = ones * quint8(',');
        for (; end - at >= 8; at += 8) {
            quint64 word;
            std::memcpy(&word, at, sizeof word);
            const quint64 x = word ^ commas; // a zero byte where a comma is
            // The flag of the first zero byte is exact (no borrow reaches it
            // from below); those above it may not be, and are not read.
            const quint64 flags = (x - ones) & ~x & (ones << 7);
            if (flags != 0)
                return at + std::countr_zero(flags) / 8;
        }
    }
    for (; at < end; ++at) {
        if (*at == ',')
            return at;
    }
    return end;
}

// A line's comma-separated values: the first `kept` of them, and how many there are.
struct LineValues {
    static constexpr qsizetype kept = 32;
    std::array<QByteArrayView, kept> values;
    qsizetype count = 0;

    // idetext::forEachValue's rule (pieces between commas, trimmed of
    // spaces) in one pass over the line, which is most of the map's reading.
    void split(QByteArrayView line)
    {
        count = 0;
        const char* at = line.data();
        const char* const end = at + line.size();
        for (;;) {
            const char* const valueEnd = nextComma(at, end);
            if (count < kept)
                values[size_t(count)] = QByteArrayView(at, valueEnd - at);
            ++count;
            if (valueEnd == end)
                return;
            at = valueEnd + 1;
        }
    }
    // The value at `index`, trimmed of spaces (only the values asked for are); empty past the last one kept.
    QByteArrayView at(qsizetype index) const
    {
        return index < std::min(count, kept) ? idetext::trimSpaces(values[size_t(index)]) : QByteArrayView();
    }
};

} // namespace tarnel
