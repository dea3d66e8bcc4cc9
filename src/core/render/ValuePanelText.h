#pragma once

#include "core/render/RenderSettings.h"

#include <string>

namespace korvanta {

// The three texts of the panel that Show Values puts into a picture: the formula's name,
// padded to 20 characters and a blank, and the area's real and imaginary ranges.
struct ValuePanelText {
    std::string name, re, im;
};

ValuePanelText ValuePanelTextOf(const RenderSettings& settings);

}  // namespace korvanta
