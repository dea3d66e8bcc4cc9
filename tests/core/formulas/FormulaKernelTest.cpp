#include "core/formulas/FormulaKernel.h"
#include "core/formulas/FormulaList.h"
#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/formulas/FractAlgNewRap1.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace korvanta {
namespace {

struct Picture {
    int formula;  // its list number: 0 Mandelbrot, 1 Mandelbrot^3, 2 Julia, 3 Julia^3, 4 Lambda
    double x0, x1, y0, y1;
    std::int32_t width, height, limit;
    double a = 0, b = 0;
};

// Every pixel of the picture through the formula object and through the kernel: counts
// and the bits of the final iterate must agree. Every other row runs with a cancel flag
// (never set), which breaks long runs of steps into pieces.
void ExpectSameEverywhere(const Picture& p, FormulaKernel::Lanes lanes)
{
    std::unique_ptr<CFractAlg> alg = CreateFormula(p.formula);
    alg->SetArea(p.x0, p.x1, p.y0, p.y1);
    alg->SetWidth(p.width);
    alg->SetHeight(p.height);
    alg->SetMaxIter(p.limit);
    alg->SetConstant(CFractValue(p.a, p.b));
    ASSERT_TRUE(FormulaKernel::Handles(*alg));
    const FormulaKernel kernel(*alg, lanes);
    std::vector<CFractValue> row;
    const std::atomic<bool> never{false};
    int mismatches = 0;
    for (std::int32_t y = 0; y < p.height; ++y) {
        // A part of a row too, as a document stopped mid-row resumes.
        const std::int32_t from = y == 1 ? p.width / 3 : 0;
        kernel.Row(y, from, p.width, row, y % 2 ? &never : nullptr);
        ASSERT_EQ(row.size(), static_cast<std::size_t>(p.width - from));
        for (std::int32_t x = from; x < p.width; ++x) {
            alg->SetPoint(x, y);
            while (!alg->Iterate()) {
            }
            const CFractValue& want = *alg->GetResult();
            const CFractValue& got = row[static_cast<std::size_t>(x - from)];
            const bool same = want.GetCount() == got.GetCount() &&
                              std::bit_cast<std::uint64_t>(want.m_z.real()) == std::bit_cast<std::uint64_t>(got.m_z.real()) &&
                              std::bit_cast<std::uint64_t>(want.m_z.imag()) == std::bit_cast<std::uint64_t>(got.m_z.imag());
            if (!same && ++mismatches <= 3)
                ADD_FAILURE() << alg->GetName() << " limit " << p.limit << " pixel "
                              << x << "," << y << ": count " << got.GetCount() << " instead of "
                              << want.GetCount() << ", z " << got.m_z << " instead of " << want.m_z;
        }
    }
}

TEST(FormulaKernel, HandlesTheFormulasOfPlainRealArithmeticOnly)
{
    for (int formula = 0; formula < 5; ++formula)
        EXPECT_TRUE(FormulaKernel::Handles(*CreateFormula(formula))) << formula;
    EXPECT_FALSE(FormulaKernel::Handles(CFractAlgNewRap1()));
    EXPECT_FALSE(FormulaKernel::Handles(CFractAlg()));
    class Derived : public CFractAlgMandelbrot {} derived;  // may step differently
    EXPECT_FALSE(FormulaKernel::Handles(derived));
}

// Each width the processor has, on its own; a missing one is skipped and says so.
class FormulaKernelWidth : public ::testing::TestWithParam<FormulaKernel::Lanes> {};

TEST_P(FormulaKernelWidth, MatchesTheFormulaObjectsBitForBit)
{
    const FormulaKernel::Lanes lanes = GetParam();
    if (!FormulaKernel::Available(lanes))
        GTEST_SKIP() << "this processor lacks these vectors";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Picture pictures[] = {
        // Whole views, odd widths, the limits around their edges.
        {0, -2, 2, -2, 2, 37, 29, 2304},
        {0, -2, 2, -2, 2, 11, 7, 0},
        {0, -2, 2, -2, 2, 11, 7, 1},
        {0, -2, 2, -2, 2, 11, 7, 2},
        {0, -0.6, 2.1, -1.35, 1.35, 13, 9, 5000},
        {0, -0.6, 2.1, -1.35, 1.35, 13, 9, 5001},
        {0, 0.1, 0.3, -0.1, 0.1, 9, 5, 65535},
        {0, -2, 2, -2, 2, 5, 3, -1},  // a negative limit is a very large one
        // Over the boundary, cusps and bulbs (the set is mirrored: z^2 - c).
        {0, -0.2501, -0.2499, -0.0001, 0.0001, 23, 17, 20000},
        {0, 0.7486, 0.7490, 0.0998, 0.1002, 21, 19, 3000},
        {0, 1.7497, 1.7500, -0.0001, 0.0002, 17, 15, 4000},
        {0, -0.3700558848150183, -0.3694490348311085, -0.2924315174901869, -0.2917587030851057, 31, 23, 10000},
        // Julia sets: signed zeros, +-1, a dendrite, a Siegel-disk constant, NaN.
        {2, -1.6, 1.6, -1.2, 1.2, 33, 25, 2304, 0.0, -0.0},
        {2, -1.6, 1.6, -1.2, 1.2, 33, 25, 2304, -0.0, 0.0},
        {2, -2, 2, -2, 2, 19, 19, 1000, 1, 0},
        {2, -2, 2, -2, 2, 19, 19, 1000, -1, 0},
        {2, -1.5, 1.5, -1.5, 1.5, 29, 21, 3000, 0, -1},
        {2, -1.5, 1.5, -1.5, 1.5, 29, 21, 6000, 0.390540870218400, 0.586787907346969},
        {2, -1, 1, -1, 1, 7, 5, 300, nan, 0},
        // Overflow to infinity on the first steps.
        {0, -1e200, 1e200, -1e200, 1e200, 9, 9, 100},
        // The cubic forms and Lambda, as the sample scenes use them and around.
        {1, 0.08861747057318931, 0.08861865797727966, 0.7654442229415736, 0.7654451778633227, 19, 13, 100000},
        {1, -1.5, 1.5, -1.5, 1.5, 23, 17, 5001},
        {3, -1.5, 1.5, -1.5, 1.5, 23, 17, 3000, 0.4, 0.1},
        {3, -1.5, 1.5, -1.5, 1.5, 23, 17, 3000, -0.0, 0.0},
        {4, -0.54, 1.6, -1.14, 1.23, 21, 21, 23040, 1, 0.6},
        {4, -0.5, 1.5, -1, 1, 13, 11, 2000, 3.2, 0},
        {4, -0.5, 1.5, -1, 1, 13, 11, 2000, 0, -0.0},
        {3, -1e155, 1e155, -1e155, 1e155, 9, 9, 50, 1, 1},
        // Inside the sets with large limits: the cycle watch finishes these, and the final
        // iterate must land on the right step of the period.
        {0, -0.1, 0.1, -0.1, 0.1, 5, 3, 1000003},
        {0, 1.05, 1.15, -0.05, 0.05, 4, 3, 999983},  // the period-2 bulb
        {2, -0.1, 0.1, -0.1, 0.1, 4, 3, 777777, 0.123, -0.745},
        {4, 0.2, 0.4, -0.1, 0.1, 4, 3, 654321, 2.9, 0},
        {1, -0.1, 0.1, -0.1, 0.1, 4, 3, 333331},
    };
    for (const Picture& p : pictures)
        ExpectSameEverywhere(p, lanes);
    std::mt19937_64 random(2026);
    std::uniform_real_distribution<double> centre(-2.0, 2.0), size(1e-9, 0.5);
    for (int i = 0; i < 40; ++i) {
        const double cx = centre(random), cy = centre(random) / 2, s = size(random);
        ExpectSameEverywhere({i % 5, cx - s, cx + s, cy - s, cy + s, 7 + i % 13, 5 + i % 7,
                              100 + 250 * (i % 11), centre(random) / 2, centre(random) / 2},
                             lanes);
    }
    // Rows wide enough that every lane of the widest vectors takes several pixels, past
    // the boundary where lanes finish at very different steps.
    ExpectSameEverywhere({0, 0.7436438870, 0.7436438890, 0.1318259040, 0.1318259060, 97, 5, 10000}, lanes);
    ExpectSameEverywhere({2, -1.6, 1.6, -1.2, 1.2, 101, 7, 2304, 0.123, -0.745}, lanes);
}

INSTANTIATE_TEST_SUITE_P(Widths, FormulaKernelWidth,
                         ::testing::Values(FormulaKernel::Lanes::Sse2, FormulaKernel::Lanes::Avx2,
                                         FormulaKernel::Lanes::Avx512),
                         [](const ::testing::TestParamInfo<FormulaKernel::Lanes>& info) {
                             return std::string(info.param == FormulaKernel::Lanes::Sse2   ? "Sse2"
                                                : info.param == FormulaKernel::Lanes::Avx2 ? "Avx2"
                                                                                           : "Avx512");
                         });

}  // namespace
}  // namespace korvanta
