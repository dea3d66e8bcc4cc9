#pragma once

#include "core/deep/BigFloat.h"
#include "core/deep/DeepFormula.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace korvanta {

// Told the share of the work done (0 to 1); returns false to stop the work.
using DeepProgress = std::function<bool(double done)>;

// One orbit of z <- z^p - c in arbitrary precision, kept rounded to doubles: the values the
// pixels of a deep picture are stepped against. It ends with the first value that the
// formula's escape test stops at, or after `steps` steps.
class ReferenceOrbit {
public:
    ReferenceOrbit() = default;

    // False (and an empty orbit) when `progress` asked to stop.
    bool Compute(const DeepFormula& formula, const BigFloat& startRe, const BigFloat& startIm,
                 const BigFloat& cRe, const BigFloat& cIm, std::size_t steps,
                 const DeepProgress& progress = {});

    // The index of the last value; every pixel starts over before stepping from it.
    std::size_t Last() const { return m_re.size() - 1; }
    double Re(std::size_t m) const { return m_re[m]; }
    double Im(std::size_t m) const { return m_im[m]; }
    // The values from index m on, for vector lanes.
    const double* ReFrom(std::size_t m) const { return m_re.data() + m; }
    const double* ImFrom(std::size_t m) const { return m_im.data() + m; }

private:
    std::vector<double> m_re, m_im;
};

}  // namespace korvanta
