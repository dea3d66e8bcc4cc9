#pragma once

#include "core/deep/DeepLocation.h"
#include "core/formulas/Viewport.h"

#include <cstdint>
#include <optional>
#include <string>

namespace korvanta {

// The area of frame `frame` (0 to frames-1) of a zoom from `start` to `end`: each frame's
// size (width and height apart) is the one before times the same factor, and the centre
// moves in step with the size, c = c0 + (c1 - c0) (s0 - s) / (s0 - s1), so the zoom closes
// in on the end area at a steady pace; a pan without zoom moves the centre evenly. Only
// basic arithmetic is used, so every machine computes the same areas. Empty when the two
// areas run opposite ways on an axis.
std::optional<Area> ZoomFrameArea(const Area& start, const Area& end, std::int32_t frame,
                                  std::int32_t frames);

// The same zoom for areas that doubles cannot hold: computed in arbitrary precision from the
// texts as given, and written with the digits a picture of `width` x `height` needs. Every
// operation is rounded once at a precision fixed by the texts and the sizes, so every machine
// computes the same texts. Empty when a text is not a number, the areas run opposite ways
// on an axis, or a frame would be deeper than the deep engine goes.
std::optional<DeepArea> ZoomFrameDeepArea(const DeepArea& start, const DeepArea& end, std::int32_t frame,
                                          std::int32_t frames, std::int32_t width, std::int32_t height);

// `pattern` with its one %d (flags 0 and a width allowed, e.g. %05d) replaced by `frame`,
// and %% by %. Empty when the pattern has no %d, more than one, or another conversion.
std::optional<std::string> FrameName(const std::string& pattern, std::int32_t frame);

}  // namespace korvanta
