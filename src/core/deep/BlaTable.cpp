#include "core/deep/BlaTable.h"

#include "core/deep/DeepReal.h"

#include <bit>
#include <cfloat>
#include <cmath>

namespace korvanta {

namespace {

template <class Real>
using Entry = typename BlaTable<Real>::Entry;

// x, then y.
template <class Real>
Entry<Real> Merge(const Entry<Real>& x, const Entry<Real>& y, const Real& dcMax)
{
    Entry<Real> e;
    e.ar = y.ar * x.ar - y.ai * x.ai;
    e.ai = y.ar * x.ai + y.ai * x.ar;
    e.br = (y.ar * x.br - y.ai * x.bi) + y.br;
    e.bi = (y.ar * x.bi + y.ai * x.br) + y.bi;
    const Real ax = Magnitude(x.ar, x.ai), bx = Magnitude(x.br, x.bi);
    Real ry = y.r - bx * dcMax;
    if (ry < Real(0) || !(Real(0) < ax))
        ry = Real(0);
    else
        ry = ry / ax;
    e.r = ry < x.r ? ry : x.r;
    return e;
}

}  // namespace

template <class Real>
void BlaTable<Real>::Build(const ReferenceOrbit& orbit, int power, Multiplier times, double dcTerm, Real dcMax,
                           double epsilon)
{
    m_levels.clear();
    m_radii.clear();
    const std::size_t last = orbit.Last();
    // Single steps from m to m + 1, merged at once into the pairs of level 1. Index 0 is left
    // out: a pixel steps from there after every rebase, where the critical orbit is 0 and no
    // approximation holds, and from 1 on the whole tree is open to it.
    std::vector<Entry> pairs;
    pairs.reserve(last / 2);
    // One step is linear while the terms of z^2 and up are below epsilon of the linear one:
    // A = 2 Z (3 Z^2 for the cubic), |z| < epsilon |Z|.
    auto single = [&](std::size_t m) {
        const double zr = orbit.Re(m), zi = orbit.Im(m);
        const double ar = power == 2 ? 2 * zr : 3 * (zr * zr - zi * zi), ai = power == 2 ? 2 * zi : 6 * zr * zi;
        Entry e{Real(times.re * ar - times.im * ai), Real(times.re * ai + times.im * ar), Real(dcTerm), Real(0),
                Real(0)};
        e.r = Real(epsilon) * Magnitude(Real(zr), Real(zi));
        return e;
    };
    for (std::size_t m = 1; m + 2 <= last; m += 2)
        pairs.push_back(Merge<Real>(single(m), single(m + 1), dcMax));
    while (!pairs.empty()) {
        std::vector<Entry> next;
        next.reserve(pairs.size() / 2);
        for (std::size_t j = 0; j + 1 < pairs.size(); j += 2)
            next.push_back(Merge<Real>(pairs[j], pairs[j + 1], dcMax));
        std::vector<Real> radii(pairs.size());
        for (std::size_t j = 0; j < pairs.size(); ++j)
            radii[j] = pairs[j].r;
        m_radii.push_back(std::move(radii));
        m_levels.push_back(std::move(pairs));
        pairs = std::move(next);
    }
}

template <class Real>
const typename BlaTable<Real>::Entry* BlaTable<Real>::Find(std::size_t m, Real norm1, std::size_t most,
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
    if (low == 0)
        return nullptr;
    steps = std::size_t{1} << low;
    return &m_levels[low - 1][from >> low];
}

template <class Real>
std::size_t BlaTable<Real>::Entries() const
{
    std::size_t n = 0;
    for (const auto& level : m_levels)
        n += level.size();
    return n;
}

template <class Real>
std::vector<float> BlaTable<Real>::ServeBounds(std::size_t length) const
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

template class BlaTable<double>;
template class BlaTable<FloatExp>;

}  // namespace korvanta
