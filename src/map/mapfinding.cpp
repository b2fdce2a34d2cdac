#include "map/mapfinding.h"

#include "texts/maptexts.h"

namespace tarnel {

QString compilerStyle(const MapFinding& finding)
{
    const QString& severity = finding.severity == Severity::Error ? texts::mapError : texts::mapWarning;
    QString text;
    text.reserve(finding.path.size() + 24 + severity.size() + finding.message.size());
    text += finding.path;
    if (finding.line > 0) {
        text += u':';
        text += QString::number(finding.line);
    }
    text += QLatin1String(": ");
    text += severity;
    text += QLatin1String(": ");
    text += finding.message;
    return text;
}

} // namespace tarnel
