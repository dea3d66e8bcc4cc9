#include "core/colorings/FantasyPalette.h"

namespace korvanta {

// Each segment adds an offset to the index and shifts the sum into place; the carries at
// 511, 1023, 1535 and 1536 are entries of the palette in their own right.
std::uint32_t FantasyColor(std::uint32_t c)
{
    if (c <= 255)
        return c << 16;                               // black to red
    if (c <= 511)
        return (65025 + c) << 8;                      // red to yellow
    if (c <= 766)
        return ((766 - c) << 16) | 0xFF00;            // yellow to green
    if (c <= 1023)
        return 64513 + c;                             // green to cyan
    if (c <= 1279)
        return ((1279 - c) << 16) | 0xFF;             // magenta to blue
    if (c <= 1535)
        return ((c - 1279) << 16) | 0xFF;             // blue to magenta
    if (c <= 1791)
        return 0xFF0000 | (1792 - c);                 // magenta to red
    if (c <= 1919)
        return 0x7F0000 | (c - 1792);                 // dark red to dark purple
    if (c <= 2047)
        return (20u << 16) | ((c - 1920) << 8) | 128; // dark blue to teal
    if (c <= 2175)
        return ((c - 2028) << 16) | 0x8080;           // teal to grey-pink
    if (c <= 2303)
        return (148u << 16) | 0x8000 | (c - 2048);    // grey-pink to light violet
    return 0;
}

}  // namespace korvanta
