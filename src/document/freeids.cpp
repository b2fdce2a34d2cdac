#include "document/freeids.h"

#include <algorithm>

namespace tarnel {

IdBlock defaultIdRange(const QList<qint64>& usedAscending, qint64 count)
{
    if (usedAscending.isEmpty())
        return {0, std::max<qint64>(count, 1) - 1};
    return {usedAscending.first(), usedAscending.last() + 1};
}

QList<IdBlock> freeIdBlocks(const QList<qint64>& usedAscending, qint64 count, IdBlock range, qsizetype maxBlocks)
{
    QList<IdBlock> blocks;
    count = std::max<qint64>(count, 1);
    qint64 next = range.first; // the lowest ID not yet known to be used
    const auto offer = [&](qint64 last) {
        if (last >= next && last - next + 1 >= count)
            blocks.append({next, last});
    };
    auto used = std::lower_bound(usedAscending.cbegin(), usedAscending.cend(), range.first);
    for (; used != usedAscending.cend() && *used <= range.last && blocks.size() < maxBlocks; ++used) {
        offer(*used - 1);
        next = std::max(next, *used + 1);
    }
    if (blocks.size() < maxBlocks)
        offer(range.last);
    return blocks;
}

} // namespace tarnel
