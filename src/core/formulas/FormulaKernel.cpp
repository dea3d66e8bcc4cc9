#include "core/formulas/FormulaKernel.h"

#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgJulia3.h"
#include "core/formulas/FractAlgLambda.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/formulas/FractAlgMandelbrot3.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <climits>
#include <cstdint>
#include <typeinfo>

#if defined(__SSE2__)
#include "core/formulas/KernelVectors.h"
#endif

namespace korvanta {

namespace {

#if defined(__SSE2__)
// One row's pixels and what they need.
// Plain doubles through the same steps, for the few steps after a cycle was found.
struct ScalarVec {
    using Type = double;
    static Type Add(Type a, Type b) { return a + b; }
    static Type Sub(Type a, Type b) { return a - b; }
    static Type Mul(Type a, Type b) { return a * b; }
    static Type Abs(Type a) { return std::fabs(a); }
};

struct KernelRowJob {
    bool constantC;
    double a, b, xStart, dx, y0;
    std::uint32_t limit;
    std::int32_t from, to;
    const std::atomic<bool>* stop;
};

// Steps between looks at the stop flag: far apart enough to cost nothing, close enough
// that a stop is seen within a millisecond however high the limit.
constexpr std::uint64_t kStepsBetweenStopLooks = 1u << 16;

namespace sse2 {
using Vec = vectors::Sse2;
#include "core/formulas/KernelSteps.inc"
#include "core/formulas/KernelLanes.inc"
}  // namespace sse2

// The wider lanes, compiled for their instruction sets alone (never FMA) and chosen at run
// time.
KORVANTA_TARGET_BEGIN(KORVANTA_TARGET_AVX2)
namespace avx2 {
using Vec = vectors::Avx2;
#include "core/formulas/KernelSteps.inc"
#include "core/formulas/KernelLanes.inc"
}  // namespace avx2
KORVANTA_TARGET_END

KORVANTA_TARGET_BEGIN(KORVANTA_TARGET_AVX512)
namespace avx512 {
using Vec = vectors::Avx512;
#include "core/formulas/KernelSteps.inc"
#include "core/formulas/KernelLanes.inc"
}  // namespace avx512
KORVANTA_TARGET_END
#endif


}  // namespace

namespace {

// The kernel of a formula class; none for a class without one (subclasses included: they
// may step differently).
bool KernelOf(const CFractAlg& alg, FormulaKernel::Formula& formula, bool& constantC)
{
    const std::type_info& type = typeid(alg);
    using F = FormulaKernel::Formula;
    if (type == typeid(CFractAlgMandelbrot))
        return formula = F::Quadratic, constantC = false, true;
    if (type == typeid(CFractAlgJulia))
        return formula = F::Quadratic, constantC = true, true;
    if (type == typeid(CFractAlgMandelbrot3))
        return formula = F::Cubic8, constantC = false, true;
    if (type == typeid(CFractAlgJulia3))
        return formula = F::Cubic4, constantC = true, true;
    if (type == typeid(CFractAlgLambda))
        return formula = F::Lambda, constantC = true, true;
    return false;
}

}  // namespace

bool FormulaKernel::Handles(const CFractAlg& alg)
{
#if defined(__SSE2__)
    if (Off())
        return false;
    Formula formula;
    bool constantC;
    return KernelOf(alg, formula, constantC);
#else
    (void)alg;
    return false;  // the formula objects themselves serve other processors
#endif
}

FormulaKernel::FormulaKernel(const CFractAlg& alg, Lanes lanes)
    : m_lanes(lanes),
      m_formula(Formula::Quadratic),
      m_constantC(false),
      m_xStart(alg.XStart()),
      m_yStart(alg.YStart()),
      m_dx(alg.StepX()),
      m_dy(alg.StepY()),
      m_limit(static_cast<std::uint32_t>(alg.GetMaxIter()))
{
    KernelOf(alg, m_formula, m_constantC);
    m_a = alg.GetConstant().m_z.real();
    m_b = alg.GetConstant().m_z.imag();
}

void FormulaKernel::Row(std::int32_t row, std::int32_t fromColumn, std::int32_t toColumn,
                        std::vector<CFractValue>& results, const std::atomic<bool>* stop) const
{
    results.assign(static_cast<std::size_t>(std::max(0, toColumn - fromColumn)), CFractValue{});
#if defined(__SSE2__)
    // The point of a pixel, as SetPoint makes it: start + index * step.
    const KernelRowJob job{m_constantC, m_a, m_b, m_xStart, m_dx, m_yStart + row * m_dy,
                           m_limit, fromColumn, toColumn, stop};
    switch (Resolve(m_lanes)) {
    case Lanes::Avx512: return avx512::Run(m_formula, job, results.data());
    case Lanes::Avx2: return avx2::Run(m_formula, job, results.data());
    default: return sse2::Run(m_formula, job, results.data());
    }
#else
    (void)row;
    (void)stop;
#endif
}

}  // namespace korvanta
