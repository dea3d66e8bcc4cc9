#pragma once

// The vectors the exact kernels step in, one type per instruction set, each the same small
// set of operations. Only plain IEEE operations: nothing here fuses or reorders.

#include <immintrin.h>

namespace korvanta::vectors {

struct Sse2 {
    using Type = __m128d;
    static constexpr int kLanes = 2;
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
    static Type Equal(Type a, Type b) { return _mm_cmpeq_pd(a, b); }
    // b where the mask is set, else a.
    static Type Select(Type a, Type b, Type mask) { return _mm_or_pd(_mm_and_pd(mask, b), _mm_andnot_pd(mask, a)); }
    // Lanes whose two values have the same bits (+0 and -0 differ, a NaN equals itself).
    static unsigned SameBits(Type a, Type b)
    {
        const __m128i halves = _mm_cmpeq_epi32(_mm_castpd_si128(a), _mm_castpd_si128(b));
        const __m128i both = _mm_and_si128(halves, _mm_shuffle_epi32(halves, _MM_SHUFFLE(2, 3, 0, 1)));
        return unsigned(_mm_movemask_pd(_mm_castsi128_pd(both)));
    }
    static unsigned Mask(Type mask) { return unsigned(_mm_movemask_pd(mask)); }
};

// Chosen at run time on processors that have it; AVX2 alone, never FMA. (clang, which the
// fuzzing build uses, knows only its own form of the pragma.)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
struct Avx2 {
    using Type = __m256d;
    static constexpr int kLanes = 4;
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
    static Type Equal(Type a, Type b) { return _mm256_cmp_pd(a, b, _CMP_EQ_OQ); }
    static Type Select(Type a, Type b, Type mask) { return _mm256_blendv_pd(a, b, mask); }
    static unsigned SameBits(Type a, Type b)
    {
        const __m256i same = _mm256_cmpeq_epi64(_mm256_castpd_si256(a), _mm256_castpd_si256(b));
        return unsigned(_mm256_movemask_pd(_mm256_castsi256_pd(same)));
    }
    static unsigned Mask(Type mask) { return unsigned(_mm256_movemask_pd(mask)); }
};
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

// Whether this processor runs the AVX2 vectors.
inline bool HasAvx2()
{
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}

}  // namespace korvanta::vectors
