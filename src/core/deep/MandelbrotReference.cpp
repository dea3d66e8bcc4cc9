#include "core/deep/MandelbrotReference.h"

#include <algorithm>
#include <cmath>

namespace korvanta {

MandelbrotReference::MandelbrotReference(const BigFloat& re, const BigFloat& im, std::int32_t limit)
    : m_centreRe(re.ToDouble()), m_centreIm(im.ToDouble())
{
    const mpfr_prec_t bits = std::max(re.Precision(), im.Precision());
    BigFloat x(bits), y(bits), xx(bits), yy(bits), xy(bits), t(bits);
    const auto steps = static_cast<std::size_t>(std::max<std::int32_t>(limit, 0)) + 1;
    m_re.reserve(std::min<std::size_t>(steps + 1, 1u << 20));
    m_im.reserve(m_re.capacity());
    for (std::size_t k = 0;; ++k) {
        const double dx = x.ToDouble(), dy = y.ToDouble();
        m_re.push_back(dx);
        m_im.push_back(dy);
        if (k >= steps || std::fabs(dx * dx) + std::fabs(dy * dy) >= 4.0)
            return;
        // x + iy <- (x + iy)^2 - C
        mpfr_sqr(xx.get(), x.get(), MPFR_RNDN);
        mpfr_sqr(yy.get(), y.get(), MPFR_RNDN);
        mpfr_mul(xy.get(), x.get(), y.get(), MPFR_RNDN);
        mpfr_sub(t.get(), xx.get(), yy.get(), MPFR_RNDN);
        mpfr_sub(x.get(), t.get(), re.get(), MPFR_RNDN);
        mpfr_mul_2ui(xy.get(), xy.get(), 1, MPFR_RNDN);
        mpfr_sub(y.get(), xy.get(), im.get(), MPFR_RNDN);
    }
}

mpfr_prec_t ReferencePrecision(double spacing)
{
    const int exponent = spacing > 0 && std::isfinite(spacing) ? std::ilogb(spacing) : 0;
    return 64 + std::max(0, -exponent);
}

DeepCount PerturbMandelbrot(const MandelbrotReference& reference, double dcRe, double dcIm,
                            std::int32_t limit, bool rebase)
{
    // The difference z from R(m); the pixel's value is R(m) + z. At m = 0 both are 0.
    double zr = 0, zi = 0;
    std::size_t m = 0;
    const std::size_t last = reference.size() - 1;
    for (std::int32_t n = 1;; ++n) {
        // z <- 2 R(m) z + z^2 - dc, in a fixed order.
        const double rr = reference.Re(m), ri = reference.Im(m);
        const double nr = 2 * (rr * zr - ri * zi) + (zr * zr - zi * zi) - dcRe;
        const double ni = 2 * (rr * zi + ri * zr) + 2 * zr * zi - dcIm;
        zr = nr;
        zi = ni;
        ++m;
        const double vr = reference.Re(m) + zr, vi = reference.Im(m) + zi;
        // The program's test, on the value its next step starts from.
        const double t = std::fabs(vr * vr) + std::fabs(vi * vi);
        if (t >= 4.0)
            return {n, true};
        if (n >= limit)
            return {n, false};
        if (!rebase && m >= last)
            return {limit, false};  // what an engine without rebasing makes of it
        if (m >= last || vr * vr + vi * vi < zr * zr + zi * zi) {
            zr = vr;
            zi = vi;
            m = 0;
        }
    }
}

}  // namespace korvanta
