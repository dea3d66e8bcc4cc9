#include "core/deep/DeepEngine.h"

#include "core/deep/DeepLanes.h"
#include "core/deep/DeepReal.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <type_traits>

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
    // Lambda's orbits are of u = z - 1/2.
    BigFloat startRe(location.CentreRe());
    if (f.lambda)
        mpfr_sub_d(startRe.get(), startRe.get(), 0.5, MPFR_RNDN);
    if (!e->m_startsOnCritical &&
        !e->m_centre.Compute(f, startRe, location.CentreIm(), cRe, cIm, steps, part(0)))
        return nullptr;
    if (!e->m_critical.Compute(f, zero, zero, cRe, cIm, steps, part(1 - share)))
        return nullptr;
    const auto computed = Clock::now();
    e->m_referenceSeconds = std::chrono::duration<double>(computed - started).count();
    e->m_times[0] = f.lambda ? -cRe.ToDouble() : 1.0;
    e->m_times[1] = f.lambda ? -cIm.ToDouble() : 0.0;
    if (options.skips) {
        // The largest |dc| of the picture, at its farthest corner from the reference.
        const auto far = [](std::int32_t centre, std::int32_t size) {
            return static_cast<double>(std::max(centre, size - 1 - centre));
        };
        const FloatExp dcMax = Hypot(FloatExp(far(location.CentreColumn(), location.Width())) * location.StepX().Abs(),
                                     FloatExp(far(location.CentreRow(), location.Height())) * location.StepY().Abs());
        const double term = f.pixelIsC ? -1.0 : 0.0;
        const SkipSettings settings{f.power, {e->m_times[0], e->m_times[1]}, term, options.epsilon,
                                   options.quadratic};
        if (location.Extended()) {
            e->m_criticalSkipsX.Build(e->m_critical, settings, dcMax);
            if (!e->m_startsOnCritical)
                e->m_centreSkipsX.Build(e->m_centre, settings, dcMax);
        } else {
            e->m_criticalSkips.Build(e->m_critical, settings, dcMax.ToDouble());
            if (!e->m_startsOnCritical)
                e->m_centreSkips.Build(e->m_centre, settings, dcMax.ToDouble());
        }
    }
    if (!location.Extended()) {
        auto bounds = [&](const SkipTable<double>& table, const ReferenceOrbit& orbit) {
            return table.ServeBounds(orbit.Last() + 1);
        };
        e->m_criticalBounds = bounds(e->m_criticalSkips, e->m_critical);
        if (!e->m_startsOnCritical)
            e->m_centreBounds = bounds(e->m_centreSkips, e->m_centre);
    }
    e->m_tableSeconds = std::chrono::duration<double>(Clock::now() - computed).count();
    if (progress)
        progress(1.0);
    return e;
}

template <>
const SkipTable<double>* DeepEngine::Table<double>(bool critical) const
{
    const SkipTable<double>& t = critical ? m_criticalSkips : m_centreSkips;
    return t.Entries() ? &t : nullptr;
}

template <>
const SkipTable<FloatExp>* DeepEngine::Table<FloatExp>(bool critical) const
{
    const SkipTable<FloatExp>& t = critical ? m_criticalSkipsX : m_centreSkipsX;
    return t.Entries() ? &t : nullptr;
}

DeepPixel DeepEngine::Pixel(std::int32_t column, std::int32_t row) const
{
    const auto across = static_cast<double>(column - m_location.CentreColumn());
    const auto down = static_cast<double>(row - m_location.CentreRow());
    Walk walk = Start();
    const double sign = m_startsOnCritical ? -1 : 1;
    DeepPixel out;
    if (!m_location.Extended()) {
        const double dcRe = across * m_location.StepX().ToDouble(), dcIm = down * m_location.StepY().ToDouble();
        double zr = sign * dcRe, zi = sign * dcIm;
        Steps<double, double>(walk, zr, zi, dcRe, dcIm, out);
        return out;
    }
    // Differences below the doubles' range step in the extended one, larger ones in doubles:
    // from there on the picture's tiny dc is far below their rounding, and their squares
    // (cubes) still do not underflow.
    const FloatExp dcRe = FloatExp(across) * m_location.StepX(), dcIm = FloatExp(down) * m_location.StepY();
    FloatExp zr = FloatExp(sign) * dcRe, zi = FloatExp(sign) * dcIm;
    for (;;) {
        if (Steps<FloatExp, FloatExp>(walk, zr, zi, dcRe, dcIm, out) == Leg::Done)
            return out;
        double r = zr.ToDouble(), i = zi.ToDouble();
        if (Steps<double, FloatExp>(walk, r, i, dcRe, dcIm, out) == Leg::Done)
            return out;
        zr = r;
        zi = i;
    }
}

