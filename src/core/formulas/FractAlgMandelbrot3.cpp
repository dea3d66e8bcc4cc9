#include "core/formulas/FractAlgMandelbrot3.h"

#include <cmath>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgMandelbrot3, CFractAlg)

namespace {

auto Mandelbrot3Step(double cx, double cy)
{
    return [cx, cy](double& x, double& y) {
        const double nx = x * x * x - x * y * y - 2 * x * y * y - cx;
        y = x * x * y - y * y * y + 2 * x * x * y - cy;
        x = nx;
        return EscapeTest(std::fabs(x) + std::fabs(y), 8.0);
    };
}

}  // namespace

bool CFractAlgMandelbrot3::Iterate()
{
    return RunSteps(Mandelbrot3Step(m_cx, m_cy));
}

void CFractAlgMandelbrot3::IteratePixel(bool watchCycles)
{
    RunWholePixel(Mandelbrot3Step(m_cx, m_cy), watchCycles);
}

}  // namespace korvanta
