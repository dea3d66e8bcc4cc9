#pragma once

#include "core/deep/ReferenceOrbit.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace korvanta {

// Bilinear approximation of the delta step z <- t (2 Z(m) z + z^2) + k dc (or its cubic form
// t (3 Z(m)^2 z + 3 Z(m) z^2 + z^3) + k dc) along one reference: from index m, 2^level steps
// at once as z <- A z + B dc, valid while |z| < R.
// Levels of merged pairs; a pixel takes the longest entry that is valid for it.
// The t of the delta step: 1, or Lambda's -C.
struct Multiplier {
    double re = 1, im = 0;
};

template <class Real>
class BlaTable {
public:
    struct Entry {
        Real ar, ai, br, bi, r;
    };

    // `dcTerm` is k (-1 when the pixel is c, 0 for Julia sets); `dcMax` the largest |dc| of
    // the picture; a single step is valid while |z| < epsilon |Z(m)|.
    void Build(const ReferenceOrbit& orbit, int power, Multiplier times, double dcTerm, Real dcMax, double epsilon);

    // The longest entry from index `m` that covers `z` (|re| + |im| below its radius) in at
    // most `most` steps, with its length in `steps`; null when there is none longer than one.
    const Entry* Find(std::size_t m, Real norm1, std::size_t most, std::size_t& steps) const;

    // Whether Find can serve `norm1` at `m` at all: where it cannot, no longer entry can
    // either. Cheap enough for every step.
    bool MayServe(std::size_t m, const Real& norm1) const
    {
        const std::size_t from = m - 1;
        return m != 0 && (from & 1) == 0 && !m_radii.empty() && (from >> 1) < m_radii[0].size() &&
               norm1 < m_radii[0][from >> 1];
    }

    std::size_t Entries() const;

    // For indices 0 to `length` - 1: a float at least the radius MayServe compares with, 0
    // where it never serves. A test of vector lanes that cannot miss a skip.
    std::vector<float> ServeBounds(std::size_t length) const;

private:
    // m_levels[k - 1][j] covers the 2^k steps from index 1 + j 2^k.
    std::vector<std::vector<Entry>> m_levels;
    std::vector<std::vector<Real>> m_radii;  // the entries' radii apart, for the search
};

}  // namespace korvanta
