#include "core/formulas/QuadraticKernel.h"

#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgMandelbrot.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <typeinfo>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace korvanta {

namespace {

#if defined(__SSE2__)
// One row's pixels and what they need.
struct QuadraticRowJob {
    bool julia;
    double a, b, xStart, dx, y0;
    std::uint32_t limit;
    std::int32_t from, to;
};

namespace sse2 {
struct Vec {
    using Type = __m128d;
    static constexpr int kLanes = 2;
    static Type Set(double v) { return _mm_set1_pd(v); }
    static Type Load(const double* p) { return _mm_load_pd(p); }
    static void Store(double* p, Type v) { _mm_store_pd(p, v); }
    static Type Add(Type a, Type b) { return _mm_add_pd(a, b); }
    static Type Sub(Type a, Type b) { return _mm_sub_pd(a, b); }
    static Type Mul(Type a, Type b) { return _mm_mul_pd(a, b); }
    // NaN is never at least anything: it decides nothing.
    static unsigned AtLeast(Type a, Type b) { return unsigned(_mm_movemask_pd(_mm_cmpge_pd(a, b))); }
};
#include "core/formulas/QuadraticLanes.inc"
void Run(const QuadraticRowJob& job, CFractValue* results)
{
    RunLanes<Vec>(job, results);
}
}  // namespace sse2

// Chosen at run time on processors that have it; AVX2 alone, never FMA.
#pragma GCC push_options
#pragma GCC target("avx2")
namespace avx2 {
struct Vec {
    using Type = __m256d;
    static constexpr int kLanes = 4;
    static Type Set(double v) { return _mm256_set1_pd(v); }
    static Type Load(const double* p) { return _mm256_load_pd(p); }
    static void Store(double* p, Type v) { _mm256_store_pd(p, v); }
    static Type Add(Type a, Type b) { return _mm256_add_pd(a, b); }
    static Type Sub(Type a, Type b) { return _mm256_sub_pd(a, b); }
    static Type Mul(Type a, Type b) { return _mm256_mul_pd(a, b); }
    static unsigned AtLeast(Type a, Type b) { return unsigned(_mm256_movemask_pd(_mm256_cmp_pd(a, b, _CMP_GE_OQ))); }
};
#include "core/formulas/QuadraticLanes.inc"
void Run(const QuadraticRowJob& job, CFractValue* results)
{
    RunLanes<Vec>(job, results);
}
}  // namespace avx2
#pragma GCC pop_options

bool UsesAvx2(QuadraticKernel::Lanes lanes)
{
    static const bool available = __builtin_cpu_supports("avx2");
    return lanes == QuadraticKernel::Lanes::Avx2 ? available
           : lanes == QuadraticKernel::Lanes::Auto ? available
                                                   : false;
}
#endif

#if !defined(__SSE2__)
// One pixel as the formula object computes it whole: at least one step, then on until the
// test says stop or the limit is reached (NaN decides nothing, so it runs to the limit).
CFractValue ScalarPixel(double x, double y, double cx, double cy, std::uint32_t limit)
{
    std::uint32_t n = 0;
    bool stop = false;
    do {
        ++n;
        const double t = x * x + y * y;
        const double nx = x * x - y * y - cx;
        y = 2 * x * y - cy;
        x = nx;
        stop = t >= 4.0;
    } while (!stop && n < limit);
    CFractValue result(x, y);
    result.SetCount(n < limit ? static_cast<std::int32_t>(n) : 0);
    return result;
}
#endif

}  // namespace

bool QuadraticKernel::Handles(const CFractAlg& alg)
{
    // Exactly these classes: a subclass may step differently.
    return typeid(alg) == typeid(CFractAlgMandelbrot) || typeid(alg) == typeid(CFractAlgJulia);
}

bool QuadraticKernel::Available(Lanes lanes)
{
#if defined(__SSE2__)
    return lanes != Lanes::Avx2 || UsesAvx2(Lanes::Avx2);
#else
    return lanes == Lanes::Auto;
#endif
}

QuadraticKernel::QuadraticKernel(const CFractAlg& alg, Lanes lanes)
    : m_lanes(lanes),
      m_julia(typeid(alg) == typeid(CFractAlgJulia)),
      m_xStart(alg.XStart()),
      m_yStart(alg.YStart()),
      m_dx(alg.StepX()),
      m_dy(alg.StepY()),
      m_limit(static_cast<std::uint32_t>(alg.GetMaxIter()))
{
    if (m_julia) {
        m_a = alg.GetConstant().m_z.real();
        m_b = alg.GetConstant().m_z.imag();
    }
}

void QuadraticKernel::Row(std::int32_t row, std::int32_t fromColumn, std::int32_t toColumn,
                          std::vector<CFractValue>& results) const
{
    results.assign(static_cast<std::size_t>(std::max(0, toColumn - fromColumn)), CFractValue{});
    // The point of a pixel, as SetPoint makes it: x = X start + column * step.
    const double y0 = m_yStart + row * m_dy;
#if defined(__SSE2__)
    const QuadraticRowJob job{m_julia, m_a, m_b, m_xStart, m_dx, y0, m_limit, fromColumn, toColumn};
    if (UsesAvx2(m_lanes))
        avx2::Run(job, results.data());
    else
        sse2::Run(job, results.data());
#else
    for (std::int32_t c = fromColumn; c < toColumn; ++c) {
        const double px = m_xStart + c * m_dx;
        results[static_cast<std::size_t>(c - fromColumn)] =
            ScalarPixel(px, y0, m_julia ? m_a : px, m_julia ? m_b : y0, m_limit);
    }
#endif
}

}  // namespace korvanta
