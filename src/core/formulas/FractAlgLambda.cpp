#include "core/formulas/FractAlgLambda.h"

#include <cmath>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgLambda, CFractAlg)

// C z (1 - z) = C (z - z^2), expanded into real arithmetic.
namespace {

auto LambdaStep(double a, double b)
{
    return [a, b](double& x, double& y) {
        const double nx = a * x - a * x * x + a * y * y + 2 * b * x * y - b * y;
        y = a * y + b * x - 2 * a * x * y - b * x * x + b * y * y;
        x = nx;
        return EscapeTest(std::fabs(x) + std::fabs(y), 100000.0);
    };
}

}  // namespace

bool CFractAlgLambda::Iterate()
{
    return RunSteps(LambdaStep(m_C.m_z.real(), m_C.m_z.imag()));
}

void CFractAlgLambda::IteratePixel(bool watchCycles)
{
    RunWholePixel(LambdaStep(m_C.m_z.real(), m_C.m_z.imag()), watchCycles);
}

}  // namespace korvanta
