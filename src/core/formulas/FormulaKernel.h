#pragma once

#include "core/formulas/FractAlg.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace korvanta {

// Whole pixels of the formulas whose step is plain real arithmetic (Mandelbrot, Julia and
// their cubic forms, and Lambda), six, twelve or sixteen at a time in vector lanes:
// every step is the formula's own operations in the formula's order, so counts and final
// iterates are bit for bit those of the formula object stepped 5000 iterations at a time.
class FormulaKernel {
public:
    // Which vectors: the fastest the processor has, or a given one (for tests and
    // comparisons). Every width gives the same bits.
    enum class Lanes { Auto, Sse2, Avx2, Avx512 };

    // Whether this formula object's class has a kernel (none when KORVANTA_KERNEL=objects).
    static bool Handles(const CFractAlg& alg);
    // Whether this processor runs the given width (always true for Auto and SSE2).
    static bool Available(Lanes lanes);
    // The width Auto runs here, for these kernels or for the deep engine's lanes (which
    // stop each other more often): the one KORVANTA_KERNEL=sse2|avx2|avx512 names if the
    // processor has it, else the fastest it has. Read at every call, so it may be switched.
    static Lanes Chosen(bool deep = false);
    // Whether KORVANTA_KERNEL=objects leaves every pixel to the formula objects and every
    // deep pixel to the engine's own step.
    static bool Off();
    // The width `lanes` runs in: Auto as chosen, a missing width as the widest narrower one.
    static Lanes Resolve(Lanes lanes, bool deep = false);

    explicit FormulaKernel(const CFractAlg& alg, Lanes lanes = Lanes::Auto);

    // Pixels from `fromColumn` to `toColumn` (excluded) of `row`, in column order. Once
    // `stop` is set the row ends within a millisecond, its results unfinished.
    void Row(std::int32_t row, std::int32_t fromColumn, std::int32_t toColumn,
             std::vector<CFractValue>& results, const std::atomic<bool>* stop = nullptr) const;

    enum class Formula { Quadratic, Cubic8, Cubic4, Lambda };

private:
    Lanes m_lanes;
    Formula m_formula;
    bool m_constantC;         // C is the formula's constant, not the point
    double m_a = 0, m_b = 0;  // the constant
    double m_xStart, m_yStart, m_dx, m_dy;
    std::uint32_t m_limit;
};

}  // namespace korvanta
