// CPU time of whole pictures through the formula objects and through the vector kernel in
// each width the processor has (SSE2, AVX2, AVX-512), side by side in one run on one
// thread, for a full view, an interior-heavy view, a deep boundary zoom and a Julia set.
// Every way must give the same counts; prints each width's time over the objects' and
// AVX-512's over AVX2's (the best of five runs each), and which width Auto takes here.
#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FormulaList.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/formulas/FormulaKernel.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace korvanta;

namespace {

struct Scene {
    const char* name;
    bool julia;
    double x0, x1, y0, y1;
    int limit;
    double a = 0, b = 0;
};

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

std::string ProcessorModel()
{
    std::ifstream in("/proc/cpuinfo");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("model name", 0) == 0)
            return line.substr(line.find(':') + 2);
    return "unknown processor";
}

const char* NameOf(FormulaKernel::Lanes lanes)
{
    switch (lanes) {
    case FormulaKernel::Lanes::Avx512: return "AVX-512";
    case FormulaKernel::Lanes::Avx2: return "AVX2";
    default: return "SSE2";
    }
}

}  // namespace

int main()
{
    constexpr int kSide = 400;
    const Scene scenes[] = {
        {"full view", false, -0.6, 2.1, -1.35, 1.35, 2304},
        {"interior-heavy", false, -0.3, 0.3, -0.3, 0.3, 2304},
        {"deep boundary zoom", false, 0.7436438870, 0.7436438890, 0.1318259040, 0.1318259060, 10000},
        {"Julia set (rabbit)", true, -1.6, 1.6, -1.2, 1.2, 2304, 0.123, -0.745},
    };
    constexpr int kWidths = 3, kRuns = 5;
    const FormulaKernel::Lanes widths[kWidths] = {FormulaKernel::Lanes::Sse2, FormulaKernel::Lanes::Avx2,
                                                  FormulaKernel::Lanes::Avx512};
    std::printf("%s; Auto takes %s (deep lanes %s)\n", ProcessorModel().c_str(),
                NameOf(FormulaKernel::Chosen()), NameOf(FormulaKernel::Chosen(true)));
    std::printf("%-20s %9s %9s %6s %9s %6s %9s %6s %8s   (%d x %d, one thread)\n", "picture", "objects s",
                "SSE2 s", "ratio", "AVX2 s", "ratio", "AVX-512 s", "ratio", "512/AVX2", kSide, kSide);
    for (const Scene& s : scenes) {
        std::unique_ptr<CFractAlg> alg;
        if (s.julia)
            alg = std::make_unique<CFractAlgJulia>();
        else
            alg = std::make_unique<CFractAlgMandelbrot>();
        alg->SetArea(s.x0, s.x1, s.y0, s.y1);
        alg->SetWidth(kSide);
        alg->SetHeight(kSide);
        alg->SetMaxIter(s.limit);
        alg->SetConstant(CFractValue(s.a, s.b));

        std::int64_t objectSum = 0;
        double start = CpuSeconds();
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                alg->SetPoint(x, y);
                while (!alg->Iterate()) {
                }
                objectSum += alg->GetResult()->GetCount();
            }
        }
        const double objects = CpuSeconds() - start;

        double seconds[kWidths] = {};
        bool same = true;
        for (int w = 0; w < kWidths; ++w) {
            if (!FormulaKernel::Available(widths[w]))
                continue;
            // The best of a few runs: the kernels take a fraction of the objects' time, and
            // a neighbour's work should not decide between widths.
            for (int run = 0; run < kRuns; ++run) {
                std::int64_t kernelSum = 0;
                start = CpuSeconds();
                const FormulaKernel kernel(*alg, widths[w]);
                std::vector<CFractValue> row;
                for (int y = 0; y < kSide; ++y) {
                    kernel.Row(y, 0, kSide, row);
                    for (const CFractValue& v : row)
                        kernelSum += v.GetCount();
                }
                const double took = CpuSeconds() - start;
                seconds[w] = run == 0 ? took : std::min(seconds[w], took);
                same = same && kernelSum == objectSum;
            }
        }
        std::printf("%-20s %9.3f", s.name, objects);
        for (int w = 0; w < kWidths; ++w) {
            if (seconds[w] > 0)
                std::printf(" %9.3f %6.2f", seconds[w], seconds[w] / objects);
            else
                std::printf(" %9s %6s", "(none)", "");
        }
        if (seconds[1] > 0 && seconds[2] > 0)
            std::printf(" %8.2f", seconds[2] / seconds[1]);
        std::printf("%s\n", same ? "" : "   COUNTS DIFFER");
    }
    // Formulas without a kernel: the whole-pixel run with and without the cycle watch.
    std::printf("\n%-20s %10s %10s %6s   (%d x %d, one thread)\n", "picture", "stepped s",
                "watched s", "ratio", kSide / 4, kSide / 4);
    const struct {
        const char* name;
        int formula;
        double x0, x1, y0, y1, a, b;
        int limit;
    } others[] = {{"Sinz, c = 0.5+0.2i", 6, -0.5, 0.5, -0.5, 0.5, 0.5, 0.2, 20000},
                  {"Newton -z^3+9z^2..", 7, -10, 10, -10, 10, 6, 0, 230400}};
    for (const auto& o : others) {
        auto alg = CreateFormula(o.formula);
        alg->SetArea(o.x0, o.x1, o.y0, o.y1);
        alg->SetWidth(kSide / 4);
        alg->SetHeight(kSide / 4);
        alg->SetMaxIter(o.limit);
        alg->SetConstant(CFractValue(o.a, o.b));
        double seconds[2];
        std::int64_t sums[2] = {0, 0};
        for (int watch = 0; watch < 2; ++watch) {
            const double start = CpuSeconds();
            for (int y = 0; y < kSide / 4; ++y) {
                for (int x = 0; x < kSide / 4; ++x) {
                    alg->SetPoint(x, y);
                    alg->IteratePixel(watch == 1);
                    sums[watch] += alg->GetResult()->GetCount();
                }
            }
            seconds[watch] = CpuSeconds() - start;
        }
        std::printf("%-20s %10.3f %10.3f %6.2f%s\n", o.name, seconds[0], seconds[1],
                    seconds[1] / seconds[0], sums[0] == sums[1] ? "" : "   COUNTS DIFFER");
    }
    return 0;
}
