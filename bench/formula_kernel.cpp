// CPU time of whole pictures through the formula objects (today's path) and through the
// vector kernel, on one thread, for a full view, an interior-heavy view, a deep boundary
// zoom and a Julia set. Both ways must give the same counts; prints the ratio.
#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FormulaList.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/formulas/FormulaKernel.h"

#include <cstdio>
#include <ctime>
#include <memory>
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
    const bool avx2 = FormulaKernel::Available(FormulaKernel::Lanes::Avx2);
    std::printf("%-20s %10s %10s %6s %10s %6s   (%d x %d, one thread)\n", "picture", "objects s",
                "SSE2 s", "ratio", avx2 ? "AVX2 s" : "(no AVX2)", "ratio", kSide, kSide);
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

        double seconds[2] = {0, 0};
        bool same = true;
        const FormulaKernel::Lanes widths[2] = {FormulaKernel::Lanes::Sse2, FormulaKernel::Lanes::Avx2};
        for (int w = 0; w < (avx2 ? 2 : 1); ++w) {
            std::int64_t kernelSum = 0;
            start = CpuSeconds();
            const FormulaKernel kernel(*alg, widths[w]);
            std::vector<CFractValue> row;
            for (int y = 0; y < kSide; ++y) {
                kernel.Row(y, 0, kSide, row);
                for (const CFractValue& v : row)
                    kernelSum += v.GetCount();
            }
            seconds[w] = CpuSeconds() - start;
            same = same && kernelSum == objectSum;
        }
        std::printf("%-20s %10.3f %10.3f %6.2f %10.3f %6.2f%s\n", s.name, objects, seconds[0],
                    seconds[0] / objects, seconds[1], seconds[1] / objects,
                    same ? "" : "   COUNTS DIFFER");
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
