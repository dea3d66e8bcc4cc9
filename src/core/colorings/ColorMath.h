#pragma once

#include <cmath>
#include <cstdint>

namespace korvanta {

// Truncation toward zero; a value that is not finite or does not fit 32 bits gives 0, the
// low byte of what the hardware conversion yields for it.
inline std::int32_t TruncInt(double x)
{
    if (!(x > -2147483649.0 && x < 2147483648.0))
        return 0;
    return static_cast<std::int32_t>(x);
}

inline std::uint32_t Channel(double x)
{
    return static_cast<std::uint32_t>(TruncInt(x)) & 0xFFu;
}

inline std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return (r << 16) | (g << 8) | b;
}

// ln(n + 1) with n + 1 wrapping in 32 bits, as the colorings define it.
inline double LogPlusOne(std::uint32_t n)
{
    return std::log(static_cast<double>(static_cast<std::uint32_t>(n + 1u)));
}

// A sine or cosine channel: 127 s + 128.
inline std::uint32_t WaveChannel(double s)
{
    return Channel(127 * s + 128);
}

}  // namespace korvanta
