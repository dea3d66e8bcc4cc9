#pragma once

#include "core/deep/FractAlgDeep.h"
#include "core/render/RenderRequest.h"

#include <memory>
#include <optional>
#include <variant>

namespace korvanta {

// A picture for the deep engine: today's request with the size fitted to the exact area, and
// the deep formula holding the exact texts of the area and the constant.
struct DeepRenderRequest {
    RenderRequest request;
    std::unique_ptr<CFractAlgDeep> formula;
};

// Render's decision between the two engines. Nothing when the fields are for today's path
// (doubles resolve the picture, or a field is refused as today); a deep request when the
// pixels lie closer than doubles resolve and the deep engine computes the formula; a problem
// when they do not and the formula stays in doubles, or the exact area is refused.
std::optional<std::variant<DeepRenderRequest, FieldProblem>> CheckDeepRenderFields(const RenderFields& fields,
                                                                                 bool formulaUsesConstant);

// The fields as the control window shows them: where they are for a deep picture, the texts
// of the area and C written out plainly (PlainDecimal), which the fields take when typed.
// Other fields keep their texts.
RenderFields WithPlainDeepTexts(RenderFields fields);

namespace messages {
inline constexpr const char* kTooDeep =
    "The area is deeper than Korvanta goes: neighbouring pixels must be at least 2^-65536 (about 1e-19728) apart";
inline constexpr const char* kCoordinateTooLong = "A coordinate may have at most 1000000 characters";
// "Sinz is computed in doubles, ... "
std::string TooDeepForDoubles(const char* formula, double step, double coordinate);
}  // namespace messages

}  // namespace korvanta
