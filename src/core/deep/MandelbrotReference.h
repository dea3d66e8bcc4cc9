#pragma once

#include "core/deep/BigFloat.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvanta {

// The orbit of a deep picture's centre C under the Mandelbrot step, computed in arbitrary
// precision and kept in doubles. It is the orbit of the critical point, R0 = 0,
// R(k+1) = R(k)^2 - C: the program starts a point at z0 = c instead, but z0 and -c have the
// same square and size, so its iterate z(k) is R(k+1) up to the sign at k = 0, which neither
// the escape test nor the steps after it see. One orbit thus serves the start of every pixel
// and each rebase to the beginning.
class MandelbrotReference {
public:
    // Iterated at the precision of `re` and `im` until R(k) fails the escape test
    // (|x^2| + |y^2| >= 4) or k reaches limit + 1.
    MandelbrotReference(const BigFloat& re, const BigFloat& im, std::int32_t limit);

    std::size_t size() const { return m_re.size(); }
    double Re(std::size_t k) const { return m_re[k]; }
    double Im(std::size_t k) const { return m_im[k]; }
    // The centre rounded to doubles.
    double CentreRe() const { return m_centreRe; }
    double CentreIm() const { return m_centreIm; }

private:
    std::vector<double> m_re, m_im;
    double m_centreRe, m_centreIm;
};

// The precision of a reference for pixels `spacing` apart: the bits that tell neighbouring
// pixels apart, and 64 more for what the orbit loses on the way. A function of the location
// alone, so every machine computes the same orbit.
mpfr_prec_t ReferencePrecision(double spacing);

// One pixel, `dc` from the centre, stepped as the program's Mandelbrot to `limit` by its
// difference from the reference, in doubles. When the pixel's full value becomes smaller than
// its difference, or the reference ends, it continues from the reference's start with the
// full value (rebasing), so no pixel ever needs a second reference. With `rebase` false a
// pixel that outlives the reference counts as one that never escapes, as in an engine
// without rebasing: for tests that must see the glitches rebasing avoids.
struct DeepCount {
    std::int32_t count = 0;
    bool escaped = false;
};
DeepCount PerturbMandelbrot(const MandelbrotReference& reference, double dcRe, double dcIm,
                            std::int32_t limit, bool rebase = true);

}  // namespace korvanta
