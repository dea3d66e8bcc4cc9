#include "core/formulas/FractAlgSinz.h"

#include <cmath>

#include <complex>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgSinz, CFractAlg)

namespace {

// The powers and divisions are those of the standard complex type: dividing by (k!, 0) as a
// complex number, not by a real, decides the last bits.
auto SinzStep(const CFractValue& constant)
{
    using Complex = std::complex<double>;
    const Complex c = constant.m_z;
    return [c](double& x, double& y) {
        const Complex z(x, y);
        const Complex sum = z - std::pow(z, 3) / Complex(6, 0) + std::pow(z, 5) / Complex(120, 0) -
                            std::pow(z, 7) / Complex(5040, 0) + std::pow(z, 9) / Complex(362880, 0);
        const Complex next = c * sum;
        x = next.real();
        y = next.imag();
        return EscapeTest(std::fabs(x) + std::fabs(y), 40000.0);
    };
}

}  // namespace

bool CFractAlgSinz::Iterate()
{
    return RunSteps(SinzStep(m_C));
}

void CFractAlgSinz::IteratePixel(bool watchCycles)
{
    RunWholePixel(SinzStep(m_C), watchCycles);
}

}  // namespace korvanta
