#include "core/formulas/FractAlgMandelbrot3.h"

#include <cmath>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgMandelbrot3, CFractAlg)

bool CFractAlgMandelbrot3::Iterate()
{
    const double cx = m_cx, cy = m_cy;
    return RunSteps([cx, cy](double& x, double& y) {
        const double nx = x * x * x - x * y * y - 2 * x * y * y - cx;
        y = x * x * y - y * y * y + 2 * x * x * y - cy;
        x = nx;
        return EscapeTest(std::fabs(x) + std::fabs(y), 8.0);
    });
}

}  // namespace korvanta
