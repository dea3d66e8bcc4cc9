#include "core/formulas/FractAlgNewRap1.h"

#include <cmath>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgNewRap1, CFractAlg)

namespace {

// z <- (2/3) z - C / (3 z^2), written out in real arithmetic from the iterate before the
// step; at z = 0 the iterate becomes NaN and the point runs to the limit.
auto NewRap1Step(const CFractValue& constant)
{
    constexpr double k = 2.0 / 3.0;
    const double a = constant.m_z.real(), b = constant.m_z.imag();
    return [a, b](double& x, double& y) {
        const double d = x * x - y * y;
        const double r = 1 / ((d * d + x * x * y * y * 4) * 3);
        const double ny = y * k - r * (x * (b * x - y * a * 2) - b * y * y);
        const double nx = x * k - r * (x * x * a - a * y * y + b * (x * y) * 2);
        const double t = std::fabs(x - nx) + std::fabs(y - ny);
        x = nx;
        y = ny;
        return ConvergenceTest(t);
    };
}

}  // namespace

bool CFractAlgNewRap1::Iterate()
{
    return RunSteps(NewRap1Step(m_C));
}

void CFractAlgNewRap1::IteratePixel(bool watchCycles)
{
    RunWholePixel(NewRap1Step(m_C), watchCycles);
}

}  // namespace korvanta
