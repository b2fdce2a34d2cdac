#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace tarnel {

class IdeDocument;

// The seven figures of the statistics panel, caption and value, in panel order.
QList<QPair<QString, QString>> documentStatistics(const IdeDocument& document);

} // namespace tarnel
