#include "map/mapfinding.h"

#include "texts/maptexts.h"

#include <type_traits>

namespace tarnel {

QString compilerStyle(const MapFinding& finding)
{
    const QString& severity = finding.severity == Severity::Error ? texts::mapError : texts::mapWarning;
    QString text;
    text.reserve(finding.path.size() + 24 + severity.size() + finding.message.size());
    putPlace(finding.path, finding.line, severity, [&text](const auto& piece) {
        using Piece = std::decay_t<decltype(piece)>;
        if constexpr (std::is_same_v<Piece, qint64>)
            text += QString::number(piece);
        else if constexpr (std::is_same_v<Piece, char>)
            text += QLatin1Char(piece);
        else
            text += piece;
    });
    text += finding.message;
    return text;
}

} // namespace tarnel
