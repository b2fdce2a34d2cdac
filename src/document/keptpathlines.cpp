#include "document/keptpathlines.h"

#include "document/linediff.h"

namespace tarnel {

KeptPathLines placePathLines(QByteArrayView before, QByteArrayView after)
{
    KeptPathLines placed;
    const QList<QByteArrayView> old = linesOfText(before);
    placed.lines = linesOfText(after);
    const std::vector<qsizetype> match = matchLines(old, placed.lines);
    placed.at.resize(size_t(old.size()));
    // Between two kept lines lie the removed lines and the added ones: the
    // added take the removed lines' places one for one, the rest going with
    // the last; with none removed, they follow the kept line before them.
    qsizetype lastKept = -1;
    qsizetype nextNew = 0;
    for (qsizetype i = 0; i <= old.size(); ++i) {
        if (i < old.size() && match[size_t(i)] < 0)
            continue;
        const qsizetype newEnd = i < old.size() ? match[size_t(i)] : placed.lines.size();
        if (lastKept + 1 < i) {
            for (qsizetype r = lastKept + 1; r < i; ++r) {
                KeptPathLines::At& at = placed.at[size_t(r)];
                at.from = nextNew;
                at.to = r + 1 < i ? qMin(nextNew + 1, newEnd) : newEnd;
                nextNew = at.to;
            }
        } else if (lastKept >= 0) {
            placed.at[size_t(lastKept)].from = nextNew;
            placed.at[size_t(lastKept)].to = newEnd;
        } else {
            placed.leading = newEnd;
        }
        if (i < old.size()) {
            placed.at[size_t(i)].kept = true;
            nextNew = newEnd + 1;
        }
        lastKept = i;
    }
    return placed;
}

} // namespace tarnel
