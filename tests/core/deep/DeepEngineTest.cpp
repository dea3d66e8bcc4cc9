#include "core/deep/DeepEngine.h"

#include "support/DeepScenes.h"
#include "support/DirectIteration.h"

#include "core/formulas/FractAlgMandelbrot.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace korvanta {
namespace {

using namespace korvanta::testing;

struct Agreement {
    double sameCount = 0, sameSide = 0;
    double medianRatio = 1;  // of the escaped pixels' counts, engine over oracle
    double largestWrongPatch = 0;  // the share of pixels that share one wrong count
};

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// Every pixel by the engine and by a direct iteration, side by side.
Agreement Compare(const Scene& s, const DeepEngine::Options& options = {})
{
    const DeepArea area = AreaOf(s);
    const auto made = DeepLocation::Make(area, s.columns, s.rows, s.limit);
    const auto* location = std::get_if<DeepLocation>(&made);
    EXPECT_TRUE(location) << s.name;
    if (!location)
        return {};
    const mpfr_prec_t bits = location->Precision();
    const BigFloat cr = *BigFloat::FromDecimal(s.cRe, bits), ci = *BigFloat::FromDecimal(s.cIm, bits);
    const auto engine = DeepEngine::Build(s.kind, *location, cr, ci, s.limit, options);
    const mpfr_prec_t oracleBits = bits + 64;
    const BigFloat ocr = *BigFloat::FromDecimal(s.cRe, oracleBits), oci = *BigFloat::FromDecimal(s.cIm, oracleBits);
    int sameCount = 0, sameSide = 0;
    std::vector<double> deepCounts, directCounts;
    std::map<std::int32_t, int> wrongCounts;
    for (std::int32_t row = 0; row < s.rows; ++row)
        for (std::int32_t column = 0; column < s.columns; ++column) {
            const std::int32_t deep = engine->Pixel(column, row).count;
            BigFloat pr(oracleBits), pi(oracleBits);
            PixelPoint(area, s.columns, s.rows, column, row, pr, pi);
            const std::int32_t direct = DirectCount(s.kind, pr, pi, ocr, oci, s.limit);
            sameCount += deep == direct;
            if (deep != direct)
                ++wrongCounts[deep];

            sameSide += (deep == 0) == (direct == 0);
            if (deep)
                deepCounts.push_back(deep);
            if (direct)
                directCounts.push_back(direct);
        }
    const double pixels = s.columns * s.rows;
    Agreement a{sameCount / pixels, sameSide / pixels, 1, 0};
    for (const auto& [count, pixelsWithIt] : wrongCounts)
        a.largestWrongPatch = std::max(a.largestWrongPatch, pixelsWithIt / pixels);
    if (!directCounts.empty())
        a.medianRatio = Median(deepCounts) / Median(directCounts);
    std::printf("%-14s %-9s %s%s: %ld bits, %.0f%% inside, median count %.0f; counts equal on %.1f%%, inside or "
                "outside alike on %.1f%%, median count ratio %.4f\n",
                s.name, s.width.c_str(), location->Extended() ? "extended" : "doubles", options.rebase ? "" : " (no rebasing)",
                static_cast<long>(bits), 100 * (1 - directCounts.size() / pixels), Median(directCounts),
                100 * a.sameCount, 100 * a.sameSide, a.medianRatio);
    return a;
}

// The engine of a scene's picture, with or without the approximation.
std::unique_ptr<DeepEngine> EngineOf(const Scene& s, bool skips)
{
    const auto made = DeepLocation::Make(AreaOf(s), s.columns, s.rows, s.limit);
    const auto& location = std::get<DeepLocation>(made);
    DeepEngine::Options options;
    options.skips = skips;
    return DeepEngine::Build(s.kind, location, *BigFloat::FromDecimal(s.cRe, location.Precision()),
                             *BigFloat::FromDecimal(s.cIm, location.Precision()), s.limit, options);
}

// Well-conditioned pictures of every formula (no pixel on the preperiodic points themselves,
// whose counts only rounding decides): spirals around the preperiodic point -i (the point i
// of the usual, unmirrored set), the tip of the cubic set at sqrt 2 (c^3 - c = c), the
// critical value of the dendrite Julia set of C = -i, repelling fixed points on the edge of
// the interiors of two Julia sets and of Lambda's set of C = 2.5 + 0.1i (at 0); from where
// doubles end to far beyond their range.
TEST(DeepEngine, EveryFormulaAgreesWithADirectIterationAtEveryDepth)
{
    const BigFloat sqrt2 = Sqrt2(), fixedPoint = CubicFixedPoint("0.3"), beta = QuadraticFixedPoint();
    for (const int digits : {20, 50, 100, 320, 1000}) {
        const std::string d = std::to_string(digits), below = std::to_string(digits + 1);
        const std::int32_t columns = digits > 100 ? 12 : 16, rows = digits > 100 ? 8 : 12;
        const std::int32_t limit = 3000 + 9 * digits;
        const std::string width = "2e-" + d;
        for (const Scene& s : {
                 Scene{"Mandelbrot", DeepKind::Mandelbrot, Big("1.3e-" + d), Big("-1"), width, columns, rows, limit},
                 Scene{"Mandelbrot^3", DeepKind::Mandelbrot3, sqrt2, Big("1e-" + below), width, columns, rows, limit},
                 Scene{"Julia", DeepKind::Julia, Big("3e-" + below), Big("1"), width, columns, rows, limit, "0", "-1"},
                 Scene{"Julia C = 1/2", DeepKind::Julia, beta, Big("1e-" + below), width, columns, rows, limit, "0.5",
                       "0"},
                 Scene{"Julia^3", DeepKind::Julia3, fixedPoint, Big("1e-" + below), width, columns, rows, limit, "0.3",
                       "0"},
                 Scene{"Lambda", DeepKind::Lambda, Big("3e-" + below), Big("1e-" + below), width, columns, rows, limit,
                       "2.5", "0.1"},
             }) {
            const Agreement a = Compare(s);
            EXPECT_GE(a.sameCount, 0.99) << s.name << " 1e-" << digits;
        }
    }
}

// The first published deep-zoom benchmark, mirrored: a minibrot and its surroundings at 1e14,
// where neighbouring pixels lie 11 units of a double's last place apart.
TEST(DeepEngine, TheFirstPublishedBenchmarkLocationAgreesWithADirectIteration)
{
    const Scene s{"benchmark 1e14", DeepKind::Mandelbrot,
                  Big("1.759817130804847813610825010561798238243999999999999999999800"),
                  Big("0.012593310799749865383746631843264858450340000000000000000000"), "6e-14", 24, 16, 4036};
    const Agreement a = Compare(s);
    EXPECT_GE(a.sameSide, 0.97);
    EXPECT_GE(a.sameCount, 0.95);
    EXPECT_NEAR(a.medianRatio, 1.0, 0.01);
}

// Near the boundary at a limit in the tens of thousands rounding alone moves counts, in any
// arithmetic: there inside and outside must agree, and the counts overall, with no patch of
// pixels sharing one wrong count (the mark of a glitch).
TEST(DeepEngine, ChaoticBoundaryPicturesAgreeInTheWhole)
{
    const Scene s{"1e50 centre, 6e-28 wide", DeepKind::Mandelbrot, Big(kCentre1e50Re), Big(kCentre1e50Im), "6e-28",
                  24, 16, 20000};
    const Agreement a = Compare(s);
    EXPECT_GE(a.sameSide, 0.97);
    EXPECT_NEAR(a.medianRatio, 1.0, 0.01);
    EXPECT_LE(a.largestWrongPatch, 0.02);
}

// Where both engines apply, the deep one must be no further from a direct iteration than
// today's double path is.
TEST(DeepEngine, WhereDoublesStillWorkTheDeepEngineIsNoWorse)
{
    const BigFloat re = Big(kCentre1e50Re), im = Big(kCentre1e50Im);
    for (const char* width : {"1e-6", "1e-9", "1e-12"}) {
        const Scene s{width, DeepKind::Mandelbrot, re, im, width, 24, 16, 5000};
        const DeepArea area = AreaOf(s);
        CFractAlgMandelbrot doubles;
        doubles.SetArea(*ScanReal(area.xStart), *ScanReal(area.xEnd), *ScanReal(area.yStart), *ScanReal(area.yEnd));
        doubles.SetWidth(s.columns);
        doubles.SetHeight(s.rows);
        doubles.SetMaxIter(s.limit);
        const mpfr_prec_t bits = 128 + 64;
        const BigFloat zero(bits, 0.0);
        int same = 0;
        for (std::int32_t row = 0; row < s.rows; ++row)
            for (std::int32_t column = 0; column < s.columns; ++column) {
                doubles.SetPoint(column, row);
                doubles.IteratePixel(false);
                BigFloat pr(bits), pi(bits);
                PixelPoint(area, s.columns, s.rows, column, row, pr, pi);
                same += doubles.GetResult()->GetCount() == DirectCount(s.kind, pr, pi, zero, zero, s.limit);
            }
        const double doubleShare = same / static_cast<double>(s.columns * s.rows);
        const Agreement deep = Compare(s);
        std::printf("%-25s today's doubles: counts equal on %.1f%%\n", width, 100 * doubleShare);
        EXPECT_GE(deep.sameCount, doubleShare) << width;
    }
}

// The bilinear approximation skips long stretches (a pixel of tens of thousands of
// iterations takes a few hundred steps) and changes next to no count of the plain
// perturbation, for every formula: a published location and interiors.
TEST(DeepEngine, TheApproximationSkipsLongStretchesAndKeepsTheCounts)
{
    for (const Scene& s : {
             Scene{"Mandelbrot 5e113", DeepKind::Mandelbrot,
                   Big(kCentre5e113Re), Big(kCentre5e113Im),
                   "1.4e-113", 16, 9, 35494},
             Scene{"Mandelbrot 1e-400", DeepKind::Mandelbrot, Big(kCentre1e50Re), Big(kCentre1e50Im), "1e-400", 16,
                   12, 100000},
             Scene{"Julia 1e-60", DeepKind::Julia, Big("0"), Big("0.6"), "1e-60", 16, 12, 100000, "0.2", "0.1"},
             Scene{"Mandelbrot^3 1e-60", DeepKind::Mandelbrot3, Big("0.1"), Big("0.1"), "1e-60", 16, 12, 100000},
             Scene{"Julia^3 1e-300", DeepKind::Julia3, Big("0.1"), Big("0.1"), "1e-300", 16, 12, 100000, "0.3", "0"},
             Scene{"Lambda 1e-300", DeepKind::Lambda, Big("0.6"), Big("0.01"), "1e-300", 16, 12, 100000, "2.5", "0.1"},
         }) {
        const auto fast = EngineOf(s, true), slow = EngineOf(s, false);
        std::int64_t fastWork = 0, slowWork = 0, same = 0, iterations = 0;
        for (std::int32_t row = 0; row < s.rows; ++row)
            for (std::int32_t column = 0; column < s.columns; ++column) {
                const DeepPixel a = fast->Pixel(column, row), b = slow->Pixel(column, row);
                fastWork += a.work;
                slowWork += b.work;
                same += a.count == b.count;
                iterations += b.count ? b.count : s.limit;
            }
        const double pixels = s.columns * s.rows;
        std::printf("%-20s %.0f iterations a pixel: %.0f steps plain, %.0f with the approximation; counts equal on "
                    "%.1f%%\n",
                    s.name, iterations / pixels, slowWork / pixels, fastWork / pixels, 100 * same / pixels);
        EXPECT_GE(same / pixels, 0.995) << s.name;
        EXPECT_LT(fastWork, iterations / 20) << s.name;
    }
}

// Rows computed in vector lanes of each width the processor has are each pixel computed
// alone, bit for bit, for every formula, in doubles and in the extended range, with and
// without the approximation, and rows started part way.
class DeepEngineWidth : public ::testing::TestWithParam<FormulaKernel::Lanes> {};

TEST_P(DeepEngineWidth, RowsAreThePixelsBitForBit)
{
    const FormulaKernel::Lanes lanes = GetParam();
    if (!FormulaKernel::Available(lanes))
        GTEST_SKIP() << "this processor lacks these vectors";
    int pictures = 0;
    for (const Scene& s : {
             Scene{"Mandelbrot", DeepKind::Mandelbrot, Big(kCentre1e50Re), Big(kCentre1e50Im), "6e-28", 37, 11, 20000},
             Scene{"Mandelbrot", DeepKind::Mandelbrot, Big("1e-40"), Big("-1"), "2e-40", 29, 13, 3000},
             Scene{"Mandelbrot 5e113", DeepKind::Mandelbrot,
                   Big(kCentre5e113Re), Big(kCentre5e113Im),
                   "1.4e-113", 21, 9, 35494},
             Scene{"Mandelbrot deep", DeepKind::Mandelbrot, Big("1.3e-330"), Big("-1"), "2e-330", 9, 5, 3000},
             Scene{"Julia", DeepKind::Julia, QuadraticFixedPoint(), Big("1e-31"), "1e-30", 31, 7, 5000, "0.5", "0"},
             Scene{"Julia dendrite", DeepKind::Julia, Big("3e-41"), Big("1"), "2e-40", 23, 7, 5000, "0", "-1"},
             Scene{"Mandelbrot^3", DeepKind::Mandelbrot3, Sqrt2(), Big("1e-41"), "1e-40", 23, 9, 3000},
             Scene{"Julia^3", DeepKind::Julia3, CubicFixedPoint("0.3"), Big("1e-41"), "1e-40", 27, 9, 3000, "0.3", "0"},
             Scene{"Lambda", DeepKind::Lambda, Big("3e-41"), Big("1e-41"), "2e-40", 25, 9, 3000, "2.5", "0.1"},
         })
        for (const bool skips : {true, false}) {
            const auto engine = EngineOf(s, skips);
            std::vector<DeepPixel> row;
            for (std::int32_t y = 0; y < s.rows; ++y) {
                const std::int32_t from = y % 3;
                engine->Row(y, from, s.columns, row, lanes);
                ASSERT_EQ(row.size(), static_cast<std::size_t>(s.columns - from));
                for (std::int32_t x = from; x < s.columns; ++x) {
                    const DeepPixel alone = engine->Pixel(x, y), together = row[static_cast<std::size_t>(x - from)];
                    ASSERT_EQ(together.count, alone.count) << s.name << " " << x << "," << y;
                    ASSERT_EQ(std::bit_cast<std::uint64_t>(together.re), std::bit_cast<std::uint64_t>(alone.re));
                    ASSERT_EQ(std::bit_cast<std::uint64_t>(together.im), std::bit_cast<std::uint64_t>(alone.im));
                    ASSERT_EQ(together.work, alone.work);
                }
            }
            ++pictures;
        }
    EXPECT_EQ(pictures, 18);
}

INSTANTIATE_TEST_SUITE_P(Widths, DeepEngineWidth,
                         ::testing::Values(FormulaKernel::Lanes::Sse2, FormulaKernel::Lanes::Avx2,
                                         FormulaKernel::Lanes::Avx512),
                         [](const ::testing::TestParamInfo<FormulaKernel::Lanes>& info) {
                             return std::string(info.param == FormulaKernel::Lanes::Sse2   ? "Sse2"
                                                : info.param == FormulaKernel::Lanes::Avx2 ? "Avx2"
                                                                                           : "Avx512");
                         });

// Its reference escapes after about 110 steps, long before many of its pixels do.
TEST(DeepEngine, RebasingKeepsPixelsThatOutliveTheReferenceRight)
{
    const Scene s{"2e-40 beside -i", DeepKind::Mandelbrot, Big("1e-40"), Big("-1"), "2e-40", 32, 24, 3000};
    EXPECT_GE(Compare(s).sameCount, 0.99);
    // The proof that the comparison sees glitches: without rebasing, it fails.
    DeepEngine::Options without;
    without.rebase = false;
    EXPECT_LT(Compare(s, without).sameCount, 0.95);
}

TEST(DeepEngine, DecimalsAreReadWholeAndExactlyOrNotAtAll)
{
    for (const char* bad : {"", "-", "1.2.3", "1e", "e5", ".", "inf", "nan", "0x10", " 1", "1 ", "1e-999999999999",
                            "1e999999999999"})
        EXPECT_FALSE(BigFloat::FromDecimal(bad, 128)) << bad;
    // Sixty digits survive where a double keeps seventeen.
    const auto a = BigFloat::FromDecimal("1.000000000000000000000000000000000000000000000000000000000001", 256);
    const auto b = BigFloat::FromDecimal("1", 256);
    ASSERT_TRUE(a && b);
    EXPECT_GT(mpfr_cmp(a->get(), b->get()), 0);
    EXPECT_EQ(a->ToDouble(), 1.0);
    for (const char* good : {"-.5", "+7.", "12e+3", "1E-5000", "0"})
        EXPECT_TRUE(BigFloat::FromDecimal(good, 64)) << good;
}

}  // namespace
}  // namespace korvanta
