#pragma once

#include "core/render/RenderJob.h"
#include "tools/korvanta-render/Options.h"

#include <functional>
#include <memory>
#include <string>

namespace korvanta {

// Draws the value panel of a picture that shows its values.
using OverlayDrawer = std::function<PixelBuffer(const RenderSettings&)>;

// A new picture from the explorer's initial fields, a sample scene and the command line,
// checked and prepared by the same core functions as the explorer's Render command. Null
// with `error` set when a field would be refused.
std::unique_ptr<RenderJob> PreparePicture(const RenderOptions& options, const OverlayDrawer& overlay,
                                          std::string& error);

}  // namespace korvanta
