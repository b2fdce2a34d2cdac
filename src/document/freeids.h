#pragma once

#include <QList>

namespace tarnel {

// A run of consecutive IDs, both ends included.
struct IdBlock {
    qint64 first = 0;
    qint64 last = 0;
    friend bool operator==(const IdBlock&, const IdBlock&) = default;
};

// The range searched when none is given: from the lowest ID used to `count`
// above the highest, so that a run of `count` fits above them (`count` IDs
// from 0 when none is used).
IdBlock defaultIdRange(const QList<qint64>& usedAscending, qint64 count);

// The first `maxBlocks` runs of unused IDs within `range` that hold at least
// `count` IDs, each whole, lowest first. `usedAscending` is sorted; repeats
// are allowed.
QList<IdBlock> freeIdBlocks(const QList<qint64>& usedAscending, qint64 count, IdBlock range, qsizetype maxBlocks);

} // namespace tarnel
