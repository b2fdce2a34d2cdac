// tarnel-gen: writes a synthetic IDE file, or a whole map, for the benchmarks.
#include "idegenerator.h"
#include "mapgenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int usage()
{
    std::fputs("usage: tarnel-gen [--lines N] [--seed S] OUT\n"
               "       tarnel-gen --map [--files F] [--lines N] [--inst I] [--seed S] DIR\n"
               "  N definition lines (default 1000000), seed S (default 1); OUT '-' is standard output\n"
               "  --map: a map in DIR: DIR/data/level.dat listing F IDE and F IPL files (default 100\n"
               "  each) of N IDE lines and I inst lines (default 2000000) in all, and DIR/planted.txt,\n"
               "  the findings planted in it\n",
               stderr);
    return 2;
}

bool number(const char* text, std::uint64_t& value)
{
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end && *end == '\0' && end != text;
}

int writeMap(const char* folder, const idegen::MapShape& shape)
{
    idegen::MapSummary summary;
    if (const std::string failure = idegen::generateMap(folder, shape, &summary); !failure.empty()) {
        std::fprintf(stderr, "tarnel-gen: %s\n", failure.c_str());
        return 1;
    }
    std::fprintf(stderr,
                 "tarnel-gen: %d IDE and %d IPL files, %llu IDE lines, %llu inst lines, %llu bytes; planted: %s",
                 shape.files, shape.files, static_cast<unsigned long long>(summary.ideLines),
                 static_cast<unsigned long long>(summary.instLines),
                 static_cast<unsigned long long>(summary.bytes), summary.planted.c_str());
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    std::uint64_t lines = 1000000;
    std::uint64_t seed = 1;
    std::uint64_t files = 100;
    std::uint64_t inst = 2000000;
    bool map = false;
    const char* out = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--map") == 0) {
            map = true;
        } else if (std::strcmp(argv[i], "--files") == 0 && i + 1 < argc) {
            if (!number(argv[++i], files) || files > 100000)
                return usage();
        } else if (std::strcmp(argv[i], "--inst") == 0 && i + 1 < argc) {
            if (!number(argv[++i], inst))
                return usage();
        } else if (std::strcmp(argv[i], "--lines") == 0 && i + 1 < argc) {
            if (!number(argv[++i], lines))
                return usage();
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            if (!number(argv[++i], seed))
                return usage();
        } else if (!out && argv[i][0] != '-') {
            out = argv[i];
        } else if (!out && std::strcmp(argv[i], "-") == 0) {
            out = argv[i];
        } else {
            return usage();
        }
    }
    if (!out)
        return usage();
    if (map)
        return writeMap(out, {int(files), lines, inst, seed});
    idegen::Summary summary;
    const std::string bytes = idegen::generate(lines, seed, {}, &summary);
    std::FILE* file = std::strcmp(out, "-") == 0 ? stdout : std::fopen(out, "wb");
    if (!file) {
        std::perror(out);
        return 1;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if ((file != stdout && std::fclose(file) != 0) || !written) {
        std::perror(out);
        return 1;
    }
    std::fprintf(stderr, "tarnel-gen: %llu definition lines, %llu lines, %zu bytes\n",
                 static_cast<unsigned long long>(summary.definitionLines),
                 static_cast<unsigned long long>(summary.allLines), bytes.size());
    return 0;
}
