#include "core/deep/BlaTable.h"

#include "core/deep/DeepReal.h"

#include <bit>

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
void BlaTable<Real>::Build(const ReferenceOrbit& orbit, int power, double dcTerm, Real dcMax, double epsilon)
{
    m_levels.clear();
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
        Entry e = power == 2 ? Entry{Real(2 * zr), Real(2 * zi), Real(dcTerm), Real(0), Real(0)}
                             : Entry{Real(3 * (zr * zr - zi * zi)), Real(6 * zr * zi), Real(dcTerm), Real(0), Real(0)};
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
        m_levels.push_back(std::move(pairs));
        pairs = std::move(next);
    }
}

template <class Real>
const typename BlaTable<Real>::Entry* BlaTable<Real>::Find(std::size_t m, Real norm1, std::size_t most,
                                                           std::size_t& steps) const
{
    if (m_levels.empty())
        return nullptr;
    if (m == 0)
        return nullptr;
    // Entries of level k start at 1 + multiples of 2^k.
    const std::size_t from = m - 1;
    std::size_t level = from == 0 ? m_levels.size() : std::min<std::size_t>(std::countr_zero(from), m_levels.size());
    for (; level >= 1; --level) {
        const std::size_t length = std::size_t{1} << level;
        const std::vector<Entry>& entries = m_levels[level - 1];
        const std::size_t j = from >> level;
        if (length <= most && j < entries.size() && norm1 < entries[j].r) {
            steps = length;
            return &entries[j];
        }
    }
    return nullptr;
}

template <class Real>
std::size_t BlaTable<Real>::Entries() const
{
    std::size_t n = 0;
    for (const auto& level : m_levels)
        n += level.size();
    return n;
}

template class BlaTable<double>;
template class BlaTable<FloatExp>;

}  // namespace korvanta
