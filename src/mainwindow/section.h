#pragma once

#include "document/linekind.h"

#include <array>
#include <optional>

namespace tarnel {

// The sections the selector offers, top to bottom: its eight captions.
enum class Section : int { Objects, TimedObjects, Paths, TwoDfx, Lights, Particles, Sun, PedAreas };

inline constexpr int sectionCount = 8;

// What picking a section shows.
struct SectionShown {
    Section section;
    std::optional<LineKind> table; // none: the paths text
    LineKind menu;                 // the Actions menu in the bar; the paths keep the timed objects'
    Section marked;                // the caption marked shown: "2DFX" shows the lights
};

inline constexpr std::array<SectionShown, sectionCount> sectionsShown = {{
    {Section::Objects, LineKind::Object, LineKind::Object, Section::Objects},
    {Section::TimedObjects, LineKind::TimedObject, LineKind::TimedObject, Section::TimedObjects},
    {Section::Paths, std::nullopt, LineKind::TimedObject, Section::Paths},
    {Section::TwoDfx, LineKind::Light, LineKind::Light, Section::Lights},
    {Section::Lights, LineKind::Light, LineKind::Light, Section::Lights},
    {Section::Particles, LineKind::Particle, LineKind::Particle, Section::Particles},
    {Section::Sun, LineKind::Sun, LineKind::Sun, Section::Sun},
    {Section::PedAreas, LineKind::PedArea, LineKind::PedArea, Section::PedAreas},
}};

constexpr const SectionShown& shownBy(Section section)
{
    return sectionsShown[size_t(section)];
}

// The section whose caption shows the table of `kind`.
constexpr Section sectionOf(LineKind kind)
{
    for (const SectionShown& shown : sectionsShown) {
        if (shown.table == kind && shown.marked == shown.section)
            return shown.section;
    }
    return Section::Objects;
}

} // namespace tarnel
