#pragma once

#include <QString>

namespace tarnel {

// The warning an object line's editor shows when its mesh count, a whole
// number, does not match the number of draw distances, such as
// "2 meshes, 3 draw distances"; empty when they match or the count is not a
// whole number. The line is stored as typed either way.
QString meshWarning(const QString& meshCount, const QString& drawDistances);

} // namespace tarnel
