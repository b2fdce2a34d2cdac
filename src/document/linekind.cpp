#include "document/linekind.h"

namespace tarnel {

int fieldCountOf(LineKind kind)
{
    switch (kind) {
    case LineKind::Object: return 6;
    case LineKind::TimedObject: return 8;
    case LineKind::Light: return 20;
    case LineKind::Sun: return 9;
    case LineKind::Particle: return 14;
    case LineKind::PedArea: return 16;
    }
    Q_UNREACHABLE();
    return 0;
}

std::optional<LineKind> kindWithFieldCount(qsizetype fieldCount)
{
    // Every kind has a field count of its own (see fieldCountOf).
    switch (fieldCount) {
    case 6: return LineKind::Object;
    case 8: return LineKind::TimedObject;
    case 20: return LineKind::Light;
    case 9: return LineKind::Sun;
    case 14: return LineKind::Particle;
    case 16: return LineKind::PedArea;
    default: return std::nullopt;
    }
}

std::optional<LineKind> effectKindWithFieldCount(qsizetype fieldCount)
{
    const auto kind = kindWithFieldCount(fieldCount);
    if (kind && *kind != LineKind::Object && *kind != LineKind::TimedObject)
        return kind;
    return std::nullopt;
}

const QStringList& fieldNamesOf(LineKind kind)
{
    static const QStringList objects = {"ID", "Name", "Texture Pack", "Object count", "Draw Dis", "Parameters"};
    static const QStringList timed = {"ID",       "Name",       "Texture Pack", "Object Count",
                                      "Draw Dis", "Parameters", "Time On",      "Time Off"};
    static const QStringList lights = {"ID",          "X",        "Y",          "Z",         "R",
                                       "G",           "B",        "?1",         "?2",        "coronastar",
                                       "shad_exp",    "View dis", "Out range",  "Lamp size", "In range",
                                       "Corona size", "Control",  "Ref on wet", "Lensflare", "Dust"};
    static const QStringList sun = {"ID", "X", "Y", "Z", "R", "G", "B", "?1", "2dfx ID"};
    static const QStringList particles = {"ID", "X",  "Y",    "Z",         "R",         "G",         "B",
                                          "?1", "?2", "Type", "?Output 1", "?Output 2", "?Output 3", "Size2"};
    static const QStringList peds = {"ID",
                                     "X",
                                     "Y",
                                     "Z",
                                     "R",
                                     "G",
                                     "B",
                                     "?1",
                                     "?2",
                                     "Type",
                                     "?Direction 1",
                                     "?Direction 2",
                                     "?Direction 3",
                                     "?Direction 4",
                                     "?Direction 5",
                                     "?Direction 6"};
    switch (kind) {
    case LineKind::Object: return objects;
    case LineKind::TimedObject: return timed;
    case LineKind::Light: return lights;
    case LineKind::Sun: return sun;
    case LineKind::Particle: return particles;
    case LineKind::PedArea: return peds;
    }
    Q_UNREACHABLE();
    return objects;
}

QString tableNameOf(LineKind kind)
{
    switch (kind) {
    case LineKind::Object: return QStringLiteral("Objs");
    case LineKind::TimedObject: return QStringLiteral("Tobjs");
    case LineKind::Light: return QStringLiteral("Lights");
    case LineKind::Sun: return QStringLiteral("sun");
    case LineKind::Particle: return QStringLiteral("part");
    case LineKind::PedArea: return QStringLiteral("ani");
    }
    Q_UNREACHABLE();
    return QString();
}

} // namespace tarnel
