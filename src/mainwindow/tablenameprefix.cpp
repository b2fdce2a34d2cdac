#include "mainwindow/tablenameprefix.h"

namespace tarnel {

QString tableNamePrefix(LineKind kind)
{
    switch (kind) {
    case LineKind::Object: return QStringLiteral("objects");
    case LineKind::TimedObject: return QStringLiteral("timedObjects");
    case LineKind::Light: return QStringLiteral("lights");
    case LineKind::Sun: return QStringLiteral("sun");
    case LineKind::Particle: return QStringLiteral("particles");
    case LineKind::PedArea: return QStringLiteral("pedAreas");
    }
    return {};
}

} // namespace tarnel
