#include "core/formulas/FractAlgRap2.h"

#include <cmath>

#include <complex>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgRap2, CFractAlg)

namespace {

// z <- z - p(z) / p'(z) with p(z) = -z^3 + 9z^2 - 18z + C, in the standard complex type.
auto Rap2Step(const CFractValue& constant)
{
    using Complex = std::complex<double>;
    const Complex c = constant.m_z;
    return [c](double& x, double& y) {
        Complex z(x, y);
        const Complex derivative = (-std::pow(z, 2) * 3.0 + z * 18.0) - 18.0;
        const Complex value = ((-std::pow(z, 3) + std::pow(z, 2) * 9.0) - z * 18.0) + c;
        z -= value / derivative;
        const double t = std::fabs(x - z.real()) + std::fabs(y - z.imag());
        x = z.real();
        y = z.imag();
        return ConvergenceTest(t);
    };
}

}  // namespace

bool CFractAlgRap2::Iterate()
{
    return RunSteps(Rap2Step(m_C));
}

void CFractAlgRap2::IteratePixel(bool watchCycles)
{
    RunWholePixel(Rap2Step(m_C), watchCycles);
}

}  // namespace korvanta
