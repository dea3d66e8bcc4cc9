#pragma once

#include <cstdint>

namespace korvanta {

// Rows of a picture, counted as the renderer counts them (row 0 at the bottom edge).
struct RowRange {
    std::int32_t first = 0;
    std::int32_t count = 0;
    std::int32_t end() const { return first + count; }
};

// Band `band` (0-based) of `bands` horizontal bands of a picture `height` rows high: rows
// split as evenly as possible, band sizes differing by one row at most. Empty for a band
// that does not exist.
RowRange BandRows(std::int32_t height, std::int32_t band, std::int32_t bands);

}  // namespace korvanta
