#pragma once

// The vectors the exact kernels step in, one type per instruction set, each the same small
// set of operations. Only plain IEEE operations: nothing here fuses or reorders.

#include "core/formulas/KernelTarget.h"

#include <immintrin.h>

namespace korvanta::vectors {

struct Sse2 {
    using Type = __m128d;
    using Cond = Type;  // a comparison's answer, lane by lane
    static constexpr int kLanes = 2;
    static constexpr int kVectors = 3;  // stepped side by side in the escape kernels
    static Type Set(double v) { return _mm_set1_pd(v); }
    static Type Load(const double* p) { return _mm_load_pd(p); }
    static void Store(double* p, Type v) { _mm_store_pd(p, v); }
    // Lane i from p[i][at].
    static Type Gather(const double* const* p, long at) { return _mm_set_pd(p[1][at], p[0][at]); }
    static Type Gather(const float* const* p, long at) { return _mm_set_pd(p[1][at], p[0][at]); }
    static Type Add(Type a, Type b) { return _mm_add_pd(a, b); }
    static Type Sub(Type a, Type b) { return _mm_sub_pd(a, b); }
    static Type Mul(Type a, Type b) { return _mm_mul_pd(a, b); }
    static Type Max(Type a, Type b) { return _mm_max_pd(a, b); }
    // NaN is never at least anything, nor below: it decides nothing.
    static unsigned AtLeast(Type a, Type b) { return unsigned(_mm_movemask_pd(_mm_cmpge_pd(a, b))); }
    static unsigned Below(Type a, Type b) { return unsigned(_mm_movemask_pd(_mm_cmplt_pd(a, b))); }
    static Type Abs(Type a) { return _mm_andnot_pd(_mm_set1_pd(-0.0), a); }
    static Cond Equal(Type a, Type b) { return _mm_cmpeq_pd(a, b); }
    // b where the mask is set, else a.
    static Type Select(Type a, Type b, Cond mask) { return _mm_or_pd(_mm_and_pd(mask, b), _mm_andnot_pd(mask, a)); }
    // Lanes whose two values have the same bits (+0 and -0 differ, a NaN equals itself).
    static unsigned SameBits(Type a, Type b)
    {
        const __m128i halves = _mm_cmpeq_epi32(_mm_castpd_si128(a), _mm_castpd_si128(b));
        const __m128i both = _mm_and_si128(halves, _mm_shuffle_epi32(halves, _MM_SHUFFLE(2, 3, 0, 1)));
        return unsigned(_mm_movemask_pd(_mm_castsi128_pd(both)));
    }
    static unsigned Mask(Cond mask) { return unsigned(_mm_movemask_pd(mask)); }
};

// Chosen at run time on processors that have it; AVX2 alone, never FMA.
KORVANTA_TARGET_BEGIN(KORVANTA_TARGET_AVX2)
struct Avx2 {
    using Type = __m256d;
    using Cond = Type;
    static constexpr int kLanes = 4;
    static constexpr int kVectors = 3;
    static Type Set(double v) { return _mm256_set1_pd(v); }
    static Type Load(const double* p) { return _mm256_load_pd(p); }
    static void Store(double* p, Type v) { _mm256_store_pd(p, v); }
    static Type Gather(const double* const* p, long at)
    {
        return _mm256_set_pd(p[3][at], p[2][at], p[1][at], p[0][at]);
    }
    static Type Gather(const float* const* p, long at)
    {
        return _mm256_cvtps_pd(_mm_set_ps(p[3][at], p[2][at], p[1][at], p[0][at]));
    }
    static Type Add(Type a, Type b) { return _mm256_add_pd(a, b); }
    static Type Sub(Type a, Type b) { return _mm256_sub_pd(a, b); }
    static Type Mul(Type a, Type b) { return _mm256_mul_pd(a, b); }
    static Type Max(Type a, Type b) { return _mm256_max_pd(a, b); }
    static unsigned AtLeast(Type a, Type b) { return unsigned(_mm256_movemask_pd(_mm256_cmp_pd(a, b, _CMP_GE_OQ))); }
    static unsigned Below(Type a, Type b) { return unsigned(_mm256_movemask_pd(_mm256_cmp_pd(a, b, _CMP_LT_OQ))); }
    static Type Abs(Type a) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), a); }
    static Cond Equal(Type a, Type b) { return _mm256_cmp_pd(a, b, _CMP_EQ_OQ); }
    static Type Select(Type a, Type b, Cond mask) { return _mm256_blendv_pd(a, b, mask); }
    static unsigned SameBits(Type a, Type b)
    {
        const __m256i same = _mm256_cmpeq_epi64(_mm256_castpd_si256(a), _mm256_castpd_si256(b));
        return unsigned(_mm256_movemask_pd(_mm256_castsi256_pd(same)));
    }
    static unsigned Mask(Cond mask) { return unsigned(_mm256_movemask_pd(mask)); }
};
KORVANTA_TARGET_END

