#include "document/statistics.h"

#include "document/idedocument.h"
#include "texts/texts.h"

namespace tarnel {

QList<QPair<QString, QString>> documentStatistics(const IdeDocument& document)
{
    const auto count = [&](LineKind kind) { return QString::number(document.table(kind).rowCount()); };
    return {
        {texts::statisticsObjects, count(LineKind::Object)},
        {texts::statisticsTimedObjects, count(LineKind::TimedObject)},
        {texts::statisticsPaths, document.pathText().isEmpty() ? texts::statisticsNo : texts::statisticsYes},
        {texts::statisticsLights, count(LineKind::Light)},
        {texts::statisticsParticles, count(LineKind::Particle)},
        {texts::statisticsSun, count(LineKind::Sun)},
        {texts::statisticsPedAreas, count(LineKind::PedArea)},
    };
}

} // namespace tarnel
