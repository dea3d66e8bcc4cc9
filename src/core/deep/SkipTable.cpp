#include "core/deep/SkipTable.h"

#include "core/deep/DeepReal.h"
#include "core/deep/SkipBound.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <type_traits>

namespace korvanta {

namespace {

template <class Real>
using Bound = typename BoundRealOf<Real>::Type;

template <class Real>
Bound<Real> Wide(const Real& x)
{
    if constexpr (std::is_same_v<Real, double>)
        return static_cast<long double>(x);
    else
        return x;
}

// |(re, im)| in the bounds' arithmetic: squares of doubles cannot leave its range.
template <class Real>
Bound<Real> Size(const Real& re, const Real& im)
{
    if constexpr (std::is_same_v<Real, double>) {
        const long double r = re, i = im;
        return std::sqrt(r * r + i * i);
    } else {
        return Magnitude(re, im);
    }
}

// x rounded to Real, never up: a radius may only shrink on the way.
template <class Real>
Real Narrow(const Bound<Real>& x)
{
    if constexpr (std::is_same_v<Real, double>) {
        double d = static_cast<double>(x);
        if (static_cast<long double>(d) > x)
            d = std::nextafter(d, 0.0);
        return d;
    } else {
        return x;
    }
}

// What merging an entry needs beyond it while the table is built: a bound on what it drops
// within its radius, as a polynomial in |z| (with dc at its largest folded in), and the sizes
// of its coefficients.
template <class Real>
struct Bounds {
    Majorant<Bound<Real>, 4> dropped;
    Bound<Real> radius, a, c, b;
};

// Beyond any difference a pixel has before it escapes.
template <class B>
const B kWide = PowerOfTwo<B>(16);

// x, then y: y's polynomial of x's, its terms above the square dropped. Everything dropped
// is bounded for |z| up to r: y's own dropped terms at x's largest result, x's dropped terms
// times y's largest slope there, and the terms of degree 3 and 4 of the composition. The
// radius is the largest r at which x's bound holds, x's result stays within y's radius, and
// the sum stays below epsilon of the linear terms.
// Returns the merged bounds, and the entry in `e`.
template <class Real>
Bounds<Real> Merge(const typename SkipTable<Real>::Entry& a, const Bounds<Real>& x,
                   const typename SkipTable<Real>::Entry& b, const Bounds<Real>& y, const Bound<Real>& dcMax,
                   const Bound<Real>& epsilon, typename SkipTable<Real>::Entry& e)
{
    using B = Bound<Real>;
    Bounds<Real> m;
    e.ar = b.ar * a.ar - b.ai * a.ai;
    e.ai = b.ar * a.ai + b.ai * a.ar;
    const Real sr = a.ar * a.ar - a.ai * a.ai, si = Twice(a.ar * a.ai);
    e.cr = (b.ar * a.cr - b.ai * a.ci) + (b.cr * sr - b.ci * si);
    e.ci = (b.ar * a.ci + b.ai * a.cr) + (b.cr * si + b.ci * sr);
    e.br = (b.ar * a.br - b.ai * a.bi) + b.br;
    e.bi = (b.ar * a.bi + b.ai * a.br) + b.bi;
    m.a = Size(e.ar, e.ai);
    m.c = Size(e.cr, e.ci);
    m.b = Size(e.br, e.bi);
    m.radius = B(0);
    if (!(B(0) < x.radius) || !(B(0) < y.radius) || !Finite(m.a) || !Finite(m.b) || !Finite(m.c))
        return m;
    const auto& dx = x.dropped.k;
    const auto& dy = y.dropped.k;
    // |x's result|, its cubic term folded into the square within x's radius.
    const Majorant<B, 3> w{{x.b * dcMax + dx[0], x.a + dx[1], x.c + dx[2] + dx[3] * x.radius}};
    const B within = QuadraticWithin(w.k[0], w.k[1], w.k[2], y.radius, x.radius);
    if (!(B(0) < within))
        return m;
    const Majorant<B, 5> composition{{y.c * x.b * x.b * dcMax * dcMax, B(2) * y.c * x.a * x.b * dcMax,
                                      B(2) * y.c * x.c * x.b * dcMax, B(2) * y.c * x.a * x.c, y.c * x.c * x.c}};
    Majorant<B, 7> dropped;
    const auto exact = [](const auto& d) { return !(B(0) < d[0] || B(0) < d[1] || B(0) < d[2] || B(0) < d[3]); };
    if (exact(dx) && exact(dy)) {
        // Two exact steps: only the composition drops anything.
        for (int i = 0; i < 5; ++i)
            dropped.k[i] = composition.k[i];
    } else {
        const Majorant<B, 5> w2 = w * w;
        const Majorant<B, 7> w3 = w2 * w;
        const Majorant<B, 1> own{{dy[0]}};
        const B twice = B(2) * y.c;
        const Majorant<B, 3> slope{{y.a + twice * w.k[0], twice * w.k[1], twice * w.k[2]}};
        dropped = own + dy[1] * w + dy[2] * w2 + dy[3] * w3 + slope * x.dropped + composition;
    }
    if (!dropped.AllFinite() || epsilon * m.b * dcMax < dropped.k[0])
        return m;
    Majorant<B, 6> perZ;
    for (int i = 0; i < 6; ++i)
        perZ.k[i] = dropped.k[i + 1];
    const B radius = LargestWithin(perZ, epsilon * m.a, within);
    B above = B(0);
    for (int i = 6; i >= 3; --i)
        above = above * radius + dropped.k[i];
    m.dropped = {{dropped.k[0], dropped.k[1], dropped.k[2], above}};
    if (m.dropped.AllFinite())
        m.radius = radius;
    return m;
}

}  // namespace

template <class Real>
void SkipTable<Real>::Build(const ReferenceOrbit& orbit, const SkipSettings& settings, Real dcMax)
{
    using B = Bound<Real>;
    m_levels.clear();
    m_radii.clear();
    const std::size_t last = orbit.Last();
    const B wideDc = settings.dcTerm == 0 ? B(0) : Wide(dcMax), epsilon = B(settings.epsilon);
    const Multiplier t = settings.times;
    const B size = Size(Real(t.re), Real(t.im));
    // Single steps from m to m + 1, merged at once into the pairs of level 1. Index 0 is left
    // out: a pixel steps from there after every rebase, where the critical orbit is 0 and no
    // approximation holds, and from 1 on the whole tree is open to it.
    auto single = [&](std::size_t m, Entry& e, Bounds<Real>& s) {
        const double zr = orbit.Re(m), zi = orbit.Im(m);
        const bool square = settings.power == 2;
        // a = t 2 Z (t 3 Z^2); c = t (t 3 Z).
        const double ar = square ? 2 * zr : 3 * (zr * zr - zi * zi), ai = square ? 2 * zi : 6 * zr * zi;
        const double cr = square ? 1 : 3 * zr, ci = square ? 0 : 3 * zi;
        e = {Real(t.re * ar - t.im * ai), Real(t.re * ai + t.im * ar), Real(0), Real(0), Real(settings.dcTerm),
             Real(0), Real(0)};
        const B cSize = size * Size(Real(cr), Real(ci));
        if (settings.quadratic) {
            e.cr = Real(t.re * cr - t.im * ci);
            e.ci = Real(t.re * ci + t.im * cr);
            s.dropped = {{B(0), B(0), B(0), square ? B(0) : size}};
        } else {
            s.dropped = {{B(0), B(0), cSize, square ? B(0) : size}};
        }
        s.radius = kWide<B>;
        s.a = Size(e.ar, e.ai);
        s.c = Size(e.cr, e.ci);
        s.b = Size(e.br, e.bi);
    };
    // Each level's bounds are merged in place into the next's: those of entry j of the next
    // come from 2j and 2j + 1, which no earlier one overwrote.
    std::vector<Bounds<Real>> bounds(last >= 3 ? (last - 1) / 2 : 0);
    std::vector<Entry> level(bounds.size());
    for (std::size_t j = 0; j < level.size(); ++j) {
        Entry x, y;
        Bounds<Real> bx, by;
        single(1 + 2 * j, x, bx);
        single(2 + 2 * j, y, by);
        bounds[j] = Merge<Real>(x, bx, y, by, wideDc, epsilon, level[j]);
    }
    while (!level.empty()) {
        std::vector<Real> radii(level.size());
        for (std::size_t j = 0; j < level.size(); ++j)
            level[j].r = radii[j] = Narrow<Real>(bounds[j].radius);
        std::vector<Entry> next(level.size() / 2);
        for (std::size_t j = 0; j < next.size(); ++j)
            bounds[j] = Merge<Real>(level[2 * j], bounds[2 * j], level[2 * j + 1], bounds[2 * j + 1], wideDc, epsilon,
                                    next[j]);
        bounds.resize(next.size());
        m_radii.push_back(std::move(radii));
        m_levels.push_back(std::move(level));
        level = std::move(next);
    }
}

template <class Real>
const typename SkipTable<Real>::Entry* SkipTable<Real>::Find(std::size_t m, Real norm1, std::size_t most,
                                                             std::size_t& steps) const
{
    if (m == 0 || m_levels.empty())
        return nullptr;
    // Entries of level k start at 1 + multiples of 2^k. An entry's first half is the entry of
    // the level below at the same place, and its radius is at most that one's: whether an
    // entry serves falls with the level, so the longest one is found by halving.
    const std::size_t from = m - 1;
    std::size_t low = 0;  // serves (0: none)
    std::size_t high = from == 0 ? m_levels.size() : std::min<std::size_t>(std::countr_zero(from), m_levels.size());
    auto serves = [&](std::size_t level) {
        const std::size_t j = from >> level;
        return (std::size_t{1} << level) <= most && j < m_radii[level - 1].size() && norm1 < m_radii[level - 1][j];
    };
    // Most calls find nothing: one look at the shortest entry says so.
    if (high == 0 || !serves(1))
        return nullptr;
    low = 1;
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (serves(mid))
            low = mid;
        else
            high = mid - 1;
    }
    steps = std::size_t{1} << low;
    return &m_levels[low - 1][from >> low];
}

