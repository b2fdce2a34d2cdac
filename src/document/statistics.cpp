#include "document/statistics.h"

#include "document/idedocument.h"

namespace tarnel {

QList<QPair<QString, QString>> documentStatistics(const IdeDocument& document)
{
    const auto count = [&](LineKind kind) { return QString::number(document.table(kind).rowCount()); };
    return {
        {QStringLiteral("Objects"), count(LineKind::Object)},
        {QStringLiteral("Timed objs"), count(LineKind::TimedObject)},
        {QStringLiteral("Paths"), document.pathText().isEmpty() ? QStringLiteral("NO") : QStringLiteral("YES")},
        {QStringLiteral("Lights"), count(LineKind::Light)},
        {QStringLiteral("Particles"), count(LineKind::Particle)},
        {QStringLiteral("Sun"), count(LineKind::Sun)},
        {QStringLiteral("Ped areas"), count(LineKind::PedArea)},
    };
}

} // namespace tarnel
