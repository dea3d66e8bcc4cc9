#pragma once

#include <cstdint>

namespace korvanta {

struct PictureSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Reshapes a picture to the area's proportions while keeping about as many pixels.
// Sizes beyond 32 bits saturate, so the caller sees a picture too large to allocate rather
// than a wrapped one.
PictureSize FitToAspect(double xStart, double xEnd, double yStart, double yEnd,
                        PictureSize typed);

// The largest size of the picture's proportions inside `bounds`, at least one pixel each
// way; the picture's own size when it fits.
PictureSize FitInside(PictureSize picture, PictureSize bounds);

}  // namespace korvanta
