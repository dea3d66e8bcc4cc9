#pragma once

// Code between KORVANTA_TARGET_BEGIN("set,...") and KORVANTA_TARGET_END is compiled for those
// instruction sets and must only run on processors that have them. Never name fma here: a
// fused multiply-add changes the bits. gcc and clang (the fuzzing build) each know only
// their own form of the pragma.

#define KORVANTA_PRAGMA(text) _Pragma(#text)

#if defined(__clang__)
#define KORVANTA_TARGET_BEGIN(sets) \
    KORVANTA_PRAGMA(clang attribute push(__attribute__((target(sets))), apply_to = function))
#define KORVANTA_TARGET_END KORVANTA_PRAGMA(clang attribute pop)
#else
#define KORVANTA_TARGET_BEGIN(sets) KORVANTA_PRAGMA(GCC push_options) KORVANTA_PRAGMA(GCC target(sets))
#define KORVANTA_TARGET_END KORVANTA_PRAGMA(GCC pop_options)
#endif

#define KORVANTA_TARGET_AVX2 "avx2"
#define KORVANTA_TARGET_AVX512 "avx512f,avx512dq,avx512vl"
