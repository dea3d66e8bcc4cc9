#pragma once

#include "core/render/RenderJob.h"
#include "core/render/RenderRequest.h"
#include "tools/korvanta-render/Options.h"

#include <functional>
#include <memory>
#include <string>

namespace korvanta {

// Draws the value panel of a picture that shows its values.
using OverlayDrawer = std::function<PixelBuffer(const RenderSettings&)>;

// The fields of a new picture: the explorer's initial fields, then a sample scene, then the
// command line, unchecked. False with `error` set when an option cannot be read.
bool PictureFields(const RenderOptions& options, RenderFields& fields, std::string& error);

// Whether the picture gets a buffer of its own, or is only ever handed out row by row.
enum class PictureHeld { Whole, RowByRow };

// A new picture from the explorer's initial fields, a sample scene and the command line,
// checked and prepared by the same core functions as the explorer's Render command. Null
// with `error` set when a field would be refused.
std::unique_ptr<RenderJob> PreparePicture(const RenderOptions& options, const OverlayDrawer& overlay,
                                          std::string& error, PictureHeld held = PictureHeld::Whole);

}  // namespace korvanta
