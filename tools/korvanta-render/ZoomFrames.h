#pragma once

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

// `pattern` with its one %d (flags 0 and a width allowed, e.g. %05d) replaced by `frame`,
// and %% by %. Empty when the pattern has no %d, more than one, or another conversion.
std::optional<std::string> FrameName(const std::string& pattern, std::int32_t frame);

}  // namespace korvanta
