#pragma once

#include "core/formulas/FractAlg.h"

#include <cstdint>
#include <vector>

namespace korvanta {

// Whole pixels of z <- z^2 - c (the Mandelbrot set, c the point, and the Julia set, c the
// constant), six or twelve at a time in the lanes of three vectors: every step is the formula's own
// operations in the formula's order, so counts and final iterates are bit for bit those
// of the formula object stepped 5000 iterations at a time.
class QuadraticKernel {
public:
    // Which vectors: the widest the processor has, or a narrower one (for tests).
    enum class Lanes { Auto, Sse2, Avx2 };

    // The kernel for this formula object, or none when its formula is not one of the two.
    static bool Handles(const CFractAlg& alg);
    // Whether this processor runs the given width (always true for Auto and SSE2).
    static bool Available(Lanes lanes);

    explicit QuadraticKernel(const CFractAlg& alg, Lanes lanes = Lanes::Auto);

    // Pixels from `fromColumn` to `toColumn` (excluded) of `row`, in column order.
    void Row(std::int32_t row, std::int32_t fromColumn, std::int32_t toColumn,
             std::vector<CFractValue>& results) const;

private:
    Lanes m_lanes;
    bool m_julia;
    double m_a = 0, m_b = 0;  // the Julia constant
    double m_xStart, m_yStart, m_dx, m_dy;
    std::uint32_t m_limit;
};

}  // namespace korvanta
