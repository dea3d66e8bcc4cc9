#include "core/formulas/FractAlgJulia.h"

#include <cmath>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgJulia, CFractAlg)

namespace {

auto JuliaStep(double a, double b)
{
    return [a, b](double& x, double& y) {
        const double t = std::fabs(x * x) + std::fabs(y * y);
        const double nx = x * x - y * y - a;
        y = 2 * x * y - b;
        x = nx;
        return EscapeTest(t, 4.0);
    };
}

}  // namespace

bool CFractAlgJulia::Iterate()
{
    return RunSteps(JuliaStep(m_C.m_z.real(), m_C.m_z.imag()));
}

void CFractAlgJulia::IteratePixel(bool watchCycles)
{
    RunWholePixel(JuliaStep(m_C.m_z.real(), m_C.m_z.imag()), watchCycles);
}

}  // namespace korvanta
