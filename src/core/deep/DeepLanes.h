#pragma once

#include "core/formulas/FormulaKernel.h"

#include <cstdint>

namespace korvanta {

// The pixels of a quadratic deep picture in doubles, each on its own orbit and at its own
// index of it, as vector lanes see them.
struct DeepLaneSet {
    static constexpr int kMost = 8;
    // Lane i's orbit from its current index on, and the bounds of its skip table there.
    const double* re[kMost] = {};
    const double* im[kMost] = {};
    const float* bound[kMost] = {};
    alignas(64) double zr[kMost] = {}, zi[kMost] = {}, dcRe[kMost] = {}, dcIm[kMost] = {};
};

// Steps the lanes of a DeepLaneSet together while every one has nothing but the plain step
// z <- 2 Z z + z^2 (- dc) to make, with the operations of the engine's own step in its order.
class DeepLanes {
public:
    explicit DeepLanes(FormulaKernel::Lanes lanes = FormulaKernel::Lanes::Auto);

    // How many lanes a set holds: 2 with SSE2, 4 with AVX2, 8 with AVX-512.
    int Count() const { return m_count; }

    // At most `room` steps. Stops before a step at which a lane of `busy` may have something
    // else to do (its test may end it, it may be smaller than its difference, a skip may
    // serve it) and names those lanes in `stopped`. Returns the steps made; every lane's
    // difference moved by them, the pointers did not.
    std::int64_t Steps(DeepLaneSet& set, std::int64_t room, unsigned busy, bool pixelIsC, double bailout,
                       unsigned& stopped) const;

private:
    FormulaKernel::Lanes m_lanes;
    int m_count;
};

}  // namespace korvanta
