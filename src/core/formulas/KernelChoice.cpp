// Which vectors the kernels run in: what the processor has, what is fastest on it, and what
// KORVANTA_KERNEL forces for tests and comparisons. Every width gives the same bits, so the
// choice only ever moves time.
#include "core/formulas/FormulaKernel.h"

#include "core/formulas/FractAlgMandelbrot.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#if defined(__SSE2__)
#include "core/formulas/KernelVectors.h"
#endif

namespace korvanta {

namespace {

using Lanes = FormulaKernel::Lanes;

// What KORVANTA_KERNEL names: a width, the formula objects, or nothing (Auto).
struct Forced {
    Lanes lanes = Lanes::Auto;
    bool objects = false;
};

Forced ReadForced()
{
    const char* value = std::getenv("KORVANTA_KERNEL");
    if (!value || !*value)
        return {};
    const struct {
        const char* name;
        Forced forced;
    } names[] = {{"sse2", {Lanes::Sse2, false}},
                 {"avx2", {Lanes::Avx2, false}},
                 {"avx512", {Lanes::Avx512, false}},
                 {"objects", {Lanes::Auto, true}}};
    for (const auto& n : names)
        if (std::strcmp(value, n.name) == 0)
            return n.forced;
    static std::atomic<bool> told{false};  // once is enough
    if (!told.exchange(true))
        std::fprintf(stderr, "korvanta: KORVANTA_KERNEL=%s is none of sse2, avx2, avx512, objects: ignored\n", value);
    return {};
}

#if defined(__SSE2__)
double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// The thread time of a few rows of pictures that mix escaping and interior pixels, in the
// given width.
double RowsSeconds(Lanes lanes)
{
    const struct {
        double x0, x1, y0, y1;
        int limit;
    } pictures[] = {{-0.6, 2.1, -1.35, 1.35, 1000}, {0.7436438870, 0.7436438890, 0.1318259040, 0.1318259060, 2000}};
    constexpr std::int32_t kSide = 48;
    std::vector<CFractValue> row;
    const double start = ThreadSeconds();
    for (const auto& p : pictures) {
        CFractAlgMandelbrot alg;
        alg.SetArea(p.x0, p.x1, p.y0, p.y1);
        alg.SetWidth(kSide);
        alg.SetHeight(kSide);
        alg.SetMaxIter(p.limit);
        const FormulaKernel kernel(alg, lanes);
        for (std::int32_t y = kSide / 2 - 3; y < kSide / 2 + 3; ++y)
            kernel.Row(y, 0, kSide, row);
    }
    return ThreadSeconds() - start;
}

// Whether the 512-bit lanes beat the 256-bit ones here, by a margin noise cannot make up.
// Some processors run 512-bit operations as two halves and others at a lower clock, so a
// few milliseconds of measuring, once, decide. The deep engine's lanes stop one another
// at every lane's turn: eight of them were slower than four even where the escape kernels
// gain (see bench/deep_zoom.cpp), so they keep AVX2 unless forced.
bool Faster512(bool deep)
{
    if (deep)
        return false;
    static const bool faster = [] {
        double wide = 1e9, narrow = 1e9;  // the best of a few turns each, taken in turn
        for (int turn = 0; turn < 3; ++turn) {
            narrow = std::min(narrow, RowsSeconds(Lanes::Avx2));
            wide = std::min(wide, RowsSeconds(Lanes::Avx512));
        }
        return wide < 0.9 * narrow;
    }();
    return faster;
}
#endif

}  // namespace

bool FormulaKernel::Available(Lanes lanes)
{
#if defined(__SSE2__)
    switch (lanes) {
    case Lanes::Avx2: return vectors::HasAvx2();
    case Lanes::Avx512: return vectors::HasAvx512();
    default: return true;
    }
#else
    (void)lanes;
    return false;
#endif
}

bool FormulaKernel::Off()
{
    return ReadForced().objects;
}

FormulaKernel::Lanes FormulaKernel::Chosen(bool deep)
{
    const Lanes forced = ReadForced().lanes;
    if (forced != Lanes::Auto)
        return Resolve(forced, deep);
#if defined(__SSE2__)
    if (vectors::HasAvx512() && Faster512(deep))
        return Lanes::Avx512;
    return vectors::HasAvx2() ? Lanes::Avx2 : Lanes::Sse2;
#else
    return Lanes::Sse2;
#endif
}

FormulaKernel::Lanes FormulaKernel::Resolve(Lanes lanes, bool deep)
{
    switch (lanes) {
    case Lanes::Auto: return Chosen(deep);
    case Lanes::Avx512:
        if (Available(Lanes::Avx512))
            return Lanes::Avx512;
        [[fallthrough]];
    case Lanes::Avx2:
        if (Available(Lanes::Avx2))
            return Lanes::Avx2;
        [[fallthrough]];
    default: return Lanes::Sse2;
    }
}

}  // namespace korvanta
