#include "mapgenerator.h"

#include "splitmix.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace idegen {
namespace {

namespace fs = std::filesystem;

constexpr std::array prefixes = {"gtw_", "lcc_", "LOD_", "ind_", "com_", "sub_", "gen_", "vc_", "la_", "sf_"};
constexpr std::array syllables = {"road",  "house", "corner", "jun",  "lamp", "shop",  "wall", "fence",
                                  "gdoor", "rge",   "bh",     "sign", "neon", "build", "park", "tree",
                                  "hosp",  "motel", "dock",   "pier", "bar",  "ware",  "tun",  "brg"};
constexpr std::array texturePacks = {"gt_generic", "gt_subhouse", "ul_LOD", "gt_office", "dynsigns"};

// Every ID has a name of its own, so a placement can name its object without a table.
std::string nameOf(std::uint64_t id)
{
    return std::string(prefixes[id % prefixes.size()]) + syllables[id / 10 % syllables.size()] +
           std::to_string(id);
}

std::string partName(int file)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "part%03d", file);
    return buffer;
}

// What is planted where, and how many: the first four files carry them all.
struct Planted {
    int duplicates = 3;       // file 1 defines again IDs of file 0: errors
    int hierDuplicates = 2;   // file 2's hier section defines again IDs of file 0: warnings
    int badHours = 2;         // file 2's tobj: hour 24, warnings
    int badDrawDistances = 2; // file 3: 0 and -50, warnings
    int badMeshCounts = 2;    // file 3: mesh count 3 with two draw distances, warnings
    int overLimit = 2;        // file 3: IDs from plantedIdLimit, warnings
    int undefined = 3;        // IPL 0 places IDs nobody defines: errors
    int wrongNames = 4;       // IPL 1 places IDs under another object's name: errors
    int badLods = 2;          // IPL 2: LOD index -2 and the file's line count, errors
    int shortInsts = 2;       // IPL 3: a value left out, warnings
    int missing = 1;          // the list names a file that is not there: warning
    int binary = 1;           // a binary placement file: warning

    int errors() const { return duplicates + undefined + wrongNames + badLods; }
    int warnings() const
    {
        return hierDuplicates + badHours + badDrawDistances + badMeshCounts + overLimit + shortInsts + missing +
               binary;
    }
};

class MapWriter {
public:
    MapWriter(const MapShape& shape) : m_shape(shape), m_random(shape.seed) {}

    // One IDE file of about `lines` lines; its object IDs join the placeable ones.
    std::string ideFile(int file, std::uint64_t lines)
    {
        std::string& out = m_out;
        out.clear();
        const std::uint64_t objects = lines * 80 / 100;
        const std::uint64_t timed = lines * 5 / 100;
        const std::uint64_t paths = lines * 5 / 100;
        const std::uint64_t effects = lines - objects - timed - paths;
        const size_t firstOwn = m_placeable.size();
        line("# generated map, " + partName(file));
        line("objs");
        for (std::uint64_t i = 0; i < objects; ++i) {
            if (m_random.percent(1)) { // a commented-out definition holds its ID
                line("#" + objectLine(newId(), 1));
                continue;
            }
            const std::uint64_t id = newId();
            m_placeable.push_back(id);
            line(objectLine(id, m_random.percent(90) ? 1 : 2));
        }
        if (file == 1) {
            for (int i = 0; i < m_planted.duplicates; ++i)
                line(objectLine(m_placeable[size_t(i)], 1));
        }
        if (file == 3) {
            for (const char* distance : {"0", "-50"}) {
                const std::uint64_t id = newId();
                line(std::to_string(id) + ", " + nameOf(id) + ", gt_generic, 1, " + distance + ", 0");
            }
            for (int i = 0; i < m_planted.badMeshCounts; ++i) {
                const std::uint64_t id = newId();
                line(std::to_string(id) + ", " + nameOf(id) + ", gt_generic, 3, 100, 200, 0");
            }
            for (int i = 0; i < m_planted.overLimit; ++i)
                line(objectLine(plantedIdLimit + std::uint64_t(i), 1));
        }
        line("end");
        line("tobj");
        for (std::uint64_t i = 0; i < timed; ++i) {
            const std::uint64_t id = newId();
            m_placeable.push_back(id);
            const bool late = file == 2 && i < std::uint64_t(m_planted.badHours);
            std::string text = objectLine(id, 1);
            text += ", " + std::to_string(late ? 24 : 18 + m_random.below(6));
            line(text + ", " + std::to_string(5 + m_random.below(3)));
        }
        line("end");
        if (file == 2) {
            line("hier");
            for (int i = 0; i < m_planted.hierDuplicates; ++i) {
                const std::uint64_t id = m_placeable[10 + size_t(i)];
                line(std::to_string(id) + ", " + nameOf(id) + ", cutobj");
            }
            line("end");
        }
        line("path");
        const auto ownId = [&] {
            return m_placeable[firstOwn + size_t(m_random.below(int(m_placeable.size() - firstOwn)))];
        };
        for (std::uint64_t done = 0; done + 13 <= paths; done += 13) {
            const std::uint64_t id = ownId();
            line(std::string(m_random.percent(50) ? "ped, " : "car, ") + std::to_string(id) + ", " + nameOf(id));
            for (int node = 0; node < 12; ++node) {
                std::string text = "\t" + std::to_string(1 + m_random.below(2));
                text += ", " + std::to_string(m_random.below(14) - 1) + ", 0";
                for (const int span : {800, 800})
                    text += ", " + std::to_string(m_random.below(span) - span / 2);
                text += ", " + std::to_string(m_random.below(80));
                line(text + ", 160, 1, 1");
            }
        }
        line("end");
        line("2dfx");
        for (std::uint64_t i = 0; i < effects; ++i) {
            std::string text = std::to_string(ownId());
            for (int axis = 0; axis < 3; ++axis)
                text += ", " + coordinate();
            line(text + ", 255, 255, 255, 200, 0, \"coronastar\", \"shad_exp\", 100, 0, 1.5, 0, 40, 3, 0, 0, 1");
        }
        line("end");
        m_summary.ideLines += m_lines;
        m_lines = 0;
        return out;
    }

