#include "document/freeids.h"

#include <algorithm>
#include <limits>

namespace tarnel {

namespace {

constexpr qint64 highestId = std::numeric_limits<qint64>::max();

} // namespace

IdBlock defaultIdRange(const QList<qint64>& usedAscending, qint64 count)
{
    count = std::max<qint64>(count, 1);
    if (usedAscending.isEmpty())
        return {0, count - 1};
    const qint64 highest = usedAscending.last();
    return {usedAscending.first(), highest > highestId - count ? highestId : highest + count};
}

QList<IdBlock> freeIdBlocks(const QList<qint64>& usedAscending, qint64 count, IdBlock range, qsizetype maxBlocks)
{
    QList<IdBlock> blocks;
    // Lengths are taken unsigned: a run may span the whole number range.
    const quint64 longerThan = quint64(std::max<qint64>(count, 1)) - 1;
    qint64 next = range.first; // the lowest ID not yet known to be used
    const auto offer = [&](qint64 last) {
        if (last >= next && quint64(last) - quint64(next) >= longerThan)
            blocks.append({next, last});
    };
    auto used = std::lower_bound(usedAscending.cbegin(), usedAscending.cend(), range.first);
    for (; used != usedAscending.cend() && *used <= range.last && blocks.size() < maxBlocks; ++used) {
        if (*used > next)
            offer(*used - 1);
        if (*used == highestId) // no ID above it
            return blocks;
        next = std::max(next, *used + 1);
    }
    if (blocks.size() < maxBlocks)
        offer(range.last);
    return blocks;
}

} // namespace tarnel
