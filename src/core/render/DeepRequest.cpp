#include "core/render/DeepRequest.h"

#include "core/formulas/FormulaList.h"
#include "core/text/NumberText.h"

#include <string_view>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace korvanta {

std::string messages::TooDeepForDoubles(const char* formula, double step, double coordinate)
{
    char text[320];
    std::snprintf(text, sizeof text,
                  "%s is computed in double precision, which cannot tell this picture's pixels apart: they "
                  "lie %.3g apart at coordinates near %.3g. Widen the area to at least %.3g a pixel",
                  formula, step, coordinate, std::ldexp(1.0, std::ilogb(std::max(1.0, coordinate)) - 52));
    return text;
}

namespace {

// "-2.2250738585072014e-308": no shortest text of a double is longer.
constexpr std::size_t kLongestDoubleText = 24;

FieldProblem ProblemOf(DeepLocation::Problem problem)
{
    switch (problem) {
    case DeepLocation::Problem::XStart: return {RenderField::XStart, messages::kIllegalXStart, false};
    case DeepLocation::Problem::XEnd: return {RenderField::XEnd, messages::kIllegalXEnd, false};
    case DeepLocation::Problem::YStart: return {RenderField::YStart, messages::kIllegalYStart, false};
    case DeepLocation::Problem::YEnd: return {RenderField::YEnd, messages::kIllegalYEnd, false};
    case DeepLocation::Problem::XEqual: return {RenderField::XStart, messages::kXTooClose, false};
    case DeepLocation::Problem::YEqual: return {RenderField::YStart, messages::kYTooClose, false};
    case DeepLocation::Problem::TooLong: return {RenderField::XStart, messages::kCoordinateTooLong, false};
    case DeepLocation::Problem::TooDeep: break;
    }
    return {RenderField::XStart, messages::kTooDeep, false};
}

}  // namespace

