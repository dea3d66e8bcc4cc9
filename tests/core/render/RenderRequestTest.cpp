#include "core/colorings/FractCol2304.h"
#include "core/colorings/FractColPolarLog.h"
#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/render/RenderRequest.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

FieldProblem ProblemOf(const std::variant<RenderRequest, FieldProblem>& checked)
{
    static const FieldProblem none{RenderField::XStart, "(accepted)", false};
    const auto* problem = std::get_if<FieldProblem>(&checked);
    return problem ? *problem : none;
}

TEST(RenderRequest, FieldsAreScannedAsTheControlWindowHoldsThem)
{
    RenderFields f;
    f.xStart = "-2.5";
    f.xEnd = "1e0";
    f.yStart = " -.75";
    f.yEnd = "0.75xyz";
    f.aspectRatio = 0;
    f.showValues = 2;  // only 1 counts as set
    f.coloring = 4;
    f.formula = 2;
    f.width = "640px";
    f.height = "  480";
    f.cRe = "0.25";
    f.cIm = "-1";
    const auto checked = CheckRenderFields(f, true);
    ASSERT_TRUE(std::holds_alternative<RenderRequest>(checked)) << ProblemOf(checked).message;
    const RenderRequest& r = std::get<RenderRequest>(checked);
    const RenderSettings& s = r.settings;
    EXPECT_EQ(s.m_dXStart, -2.5);
    EXPECT_EQ(s.m_dXEnd, 1.0);
    EXPECT_EQ(s.m_dYStart, -0.75);
    EXPECT_EQ(s.m_dYEnd, 0.75);
    EXPECT_EQ(s.m_bAspect, 0);
    EXPECT_EQ(s.m_bShowValues, 0);
    EXPECT_EQ(s.m_nColoring, 4);
    EXPECT_EQ(s.m_nFormula, 2);
    EXPECT_EQ(s.m_nWidth, 640);
    EXPECT_EQ(s.m_nHeight, 480);
    EXPECT_EQ(s.m_pAlg, nullptr);
    EXPECT_EQ(r.constant.m_z, std::complex<double>(0.25, -1));

    // With Aspect Ratio the size is fitted to the area, as the explorer does at Render.
    f.aspectRatio = 1;
    const RenderSettings fitted = std::get<RenderRequest>(CheckRenderFields(f, false)).settings;
    EXPECT_EQ(fitted.m_bAspect, 1);
    EXPECT_NE(fitted.m_nWidth * 3, fitted.m_nHeight * 2);  // 3.5 x 1.5 is wider than 640 x 480
    EXPECT_GT(fitted.m_nWidth, 640);
}

TEST(RenderRequest, TheFirstFailureInTheControlWindowsOrderIsReported)
{
    struct Case {
        RenderFields fields;
        RenderField field;
        const char* message;
        bool selectAll;
    };
    auto with = [](auto change) {
        RenderFields f;
        f.cRe = "nothing";  // only read where the formula uses C
        change(f);
        return f;
    };
    const std::string range = "Value should be between or equal to 1 and 32000!";
    const Case cases[] = {
        {with([](RenderFields& f) { f.width = "0"; f.xStart = "x"; }), RenderField::Width, range.c_str(), true},
        {with([](RenderFields& f) { f.height = "32001"; }), RenderField::Height, range.c_str(), true},
        {with([](RenderFields& f) { f.xEnd = "--1"; }), RenderField::XEnd, messages::kIllegalXEnd, false},
        {with([](RenderFields& f) { f.yStart = ""; f.yEnd = "?"; }), RenderField::YStart, messages::kIllegalYStart, false},
        {with([](RenderFields& f) { f.xStart = "1.0"; f.xEnd = "1e0"; }), RenderField::XStart, messages::kXTooClose, false},
        {with([](RenderFields& f) { f.yStart = "2"; f.yEnd = "2"; }), RenderField::YStart, messages::kYTooClose, false},
    };
    for (const Case& c : cases) {
        const FieldProblem problem = ProblemOf(CheckRenderFields(c.fields, false));
        EXPECT_EQ(problem.field, c.field) << c.message;
        EXPECT_EQ(problem.message, c.message);
        EXPECT_EQ(problem.selectAll, c.selectAll) << c.message;
    }
    // The sizes are checked alone when the control window fills its controls.
    EXPECT_FALSE(CheckPictureSize(with([](RenderFields& f) { f.xStart = "x"; })));
    EXPECT_TRUE(CheckPictureSize(with([](RenderFields& f) { f.width = "-3"; })));
}