    // One IPL file of `count` inst lines placing the IDs defined so far.
    std::string iplFile(int file, std::uint64_t count)
    {
        std::string& out = m_out;
        out.clear();
        line("# generated placements, " + partName(file));
        line("inst");
        for (std::uint64_t i = 0; i < count; ++i) {
            std::uint64_t id = placed();
            std::string name = nameOf(id);
            std::string lod = m_random.percent(70) ? "-1" : std::to_string(m_random.next() % count);
            bool leftOut = false;
            if (file == 0 && i < std::uint64_t(m_planted.undefined)) {
                id = 500 + i; // below every defined ID
                name = nameOf(id);
            } else if (file == 1 && i < std::uint64_t(m_planted.wrongNames)) {
                std::uint64_t other = id;
                while (other == id)
                    other = placed();
                name = nameOf(other);
            } else if (file == 2 && i < std::uint64_t(m_planted.badLods)) {
                lod = i == 0 ? "-2" : std::to_string(count);
            } else if (file == 3 && i < std::uint64_t(m_planted.shortInsts)) {
                leftOut = true;
                lod = "-1";
            }
            std::string text = std::to_string(id) + ", " + name + (leftOut ? "" : ", 0");
            for (int axis = 0; axis < 3; ++axis)
                text += ", " + coordinate();
            text += ", 0, 0, " + rotation();
            text += ", " + rotation();
            line(text += ", " + lod);
        }
        line("end");
        line("cull");
        line("end");
        m_summary.instLines += count;
        m_lines = 0;
        return out;
    }

    const Planted& planted() const { return m_planted; }
    MapSummary& summary() { return m_summary; }

private:
    void line(const std::string& text)
    {
        m_out += text;
        m_out += "\r\n";
        ++m_lines;
    }
    std::uint64_t newId()
    {
        m_nextId += 1 + (m_random.percent(2) ? std::uint64_t(m_random.below(40)) : 0);
        return m_nextId;
    }
    std::uint64_t placed() { return m_placeable[size_t(m_random.next() % m_placeable.size())]; }
    std::string objectLine(std::uint64_t id, int meshes)
    {
        std::string text = std::to_string(id) + ", " + nameOf(id) + ", " +
                           texturePacks[size_t(m_random.below(int(texturePacks.size())))] + ", " +
                           std::to_string(meshes);
        for (int i = 0; i < meshes; ++i)
            text += ", " + std::to_string(30 + 10 * m_random.below(120));
        return text + ", " + std::to_string(m_random.percent(70) ? 0 : 1 << m_random.below(8));
    }
    std::string coordinate()
    {
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, "%.3f", double(m_random.below(600000) - 300000) / 100.0);
        return buffer;
    }
    std::string rotation()
    {
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, "%.6f", double(m_random.below(2000000) - 1000000) / 1e6);
        return buffer;
    }

    MapShape m_shape;
    Random m_random;
    Planted m_planted;
    MapSummary m_summary;
    std::string m_out;
    std::uint64_t m_lines = 0;
    std::uint64_t m_nextId = 999;
    std::vector<std::uint64_t> m_placeable;
};