namespace {

// Where a pixel's difference moves between the extended range and doubles: the exponents of
// 2 above which it leaves the extended range, and below which it returns (apart, so that it
// does not go back and forth at every step).
constexpr std::int64_t kIntoDoubles[] = {0, 0, -480, -313};
constexpr std::int64_t kOutOfDoubles[] = {0, 0, -500, -333};

template <class Real, class From>
Real Convert(const From& x)
{
    if constexpr (std::is_same_v<Real, From>)
        return x;
    else if constexpr (std::is_same_v<Real, double>)
        return x.ToDouble();
    else
        return Real(x);
}

}  // namespace

template <class Real, class TableReal>
struct DeepEngine::Cursor {
    Walk w;
    Real zr = 0, zi = 0, dcRe = 0, dcIm = 0;
    TableReal dcReExact = 0, dcImExact = 0;
    const SkipTable<TableReal>* bla = nullptr;
    DeepPixel out;
};

template <class Real, class TableReal>
DeepEngine::Leg DeepEngine::Steps(Walk& w, Real& zr, Real& zi, const TableReal& dcReExact,
                                  const TableReal& dcImExact, DeepPixel& out) const
{
    Cursor<Real, TableReal> c{w, zr, zi, Convert<Real>(dcReExact), Convert<Real>(dcImExact), dcReExact, dcImExact,
                              m_options.skips ? Table<TableReal>(w.critical) : nullptr, out};
    Leg leg;
    while ((leg = Turn(c)) == Leg::Going)
        ++c.out.work;
    w = c.w;
    zr = c.zr;
    zi = c.zi;
    out = c.out;
    return leg;
}

