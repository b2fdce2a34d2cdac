#pragma once

#include <cstdint>
#include <string>

// Synthetic IDE files that look like merged map data: several map parts, each
// with objs, tobj, path and 2dfx sections, comment lines, spaces around commas
// here and there, and CR LF line ends. The same seed always gives the same bytes.
namespace idegen {

struct Mix {
    // Shares of the definition lines, in percent; they add up to 100.
    int objects = 55;
    int timedObjects = 10;
    int pathLines = 5;
    int effects = 30;
};

struct Summary {
    std::uint64_t definitionLines = 0; // objs, tobj, path and 2dfx lines
    std::uint64_t allLines = 0;        // with keywords, comments and blank lines
};

// About `definitionLines` definition lines (path blocks are kept whole, so the
// count may be a few lines over).
std::string generate(std::uint64_t definitionLines, std::uint64_t seed, const Mix& mix = {},
                     Summary* summary = nullptr);

} // namespace idegen