template <class Real>
const typename SkipTable<Real>::Entry* SkipTable<Real>::At(std::size_t level, std::size_t m) const
{
    if (m == 0 || level == 0 || level > m_levels.size() || (m - 1) % (std::size_t{1} << level) != 0)
        return nullptr;
    const std::size_t j = (m - 1) >> level;
    return j < m_levels[level - 1].size() ? &m_levels[level - 1][j] : nullptr;
}

template <class Real>
std::size_t SkipTable<Real>::Entries() const
{
    std::size_t n = 0;
    for (const auto& level : m_levels)
        n += level.size();
    return n;
}

template <class Real>
std::vector<float> SkipTable<Real>::ServeBounds(std::size_t length) const
{
    std::vector<float> bounds(length, 0.0f);
    if (m_radii.empty())
        return bounds;
    const std::vector<Real>& radii = m_radii[0];
    for (std::size_t j = 0; j < radii.size() && 1 + 2 * j < length; ++j) {
        const double r = AsDouble(radii[j]);
        if (!(r > 0))
            continue;
        float bound = r < FLT_MAX ? static_cast<float>(r) : INFINITY;
        if (static_cast<double>(bound) < r)
            bound = std::nextafter(bound, INFINITY);
        bounds[1 + 2 * j] = bound;
    }
    return bounds;
}

template class SkipTable<double>;
template class SkipTable<FloatExp>;

}  // namespace korvanta
