#include "core/deep/MandelbrotReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace korvanta {
namespace {

// The program's Mandelbrot at one point, directly in `bits`: z0 = c, the escape test on the
// iterate before each step, z <- z^2 - c. The oracle of the deep engine.
DeepCount Direct(const BigFloat& cr, const BigFloat& ci, std::int32_t limit)
{
    const mpfr_prec_t bits = cr.Precision();
    BigFloat x(cr), y(ci), xx(bits), yy(bits), xy(bits), t(bits);
    for (std::int32_t n = 1;; ++n) {
        mpfr_sqr(xx.get(), x.get(), MPFR_RNDN);
        mpfr_sqr(yy.get(), y.get(), MPFR_RNDN);
        mpfr_add(t.get(), xx.get(), yy.get(), MPFR_RNDN);
        if (mpfr_cmp_ui(t.get(), 4) >= 0)
            return {n, true};
        mpfr_mul(xy.get(), x.get(), y.get(), MPFR_RNDN);
        mpfr_sub(t.get(), xx.get(), yy.get(), MPFR_RNDN);
        mpfr_sub(x.get(), t.get(), cr.get(), MPFR_RNDN);
        mpfr_mul_2ui(xy.get(), xy.get(), 1, MPFR_RNDN);
        mpfr_sub(y.get(), xy.get(), ci.get(), MPFR_RNDN);
        if (n >= limit)
            return {n, false};
    }
}

struct Picture {
    const char* name;
    std::string re, im;  // the centre, in the program's (mirrored) coordinates
    double height;       // of the whole picture
    int width, rows;
    std::int32_t limit;
};

struct Agreement {
    double sameCount = 0, sameSide = 0;
};

// Every pixel by the engine and by the oracle, side by side.
Agreement Compare(const Picture& p, bool rebase = true)
{
    const double spacing = p.height / p.rows;
    const mpfr_prec_t bits = ReferencePrecision(spacing);
    const auto cr = BigFloat::FromDecimal(p.re, bits), ci = BigFloat::FromDecimal(p.im, bits);
    EXPECT_TRUE(cr && ci);
    const MandelbrotReference reference(*cr, *ci, p.limit);
    const mpfr_prec_t oracleBits = bits + 96;
    int sameCount = 0, sameSide = 0;
    for (int row = 0; row < p.rows; ++row)
        for (int column = 0; column < p.width; ++column) {
            const double dcRe = (column - p.width / 2) * spacing, dcIm = (row - p.rows / 2) * spacing;
            const DeepCount deep = PerturbMandelbrot(reference, dcRe, dcIm, p.limit, rebase);
            BigFloat pr(oracleBits), pi(oracleBits);
            mpfr_add_d(pr.get(), cr->get(), dcRe, MPFR_RNDN);
            mpfr_add_d(pi.get(), ci->get(), dcIm, MPFR_RNDN);
            const DeepCount direct = Direct(pr, pi, p.limit);
            sameCount += deep.count == direct.count && deep.escaped == direct.escaped;
            sameSide += deep.escaped == direct.escaped;
        }
    const double pixels = p.width * p.rows;
    std::printf("%s%s: %zu reference steps, counts equal on %.1f%%, inside or outside alike on %.1f%%\n",
                p.name, rebase ? "" : " (no rebasing)", reference.size(), 100 * sameCount / pixels,
                100 * sameSide / pixels);
    return {sameCount / pixels, sameSide / pixels};
}

// Spirals around the preperiodic point -i (the point i of the usual, unmirrored set), far
// beyond what doubles resolve: well-conditioned counts, which must agree.
TEST(DeepMandelbrot, CountsAroundAPreperiodicPointAgreeWithADirectIterationAtEveryDepth)
{
    for (const Picture& p : {Picture{"1e-20", "0.3e-20", "-1", 2e-20, 32, 24, 3000},
                             Picture{"1e-50", "0", "-1.0000000000000000000000000000000000000000000000000007", 1e-50, 32, 24, 3000},
                             Picture{"1e-100", "1e-100", "-1", 2e-100, 24, 16, 3000}}) {
        const Agreement a = Compare(p);
        EXPECT_GE(a.sameCount, 0.99) << p.name;
    }
}

// The first published deep-zoom benchmark, mirrored: a minibrot and its surroundings at 1e14,
// where neighbouring pixels lie 11 units of a double's last place apart.
TEST(DeepMandelbrot, TheFirstPublishedBenchmarkLocationAgreesWithADirectIteration)
{
    const Picture p{"benchmark 1e14", "1.759817130804847813610825010561798238243999999999999999999800",
                    "0.012593310799749865383746631843264858450340000000000000000000", 4e-14, 24, 16, 4036};
    const Agreement a = Compare(p);
    EXPECT_GE(a.sameSide, 0.97);
    EXPECT_GE(a.sameCount, 0.95);
}

// Its reference escapes after about 110 steps, long before many of its pixels do.
TEST(DeepMandelbrot, RebasingKeepsPixelsThatOutliveTheReferenceRight)
{
    const Picture p{"2e-40 beside -i", "1e-40", "-1", 2e-40, 32, 24, 3000};
    const Agreement with = Compare(p);
    EXPECT_GE(with.sameCount, 0.99);
    // The proof that the comparison sees glitches: without rebasing, it fails.
    const Agreement without = Compare(p, false);
    EXPECT_LT(without.sameCount, 0.95);
}

TEST(DeepMandelbrot, DecimalsAreReadWholeAndExactlyOrNotAtAll)
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
    EXPECT_EQ(ReferencePrecision(1.0), 64);
    EXPECT_EQ(ReferencePrecision(std::ldexp(1.0, -300)), 364);
}

}  // namespace
}  // namespace korvanta