std::optional<std::variant<DeepRenderRequest, FieldProblem>> CheckDeepRenderFields(const RenderFields& f,
                                                                                 bool formulaUsesConstant)
{
    const std::optional<DeepKind> kind = DeepKindOfFormula(f.formula);
    if (CheckPictureSize(f) || CheckConstant(f, formulaUsesConstant))
        return std::nullopt;
    // The coordinates as doubles; one below their range is 0 here and only the deep engine
    // takes it.
    double d[4];
    bool belowDoubles = false;
    for (int i = 0; const std::string* text : {&f.xStart, &f.xEnd, &f.yStart, &f.yEnd}) {
        if (const auto value = ScanReal(Limited(*text))) {
            d[i] = *value;
        } else if (BelowDoubles(*text)) {
            d[i] = 0;
            belowDoubles = true;
        } else {
            return std::nullopt;
        }
        ++i;
    }
    const bool equalDoubles = d[0] == d[1] || d[2] == d[3];
    if (!equalDoubles && !belowDoubles) {
        const auto today = CheckRenderFields(f, formulaUsesConstant);
        const auto* request = std::get_if<RenderRequest>(&today);
        if (!request)
            return std::nullopt;
        const RenderSettings& s = request->settings;
        if (DoublesResolve(s.m_dXStart, s.m_dXEnd, s.m_dYStart, s.m_dYEnd, s.m_nWidth, s.m_nHeight))
            return std::nullopt;
        if (!kind) {
            if (DoublesSeparate(s.m_dXStart, s.m_dXEnd, s.m_dYStart, s.m_dYEnd, s.m_nWidth, s.m_nHeight))
                return std::nullopt;
            const double step = std::min(std::fabs((s.m_dXEnd - s.m_dXStart) / s.m_nWidth),
                                         std::fabs((s.m_dYEnd - s.m_dYStart) / s.m_nHeight));
            const double coordinate = std::max({std::fabs(s.m_dXStart), std::fabs(s.m_dXEnd), std::fabs(s.m_dYStart),
                                                std::fabs(s.m_dYEnd)});
            return FieldProblem{RenderField::XStart,
                                messages::TooDeepForDoubles(CreateFormula(f.formula)->GetName(), step, coordinate),
                                false};
        }
    } else if (!kind) {
        // Start and end that differ only beyond a double's digits.
        const auto exact = DeepLocation::Make({f.xStart, f.xEnd, f.yStart, f.yEnd}, AtoI(f.width), AtoI(f.height), 1);
        const auto* location = std::get_if<DeepLocation>(&exact);
        if (!location)
            return std::nullopt;  // refused as today
        const double step = std::min(location->StepX().Abs().ToDouble(), location->StepY().Abs().ToDouble());
        return FieldProblem{RenderField::XStart,
                            messages::TooDeepForDoubles(CreateFormula(f.formula)->GetName(), step,
                                                        std::max({std::fabs(d[0]), std::fabs(d[1]), std::fabs(d[2]),
                                                                  std::fabs(d[3])})),
                            false};
    }
    const DeepArea area{f.xStart, f.xEnd, f.yStart, f.yEnd};
    // The exact proportions, from a picture of one pixel.
    const auto unit = DeepLocation::Make(area, 1, 1, 1);
    if (const auto* problem = std::get_if<DeepLocation::Problem>(&unit)) {
        // A text that only begins with a number (a paste) is refused as today, unless it is
        // longer than a double's: then the digits it lost were the ones telling start and
        // end apart, and today's message would blame the difference instead of the text.
        using P = DeepLocation::Problem;
        if (*problem == P::XStart || *problem == P::XEnd || *problem == P::YStart || *problem == P::YEnd) {
            const std::string* texts[] = {&f.xStart, &f.xEnd, &f.yStart, &f.yEnd};
            if (equalDoubles && texts[static_cast<int>(*problem)]->size() > kLongestDoubleText)
                return ProblemOf(*problem);
            return std::nullopt;
        }
        return ProblemOf(*problem);
    }
    const DeepLocation& whole = std::get<DeepLocation>(unit);
    const double ratio = (whole.StepX() / whole.StepY()).Abs().ToDouble();
    auto made = MakeRenderRequest(f, formulaUsesConstant, ratio);
    if (auto* problem = std::get_if<FieldProblem>(&made))
        return *problem;
    RenderRequest& request = std::get<RenderRequest>(made);
    RenderSettings& s = request.settings;
    // What readers that know only doubles see of the location.
    s.m_dXStart = BigFloat::FromDecimal(f.xStart, 64)->ToDouble();
    s.m_dXEnd = BigFloat::FromDecimal(f.xEnd, 64)->ToDouble();
    s.m_dYStart = BigFloat::FromDecimal(f.yStart, 64)->ToDouble();
    s.m_dYEnd = BigFloat::FromDecimal(f.yEnd, 64)->ToDouble();
    if (const auto fitted = DeepLocation::Make(area, s.m_nWidth, s.m_nHeight, 1);
        std::holds_alternative<DeepLocation::Problem>(fitted))
        return ProblemOf(std::get<DeepLocation::Problem>(fitted));
    const bool julia = !FormulaOf(*kind).pixelIsC;
    if (julia && !BigFloat::FromDecimal(f.cRe, 64))
        return FieldProblem{RenderField::CRe, messages::kIllegalCRe, true};
    if (julia && !BigFloat::FromDecimal(f.cIm, 64))
        return FieldProblem{RenderField::CIm, messages::kIllegalCIm, true};
    DeepRenderRequest deep{std::move(request), CreateDeepFormula(*kind)};
    deep.formula->SetLocation(area, julia ? f.cRe : "0", julia ? f.cIm : "0");
    return deep;
}

RenderFields WithPlainDeepTexts(RenderFields f)
{
    std::string* texts[] = {&f.xStart, &f.xEnd, &f.yStart, &f.yEnd, &f.cRe, &f.cIm};
    double d[4];
    bool deep = false;
    for (int i = 0; i < 4; ++i) {
        const auto value = ScanReal(Limited(*texts[i]));
        deep = deep || BelowDoubles(*texts[i]);
        d[i] = value.value_or(0.0);
    }
    deep = deep || !DoublesResolve(d[0], d[1], d[2], d[3], std::max(1, AtoI(f.width)), std::max(1, AtoI(f.height)));
    if (deep)
        for (std::string* text : texts)
            *text = PlainDecimal(*text);
    return f;
}

}  // namespace korvanta
