#pragma once

#include "core/colorings/ColorMath.h"

#include <bit>

namespace korvanta {

// The green and blue waves of Polar Log and Blue Lagoon. The blue frequency is one unit in
// the last place above the double nearest 43.974; pictures depend on that bit.
inline std::uint32_t GreenWave(double t)
{
    return WaveChannel(std::sin(81.666 * t));
}

inline std::uint32_t BlueWave(double t)
{
    static constexpr double kBlueFrequency = std::bit_cast<double>(0x4045FCAC083126EAull);
    return WaveChannel(std::cos(kBlueFrequency * t));
}

}  // namespace korvanta