// One step of a pixel (one skip by the approximation, or a rebase), or the end of it.
template <class Real, class TableReal>
DeepEngine::Leg DeepEngine::Turn(Cursor<Real, TableReal>& c) const
{
    const DeepFormula& f = m_formula;
    Walk& w = c.w;
    Real& zr = c.zr;
    Real& zi = c.zi;
    DeepPixel& out = c.out;
    constexpr bool mixed = std::is_same_v<Real, double> && std::is_same_v<TableReal, FloatExp>;
    constexpr bool extended = std::is_same_v<Real, FloatExp>;
    if constexpr (extended) {
        const std::int64_t e = std::max(zr.IsZero() ? INT64_MIN : zr.Exponent(), zi.IsZero() ? INT64_MIN : zi.Exponent());
        if (m_location.Extended() && e > kIntoDoubles[f.power])
            return Leg::Larger;
    } else if (mixed && std::max(std::fabs(zr), std::fabs(zi)) < std::ldexp(1.0, static_cast<int>(kOutOfDoubles[f.power]))) {
        return Leg::Smaller;
    }
    // The pixel's value is orbit(m) + z.
    const Real vr = Real(w.orbit->Re(w.m)) + zr, vi = Real(w.orbit->Im(w.m)) + zi;
    const double dr = AsDouble(vr), di = AsDouble(vi);
    // The quadratic test looks at the value the next step starts from, the cubic one (and
    // Lambda's) at the value the last step made.
    const std::int64_t count = f.testBefore ? w.steps + 1 : w.steps;
    if (count >= 1) {
        const double t = f.testBefore ? std::fabs(dr * dr) + std::fabs(di * di)
                                      : std::fabs(f.lambda ? dr + 0.5 : dr) + std::fabs(di);
        if (t >= f.bailout) {
            out = {count < m_limit ? static_cast<std::int32_t>(count) : 0, dr, di, out.work};
            return Leg::Done;
        }
    }
    if (count >= m_limit) {
        out = {0, dr, di, out.work};
        return Leg::Done;
    }
    if (w.m >= w.orbit->Last() || (m_options.rebase && SmallerThan(vr, vi, zr, zi))) {
        if (!m_options.rebase) {
            out = {0, dr, di, out.work};  // what an engine without rebasing makes of it
            return Leg::Done;
        }
        zr = vr;
        zi = vi;
        w.orbit = &m_critical;
        w.critical = true;
        w.m = 0;
        c.bla = m_options.skips ? Table<TableReal>(true) : nullptr;
        return Leg::Going;  // the full value may belong to the other range
    }
    if (const TableReal norm = TableReal(Norm1(zr, zi)); c.bla && c.bla->MayServe(w.m, norm)) {
        std::size_t length = 0;
        const auto most = static_cast<std::size_t>(
            std::min<std::int64_t>(m_limit - count, static_cast<std::int64_t>(w.orbit->Last() - w.m)));
        if (const auto* e = c.bla->Find(w.m, norm, most, length)) {
            // a z + c z^2 + b dc, the last two at the table's range: c and b may be far
            // beyond doubles where z and dc are below.
            const Real ar = Convert<Real>(e->ar), ai = Convert<Real>(e->ai);
            const TableReal sr = TableReal(zr * zr - zi * zi), si = TableReal(Twice(zr * zi));
            Real nr = (ar * zr - ai * zi) + Convert<Real>(e->cr * sr - e->ci * si);
            Real ni = (ar * zi + ai * zr) + Convert<Real>(e->cr * si + e->ci * sr);
            if (f.pixelIsC) {
                nr = nr + Convert<Real>(e->br * c.dcReExact - e->bi * c.dcImExact);
                ni = ni + Convert<Real>(e->br * c.dcImExact + e->bi * c.dcReExact);
            }
            zr = nr;
            zi = ni;
            w.m += length;
            w.steps += static_cast<std::int64_t>(length);
            return Leg::Going;
        }
    }
    const double ar = w.orbit->Re(w.m), ai = w.orbit->Im(w.m);
    Real nr, ni;
    if (f.power == 2) {
        // z <- 2 Z z + z^2 (- dc)
        nr = Twice(Real(ar) * zr - Real(ai) * zi) + (zr * zr - zi * zi);
        ni = Twice(Real(ar) * zi + Real(ai) * zr) + Twice(zr * zi);
        if (f.lambda) {
            // times -C
            const Real timesRe = Real(m_times[0]), timesIm = Real(m_times[1]);
            const Real mr = timesRe * nr - timesIm * ni;
            ni = timesRe * ni + timesIm * nr;
            nr = mr;
        }
    } else {
        // z <- z (3 Z^2 + z (3 Z + z)) (- dc)
        const Real tr = Real(3 * ar) + zr, ti = Real(3 * ai) + zi;
        const Real ur = zr * tr - zi * ti, ui = zr * ti + zi * tr;
        const Real sr = Real(3 * (ar * ar - ai * ai)) + ur, si = Real(6 * ar * ai) + ui;
        nr = zr * sr - zi * si;
        ni = zr * si + zi * sr;
    }
    if (f.pixelIsC) {
        nr = nr - c.dcRe;
        ni = ni - c.dcIm;
    }
    zr = nr;
    zi = ni;
    ++w.m;
    ++w.steps;
    return Leg::Going;
}

DeepEngine::Walk DeepEngine::Start() const
{
    Walk walk;
    walk.orbit = m_startsOnCritical ? &m_critical : &m_centre;
    walk.critical = m_startsOnCritical;
    walk.m = m_startsOnCritical ? 1 : 0;
    return walk;
}

