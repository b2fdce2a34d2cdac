#include "document/rowlist.h"

#include <algorithm>

namespace tarnel {

QList<qsizetype> sortedDistinct(QList<qsizetype> rows)
{
    // A selection mostly comes in order already.
    if (!std::is_sorted(rows.cbegin(), rows.cend()))
        std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QList<qsizetype> sortedDistinctIn(QList<qsizetype> rows, qsizetype rowCount)
{
    rows.removeIf([rowCount](qsizetype row) { return row < 0 || row >= rowCount; });
    return sortedDistinct(std::move(rows));
}

} // namespace tarnel
