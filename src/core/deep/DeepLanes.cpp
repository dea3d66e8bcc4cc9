#include "core/deep/DeepLanes.h"

#include "core/formulas/KernelVectors.h"

namespace korvanta {

namespace {

namespace sse2 {
using Vec = vectors::Sse2;
#include "core/deep/DeepLanes.inc"
}  // namespace sse2

// The wider lanes, compiled for their instruction sets alone (never FMA) and chosen at run
// time.
KORVANTA_TARGET_BEGIN(KORVANTA_TARGET_AVX2)
namespace avx2 {
using Vec = vectors::Avx2;
#include "core/deep/DeepLanes.inc"
}  // namespace avx2
KORVANTA_TARGET_END

KORVANTA_TARGET_BEGIN(KORVANTA_TARGET_AVX512)
namespace avx512 {
using Vec = vectors::Avx512;
#include "core/deep/DeepLanes.inc"
}  // namespace avx512
KORVANTA_TARGET_END

}  // namespace

DeepLanes::DeepLanes(FormulaKernel::Lanes lanes)
    : m_lanes(FormulaKernel::Resolve(lanes, true)),
      m_count(m_lanes == FormulaKernel::Lanes::Avx512 ? 8 : m_lanes == FormulaKernel::Lanes::Avx2 ? 4 : 2)
{
}

std::int64_t DeepLanes::Steps(DeepLaneSet& set, std::int64_t room, unsigned busy, bool pixelIsC, double bailout,
                              unsigned& stopped) const
{
    switch (m_lanes) {
    case FormulaKernel::Lanes::Avx512: return avx512::Run<avx512::Vec>(set, room, busy, pixelIsC, bailout, stopped);
    case FormulaKernel::Lanes::Avx2: return avx2::Run<avx2::Vec>(set, room, busy, pixelIsC, bailout, stopped);
    default: return sse2::Run<sse2::Vec>(set, room, busy, pixelIsC, bailout, stopped);
    }
}

}  // namespace korvanta
