#include "core/formulas/FractAlgJulia3.h"

#include <cmath>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgJulia3, CFractAlg)

namespace {

auto Julia3Step(double a, double b)
{
    return [a, b](double& x, double& y) {
        const double nx = x * x * x - x * y * y - 2 * x * y * y - a;
        y = x * x * y - y * y * y + 2 * x * x * y - b;
        x = nx;
        return EscapeTest(std::fabs(x) + std::fabs(y), 4.0);
    };
}

}  // namespace

bool CFractAlgJulia3::Iterate()
{
    return RunSteps(Julia3Step(m_C.m_z.real(), m_C.m_z.imag()));
}

void CFractAlgJulia3::IteratePixel(bool watchCycles)
{
    RunWholePixel(Julia3Step(m_C.m_z.real(), m_C.m_z.imag()), watchCycles);
}

}  // namespace korvanta
