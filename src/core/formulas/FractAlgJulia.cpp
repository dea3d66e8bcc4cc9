#include "core/formulas/FractAlgJulia.h"

#include <cmath>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgJulia, CFractAlg)

bool CFractAlgJulia::Iterate()
{
    const double a = m_C.m_z.real(), b = m_C.m_z.imag();
    return RunSteps([a, b](double& x, double& y) {
        const double t = std::fabs(x * x) + std::fabs(y * y);
        const double nx = x * x - y * y - a;
        y = 2 * x * y - b;
        x = nx;
        return EscapeTest(t, 4.0);
    });
}

}  // namespace korvanta
