#pragma once

#include "tools/korvanta-render/Options.h"
#include "core/render/RenderJob.h"

#include <functional>
#include <memory>
#include <string>

namespace korvanta {

// A new picture from the explorer's start-up fields, a sample scene and the command line,
// prepared exactly as the explorer's Render command prepares it. Null with `error` set when
// a field would be refused.
// `overlay` draws the value panel when the picture shows its values.
std::unique_ptr<RenderJob> PreparePicture(const RenderOptions& options,
                                          const std::function<PixelBuffer(const RenderSettings&)>& overlay,
                                          std::string& error);

}  // namespace korvanta
