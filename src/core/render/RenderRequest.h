#pragma once

#include "core/render/RenderSettings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace korvanta {

// Sides of a picture that Render accepts, in pixels.
inline constexpr std::int32_t kMinPictureSide = 1;
inline constexpr std::int32_t kMaxPictureSide = 32000;
// Longest text read from a field; the rest is ignored.
inline constexpr std::size_t kFieldTextLimit = 399;

// What Render reads of a field's text.
inline std::string_view Limited(const std::string& text)
{
    return std::string_view(text).substr(0, kFieldTextLimit);
}

// The fields of the next picture, as text, as the control window holds them. The initial
// values are those the explorer starts with.
struct RenderFields {
    std::string xStart = "-1", xEnd = "1", yStart = "-1", yEnd = "1";
    std::string width = "200", height = "200";
    std::string colors;  // empty in the initial fields: the coloring's own number
    std::string cRe = "0.0", cIm = "0.0";
    std::int32_t formula = 0, coloring = 0;
    int aspectRatio = 1, showValues = 0, onTop = 1;  // only 1 counts as set
};

enum class RenderField { XStart, XEnd, YStart, YEnd, Width, Height, CRe, CIm };

// Why Render refuses the fields: the field to focus, whether its text gets selected, and
// the message to show.
struct FieldProblem {
    RenderField field;
    std::string message;
    bool selectAll;
};

// Render's checks, in the control window's order; each reports the first failure only.
std::optional<FieldProblem> CheckPictureSize(const RenderFields& fields);
std::optional<FieldProblem> CheckArea(const RenderFields& fields);
std::optional<FieldProblem> CheckConstant(const RenderFields& fields, bool formulaUsesConstant);

// What Render makes of fields that pass every check: the settings, with the size fitted to
// the area when Aspect Ratio is set, and C (zero when the formula does not use it).
struct RenderRequest {
    RenderSettings settings;
    CFractValue constant;
};
std::variant<RenderRequest, FieldProblem> CheckRenderFields(const RenderFields& fields,
                                                            bool formulaUsesConstant);

// The request of fields that passed their checks. `areaRatio`, when given, stands for the
// area's width over its height, for areas too small for their doubles to say it.
std::variant<RenderRequest, FieldProblem> MakeRenderRequest(const RenderFields& fields, bool formulaUsesConstant,
                                                            std::optional<double> areaRatio = std::nullopt);

// The last step of Render: gives the coloring the typed number of colors when it takes one,
// and the formula C when it uses one.
void PrepareObjects(const RenderFields& fields, const CFractValue& constant, CFractAlg& alg,
                    CFractCol& col);

namespace messages {
inline constexpr const char* kIllegalXStart = "Illegal real start value";
inline constexpr const char* kIllegalXEnd = "Illegal real end value";
inline constexpr const char* kIllegalYStart = "Illegal imaginary start value";
inline constexpr const char* kIllegalYEnd = "Illegal imaginary end value";
inline constexpr const char* kXTooClose = "The difference between XStart and XEnd is too small!";
inline constexpr const char* kYTooClose = "The difference between YStart and YEnd is too small!";
inline constexpr const char* kIllegalCRe = "Illegal real part of the constant C";
inline constexpr const char* kIllegalCIm = "Illegal imaginary part of the constant C";
inline constexpr const char* kOutOfMemory = "Out of memory!";
inline constexpr const char* kAreaTooNarrow =
    "With Aspect Ratio the picture would be less than one pixel wide: widen X Start to X End "
    "or uncheck Aspect Ratio";
inline constexpr const char* kAreaTooFlat =
    "With Aspect Ratio the picture would be less than one pixel high: widen Y Start to Y End "
    "or uncheck Aspect Ratio";
// "Value should be between or equal to 1 and 32000!"
std::string SideOutOfRange();
// A fitted side beyond the largest picture: "...more than 32000 pixels wide/high..."
std::string AreaTooWide();
std::string AreaTooTall();
}  // namespace messages

}  // namespace korvanta
