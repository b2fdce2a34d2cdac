#pragma once

#include <cstdint>

namespace idegen {

// splitmix64: small, fast and the same on every platform and library, so a
// seed always gives the same bytes.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int below(int n) { return int(next() % std::uint64_t(n)); }
    bool percent(int p) { return below(100) < p; }

private:
    std::uint64_t m_state;
};

} // namespace idegen
