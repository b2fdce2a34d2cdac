#include "idegenerator.h"

#include "splitmix.h"

#include <array>
#include <cstdio>

namespace idegen {
namespace {

constexpr std::array prefixes = {"gtw_", "lcc_", "LOD_", "ind_", "com_", "sub_", "gen_", "vc_", "la_", "sf_"};
constexpr std::array syllables = {"road",  "house", "corner", "jun",  "lamp", "shop",  "wall", "fence",
                                  "gdoor", "rge",   "bh",     "sign", "neon", "build", "park", "tree",
                                  "hosp",  "motel", "dock",   "pier", "bar",  "ware",  "tun",  "brg"};
constexpr std::array texturePacks = {"gt_generic", "gt_subhouse", "ul_LOD",   "gt_office",
                                     "dynsigns",   "vcgeneric",   "nightlts", "swshneon"};
constexpr std::array particleTypes = {"0", "1", "2", "4", "5", "9"};
constexpr std::array commentTexts = {"# street furniture", "# -- lights of the docks --", "#", "# LOD models",
                                     "# added for the harbour"};

class Writer {
public:
    Writer(std::uint64_t seed, std::string& out) : m_random(seed), m_out(out) {}

    void part(std::uint64_t lines, Summary& summary)
    {
        const Mix mix = m_mix;
        const std::uint64_t objects = lines * std::uint64_t(mix.objects) / 100;
        const std::uint64_t timed = lines * std::uint64_t(mix.timedObjects) / 100;
        const std::uint64_t paths = lines * std::uint64_t(mix.pathLines) / 100;
        m_summary = &summary;

        m_firstId = 1000 + std::uint64_t(m_random.below(20000));
        m_nextId = m_firstId;

        raw(commentTexts[size_t(m_random.below(int(commentTexts.size())))]);
        keyword("objs");
        for (std::uint64_t i = 0; i < objects; ++i) {
            maybeComment();
            objectLine();
        }
        keyword("end");
        keyword("tobj");
        for (std::uint64_t i = 0; i < timed; ++i) {
            maybeComment();
            timedLine();
        }
        keyword("end");
        keyword("path");
        std::uint64_t pathDone = 0;
        while (pathDone < paths)
            pathDone += pathBlock();
        keyword("end");
        // Path groups are whole, so the effects make up the difference.
        const std::uint64_t used = objects + timed + pathDone;
        const std::uint64_t effects = lines > used ? lines - used : 0;
        keyword("2dfx");
        for (std::uint64_t i = 0; i < effects; ++i)
            effectLine();
        keyword("end");
        if (m_random.percent(30))
            endLine();
    }

    void setMix(const Mix& mix) { m_mix = mix; }

private:
    // One line's separator style: mostly ", ", sometimes tight or spaced (real
    // files have well under 1% such lines; these have 5%).
    void pickSeparator()
    {
        const int r = m_random.below(100);
        m_separator = r < 95 ? ", " : r < 97 ? "," : r < 99 ? " , " : " ,";
    }

    void put(const char* text) { m_out.append(text); }
    void put(const std::string& text) { m_out.append(text); }
    void next() { m_out.append(m_separator); }
    void integer(long long value) { m_out.append(std::to_string(value)); }
    void decimal(double value, int digits)
    {
        char buffer[48];
        int n = std::snprintf(buffer, sizeof buffer, "%.*f", digits, value);
        // Drop trailing zeros as the map tools write them.
        while (n > 1 && buffer[n - 1] == '0' && buffer[n - 2] != '.')
            --n;
        m_out.append(buffer, size_t(n));
    }
    double coordinate()
    {
        return double(m_random.below(400000) - 200000) / 1000.0 + double(m_random.below(10)) * 1e-4;
    }

    void endLine()
    {
        m_out.append("\r\n");
        ++m_summary->allLines;
    }
    void raw(const char* text)
    {
        put(text);
        endLine();
    }
    void keyword(const char* word) { raw(word); }

    void maybeComment()
    {
        if (!m_random.percent(2))
            return;
        if (m_random.percent(50)) {
            // A commented-out definition: it stays as a commented row.
            put("# ");
            objectFields();
            endLine();
        } else {
            raw(commentTexts[size_t(m_random.below(int(commentTexts.size())))]);
        }
    }

    std::string name()
    {
        std::string n = prefixes[size_t(m_random.below(int(prefixes.size())))];
        n += syllables[size_t(m_random.below(int(syllables.size())))];
        if (m_random.percent(55))
            n += syllables[size_t(m_random.below(int(syllables.size())))];
        const int number = m_random.below(100);
        if (number < 10)
            n += '0';
        n += std::to_string(number);
        return n;
    }

    std::uint64_t newId()
    {
        m_nextId += 1 + std::uint64_t(m_random.percent(10) ? m_random.below(40) : 0);
        return m_nextId;
    }
    std::uint64_t existingId()
    {
        return m_firstId + 1 + std::uint64_t(m_random.below(int(m_nextId - m_firstId) + 1));
    }

