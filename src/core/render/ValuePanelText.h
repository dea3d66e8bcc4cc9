#pragma once

#include "core/render/RenderSettings.h"

#include <optional>
#include <string>

namespace korvanta {

// The three texts of the panel that Show Values puts into a picture: the formula's name,
// padded to 20 characters and a blank, and the area's real and imaginary ranges.
struct ValuePanelText {
    std::string name, re, im;
};

ValuePanelText ValuePanelTextOf(const RenderSettings& settings);

// How deep a picture of the deep engine is, in short: its width and its zoom as the
// deep-zoom programs count it (4 over the height), "Width 1.2346E-14", "Zoom 2.5E+14".
// Nothing for a picture in doubles.
struct DepthText {
    std::string width, zoom;
};
std::optional<DepthText> DepthTextOf(const RenderSettings& settings);

}  // namespace korvanta
