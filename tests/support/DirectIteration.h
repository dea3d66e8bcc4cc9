#pragma once

#include "core/deep/BigFloat.h"
#include "core/deep/DeepFormula.h"
#include "core/deep/DeepLocation.h"

#include <cstdint>
#include <string>

namespace korvanta::testing {

// The program's formula at one point, directly in arbitrary precision: the oracle of the
// deep engine. `c` is the pixel for the Mandelbrot kinds, the constant for the Julia kinds.
inline std::int32_t DirectCount(DeepKind kind, const BigFloat& pixelRe, const BigFloat& pixelIm,
                                const BigFloat& constRe, const BigFloat& constIm, std::int32_t limit)
{
    const DeepFormula f = FormulaOf(kind);
    const BigFloat& cr = f.pixelIsC ? pixelRe : constRe;
    const BigFloat& ci = f.pixelIsC ? pixelIm : constIm;
    const mpfr_prec_t bits = pixelRe.Precision();
    BigFloat x(pixelRe), y(pixelIm), xx(bits), yy(bits), t(bits), u(bits);
    for (std::int32_t n = 1;; ++n) {
        mpfr_sqr(xx.get(), x.get(), MPFR_RNDN);
        mpfr_sqr(yy.get(), y.get(), MPFR_RNDN);
        if (f.lambda) {
            // z <- C (z - z^2), then the sum of the absolute parts against the bailout.
            mpfr_sub(t.get(), xx.get(), yy.get(), MPFR_RNDN);
            mpfr_sub(t.get(), x.get(), t.get(), MPFR_RNDN);
            mpfr_mul(u.get(), x.get(), y.get(), MPFR_RNDN);
            mpfr_mul_2ui(u.get(), u.get(), 1, MPFR_RNDN);
            mpfr_sub(u.get(), y.get(), u.get(), MPFR_RNDN);
            mpfr_mul(x.get(), cr.get(), t.get(), MPFR_RNDN);
            mpfr_mul(xx.get(), ci.get(), u.get(), MPFR_RNDN);
            mpfr_sub(x.get(), x.get(), xx.get(), MPFR_RNDN);
            mpfr_mul(y.get(), cr.get(), u.get(), MPFR_RNDN);
            mpfr_mul(yy.get(), ci.get(), t.get(), MPFR_RNDN);
            mpfr_add(y.get(), y.get(), yy.get(), MPFR_RNDN);
            mpfr_abs(t.get(), x.get(), MPFR_RNDN);
            mpfr_abs(u.get(), y.get(), MPFR_RNDN);
            mpfr_add(t.get(), t.get(), u.get(), MPFR_RNDN);
            if (mpfr_cmp_d(t.get(), f.bailout) >= 0)
                return n < limit ? n : 0;
        } else if (f.power == 2) {
            mpfr_add(t.get(), xx.get(), yy.get(), MPFR_RNDN);
            if (mpfr_cmp_d(t.get(), f.bailout) >= 0)
                return n < limit ? n : 0;
            mpfr_mul(t.get(), x.get(), y.get(), MPFR_RNDN);
            mpfr_sub(x.get(), xx.get(), yy.get(), MPFR_RNDN);
            mpfr_sub(x.get(), x.get(), cr.get(), MPFR_RNDN);
            mpfr_mul_2ui(t.get(), t.get(), 1, MPFR_RNDN);
            mpfr_sub(y.get(), t.get(), ci.get(), MPFR_RNDN);
        } else {
            mpfr_mul_ui(t.get(), yy.get(), 3, MPFR_RNDN);
            mpfr_sub(t.get(), xx.get(), t.get(), MPFR_RNDN);
            mpfr_mul_ui(u.get(), xx.get(), 3, MPFR_RNDN);
            mpfr_sub(u.get(), u.get(), yy.get(), MPFR_RNDN);
            mpfr_mul(x.get(), x.get(), t.get(), MPFR_RNDN);
            mpfr_sub(x.get(), x.get(), cr.get(), MPFR_RNDN);
            mpfr_mul(y.get(), y.get(), u.get(), MPFR_RNDN);
            mpfr_sub(y.get(), y.get(), ci.get(), MPFR_RNDN);
            mpfr_abs(t.get(), x.get(), MPFR_RNDN);
            mpfr_abs(u.get(), y.get(), MPFR_RNDN);
            mpfr_add(t.get(), t.get(), u.get(), MPFR_RNDN);
            if (mpfr_cmp_d(t.get(), f.bailout) >= 0)
                return n < limit ? n : 0;
        }
        if (n >= limit)
            return 0;
    }
}

// The pixel (column, row) of a picture of `area` at `re`'s precision:
// start + column (end - start) / width.
inline void PixelPoint(const DeepArea& area, std::int32_t width, std::int32_t height, std::int32_t column,
                       std::int32_t row, BigFloat& re, BigFloat& im)
{
    const mpfr_prec_t bits = re.Precision();
    auto coordinate = [bits](const std::string& start, const std::string& end, std::int32_t size, std::int32_t at,
                             BigFloat& out) {
        const auto s = BigFloat::FromDecimal(start, bits), e = BigFloat::FromDecimal(end, bits);
        mpfr_sub(out.get(), e->get(), s->get(), MPFR_RNDN);
        mpfr_mul_si(out.get(), out.get(), at, MPFR_RNDN);
        mpfr_div_ui(out.get(), out.get(), static_cast<unsigned long>(size), MPFR_RNDN);
        mpfr_add(out.get(), out.get(), s->get(), MPFR_RNDN);
    };
    coordinate(area.xStart, area.xEnd, width, column, re);
    coordinate(area.yStart, area.yEnd, height, row, im);
}

// `x` as a decimal text with `digits` significant digits.
inline std::string DecimalText(const BigFloat& x, int digits)
{
    std::string text(static_cast<std::size_t>(digits) + 64, '\0');
    const int n = mpfr_snprintf(text.data(), text.size(), "%.*Re", digits, x.get());
    text.resize(static_cast<std::size_t>(n));
    return text;
}

}  // namespace korvanta::testing
