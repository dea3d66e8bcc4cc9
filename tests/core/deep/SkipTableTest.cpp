#include "core/deep/SkipTable.h"

#include "support/DeepScenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace korvanta {
namespace {

using namespace korvanta::testing;

constexpr mpfr_prec_t kExact = 400;

// A complex number in MPFR at kExact bits.
struct ExactComplex {
    BigFloat re{kExact, 0.0}, im{kExact, 0.0};
};

// x <- x y + z, exactly enough.
void ExactMultiplyAdd(ExactComplex& x, const ExactComplex& y, const ExactComplex& z)
{
    BigFloat a(kExact), b(kExact), r(kExact), i(kExact);
    mpfr_mul(a.get(), x.re.get(), y.re.get(), MPFR_RNDN);
    mpfr_mul(b.get(), x.im.get(), y.im.get(), MPFR_RNDN);
    mpfr_sub(r.get(), a.get(), b.get(), MPFR_RNDN);
    mpfr_mul(a.get(), x.re.get(), y.im.get(), MPFR_RNDN);
    mpfr_mul(b.get(), x.im.get(), y.re.get(), MPFR_RNDN);
    mpfr_add(i.get(), a.get(), b.get(), MPFR_RNDN);
    mpfr_add(x.re.get(), r.get(), z.re.get(), MPFR_RNDN);
    mpfr_add(x.im.get(), i.get(), z.im.get(), MPFR_RNDN);
}

ExactComplex ExactOf(double re, double im)
{
    ExactComplex e;
    mpfr_set_d(e.re.get(), re, MPFR_RNDN);
    mpfr_set_d(e.im.get(), im, MPFR_RNDN);
    return e;
}

double ExactDistance(const ExactComplex& a, const ExactComplex& b)
{
    BigFloat r(kExact), i(kExact);
    mpfr_sub(r.get(), a.re.get(), b.re.get(), MPFR_RNDN);
    mpfr_sub(i.get(), a.im.get(), b.im.get(), MPFR_RNDN);
    return std::hypot(r.ToDouble(), i.ToDouble());
}

// What the delta steps make of (z, dc) in `steps` steps from index m, with the orbit's values
// as the table has them: z <- z (2 Z + z) + k dc, or z (3 Z^2 + z (3 Z + z)) + k dc.
ExactComplex ExactSteps(const ReferenceOrbit& orbit, int power, double dcTerm, std::size_t m, std::size_t steps, ExactComplex z,
              const ExactComplex& dc)
{
    ExactComplex term;
    mpfr_mul_d(term.re.get(), dc.re.get(), dcTerm, MPFR_RNDN);
    mpfr_mul_d(term.im.get(), dc.im.get(), dcTerm, MPFR_RNDN);
    for (std::size_t n = m; n < m + steps; ++n) {
        ExactComplex factor = z;
        const ExactComplex zero;
        const ExactComplex big = ExactOf(power == 2 ? 2 * orbit.Re(n) : 3 * orbit.Re(n), power == 2 ? 2 * orbit.Im(n) : 3 * orbit.Im(n));
        mpfr_add(factor.re.get(), factor.re.get(), big.re.get(), MPFR_RNDN);
        mpfr_add(factor.im.get(), factor.im.get(), big.im.get(), MPFR_RNDN);
        if (power == 3) {
            // z (3 Z^2 + z (3 Z + z)): factor = 3 Z^2 + z (3 Z + z)
            ExactComplex square = ExactOf(3 * (orbit.Re(n) * orbit.Re(n) - orbit.Im(n) * orbit.Im(n)), 6 * orbit.Re(n) * orbit.Im(n));
            ExactComplex inner = z;
            ExactMultiplyAdd(inner, factor, square);
            factor = inner;
        }
        ExactMultiplyAdd(z, factor, term);
    }
    return z;
}

// A skip's result against the steps it stands for, at points spread over its radius and dc
// up to the largest: what it drops stays within epsilon (|a| |z| + |b| |dc|). Loose epsilons
// make the dropped terms far larger than the doubles' rounding of the coefficients, so the
// bound itself is what is checked; entries of every level, quadratic and bilinear, square
// and cubic.
TEST(SkipTable, WhatASkipDropsStaysWithinItsBound)
{
    struct Case {
        const char* name;
        DeepFormula formula;
        BigFloat cRe, cIm;
        double dcMax;
    };
    const Case cases[] = {
        {"Mandelbrot near a minibrot", FormulaOf(DeepKind::Mandelbrot), Big(kCentre1e50Re), Big(kCentre1e50Im), 1e-30},
        {"Mandelbrot^3", FormulaOf(DeepKind::Mandelbrot3), Big("0.1"), Big("0.6"), 1e-25},
        {"Julia^3", FormulaOf(DeepKind::Julia3), Big("0.3"), Big("0"), 0},
    };
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    int checked = 0, longest = 0;
    for (const Case& c : cases)
        for (const double epsilon : {0x1p-20, 0x1p-30})
            for (const bool quadratic : {true, false}) {
                ReferenceOrbit orbit;
                const BigFloat zero(kTextBits, 0.0);
                ASSERT_TRUE(orbit.Compute(c.formula, zero, zero, c.cRe, c.cIm, 3000));
                const double dcTerm = c.formula.pixelIsC ? -1 : 0;
                SkipTable<double> table;
                table.Build(orbit, {c.formula.power, {}, dcTerm, epsilon, quadratic}, c.dcMax);
                double worst = 0;
                for (std::size_t level = 1; level <= 10; ++level)
                    for (std::size_t m = 1; m + (std::size_t{1} << level) <= orbit.Last(); m += 37 << level) {
                        const auto* e = table.At(level, m);
                        if (!e || !(e->r > 0))
                            continue;
                        for (int sample = 0; sample < 3; ++sample) {
                            // |re| + |im| below the radius, as the pixels test it.
                            const double size = e->r * (1 - 0.5 * unit(random) * unit(random)) / std::sqrt(2.0);
                            const double angle = 6.283185307179586 * unit(random);
                            const double zr = size * std::cos(angle), zi = size * std::sin(angle);
                            const double dcSize = c.dcMax * unit(random), dcAngle = 6.283185307179586 * unit(random);
                            const double dr = dcSize * std::cos(dcAngle), di = dcSize * std::sin(dcAngle);
                            const ExactComplex exact =
                                ExactSteps(orbit, c.formula.power, dcTerm, m, std::size_t{1} << level, ExactOf(zr, zi), ExactOf(dr, di));
                            // a z + c z^2 + b dc with the entry's coefficients, exactly.
                            ExactComplex skip = ExactOf(e->cr, e->ci);
                            const ExactComplex z = ExactOf(zr, zi);
                            ExactMultiplyAdd(skip, z, ExactOf(e->ar, e->ai));
                            ExactComplex bdc = ExactOf(e->br, e->bi);
                            ExactMultiplyAdd(bdc, ExactOf(dr, di), ExactComplex{});
                            ExactMultiplyAdd(skip, z, bdc);
                            const double bound = epsilon * (std::hypot(e->ar, e->ai) * std::hypot(zr, zi) +
                                                            std::hypot(e->br, e->bi) * dcSize);
                            const double dropped = ExactDistance(exact, skip);
                            EXPECT_LE(dropped, bound) << c.name << " level " << level << " from " << m;
                            worst = std::max(worst, dropped / bound);
                            ++checked;
                            longest = std::max(longest, 1 << level);
                        }
                    }
                std::printf("%-28s epsilon 2^%.0f %-9s: the largest drop is %.3g of its bound\n", c.name,
                            std::log2(epsilon), quadratic ? "quadratic" : "bilinear", worst);
            }
    EXPECT_GE(checked, 500);
    EXPECT_GE(longest, 512);
}

}  // namespace
}  // namespace korvanta
