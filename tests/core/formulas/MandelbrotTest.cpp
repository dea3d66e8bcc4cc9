#include "core/archive/Archive.h"
#include "core/formulas/FormulaList.h"
#include "core/formulas/FractAlgMandelbrot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace korvanta {
namespace {

// A formula set up for a picture whose pixel (column, 0) is the point (x, 0).
void Configure(CFractAlg& alg, double xStart, double xEnd, std::int32_t width, std::int32_t limit)
{
    alg.SetArea(xStart, xEnd, 0, 1);
    alg.SetWidth(width);
    alg.SetHeight(1);
    alg.SetMaxIter(limit);
}

// Runs a point to its end and reports how many calls it took.
int RunPoint(CFractAlg& alg, std::int32_t column, std::int32_t row = 0)
{
    alg.SetPoint(column, row);
    int calls = 1;
    while (!alg.Iterate())
        ++calls;
    return calls;
}

// Independent of the formula classes: the escape step of z <- z^2 - c from z = c.
std::uint32_t ReferenceEscape(double cx, std::uint32_t limit)
{
    double x = cx, y = 0;
    for (std::uint32_t n = 1; n < limit; ++n) {
        const double t = x * x + y * y;
        const double nx = x * x - y * y - cx;
        y = 2 * x * y;
        x = nx;
        if (t >= 4)
            return n;
    }
    return 0;
}

TEST(PixelMapping, ColumnsAndRowsStartOnTheAreaAndStepByItsWidth)
{
    CFractAlgMandelbrot alg;
    alg.SetArea(-1, 1, -1, 1);
    alg.SetWidth(200);
    alg.SetHeight(100);
    EXPECT_EQ(alg.StepX(), 0.01);
    EXPECT_EQ(alg.StepY(), 0.02);
    alg.SetMaxIter(1);
    alg.SetPoint(0, 0);
    ASSERT_TRUE(alg.Iterate());
    // Limit 1: the result is the first step from the point; z^2 - c at c = -1 - i gives
    // (0 + 2i) - (-1 - i) = 1 + 3i.
    EXPECT_EQ(alg.GetResult()->m_z, std::complex<double>(1, 3));
    alg.SetPoint(199, 0);
    alg.Iterate();
    const double x = -1 + 199 * 0.01;
    EXPECT_DOUBLE_EQ(x, 0.99);
    EXPECT_EQ(alg.GetResult()->m_z.real(), x * x - 1 - x);
}

TEST(PixelMapping, NegativeSizesDivideAsUnsignedNumbers)
{
    CFractAlg alg;
    alg.SetArea(0, 1, 0, 1);
    alg.SetWidth(-1);
    EXPECT_EQ(alg.StepX(), 1.0 / 4294967295.0);
}

TEST(Mandelbrot, MinusOneEscapesAtTwoOneStepBeyondRadiusTwo)
{
    CFractAlgMandelbrot alg;
    Configure(alg, -1, 1, 2, 1000);
    EXPECT_EQ(RunPoint(alg, 0), 1);
    EXPECT_EQ(alg.GetResult()->GetCount(), 2);
    EXPECT_EQ(alg.GetResult()->m_z, std::complex<double>(5, 0));
}

TEST(Mandelbrot, PointOneCyclesToTheLimitWithCountZero)
{
    CFractAlgMandelbrot alg;
    Configure(alg, 1, 2, 1, 1000);
    RunPoint(alg, 0);
    EXPECT_EQ(alg.GetResult()->GetCount(), 0);
    // 1 -> 0 -> -1 -> 0 ...: the 1000th iterate is -1.
    EXPECT_EQ(alg.GetResult()->m_z, std::complex<double>(-1, 0));
}

TEST(Mandelbrot, MinusOneHalfEscapesAtFive)
{
    CFractAlgMandelbrot alg;
    Configure(alg, -0.5, 0.5, 1, 1000);
    RunPoint(alg, 0);
    EXPECT_EQ(alg.GetResult()->GetCount(), 5);
}

TEST(Mandelbrot, PointsOutsideRadiusTwoFinishAtCountOne)
{
    CFractAlgMandelbrot alg;
    Configure(alg, 2, 3, 1, 1000);
    RunPoint(alg, 0);
    EXPECT_EQ(alg.GetResult()->GetCount(), 1);
}

TEST(Mandelbrot, LimitsZeroAndOneFinishAfterTheFirstStepWithCountZero)
{
    for (std::int32_t limit : {0, 1}) {
        CFractAlgMandelbrot alg;
        Configure(alg, 3, 4, 1, limit);
        EXPECT_EQ(RunPoint(alg, 0), 1);
        EXPECT_EQ(alg.GetResult()->GetCount(), 0) << "limit " << limit;
        EXPECT_EQ(alg.GetResult()->m_z, std::complex<double>(6, 0)) << "limit " << limit;
    }
}

TEST(Mandelbrot, SlowPointYieldsAtEveryFiveThousandSteps)
{
    // Just outside the cusp the orbit creeps past the parabolic point; search the distance
    // at which escape takes between 6000 and 8000 steps.
    double near = 1e-9, far = 1e-5, cx = 0;
    std::uint32_t expected = 0;
    for (int i = 0; i < 200 && !(expected > 6000 && expected < 8000); ++i) {
        const double mid = std::sqrt(near * far);
        cx = -0.25 - mid;
        expected = ReferenceEscape(cx, 100000);
        (expected == 0 || expected > 8000 ? near : far) = mid;
    }
    ASSERT_GT(expected, 6000u);
    ASSERT_LT(expected, 8000u);

    CFractAlgMandelbrot alg;
    Configure(alg, cx, cx + 1, 1, 100000);
    alg.SetPoint(0, 0);
    EXPECT_FALSE(alg.Iterate());
    EXPECT_TRUE(alg.Iterate());
    EXPECT_EQ(static_cast<std::uint32_t>(alg.GetResult()->GetCount()), expected);
}

TEST(Mandelbrot, PointAtTheLimitNeedsOneCallPerFiveThousandSteps)
{
    CFractAlgMandelbrot alg;
    Configure(alg, 0, 1, 1, 15001);
    EXPECT_EQ(RunPoint(alg, 0), 4);  // yields at 5000, 10000 and 15000, finishes at 15001
    EXPECT_EQ(alg.GetResult()->GetCount(), 0);
}

TEST(BaseFormula, FinishesAtOnceAndLeavesTheResult)
{
    CFractAlg alg;
    Configure(alg, 0, 1, 1, 100);
    alg.SetPoint(0, 0);
    EXPECT_TRUE(alg.Iterate());
    EXPECT_EQ(alg.GetResult()->m_z, std::complex<double>(0, 0));
    EXPECT_STREQ(alg.GetName(), "Define GetName function!");
    EXPECT_FALSE(alg.UsesConstant());
}

TEST(BaseFormula, ConstantIsIgnoredByFormulasWithoutOne)
{
    CFractAlgMandelbrot alg;
    CFractValue c(1, 2);
    c.SetCount(3);
    alg.SetConstant(c);
    EXPECT_EQ(alg.GetConstant().m_z, std::complex<double>(0, 0));
    EXPECT_EQ(alg.GetConstant().GetCount(), 0);
}

TEST(FormulaList, IndexesCreateTheirClassesAndNothingElse)
{
    EXPECT_STREQ(CreateFormula(0)->GetName(), "Mandelbrot Set");
    EXPECT_EQ(CreateFormula(-1), nullptr);
    EXPECT_EQ(CreateFormula(static_cast<std::int32_t>(FormulaClasses().size())), nullptr);
    for (const CRuntimeClass* c : FormulaClasses()) {
        EXPECT_EQ(c->m_wSchema, 1);
        EXPECT_EQ(c->m_pBaseClass, &CFractAlg::kClass);
        EXPECT_STREQ(c->CreateObject()->GetRuntimeClass().m_lpszClassName, c->m_lpszClassName);
    }
}

}  // namespace
}  // namespace korvanta
