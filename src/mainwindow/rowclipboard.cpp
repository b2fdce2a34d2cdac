#include "mainwindow/rowclipboard.h"

#include "document/copiedlines.h"
#include "mainwindow/sectionview.h"
#include "platform/platform.h"

namespace tarnel {

qsizetype copySelectedRows(const IdeDocument& document, const SectionView& view, Platform& platform)
{
    const QList<qsizetype> rows = view.selectedRowNumbers();
    if (!rows.isEmpty())
        platform.setClipboardText(QString::fromLatin1(rowsAsLines(document, view.kind(), rows)));
    return rows.size();
}

} // namespace tarnel