// Pixels in vector lanes: while none has anything but a plain quadratic step to make, all
// make it at once, with the operations of Turn in Turn's order; any other turn (a test that
// ends it, a rebase, a skip) each makes through Turn itself.
void DeepEngine::Row(std::int32_t row, std::int32_t fromColumn, std::int32_t toColumn,
                     std::vector<DeepPixel>& results, FormulaKernel::Lanes width) const
{
    results.assign(static_cast<std::size_t>(std::max(0, toColumn - fromColumn)), DeepPixel{});
    const DeepFormula& f = m_formula;
    const bool laned = width != FormulaKernel::Lanes::Auto || !FormulaKernel::Off();
    if (!laned || m_location.Extended() || f.power != 2 || f.lambda || !f.testBefore) {
        for (std::int32_t column = fromColumn; column < toColumn; ++column)
            results[static_cast<std::size_t>(column - fromColumn)] = Pixel(column, row);
        return;
    }
    const DeepLanes lanes(width);
    struct Lane {
        Cursor<double, double> c;
        std::int32_t column = -1;
        std::int64_t budget = 0;  // plain steps it may make before its limit or its orbit's end
    };
    Lane lane[DeepLaneSet::kMost];
    DeepLaneSet set;
    unsigned busy = 0;
    std::int32_t next = fromColumn;
    const double stepX = m_location.StepX().ToDouble(), stepY = m_location.StepY().ToDouble();
    const double sign = m_startsOnCritical ? -1 : 1;
    auto place = [&](int i) {
        const Cursor<double, double>& c = lane[i].c;
        set.re[i] = c.w.orbit->ReFrom(c.w.m);
        set.im[i] = c.w.orbit->ImFrom(c.w.m);
        set.bound[i] = (c.w.critical ? m_criticalBounds : m_centreBounds).data() + c.w.m;
        set.zr[i] = c.zr;
        set.zi[i] = c.zi;
        set.dcRe[i] = c.dcRe;
        set.dcIm[i] = c.dcIm;
        lane[i].budget = std::max<std::int64_t>(
            0, std::min<std::int64_t>(m_limit - 1 - c.w.steps, static_cast<std::int64_t>(c.w.orbit->Last() - c.w.m)));
    };
    auto start = [&](int i) {
        if (next >= toColumn) {
            busy &= ~(1u << i);
            set.zr[i] = set.zi[i] = set.dcRe[i] = set.dcIm[i] = 0;
            return;
        }
        const std::int32_t column = next++;
        const double dcRe = (column - m_location.CentreColumn()) * stepX;
        const double dcIm = (row - m_location.CentreRow()) * stepY;
        lane[i].column = column;
        lane[i].c = Cursor<double, double>{Start(), sign * dcRe, sign * dcIm, dcRe, dcIm, dcRe, dcIm, nullptr, {}};
        lane[i].c.bla = m_options.skips ? Table<double>(lane[i].c.w.critical) : nullptr;
        busy |= 1u << i;
        place(i);
    };
    for (int i = 0; i < lanes.Count(); ++i)
        start(i);
    while (busy != 0) {
        std::int64_t room = INT64_MAX;
        int first = -1;
        for (int i = 0; i < lanes.Count(); ++i)
            if (busy >> i & 1) {
                room = std::min(room, lane[i].budget);
                first = first < 0 ? i : first;
            }
        // An idle lane reads along with a busy one, and what it makes counts for nothing.
        for (int i = 0; i < lanes.Count(); ++i)
            if (!(busy >> i & 1)) {
                set.re[i] = set.re[first];
                set.im[i] = set.im[first];
                set.bound[i] = set.bound[first];
            }
        unsigned stopped = 0;
        const std::int64_t made = room > 0 ? lanes.Steps(set, room, busy, f.pixelIsC, f.bailout, stopped) : 0;
        for (int i = 0; i < lanes.Count(); ++i) {
            if (!(busy >> i & 1))
                continue;
            Lane& l = lane[i];
            if (made > 0) {
                l.c.zr = set.zr[i];
                l.c.zi = set.zi[i];
                l.c.w.m += static_cast<std::size_t>(made);
                l.c.w.steps += made;
                l.c.out.work += made;
                l.budget -= made;
                set.re[i] += made;
                set.im[i] += made;
                set.bound[i] += made;
            }
            if (!(stopped >> i & 1) && l.budget > 0)
                continue;
            // A lane that may skip again skips here: back in the lanes it would stop at once.
            Leg leg;
            while ((leg = Turn(l.c)) == Leg::Going) {
                ++l.c.out.work;
                if (!l.c.bla || !l.c.bla->MayServe(l.c.w.m, Norm1(l.c.zr, l.c.zi)))
                    break;
            }
            if (leg == Leg::Going) {
                place(i);
            } else {
                results[static_cast<std::size_t>(l.column - fromColumn)] = l.c.out;
                start(i);
            }
        }
    }
}

}  // namespace korvanta
