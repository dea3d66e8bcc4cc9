// Iterations per second of a 400 x 400 Mandelbrot at limit 2304: through the render job's
// RenderStep, through the formula object in a plain loop, and through a bare loop over the
// same points. RenderStep against the formula loop is the cost of stepping one pixel at a
// time; the formula loop against the bare loop is the cost of the formula object.
#include "core/colorings/FractCol2304.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/render/RenderJob.h"
#include "PlainMandelbrot.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace korvanta;

namespace {

const bench::PlainScene kScene;
constexpr int kSize = 400;
constexpr std::uint32_t kLimit = 2304;
constexpr double kXStart = -1, kXEnd = 2, kYStart = -1.5, kYEnd = 1.5;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

std::uint64_t ThroughRenderStep(std::vector<std::uint32_t>& pixels)
{
    RenderJob job(RenderSettings::ForArea(kXStart, kXEnd, kYStart, kYEnd, kSize, kSize),
                  {std::make_unique<CFractAlgMandelbrot>(), std::make_unique<CFractCol2304>()});
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
    std::vector<std::uint32_t> counts(kSize * kSize), pixels, formulaPixels;
    double plainBest = 1e9, stepBest = 1e9, formulaBest = 1e9;
    std::uint64_t iterations = 0, steps = 0;
    for (int round = 0; round < 5; ++round) {
        auto start = Clock::now();
        iterations = bench::PlainMandelbrot(kScene, counts);
        plainBest = std::min(plainBest, Seconds(start));
        start = Clock::now();
        bench::FormulaLoop(kScene, formulaPixels);
        formulaBest = std::min(formulaBest, Seconds(start));
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
        mismatches += coloring.GetColor(v) != pixels[i] || formulaPixels[i] != pixels[i];
    }

    std::printf("Mandelbrot %dx%d, limit %u, %llu iterations, %llu render steps\n", kSize, kSize,
                kLimit, static_cast<unsigned long long>(iterations),
                static_cast<unsigned long long>(steps));
    auto line = [&](const char* what, double seconds) {
        std::printf("%-13s %8.1f ms  %7.1f M iterations/s\n", what, seconds * 1e3,
                    iterations / seconds / 1e6);
    };
    line("bare loop:", plainBest);
    line("formula loop:", formulaBest);
    line("RenderStep:", stepBest);
    std::printf("ratio RenderStep / bare loop:    %.3f (target <= 1.3)\n", stepBest / plainBest);
    std::printf("ratio RenderStep / formula loop: %.3f\n", stepBest / formulaBest);
    std::printf("pixels differing between the three: %zu\n", mismatches);
    return mismatches == 0 ? 0 : 1;
}