TEST(RenderRequest, AreasThatLeaveNoPixelAcrossOrTooManyAlongAreRefusedNamingTheirRange)
{
    RenderFields f;
    f.xStart = "0", f.xEnd = "1e12", f.yStart = "0", f.yEnd = "1";
    const FieldProblem flat = ProblemOf(CheckRenderFields(f, false));
    EXPECT_EQ(flat.field, RenderField::YStart);
    EXPECT_EQ(flat.message, messages::kAreaTooFlat);
    f.xEnd = "1e-12";
    const FieldProblem narrow = ProblemOf(CheckRenderFields(f, false));
    EXPECT_EQ(narrow.field, RenderField::XStart);
    EXPECT_EQ(narrow.message, messages::kAreaTooNarrow);
    // Kept at about as many pixels, a 1000 x 1000 picture of a 1:10^6 area would be one
    // pixel wide and a million high: more than any document may hold.
    f.width = f.height = "1000";
    f.xEnd = "1e-6";
    const FieldProblem tall = ProblemOf(CheckRenderFields(f, false));
    EXPECT_EQ(tall.field, RenderField::YStart);
    EXPECT_EQ(tall.message, messages::AreaTooTall());
    f.xEnd = "1", f.yEnd = "1e-6";
    const FieldProblem wide = ProblemOf(CheckRenderFields(f, false));
    EXPECT_EQ(wide.field, RenderField::XStart);
    EXPECT_EQ(wide.message, messages::AreaTooWide());
    // Without Aspect Ratio the typed size stands.
    f.aspectRatio = 0;
    EXPECT_TRUE(std::holds_alternative<RenderRequest>(CheckRenderFields(f, false)));
}

TEST(RenderRequest, ConstantIsOnlyReadWhereTheFormulaUsesIt)
{
    RenderFields f;
    f.cRe = "abc";
    EXPECT_TRUE(std::holds_alternative<RenderRequest>(CheckRenderFields(f, false)));
    const FieldProblem re = ProblemOf(CheckRenderFields(f, true));
    EXPECT_EQ(re.field, RenderField::CRe);
    EXPECT_EQ(re.message, messages::kIllegalCRe);
    EXPECT_TRUE(re.selectAll);
    f.cRe = "1";
    f.cIm = "i";
    EXPECT_EQ(ProblemOf(CheckRenderFields(f, true)).message, messages::kIllegalCIm);
}

TEST(RenderRequest, OnlyTheFirst399CharactersOfAFieldCount)
{
    RenderFields f;
    f.xStart = std::string(398, ' ') + "5";  // the 399th character is the number
    f.xEnd = std::string(399, ' ') + "5";    // the number is cut off
    const FieldProblem problem = ProblemOf(CheckRenderFields(f, false));
    EXPECT_EQ(problem.field, RenderField::XEnd);
    f.xEnd = "6";
    EXPECT_EQ(std::get<RenderRequest>(CheckRenderFields(f, false)).settings.m_dXStart, 5.0);
}

TEST(RenderRequest, ObjectsGetCountAndConstantOnlyWhereTheyTakeThem)
{
    RenderFields f;
    f.colors = "5";
    CFractAlgMandelbrot mandelbrot;
    CFractColPolarLog polarLog;
    PrepareObjects(f, CFractValue(1, 2), mandelbrot, polarLog);
    EXPECT_EQ(polarLog.GetNumColors(), 5);
    EXPECT_EQ(mandelbrot.GetConstant().m_z, std::complex<double>(0, 0));

    CFractAlgJulia julia;
    CFractCol2304 fixed;  // always 2304 colors
    const std::int32_t ownCount = fixed.GetNumColors();
    PrepareObjects(f, CFractValue(1, 2), julia, fixed);
    EXPECT_EQ(fixed.GetNumColors(), ownCount);
    EXPECT_EQ(julia.GetConstant().m_z, std::complex<double>(1, 2));
}

}  // namespace
}  // namespace korvanta
