#include "core/deep/ReferenceOrbit.h"

#include <algorithm>
#include <cmath>

namespace korvanta {

namespace {

bool Escaped(const DeepFormula& formula, double x, double y)
{
    if (formula.testBefore)
        return std::fabs(x * x) + std::fabs(y * y) >= formula.bailout;
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
        if (formula.power == 2) {
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
