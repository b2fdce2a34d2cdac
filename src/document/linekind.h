#pragma once

#include "texts/texts.h"

#include <QStringList>
#include <QtGlobal>

#include <array>
#include <optional>
#include <string_view>

namespace tarnel {

// The six kinds of definition line, one per section table.
enum class LineKind : int { Object, TimedObject, Light, Sun, Particle, PedArea };

inline constexpr int lineKindCount = 6;

// Every kind in the order the tables' columns are created and comments are marked.
inline constexpr std::array<LineKind, lineKindCount> allLineKinds = {LineKind::Object,   LineKind::TimedObject,
                                                                     LineKind::Light,    LineKind::Sun,
                                                                     LineKind::Particle, LineKind::PedArea};

// What a kind is called and how its lines look. One row a kind in `lineKinds`;
// a layer above that needs more per kind keeps an array indexed by kind too.
struct LineKindTraits {
    LineKind kind;
    // Fields a line has, also its table's column count; no two kinds share one.
    int fieldCount;
    // The section keyword its lines stand under.
    std::string_view section;
    // Its table as the old form designer named it: "Objs".
    std::string_view tableName;
    // The SECTION of tarnel-cli table: "objs".
    std::string_view cliSection;
    // Object names of its view, Actions menu and the menu's items start with it: "objectsView".
    std::string_view namePrefix;
    // Column captions of its table, one per field.
    const QStringList* columns;
};

// clang-format off
inline constexpr std::array<LineKindTraits, lineKindCount> lineKinds = {{
    {LineKind::Object,      6,  "objs", "Objs",   "objs",   "objects",      &texts::objectColumns},
    {LineKind::TimedObject, 8,  "tobj", "Tobjs",  "tobj",   "timedObjects", &texts::timedObjectColumns},
    {LineKind::Light,       20, "2dfx", "Lights", "lights", "lights",       &texts::lightColumns},
    {LineKind::Sun,         9,  "2dfx", "sun",    "sun",    "sun",          &texts::sunColumns},
    {LineKind::Particle,    14, "2dfx", "part",   "part",   "particles",    &texts::particleColumns},
    {LineKind::PedArea,     16, "2dfx", "ani",    "ani",    "pedAreas",     &texts::pedAreaColumns},
}};
// clang-format on

constexpr const LineKindTraits& traitsOf(LineKind kind)
{
    return lineKinds[size_t(kind)];
}

// Number of fields a line of this kind has, which is also its table's column count.
constexpr int fieldCountOf(LineKind kind)
{
    return traitsOf(kind).fieldCount;
}

// The kind whose field count is exactly `fieldCount` (pasted lines).
std::optional<LineKind> kindWithFieldCount(qsizetype fieldCount);

// The 2dfx kind with this field count: lights, sun reflections, particles, ped areas.
std::optional<LineKind> effectKindWithFieldCount(qsizetype fieldCount);

// Column captions of the kind's table, one per field.
const QStringList& fieldNamesOf(LineKind kind);

// Name of the kind's table as the old form designer called it (the tests name rows by it).
QString tableNameOf(LineKind kind);

// The kind tarnel-cli table takes by this SECTION name ("objs", "lights", ...).
std::optional<LineKind> kindOfCliSection(QStringView name);

// The start of the object names of the kind's view, Actions menu and its items.
QString namePrefixOf(LineKind kind);

} // namespace tarnel
