#pragma once

#include "document/idetext.h"

#include <QByteArrayView>

#include <array>
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

// A line's comma-separated values: the first `kept` of them, and how many there are.
struct LineValues {
    static constexpr qsizetype kept = 32;
    std::array<QByteArrayView, kept> values;
    qsizetype count = 0;

    // idetext::forEachValue's rule (pieces between commas, trimmed of
    // spaces) in one pass over the line, which is most of the map's reading.
    // Each comma is found by memchr, not a byte at a time.
    void split(QByteArrayView line)
    {
        count = 0;
        const char* at = line.data();
        const char* const end = at + line.size();
        for (;;) {
            const void* comma = at < end ? std::memchr(at, ',', size_t(end - at)) : nullptr;
            const char* const valueEnd = comma ? static_cast<const char*>(comma) : end;
            if (count < kept)
                values[size_t(count)] = QByteArrayView(at, valueEnd - at);
            ++count;
            if (!comma)
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
