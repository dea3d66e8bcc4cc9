#include "core/deep/DeepLanes.h"

#include "core/formulas/KernelVectors.h"

namespace korvanta {

namespace {

namespace sse2 {
using Vec = vectors::Sse2;
#include "core/deep/DeepLanes.inc"
}  // namespace sse2

// The AVX2 lanes, compiled for AVX2 alone (never FMA) and chosen at run time.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
namespace avx2 {
using Vec = vectors::Avx2;
#include "core/deep/DeepLanes.inc"
}  // namespace avx2
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

}  // namespace

DeepLanes::DeepLanes(FormulaKernel::Lanes lanes)
    : m_avx2(lanes != FormulaKernel::Lanes::Sse2 && vectors::HasAvx2())
{
}

std::int64_t DeepLanes::Steps(DeepLaneSet& set, std::int64_t room, unsigned busy, bool pixelIsC, double bailout,
                              unsigned& stopped) const
{
    return m_avx2 ? avx2::Run<avx2::Vec>(set, room, busy, pixelIsC, bailout, stopped)
                  : sse2::Run<sse2::Vec>(set, room, busy, pixelIsC, bailout, stopped);
}

}  // namespace korvanta
