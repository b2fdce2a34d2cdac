#pragma once

#include <cstdint>
#include <string>

// Synthetic maps for the map benchmarks: a level list in `data/`, IDE files
// and IPL files (11-value `inst` lines) in a folder each below `data/maps/`,
// one object ID space across them, and a known handful of every finding the
// map check makes planted among the clean lines. The same seed always gives
// the same bytes.
namespace idegen {

// IDs from here up are planted as "at or above the ID limit": the benchmark
// checks with `--id-limit 2000000`, since a million distinct IDs fit under no
// game's own limit.
inline constexpr std::uint64_t plantedIdLimit = 2000000;

struct MapShape {
    int files = 100;                   // IDE files, and as many IPL files
    std::uint64_t ideLines = 1000000;  // lines of all IDE files together
    std::uint64_t instLines = 2000000; // `inst` lines of all IPL files together
    std::uint64_t seed = 1;
};

struct MapSummary {
    std::uint64_t ideLines = 0;
    std::uint64_t instLines = 0;
    std::uint64_t bytes = 0; // of the IDE and IPL files
    int errors = 0;          // planted findings
    int warnings = 0;
    std::string planted; // the count line the check prints, then one line a planted kind
};

// Writes the map below `folder` (made if needed); an empty string, or what went wrong.
// At least 4 files, as the planted findings spread over the first four.
std::string generateMap(const std::string& folder, const MapShape& shape, MapSummary* summary = nullptr);

} // namespace idegen
