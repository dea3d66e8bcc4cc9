#include "core/deep/ReferenceOrbit.h"

#include <algorithm>
#include <cmath>

namespace korvanta {

namespace {

bool Escaped(const DeepFormula& formula, double x, double y)
{
    if (formula.testBefore)
        return std::fabs(x * x) + std::fabs(y * y) >= formula.bailout;
    if (formula.lambda)
        x += 0.5;
    return std::fabs(x) + std::fabs(y) >= formula.bailout;
}

}  // namespace

bool ReferenceOrbit::Compute(const DeepFormula& formula, const BigFloat& startRe, const BigFloat& startIm,
                             const BigFloat& cRe, const BigFloat& cIm, std::size_t steps,
                             const DeepProgress& progress)
{
    m_re.clear();
    m_im.clear();
    const mpfr_prec_t bits = std::max(startRe.Precision(), startIm.Precision());
    BigFloat x(bits), y(bits), xx(bits), yy(bits), t(bits), u(bits);
    mpfr_set(x.get(), startRe.get(), MPFR_RNDN);
    mpfr_set(y.get(), startIm.get(), MPFR_RNDN);
    // Memory grows with the steps actually made, never ahead of them by more than a little.
    m_re.reserve(std::min<std::size_t>(steps + 1, std::size_t{1} << 16));
    m_im.reserve(m_re.capacity());
    const std::size_t tell = std::max<std::size_t>(1, steps / 200);
    // Lambda in u: u <- -C u^2 + k, k = C/4 - 1/2.
    BigFloat kRe(bits), kIm(bits);
    if (formula.lambda) {
        mpfr_div_2ui(kRe.get(), cRe.get(), 2, MPFR_RNDN);
        mpfr_sub_d(kRe.get(), kRe.get(), 0.5, MPFR_RNDN);
        mpfr_div_2ui(kIm.get(), cIm.get(), 2, MPFR_RNDN);
    }
    for (std::size_t k = 0;; ++k) {
        const double dx = x.ToDouble(), dy = y.ToDouble();
        m_re.push_back(dx);
        m_im.push_back(dy);
        if (k >= steps || Escaped(formula, dx, dy))
            return true;
        if (progress && k % tell == 0 && !progress(static_cast<double>(k) / static_cast<double>(steps))) {
            m_re.clear();
            m_im.clear();
            return false;
        }
        mpfr_sqr(xx.get(), x.get(), MPFR_RNDN);
        mpfr_sqr(yy.get(), y.get(), MPFR_RNDN);
        if (formula.lambda) {
            // s = (x + iy)^2; x + iy <- k - C s
            mpfr_mul(t.get(), x.get(), y.get(), MPFR_RNDN);
            mpfr_mul_2ui(t.get(), t.get(), 1, MPFR_RNDN);
            mpfr_sub(u.get(), xx.get(), yy.get(), MPFR_RNDN);
            mpfr_mul(x.get(), cRe.get(), u.get(), MPFR_RNDN);
            mpfr_mul(xx.get(), cIm.get(), t.get(), MPFR_RNDN);
            mpfr_sub(x.get(), x.get(), xx.get(), MPFR_RNDN);
            mpfr_sub(x.get(), kRe.get(), x.get(), MPFR_RNDN);
            mpfr_mul(y.get(), cRe.get(), t.get(), MPFR_RNDN);
            mpfr_mul(yy.get(), cIm.get(), u.get(), MPFR_RNDN);
            mpfr_add(y.get(), y.get(), yy.get(), MPFR_RNDN);
            mpfr_sub(y.get(), kIm.get(), y.get(), MPFR_RNDN);
        } else if (formula.power == 2) {
            // x + iy <- (x + iy)^2 - c
            mpfr_mul(t.get(), x.get(), y.get(), MPFR_RNDN);
            mpfr_sub(x.get(), xx.get(), yy.get(), MPFR_RNDN);
            mpfr_sub(x.get(), x.get(), cRe.get(), MPFR_RNDN);
            mpfr_mul_2ui(t.get(), t.get(), 1, MPFR_RNDN);
            mpfr_sub(y.get(), t.get(), cIm.get(), MPFR_RNDN);
        } else {
            // x + iy <- (x + iy)^3 - c: x (x^2 - 3 y^2) - cr, y (3 x^2 - y^2) - ci
            mpfr_mul_ui(t.get(), yy.get(), 3, MPFR_RNDN);
            mpfr_sub(t.get(), xx.get(), t.get(), MPFR_RNDN);
            mpfr_mul_ui(u.get(), xx.get(), 3, MPFR_RNDN);
            mpfr_sub(u.get(), u.get(), yy.get(), MPFR_RNDN);
            mpfr_mul(x.get(), x.get(), t.get(), MPFR_RNDN);
            mpfr_sub(x.get(), x.get(), cRe.get(), MPFR_RNDN);
            mpfr_mul(y.get(), y.get(), u.get(), MPFR_RNDN);
            mpfr_sub(y.get(), y.get(), cIm.get(), MPFR_RNDN);
        }
    }
}

}  // namespace korvanta
