#pragma once

#include "core/picture/PixelBuffer.h"
#include "core/picture/PixelRows.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace korvanta {

// The body shared by BMP files and metafile bitmaps: a 24-bit device-independent bitmap,
// bottom row first, each row padded to a multiple of four bytes.
std::uint64_t DibRowBytes(std::int32_t width);
std::string DibHeader(std::int32_t width, std::int32_t height);
void WriteDibRows(std::ostream& out, const PixelBuffer& pixels);
// False when a row could not be had.
bool WriteDibRows(std::ostream& out, PixelRows& rows);

}  // namespace korvanta
