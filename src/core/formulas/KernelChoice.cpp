// Which vectors the kernels run in: what the processor has, what is fastest on it, and what
// KORVANTA_KERNEL forces for tests and comparisons. Every width gives the same bits, so the
// choice only ever moves time.
#include "core/formulas/FormulaKernel.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    static bool told = false;  // once is enough; a race only repeats the note
    if (!told) {
        told = true;
        std::fprintf(stderr, "korvanta: KORVANTA_KERNEL=%s is none of sse2, avx2, avx512, objects: ignored\n", value);
    }
    return {};
}

#if defined(__SSE2__)
// Whether the 512-bit lanes beat the 256-bit ones here.
bool Faster512(bool deep)
{
    (void)deep;
    return false;
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
