// tarnel-gen: writes a synthetic IDE file for the benchmarks.
#include "idegenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int usage()
{
    std::fputs("usage: tarnel-gen [--lines N] [--seed S] OUT\n"
               "  N definition lines (default 1000000), seed S (default 1); OUT '-' is standard output\n",
               stderr);
    return 2;
}

bool number(const char* text, std::uint64_t& value)
{
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end && *end == '\0' && end != text;
}

} // namespace

int main(int argc, char* argv[])
{
    std::uint64_t lines = 1000000;
    std::uint64_t seed = 1;
    const char* out = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lines") == 0 && i + 1 < argc) {
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
