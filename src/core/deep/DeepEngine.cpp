#include "core/deep/DeepEngine.h"

#include "core/deep/DeepReal.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace korvanta {

std::unique_ptr<DeepEngine> DeepEngine::Build(DeepKind kind, const DeepLocation& location,
                                              const BigFloat& constantRe, const BigFloat& constantIm,
                                              std::int32_t limit, const DeepProgress& progress)
{
    return Build(kind, location, constantRe, constantIm, limit, Options{}, progress);
}

std::unique_ptr<DeepEngine> DeepEngine::Build(DeepKind kind, const DeepLocation& location,
                                              const BigFloat& constantRe, const BigFloat& constantIm,
                                              std::int32_t limit, const Options& options,
                                              const DeepProgress& progress)
{
    std::unique_ptr<DeepEngine> e(new DeepEngine(location));
    e->m_formula = FormulaOf(kind);
    e->m_options = options;
    e->m_limit = std::max(limit, 0);
    const DeepFormula& f = e->m_formula;
    const mpfr_prec_t bits = location.Precision();
    BigFloat cRe(bits), cIm(bits);
    mpfr_set(cRe.get(), f.pixelIsC ? location.CentreRe().get() : constantRe.get(), MPFR_RNDN);
    mpfr_set(cIm.get(), f.pixelIsC ? location.CentreIm().get() : constantIm.get(), MPFR_RNDN);
    const BigFloat zero(bits, 0.0);
    const auto steps = static_cast<std::size_t>(e->m_limit) + 1;
    // z0 = c and z0 = -c have the same square: the quadratic Mandelbrot's pixels start one
    // step into the critical orbit, which then serves as the centre's too.
    e->m_startsOnCritical = f.power == 2 && f.pixelIsC;
    const double share = e->m_startsOnCritical ? 1.0 : 0.5;
    auto part = [&](double from) -> DeepProgress {
        if (!progress)
            return {};
        return [&progress, from, share](double done) { return progress(from + share * done); };
    };
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    if (!e->m_startsOnCritical &&
        !e->m_centre.Compute(f, location.CentreRe(), location.CentreIm(), cRe, cIm, steps, part(0)))
        return nullptr;
    if (!e->m_critical.Compute(f, zero, zero, cRe, cIm, steps, part(1 - share)))
        return nullptr;
    const auto computed = Clock::now();
    e->m_referenceSeconds = std::chrono::duration<double>(computed - started).count();
    if (f.power == 2 && options.bilinear) {
        // The largest |dc| of the picture, at its farthest corner from the reference.
        const auto far = [](std::int32_t centre, std::int32_t size) {
            return static_cast<double>(std::max(centre, size - 1 - centre));
        };
        const FloatExp dcMax = Hypot(FloatExp(far(location.CentreColumn(), location.Width())) * location.StepX().Abs(),
                                     FloatExp(far(location.CentreRow(), location.Height())) * location.StepY().Abs());
        const double term = f.pixelIsC ? -1.0 : 0.0;
        if (location.Extended()) {
            e->m_criticalBlaX.Build(e->m_critical, term, dcMax, options.epsilon);
            if (!e->m_startsOnCritical)
                e->m_centreBlaX.Build(e->m_centre, term, dcMax, options.epsilon);
        } else {
            e->m_criticalBla.Build(e->m_critical, term, dcMax.ToDouble(), options.epsilon);
            if (!e->m_startsOnCritical)
                e->m_centreBla.Build(e->m_centre, term, dcMax.ToDouble(), options.epsilon);
        }
    }
    e->m_tableSeconds = std::chrono::duration<double>(Clock::now() - computed).count();
    if (progress)
        progress(1.0);
    return e;
}

template <>
const BlaTable<double>* DeepEngine::Table<double>(bool critical) const
{
    const BlaTable<double>& t = critical ? m_criticalBla : m_centreBla;
    return t.Entries() ? &t : nullptr;
}

template <>
const BlaTable<FloatExp>* DeepEngine::Table<FloatExp>(bool critical) const
{
    const BlaTable<FloatExp>& t = critical ? m_criticalBlaX : m_centreBlaX;
    return t.Entries() ? &t : nullptr;
}

