#include "map/mapfinding.h"

#include "texts/maptexts.h"

namespace tarnel {

QString compilerStyle(const MapFinding& finding)
{
    QString text = finding.path;
    if (finding.line > 0)
        text += u':' + QString::number(finding.line);
    return text + QStringLiteral(": ") +
           (finding.severity == Severity::Error ? texts::mapError : texts::mapWarning) + QStringLiteral(": ") +
           finding.message;
}

} // namespace tarnel