    void objectFields()
    {
        pickSeparator();
        integer(static_cast<long long>(newId()));
        next();
        put(name());
        next();
        put(texturePacks[size_t(m_random.below(int(texturePacks.size())))]);
        next();
        // Most objects have one draw distance; some two or three (7 or 8 fields).
        const int r = m_random.below(100);
        const int meshes = r < 89 ? 1 : r < 97 ? 2 : 3;
        integer(meshes);
        for (int i = 0; i < meshes; ++i) {
            next();
            integer(30 + 10 * m_random.below(120));
        }
        next();
        integer(m_random.percent(70) ? 0 : (1 << m_random.below(8)));
    }

    void objectLine()
    {
        objectFields();
        endLine();
        ++m_summary->definitionLines;
    }

    void timedLine()
    {
        pickSeparator();
        integer(static_cast<long long>(newId()));
        next();
        put(name());
        next();
        put(texturePacks[size_t(m_random.below(int(texturePacks.size())))]);
        next();
        put("1");
        next();
        integer(100 + 10 * m_random.below(100));
        next();
        integer(m_random.percent(50) ? 0 : 4);
        next();
        integer(18 + m_random.below(6));
        next();
        integer(5 + m_random.below(3));
        endLine();
        ++m_summary->definitionLines;
    }

    // A path group: its header line and twelve node lines.
    std::uint64_t pathBlock()
    {
        put(m_random.percent(50) ? "ped, " : "car, ");
        integer(static_cast<long long>(existingId()));
        put(", ");
        put(name());
        endLine();
        for (int i = 0; i < 12; ++i) {
            put("\t");
            integer(1 + m_random.below(2));
            put(", ");
            integer(m_random.below(14) - 1);
            put(", 0, ");
            integer(m_random.below(800) - 400);
            put(", ");
            integer(m_random.below(800) - 400);
            put(", ");
            integer(m_random.below(80) - 2);
            put(", 160, 1, 1");
            endLine();
        }
        m_summary->definitionLines += 13;
        return 13;
    }

    void position()
    {
        integer(static_cast<long long>(existingId()));
        for (int i = 0; i < 3; ++i) {
            next();
            decimal(coordinate(), 4);
        }
        for (int i = 0; i < 3; ++i) {
            next();
            integer(m_random.below(256));
        }
        next();
        put("200");
    }

    // Lights, particles, ped areas and sun reflections, in the shares real files show.
    void effectLine()
    {
        pickSeparator();
        const int r = m_random.below(100);
        position();
        if (r < 50) { // light: 20 fields
            next();
            put("0");
            next();
            put("\"coronastar\"");
            next();
            put("\"shad_exp\"");
            next();
            integer(75 + 25 * m_random.below(8));
            next();
            integer(m_random.percent(50) ? 0 : 18);
            next();
            decimal(0.5 * (1 + m_random.below(6)), 1);
            next();
            integer(m_random.percent(50) ? 0 : 8);
            next();
            put("40");
            next();
            integer(m_random.below(14));
            next();
            put("0");
            next();
            put("0");
            next();
            integer(m_random.below(4));
        } else if (r < 78) { // particle: 14 fields
            next();
            put("1");
            next();
            put(particleTypes[size_t(m_random.below(int(particleTypes.size())))]);
            for (int i = 0; i < 3; ++i) {
                next();
                decimal(double(m_random.below(2000) - 1000) / 1e5, 7);
            }
            next();
            decimal(0.1 * (1 + m_random.below(10)), 1);
        } else if (r < 92) { // ped area: 16 fields
            next();
            put("3");
            next();
            integer(m_random.below(4));
            for (int i = 0; i < 6; ++i) {
                next();
                decimal(double(m_random.below(2000) - 1000) / 1000.0, 3);
            }
        } else { // sun reflection: 9 fields
            next();
            integer(m_random.below(10));
        }
        if (m_random.percent(3))
            put(",");
        endLine();
        ++m_summary->definitionLines;
    }

    Random m_random;
    std::string& m_out;
    Mix m_mix;
    Summary* m_summary = nullptr;
    const char* m_separator = ", ";
    std::uint64_t m_firstId = 0;
    std::uint64_t m_nextId = 0;
};

} // namespace

std::string generate(std::uint64_t definitionLines, std::uint64_t seed, const Mix& mix, Summary* summary)
{
    std::string out;
    out.reserve(size_t(definitionLines) * 72 + 4096);
    Summary local;
    Writer writer(seed, out);
    writer.setMix(mix);
    // Merged map packs are many map files one after another.
    constexpr std::uint64_t partLines = 4000;
    std::uint64_t left = definitionLines;
    while (left > 0) {
        const std::uint64_t lines = left < partLines ? left : partLines;
        writer.part(lines, local);
        left -= lines;
    }
    if (summary)
        *summary = local;
    return out;
}

} // namespace idegen
