// Iterations per second of a 400 x 400 Mandelbrot at limit 2304: through the render job's
// RenderStep, and through a plain loop over the same points; the ratio is the cost of
// stepping one pixel at a time.
#include "colorings/FractCol2304.h"
#include "formulas/FractAlgMandelbrot.h"
#include "render/RenderJob.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace korvanta;

namespace {

constexpr int kSize = 400;
constexpr std::uint32_t kLimit = 2304;
constexpr double kXStart = -1, kXEnd = 2, kYStart = -1.5, kYEnd = 1.5;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// The same points and iteration as the formula, with no objects, virtual calls or yields.
std::uint64_t PlainLoop(std::vector<std::uint32_t>& counts)
{
    const double dx = (kXEnd - kXStart) / kSize, dy = (kYEnd - kYStart) / kSize;
    std::uint64_t iterations = 0;
    for (int row = 0; row < kSize; ++row) {
        for (int col = 0; col < kSize; ++col) {
            const double cx = kXStart + col * dx, cy = kYStart + row * dy;
            double x = cx, y = cy;
            std::uint32_t n = 0;
            for (;;) {
                ++n;
                const double t = std::fabs(x * x) + std::fabs(y * y);
                const double nx = x * x - y * y - cx;
                y = 2 * x * y - cy;
                x = nx;
                if (n >= kLimit || t >= 4.0)
                    break;
            }
            iterations += n;
            counts[row * kSize + col] = n < kLimit ? n : 0;
        }
    }
    return iterations;
}

std::uint64_t ThroughRenderStep(std::vector<std::uint32_t>& pixels)
{
    RenderSettings settings;
    settings.m_dXStart = kXStart;
    settings.m_dXEnd = kXEnd;
    settings.m_dYStart = kYStart;
    settings.m_dYEnd = kYEnd;
    settings.m_nWidth = settings.m_nHeight = kSize;
    settings.m_pAlg = new CFractAlgMandelbrot;
    settings.m_pCol = new CFractCol2304;
    RenderJob job(settings);
    job.CreateBitmaps();
    std::uint64_t steps = 0;
    while (job.RenderStep() != 0)
        ++steps;
    pixels.assign(job.Pixels().data(), job.Pixels().data() + job.Pixels().size());
    return steps + 1;
}

}  // namespace

int main()
{
    std::vector<std::uint32_t> counts(kSize * kSize), pixels;
    double plainBest = 1e9, stepBest = 1e9;
    std::uint64_t iterations = 0, steps = 0;
    for (int round = 0; round < 5; ++round) {
        auto start = Clock::now();
        iterations = PlainLoop(counts);
        plainBest = std::min(plainBest, Seconds(start));
        start = Clock::now();
        steps = ThroughRenderStep(pixels);
        stepBest = std::min(stepBest, Seconds(start));
    }

    // Both must have computed the same picture, or the comparison means nothing.
    CFractCol2304 coloring;
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        CFractValue v;
        v.SetCount(static_cast<std::int32_t>(counts[i]));
        mismatches += coloring.GetColor(v) != pixels[i];
    }

    std::printf("Mandelbrot %dx%d, limit %u, %llu iterations, %llu render steps\n", kSize, kSize,
                kLimit, static_cast<unsigned long long>(iterations),
                static_cast<unsigned long long>(steps));
    std::printf("plain loop:  %8.1f ms  %7.1f M iterations/s\n", plainBest * 1e3,
                iterations / plainBest / 1e6);
    std::printf("RenderStep:  %8.1f ms  %7.1f M iterations/s\n", stepBest * 1e3,
                iterations / stepBest / 1e6);
    std::printf("ratio RenderStep / plain: %.3f (target <= 1.3)\n", stepBest / plainBest);
    std::printf("pixels differing from the plain loop: %zu\n", mismatches);
    return mismatches == 0 ? 0 : 1;
}
