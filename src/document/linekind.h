#pragma once

#include <QStringList>
#include <QtGlobal>

#include <array>
#include <optional>

namespace tarnel {

// The six kinds of definition line, one per section table.
enum class LineKind : int { Object, TimedObject, Light, Sun, Particle, PedArea };

inline constexpr int lineKindCount = 6;

// Every kind in the order the tables' columns are created and comments are marked.
inline constexpr std::array<LineKind, lineKindCount> allLineKinds = {LineKind::Object,   LineKind::TimedObject,
                                                                     LineKind::Light,    LineKind::Sun,
                                                                     LineKind::Particle, LineKind::PedArea};

// Number of fields a line of this kind has, which is also its table's column count.
int fieldCountOf(LineKind kind);

// The kind whose field count is exactly `fieldCount` (pasted lines).
std::optional<LineKind> kindWithFieldCount(qsizetype fieldCount);

// The 2dfx kind with this field count: lights, sun reflections, particles, ped areas.
std::optional<LineKind> effectKindWithFieldCount(qsizetype fieldCount);

// Column captions of the kind's table, one per field.
const QStringList& fieldNamesOf(LineKind kind);

// Name of the kind's table as the window and the command line tool call it.
QString tableNameOf(LineKind kind);

} // namespace tarnel
