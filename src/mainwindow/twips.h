#pragma once

namespace tarnel {

// Layout sizes are given in twips: 1440 to the inch, 15 to a pixel at 96 dpi.
constexpr int twips(int value)
{
    return (value + 7) / 15;
}

} // namespace tarnel
