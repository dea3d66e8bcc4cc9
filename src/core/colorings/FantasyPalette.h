#pragma once

#include <cstdint>

namespace korvanta {

// The 2304-entry palette shared by Fantasy 2304 and Red Shift; indices from 2304 up are black.
std::uint32_t FantasyColor(std::uint32_t index);

}  // namespace korvanta
