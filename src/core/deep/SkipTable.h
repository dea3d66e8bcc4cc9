#pragma once

#include "core/deep/ReferenceOrbit.h"

#include <cstddef>
#include <vector>

namespace korvanta {

// The t of the delta step: 1, or Lambda's -C.
struct Multiplier {
    double re = 1, im = 0;
};

// Skips along one reference: from index m, 2^level steps of the delta step at once as
// z <- a z + c z^2 + b dc, where the delta step is z <- t (2 Z(m) z + z^2) + k dc (or its
// cubic form t (3 Z(m)^2 z + 3 Z(m) z^2 + z^3) + k dc). Every entry has a radius R within
// which everything it drops (the terms of higher degree in z and dc that the steps make, and
// what merging them makes) is proved below epsilon (|a| |z| + |b| |dc|): with epsilon the
// doubles' own rounding, a skip errs no more than one plain step does. A pixel takes the
// longest entry that is valid for it.
struct SkipSettings {
    int power = 2;
    Multiplier times;
    double dcTerm = -1;  // k: -1 when the pixel is c, 0 for Julia sets
    double epsilon = 0x1p-53;
    bool quadratic = true;  // keep the z^2 term; without it the skips are bilinear
};

template <class Real>
class SkipTable {
public:
    struct Entry {
        Real ar, ai, cr, ci, br, bi, r;
    };
    // `dcMax` is the largest |dc| of the picture.
    void Build(const ReferenceOrbit& orbit, const SkipSettings& settings, Real dcMax);

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
    // The entry of `level` (1 for pairs) from index `m`, if the table has one.
    const Entry* At(std::size_t level, std::size_t m) const;

    // For indices 0 to `length` - 1: a float at least the radius MayServe compares with, 0
    // where it never serves. A test of vector lanes that cannot miss a skip.
    std::vector<float> ServeBounds(std::size_t length) const;

private:
    // m_levels[k - 1][j] covers the 2^k steps from index 1 + j 2^k.
    std::vector<std::vector<Entry>> m_levels;
    std::vector<std::vector<Real>> m_radii;  // the entries' radii apart, for the search
};

}  // namespace korvanta
