#pragma once

#include "core/files/ByteSource.h"
#include "core/files/ImageWriters.h"

#include <string>
#include <variant>
#include <vector>

namespace korvanta {

// The text chunks that come before a PNG's pixels (where this program writes them), or
// why there are none to be had: not a PNG, a damaged file, a text longer than any this
// program writes. The pixels are not read.
std::variant<std::vector<PngText>, std::string> ReadPngTexts(ByteSource& source);

// The longest text read, decompressed.
inline constexpr std::size_t kLongestPngText = 8 * 1024 * 1024;

}  // namespace korvanta
