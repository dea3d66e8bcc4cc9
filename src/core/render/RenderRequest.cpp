#include "core/render/RenderRequest.h"

#include "core/render/AspectFit.h"
#include "core/text/NumberText.h"

#include <string_view>

namespace korvanta {

std::string messages::SideOutOfRange()
{
    return "Value should be between or equal to " + std::to_string(kMinPictureSide) + " and " +
           std::to_string(kMaxPictureSide) + "!";
}

std::string messages::AreaTooWide()
{
    return "With Aspect Ratio the picture would be more than " + std::to_string(kMaxPictureSide) +
           " pixels wide: narrow X Start to X End, make the picture smaller or uncheck Aspect Ratio";
}

std::string messages::AreaTooTall()
{
    return "With Aspect Ratio the picture would be more than " + std::to_string(kMaxPictureSide) +
           " pixels high: narrow Y Start to Y End, make the picture smaller or uncheck Aspect Ratio";
}

std::optional<FieldProblem> CheckPictureSize(const RenderFields& f)
{
    for (auto [text, field] : {std::pair{&f.width, RenderField::Width},
                               std::pair{&f.height, RenderField::Height}}) {
        const std::int32_t side = AtoI(*text);
        if (side < kMinPictureSide || side > kMaxPictureSide)
            return FieldProblem{field, messages::SideOutOfRange(), true};
    }
    return std::nullopt;
}

std::optional<FieldProblem> CheckArea(const RenderFields& f)
{
    struct Coordinate {
        const std::string* text;
        RenderField field;
        const char* message;
        double value = 0;
    };
    Coordinate c[] = {{&f.xStart, RenderField::XStart, messages::kIllegalXStart},
                      {&f.xEnd, RenderField::XEnd, messages::kIllegalXEnd},
                      {&f.yStart, RenderField::YStart, messages::kIllegalYStart},
                      {&f.yEnd, RenderField::YEnd, messages::kIllegalYEnd}};
    for (Coordinate& coordinate : c) {
        const auto value = ScanReal(Limited(*coordinate.text));
        if (!value)
            return FieldProblem{coordinate.field, coordinate.message, false};
        coordinate.value = *value;
    }
    if (c[0].value == c[1].value)
        return FieldProblem{RenderField::XStart, messages::kXTooClose, false};
    if (c[2].value == c[3].value)
        return FieldProblem{RenderField::YStart, messages::kYTooClose, false};
    return std::nullopt;
}

std::optional<FieldProblem> CheckConstant(const RenderFields& f, bool formulaUsesConstant)
{
    // Only a formula that uses C reads it; a text that does not scan would reach it as garbage.
    if (!formulaUsesConstant)
        return std::nullopt;
    if (!ScanReal(Limited(f.cRe)))
        return FieldProblem{RenderField::CRe, messages::kIllegalCRe, true};
    if (!ScanReal(Limited(f.cIm)))
        return FieldProblem{RenderField::CIm, messages::kIllegalCIm, true};
    return std::nullopt;
}

std::variant<RenderRequest, FieldProblem> CheckRenderFields(const RenderFields& f,
                                                            bool formulaUsesConstant)
{
    for (const auto& problem :
         {CheckPictureSize(f), CheckArea(f), CheckConstant(f, formulaUsesConstant)})
        if (problem)
            return *problem;
    return MakeRenderRequest(f, formulaUsesConstant);
}

std::variant<RenderRequest, FieldProblem> MakeRenderRequest(const RenderFields& f, bool formulaUsesConstant,
                                                            std::optional<double> areaRatio)
{
    RenderRequest request;
    RenderSettings& s = request.settings;
    s.m_dXStart = ScanReal(Limited(f.xStart)).value_or(0.0);
    s.m_dXEnd = ScanReal(Limited(f.xEnd)).value_or(0.0);
    s.m_dYStart = ScanReal(Limited(f.yStart)).value_or(0.0);
    s.m_dYEnd = ScanReal(Limited(f.yEnd)).value_or(0.0);
    s.m_bAspect = f.aspectRatio == 1 ? 1 : 0;
    s.m_bShowValues = f.showValues == 1 ? 1 : 0;
    s.m_nColoring = f.coloring;
    s.m_nFormula = f.formula;
    s.m_nWidth = AtoI(f.width);
    s.m_nHeight = AtoI(f.height);
    if (!areaRatio)
        s.FitSizeToArea();
    else if (s.m_bAspect == 1) {
        const PictureSize fitted = FitToAspect(0, *areaRatio, 0, 1, {s.m_nWidth, s.m_nHeight});
        s.m_nWidth = fitted.width;
        s.m_nHeight = fitted.height;
    }
    // An area far wider than high (or the reverse) leaves no pixel across the other way;
    // the width is fitted from the height, so a flat area has neither.
    if (s.m_nHeight < kMinPictureSide)
        return FieldProblem{RenderField::YStart, messages::kAreaTooFlat, false};
    if (s.m_nWidth < kMinPictureSide)
        return FieldProblem{RenderField::XStart, messages::kAreaTooNarrow, false};
    // Nor may it grow past what a document may hold the other way.
    if (s.m_nWidth > kMaxPictureSide)
        return FieldProblem{RenderField::XStart, messages::AreaTooWide(), false};
    if (s.m_nHeight > kMaxPictureSide)
        return FieldProblem{RenderField::YStart, messages::AreaTooTall(), false};
    if (formulaUsesConstant)
        request.constant = CFractValue(*ScanReal(Limited(f.cRe)), *ScanReal(Limited(f.cIm)));
    return request;
}

void PrepareObjects(const RenderFields& f, const CFractValue& constant, CFractAlg& alg,
                    CFractCol& col)
{
    if (col.CanSetNumColors())
        col.SetNumColors(AtoI(Limited(f.colors)));
    if (alg.UsesConstant())
        alg.SetConstant(constant);
}

}  // namespace korvanta
