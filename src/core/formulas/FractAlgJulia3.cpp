#include "core/formulas/FractAlgJulia3.h"

#include <cmath>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgJulia3, CFractAlg)

bool CFractAlgJulia3::Iterate()
{
    const double a = m_C.m_z.real(), b = m_C.m_z.imag();
    return RunSteps([a, b](double& x, double& y) {
        const double nx = x * x * x - x * y * y - 2 * x * y * y - a;
        y = x * x * y - y * y * y + 2 * x * x * y - b;
        x = nx;
        return EscapeTest(std::fabs(x) + std::fabs(y), 4.0);
    });
}

}  // namespace korvanta
