#pragma once

#include <QList>

class QWidget;

namespace tarnel {

class DocumentIds;

// After a load, the document's ID index is built again once one of `views`
// has painted the new content (or a moment later if none does), so a big
// file shows at once and its marks follow.
void buildIdsAfterPaintOf(DocumentIds& ids, const QList<QWidget*>& views);

} // namespace tarnel
