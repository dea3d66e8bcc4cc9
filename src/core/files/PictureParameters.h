#pragma once

#include "core/files/ByteSource.h"
#include "core/files/ImageWriters.h"
#include "core/render/RenderRequest.h"

#include <string>
#include <string_view>
#include <variant>

namespace korvanta {

// The control window's fields that render a picture again to the same bytes: the area and C
// exactly (a deep picture's texts, or the shortest texts that read back to the same doubles),
// the size with Aspect Ratio off, the formula, the coloring and its count, Show Values.
RenderFields ParametersOfPicture(const RenderSettings& settings);

// Such fields as a versioned text of "Key: value" lines, as images carry them.
std::string ParametersText(const RenderFields& fields);

// The fields of a parameters text, or what is wrong with it: a missing or repeated key, an
// unknown formula or coloring, a value that is not a number. The texts of the area and C
// are checked further by Render, as typed ones are.
std::variant<RenderFields, std::string> ReadParametersText(std::string_view text);

// One line for people: formula, coloring and count, the area (or a deep picture's centre and
// width) and C where the formula uses it.
std::string DescribeParameters(const RenderSettings& settings);

// The parameters a PNG written by this program carries, or a message naming what is missing
// or wrong.
std::variant<RenderFields, std::string> ReadPngParameters(ByteSource& png);

// What a PNG of the picture says about it: a Description, the Software, the parameters.
std::vector<PngText> PngTextsOfPicture(const RenderSettings& settings);

inline constexpr const char* kParametersKeyword = "Korvanta parameters";
// The longest parameters text read: six texts of the deep engine's longest and the rest.
inline constexpr std::size_t kLongestParametersText = 6 * 1000000 + 4096;

}  // namespace korvanta