std::string writeFile(const fs::path& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return path.string() + ": cannot write";
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written)
        return path.string() + ": cannot write";
    return {};
}

// The list writes the names in other letter cases than the files, with `\`.
std::string listedPath(const std::string& part, const char* extension)
{
    std::string upper = part;
    for (char& c : upper)
        c = char(c >= 'a' && c <= 'z' ? c - 32 : c);
    return "DATA\\MAPS\\" + upper + "\\" + part + extension;
}

} // namespace

std::string generateMap(const std::string& folder, const MapShape& shape, MapSummary* summary)
{
    if (shape.files < 4)
        return "a map needs at least 4 files";
    const fs::path data = fs::path(folder) / "data";
    std::error_code error;
    fs::create_directories(data / "maps" / "binary", error);
    if (error)
        return (data / "maps").string() + ": " + error.message();
    MapWriter writer(shape);
    std::string list = "# generated level list\r\n\r\nIMG DATA\\MAPS\\generated.img\r\nCOLFILE 0 "
                       "DATA\\MAPS\\generated.col\r\n\r\n# object types\r\n";
    std::string places = "\r\n# placements\r\n";
    for (int file = 0; file < shape.files; ++file) {
        const std::string part = partName(file);
        const fs::path dir = data / "maps" / part;
        fs::create_directories(dir, error);
        const std::uint64_t ideLines = shape.ideLines / std::uint64_t(shape.files);
        std::string failure = writeFile(dir / (part + ".ide"), writer.ideFile(file, ideLines));
        writer.summary().bytes += fs::file_size(dir / (part + ".ide"), error);
        if (failure.empty())
            failure = writeFile(dir / (part + ".ipl"),
                                writer.iplFile(file, shape.instLines / std::uint64_t(shape.files)));
        writer.summary().bytes += fs::file_size(dir / (part + ".ipl"), error);
        if (!failure.empty())
            return failure;
        list += "IDE " + listedPath(part, ".ide") + "\r\n";
        places += "IPL " + listedPath(part, ".ipl") + "\r\n";
    }
    places += "IPL DATA\\MAPS\\GONE\\gone.ipl\r\nIPL DATA\\MAPS\\BINARY\\stream.ipl\r\n";
    if (std::string failure = writeFile(data / "maps" / "binary" / "stream.ipl", std::string("bnry\0\0\0\x01", 8));
        !failure.empty())
        return failure;
    if (std::string failure = writeFile(data / "level.dat", list + places); !failure.empty())
        return failure;

    const Planted& planted = writer.planted();
    MapSummary& out = writer.summary();
    out.errors = planted.errors();
    out.warnings = planted.warnings();
    out.planted = std::to_string(out.errors) + " errors, " + std::to_string(out.warnings) + " warnings\n" +
                  "errors: " + std::to_string(planted.duplicates) + " IDs defined again, " +
                  std::to_string(planted.undefined) + " placements of undefined IDs, " +
                  std::to_string(planted.wrongNames) + " placements under another name, " +
                  std::to_string(planted.badLods) + " LOD indexes out of range\n" +
                  "warnings: " + std::to_string(planted.hierDuplicates) + " hier IDs defined again, " +
                  std::to_string(planted.badHours) + " hours of 24, " + std::to_string(planted.badDrawDistances) +
                  " draw distances not above 0, " + std::to_string(planted.badMeshCounts) +
                  " mesh counts not matching, " + std::to_string(planted.overLimit) + " IDs at or above " +
                  std::to_string(plantedIdLimit) + ", " + std::to_string(planted.shortInsts) +
                  " inst lines with a value left out, " + std::to_string(planted.missing) + " missing file, " +
                  std::to_string(planted.binary) + " binary placement file\n";
    if (std::string failure = writeFile(fs::path(folder) / "planted.txt", out.planted); !failure.empty())
        return failure;
    if (summary)
        *summary = out;
    return {};
}

} // namespace idegen
