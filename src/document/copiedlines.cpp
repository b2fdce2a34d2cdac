#include "document/copiedlines.h"

#include "document/idedocument.h"
#include "document/keptlayoutwriter.h"
#include "document/rowlist.h"

namespace tarnel {

QByteArrayView lineEndOf(const IdeDocument& document)
{
    return document.hasFileLayout() ? firstLineEnd(document.fileLayout().bytes) : QByteArrayView("\r\n");
}

QByteArray rowsAsLines(const IdeDocument& document, LineKind kind, QList<qsizetype> rows)
{
    rows = sortedDistinct(std::move(rows));
    const RowStore& store = document.table(kind).rows();
    const QByteArrayView end = lineEndOf(document);
    QByteArray lines;
    for (const qsizetype row : rows) {
        lines.append(store.joinedValues(row, 0, store.valueCount(row)));
        lines.append(end);
    }
    return lines;
}

} // namespace tarnel
