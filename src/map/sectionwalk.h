#pragma once

#include "document/idetext.h"

#include <QByteArrayView>

#include <array>
#include <optional>
#include <utility>

namespace tarnel {

// The IDE sections whose lines define an ID.
enum class IdSection { Objs, Tobj, Anim, Hier, Cars, Peds, Weap };

// Which section of an IDE file a line is in, as the map reads it: a known
// section's keyword opens it even where the last one lacks its `end`; outside
// sections a single word opens another section, read up to its `end`.
class IdeSectionWalk {
public:
    enum class Kind { None, Defining, Effects, Paths, Other };
    struct Open {
        Kind kind = Kind::None;
        IdSection defining = IdSection::Objs;
    };

    // The section `line` is a line of (a definition, 2dfx or path line, a
    // comment or a blank one); nullopt for a keyword, an `end` and lines
    // outside the three kinds of section.
    std::optional<Open> contentOf(QByteArrayView line)
    {
        if (const std::optional<Open> section = sectionOpenedBy(line)) {
            m_open = *section;
            return std::nullopt;
        }
        if (m_open.kind == Kind::None || m_open.kind == Kind::Other) {
            if (m_open.kind == Kind::Other && idetext::isKeyword(line, "end"))
                m_open.kind = Kind::None;
            else if (m_open.kind == Kind::None && opensOtherSection(line))
                m_open.kind = Kind::Other;
            return std::nullopt;
        }
        if (idetext::isKeyword(line, "end")) {
            m_open.kind = Kind::None;
            return std::nullopt;
        }
        return m_open;
    }

    // Whether the line opens one of the known sections, whatever section the
    // lines before it are in.
    static bool opensSection(QByteArrayView line) { return sectionOpenedBy(line).has_value(); }

    // A line opening a section: a known keyword, or outside any section a single word.
    static bool opensOtherSection(QByteArrayView line)
    {
        const QByteArrayView word = idetext::trimSpacesAndTabs(line);
        return !word.isEmpty() && !word.contains(',') && !word.startsWith('#');
    }

private:
    static std::optional<Open> sectionOpenedBy(QByteArrayView line)
    {
        return line.size() < 16 && !line.contains(',') ? sectionOf(line) : std::nullopt;
    }
    static std::optional<Open> sectionOf(QByteArrayView line)
    {
        static constexpr std::array<std::pair<const char*, IdSection>, 7> defining = {{
            {"objs", IdSection::Objs},
            {"tobj", IdSection::Tobj},
            {"anim", IdSection::Anim},
            {"hier", IdSection::Hier},
            {"cars", IdSection::Cars},
            {"peds", IdSection::Peds},
            {"weap", IdSection::Weap},
        }};
        for (const auto& [word, section] : defining) {
            if (idetext::isKeyword(line, word))
                return Open{Kind::Defining, section};
        }
        if (idetext::isKeyword(line, "2dfx"))
            return Open{Kind::Effects, {}};
        if (idetext::isKeyword(line, "path"))
            return Open{Kind::Paths, {}};
        return std::nullopt;
    }

    Open m_open;
};

// Which lines of an IPL file are `inst` lines: from the `inst` keyword to its
// `end`; other sections are read up to their `end`.
class IplSectionWalk {
public:
    // Whether `line` is inside an inst section (a placement, a comment or a blank line).
    bool isInstContent(QByteArrayView line)
    {
        if (m_open == Outside) {
            if (idetext::isKeyword(line, "inst"))
                m_open = Inst;
            else if (IdeSectionWalk::opensOtherSection(line))
                m_open = Other;
            return false;
        }
        if (idetext::isKeyword(line, "end")) {
            m_open = Outside;
            return false;
        }
        return m_open == Inst;
    }

private:
    enum { Outside, Inst, Other } m_open = Outside;
};

} // namespace tarnel
