#include "editors/meshwarning.h"

#include "texts/texts.h"

#include <QStringList>

#include <algorithm>

namespace tarnel {

namespace {

QString counted(qulonglong count, const QString& one, const QString& many)
{
    return (count == 1 ? one : many).arg(count);
}

} // namespace

QString meshWarning(const QString& meshCount, const QString& drawDistances)
{
    const QString count = meshCount.trimmed();
    const bool digitsOnly = !count.isEmpty() && std::all_of(count.cbegin(), count.cend(),
                                                            [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool whole = false;
    const qulonglong meshes = digitsOnly ? count.toULongLong(&whole) : 0;
    if (!whole)
        return {};
    // A blank piece is a missing value, which confirming refuses on its own.
    const QStringList pieces = drawDistances.split(u',');
    const auto distances = qulonglong(std::count_if(
        pieces.cbegin(), pieces.cend(), [](const QString& piece) { return !piece.trimmed().isEmpty(); }));
    if (distances == meshes)
        return {};
    return texts::meshesAndDrawDistances.arg(counted(meshes, texts::oneMesh, texts::meshes),
                                             counted(distances, texts::oneDrawDistance, texts::drawDistances));
}

} // namespace tarnel
