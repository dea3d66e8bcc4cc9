// Iterations per second of every formula over a representative picture, and nanoseconds
// per GetColor of every coloring over a spread of counts.
#include "core/colorings/ColoringList.h"
#include "core/formulas/FormulaList.h"

#include <chrono>
#include <cstdio>
#include <vector>

using namespace korvanta;

namespace {

using Clock = std::chrono::steady_clock;

struct Scene {
    int formula;
    double cRe, cIm;
    double xStart, xEnd, yStart, yEnd;
    std::int32_t limit;
};

// Areas that show each formula's structure, with limits as a user would pick them.
constexpr Scene kScenes[] = {
    {0, 0, 0, -1.0, 2.0, -1.2, 1.2, 2304},
    {1, 0, 0, -1.6, 1.6, -1.2, 1.2, 2304},
    {2, 0.8, 0.156, -1.6, 1.6, -1.2, 1.2, 2304},
    {3, -0.4, 0.6, -1.4, 1.4, -1.05, 1.05, 2304},
    {4, 0.85, 0.6, -0.6, 1.6, -0.8, 0.85, 2304},
    {5, -1.0, 0.0, -2.0, 2.0, -1.5, 1.5, 2304},
    {6, 1.0, 0.4, -3.0, 3.0, -2.25, 2.25, 2304},
    {7, 3.0, 0.5, -3.0, 9.0, -4.5, 4.5, 2304},
};

constexpr int kWidth = 320, kHeight = 240;

void BenchFormula(const Scene& s)
{
    auto alg = CreateFormula(s.formula);
    alg->SetConstant(CFractValue(s.cRe, s.cIm));
    alg->SetArea(s.xStart, s.xEnd, s.yStart, s.yEnd);
    alg->SetWidth(kWidth);
    alg->SetHeight(kHeight);
    alg->SetMaxIter(s.limit);
    std::uint64_t iterations = 0;
    const auto start = Clock::now();
    for (int row = 0; row < kHeight; ++row) {
        for (int col = 0; col < kWidth; ++col) {
            alg->SetPoint(col, row);
            while (!alg->Iterate()) {
            }
            const auto n = static_cast<std::uint32_t>(alg->GetResult()->GetCount());
            iterations += n == 0 ? static_cast<std::uint32_t>(s.limit) : n;
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%-34s %10llu iterations %8.1f ms %8.1f M iterations/s\n", alg->GetName(),
                static_cast<unsigned long long>(iterations), seconds * 1e3,
                iterations / seconds / 1e6);
}

void BenchColoring(int index)
{
    auto col = CreateColoring(index);
    constexpr int kCalls = 2'000'000;
    std::vector<CFractValue> results(4096);
    for (std::size_t i = 0; i < results.size(); ++i)
        results[i].SetCount(static_cast<std::int32_t>(i * 37 % 3000));
    std::uint32_t sink = 0;
    const auto start = Clock::now();
    for (int i = 0; i < kCalls; ++i)
        sink ^= col->GetColor(results[i & 4095]);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%-34s %8.1f ns per GetColor (checksum %08x)\n", col->GetName(),
                seconds / kCalls * 1e9, sink);
}

}  // namespace

int main()
{
    std::printf("Formulas, %d x %d pixels, limit 2304 (a point at the limit counts 2304):\n",
                kWidth, kHeight);
    for (const Scene& s : kScenes)
        BenchFormula(s);
    std::printf("\nColorings, counts 0 to 2999:\n");
    for (int i = 0; i < 7; ++i)
        BenchColoring(i);
}
