#include "core/formulas/FractAlgMandelbrot.h"

#include "core/archive/Archive.h"

#include <cmath>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgMandelbrot, CFractAlg)

void CFractAlgMandelbrot::Serialize(Archive& ar)
{
    CFractAlg::Serialize(ar);
    ar.Transfer(m_aux.m_z);
}

namespace {

auto MandelbrotStep(double cx, double cy)
{
    // The test belongs to the iterate before the step.
    return [cx, cy](double& x, double& y) {
        const double t = std::fabs(x * x) + std::fabs(y * y);
        const double nx = x * x - y * y - cx;
        y = 2 * x * y - cy;
        x = nx;
        return EscapeTest(t, 4.0);
    };
}

}  // namespace

bool CFractAlgMandelbrot::Iterate()
{
    return RunSteps(MandelbrotStep(m_cx, m_cy));
}

void CFractAlgMandelbrot::IteratePixel(bool watchCycles)
{
    RunWholePixel(MandelbrotStep(m_cx, m_cy), watchCycles);
}

}  // namespace korvanta
