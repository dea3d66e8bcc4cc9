#pragma once

#include "core/picture/PixelBuffer.h"
#include "core/render/RenderSettings.h"

namespace korvanta {

// The panel Show Values puts in a picture's top-right corner: the formula's name and the
// area's coordinates in black on a light-gray raised panel, as a bottom-up buffer. Text is
// drawn without antialiasing, so its pixels are exactly black.
PixelBuffer BuildValueOverlay(const RenderSettings& settings);

}  // namespace korvanta