DeepPixel DeepEngine::Pixel(std::int32_t column, std::int32_t row) const
{
    const auto across = static_cast<double>(column - m_location.CentreColumn());
    const auto down = static_cast<double>(row - m_location.CentreRow());
    if (m_location.Extended())
        return Run<FloatExp>(FloatExp(across) * m_location.StepX(), FloatExp(down) * m_location.StepY());
    return Run<double>(across * m_location.StepX().ToDouble(), down * m_location.StepY().ToDouble());
}

template <class Real>
DeepPixel DeepEngine::Run(Real dcRe, Real dcIm) const
{
    const DeepFormula& f = m_formula;
    const bool quadratic = f.power == 2;
    const ReferenceOrbit* orbit = m_startsOnCritical ? &m_critical : &m_centre;
    const BlaTable<Real>* bla = m_options.bilinear ? Table<Real>(m_startsOnCritical) : nullptr;
    // The pixel's value is orbit(m) + z.
    std::size_t m = m_startsOnCritical ? 1 : 0;
    Real zr = m_startsOnCritical ? -dcRe : dcRe, zi = m_startsOnCritical ? -dcIm : dcIm;
    std::int64_t steps = 0;
    for (;;) {
        const Real vr = Real(orbit->Re(m)) + zr, vi = Real(orbit->Im(m)) + zi;
        const double dr = AsDouble(vr), di = AsDouble(vi);
        // The quadratic test looks at the value the next step starts from, the cubic one at
        // the value the last step made.
        const std::int64_t count = quadratic ? steps + 1 : steps;
        if (count >= 1) {
            const double t = quadratic ? std::fabs(dr * dr) + std::fabs(di * di) : std::fabs(dr) + std::fabs(di);
            if (t >= f.bailout)
                return {count < m_limit ? static_cast<std::int32_t>(count) : 0, dr, di};
        }
        if (count >= m_limit)
            return {0, dr, di};
        if (m >= orbit->Last() || (m_options.rebase && SmallerThan(vr, vi, zr, zi))) {
            if (!m_options.rebase)
                return {0, dr, di};  // what an engine without rebasing makes of it
            zr = vr;
            zi = vi;
            orbit = &m_critical;
            m = 0;
            bla = m_options.bilinear ? Table<Real>(true) : nullptr;
        }
        if (bla) {
            std::size_t length = 0;
            const auto most = static_cast<std::size_t>(std::min<std::int64_t>(
                m_limit - count, static_cast<std::int64_t>(orbit->Last() - m)));
            if (const auto* e = bla->Find(m, Norm1(zr, zi), most, length)) {
                Real nr = e->ar * zr - e->ai * zi, ni = e->ar * zi + e->ai * zr;
                if (f.pixelIsC) {
                    nr = nr + (e->br * dcRe - e->bi * dcIm);
                    ni = ni + (e->br * dcIm + e->bi * dcRe);
                }
                zr = nr;
                zi = ni;
                m += length;
                steps += static_cast<std::int64_t>(length);
                continue;
            }
        }
        const double ar = orbit->Re(m), ai = orbit->Im(m);
        Real nr, ni;
        if (quadratic) {
            // z <- 2 Z z + z^2 (- dc)
            nr = Twice(Real(ar) * zr - Real(ai) * zi) + (zr * zr - zi * zi);
            ni = Twice(Real(ar) * zi + Real(ai) * zr) + Twice(zr * zi);
        } else {
            // z <- z (3 Z^2 + z (3 Z + z)) (- dc)
            const Real tr = Real(3 * ar) + zr, ti = Real(3 * ai) + zi;
            const Real ur = zr * tr - zi * ti, ui = zr * ti + zi * tr;
            const Real sr = Real(3 * (ar * ar - ai * ai)) + ur, si = Real(6 * ar * ai) + ui;
            nr = zr * sr - zi * si;
            ni = zr * si + zi * sr;
        }
        if (f.pixelIsC) {
            nr = nr - dcRe;
            ni = ni - dcIm;
        }
        zr = nr;
        zi = ni;
        ++m;
        ++steps;
    }
}

}  // namespace korvanta