// Eight lanes; comparisons answer in mask registers. Never FMA either.
KORVANTA_TARGET_BEGIN(KORVANTA_TARGET_AVX512)
struct Avx512 {
    using Type = __m512d;
    using Cond = __mmask8;
    static constexpr int kLanes = 8;
    static constexpr int kVectors = 2;
    static constexpr Cond kAll = 0xFF;
    static Type Set(double v) { return _mm512_set1_pd(v); }
    static Type Load(const double* p) { return _mm512_load_pd(p); }
    static void Store(double* p, Type v) { _mm512_store_pd(p, v); }
    static Type Gather(const double* const* p, long at)
    {
        return _mm512_set_pd(p[7][at], p[6][at], p[5][at], p[4][at], p[3][at], p[2][at], p[1][at], p[0][at]);
    }
    static Type Gather(const float* const* p, long at)
    {
        // Masked forms with every lane set: the same instruction, without the undefined
        // vector the plain form passes (which gcc 12 warns of).
        return _mm512_mask_cvtps_pd(
            _mm512_setzero_pd(), kAll,
            _mm256_set_ps(p[7][at], p[6][at], p[5][at], p[4][at], p[3][at], p[2][at], p[1][at], p[0][at]));
    }
    static Type Add(Type a, Type b) { return _mm512_add_pd(a, b); }
    static Type Sub(Type a, Type b) { return _mm512_sub_pd(a, b); }
    static Type Mul(Type a, Type b) { return _mm512_mul_pd(a, b); }
    static Type Max(Type a, Type b) { return _mm512_mask_max_pd(a, kAll, a, b); }
    static unsigned AtLeast(Type a, Type b) { return _mm512_cmp_pd_mask(a, b, _CMP_GE_OQ); }
    static unsigned Below(Type a, Type b) { return _mm512_cmp_pd_mask(a, b, _CMP_LT_OQ); }
    static Type Abs(Type a) { return _mm512_andnot_pd(_mm512_set1_pd(-0.0), a); }
    static Cond Equal(Type a, Type b) { return _mm512_cmp_pd_mask(a, b, _CMP_EQ_OQ); }
    static Type Select(Type a, Type b, Cond mask) { return _mm512_mask_blend_pd(mask, a, b); }
    static unsigned SameBits(Type a, Type b)
    {
        return _mm512_cmpeq_epi64_mask(_mm512_castpd_si512(a), _mm512_castpd_si512(b));
    }
    static unsigned Mask(Cond mask) { return mask; }
};
KORVANTA_TARGET_END

// Whether this processor runs the AVX2 vectors.
inline bool HasAvx2()
{
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}

// Whether it runs the AVX-512 ones (the foundation with the DQ and VL extensions).
inline bool HasAvx512()
{
    static const bool available = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
                                  __builtin_cpu_supports("avx512vl");
    return available;
}

}  // namespace korvanta::vectors
