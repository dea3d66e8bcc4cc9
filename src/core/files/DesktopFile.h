#pragma once

#include "core/files/RenderRecord.h"

#include <cstdint>
#include <string>

namespace korvanta {

class Archive;

// The control window's part of the desktop file, after the render window records: the
// field texts as typed, the options, the list selections (-1 for none) and the window's
// placement.
struct DesktopFields {
    std::string xStart, xEnd, yStart, yEnd, width, height, cIm, cRe;
    std::int32_t onTop = 0, desktop = 0, aspectRatio = 0, showValues = 0;
    std::string colors;
    std::int32_t formula = -1, coloring = -1, sample = -1;
    WindowPlacement placement;
};

// Stores or loads the fields in file order (C's imaginary part before its real part).
// Loading fills them one by one, so after a failure the fields read before it hold what
// the file said and the rest keep their values.
void TransferDesktopFields(Archive& ar, DesktopFields& fields);

}  // namespace korvanta
