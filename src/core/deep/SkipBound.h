#pragma once

#include "core/deep/FloatExp.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace korvanta {

// What a skip table's bounds are worked out in: long double for tables in doubles, whose
// dc reaches 1e-300 and whose bounds hold its square and cube, the extended range beyond.
// Only exact scalings and the four correctly rounded operations, so the same on every
// machine.
template <class TableReal>
struct BoundRealOf {
    using Type = long double;
};
template <>
struct BoundRealOf<FloatExp> {
    using Type = FloatExp;
};

inline bool Finite(long double x)
{
    return std::isfinite(x);
}
inline bool Finite(const FloatExp& x)
{
    return std::isfinite(x.Mantissa());
}
// x = m 2^e with m from 0.5 to 1, for normal x > 0: read off the bits, as frexp would give it.
inline std::int64_t ExponentOf(long double x)
{
    static_assert(sizeof(long double) >= 10 && LDBL_MANT_DIG == 64, "x87 extended precision");
    std::uint16_t top = 0;
    std::memcpy(&top, reinterpret_cast<const unsigned char*>(&x) + 8, sizeof top);
    return static_cast<std::int64_t>(top & 0x7FFF) - 16382;
}
inline std::int64_t ExponentOf(const FloatExp& x)
{
    return x.Exponent();
}
template <class B>
B PowerOfTwo(std::int64_t k)
{
    if constexpr (std::is_same_v<B, FloatExp>) {
        return FloatExp(0.5, k + 1);
    } else {
        // Normal extended numbers reach 2^-16382 to 2^16383.
        const auto e = static_cast<std::uint16_t>(std::clamp<std::int64_t>(k, -16382, 16383) + 16383);
        const std::uint64_t mantissa = std::uint64_t{1} << 63;
        long double x = 0;
        unsigned char* bytes = reinterpret_cast<unsigned char*>(&x);
        std::memcpy(bytes, &mantissa, sizeof mantissa);
        std::memcpy(bytes + 8, &e, sizeof e);
        return x;
    }
}

// A bound on a size, as a polynomial in the size r of the difference a skip starts from:
// k[0] + k[1] r + ... with coefficients of at least 0, so it grows with r.
template <class B, int N>
struct Majorant {
    std::array<B, N> k{};

    bool AllFinite() const
    {
        return std::all_of(k.begin(), k.end(), [](const B& x) { return Finite(x); });
    }
};

template <class B, int N, int M>
Majorant<B, N + M - 1> operator*(const Majorant<B, N>& p, const Majorant<B, M>& q)
{
    Majorant<B, N + M - 1> r;
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < M; ++j)
            r.k[i + j] = r.k[i + j] + p.k[i] * q.k[j];
    return r;
}

// p + q, of the larger degree.
template <class B, int N, int M>
Majorant<B, std::max(N, M)> operator+(const Majorant<B, N>& p, const Majorant<B, M>& q)
{
    Majorant<B, std::max(N, M)> r;
    for (int i = 0; i < N; ++i)
        r.k[i] = r.k[i] + p.k[i];
    for (int i = 0; i < M; ++i)
        r.k[i] = r.k[i] + q.k[i];
    return r;
}

template <class B, int N>
Majorant<B, N> operator*(const B& s, const Majorant<B, N>& p)
{
    Majorant<B, N> r;
    for (int i = 0; i < N; ++i)
        r.k[i] = s * p.k[i];
    return r;
}

inline long double Sqrt(long double x)
{
    return std::sqrt(x);
}
inline FloatExp Sqrt(const FloatExp& x)
{
    // An even exponent halves exactly.
    const std::int64_t e = x.Exponent();
    const double m = (e & 1) ? 2 * x.Mantissa() : x.Mantissa();
    return FloatExp(std::sqrt(m), (e - (e & 1)) / 2);
}

// The largest r from 0 to `most` with k0 + k1 r + k2 r^2 <= target; 0 when not even k0 is.
// A hair below the root, for the rounding of its few operations.
template <class B>
B QuadraticWithin(const B& k0, const B& k1, const B& k2, const B& target, const B& most)
{
    if (!Finite(k0) || !Finite(k1) || !Finite(k2) || !Finite(target) || target < k0)
        return B(0);
    const B room = target - k0;
    B r = most;
    if (B(0) < k2)
        r = B(2) * room / (k1 + Sqrt(k1 * k1 + B(4) * k2 * room));
    else if (B(0) < k1)
        r = room / k1;
    r = r * B(1 - 0x1p-40);
    return r < most ? r : most;
}

// The largest r from 0 to `most` found at which p(r) <= target, a little below the largest
// there is: the terms above the square are bounded by the square at a point F (k_i r^i <=
// k_i F^(i-2) r^2 for r <= F), which leaves a quadratic. F starts above the answer (where one
// term alone would exceed the target) and moves to twice the first answer.
template <class B, int N>
B LargestWithin(const Majorant<B, N>& p, const B& target, const B& most)
{
    if (!p.AllFinite() || !Finite(target) || target < p.k[0])
        return B(0);
    B far = most;
    const std::int64_t top = ExponentOf(target - p.k[0]);
    for (int i = 1; i < N; ++i)
        if (B(0) < p.k[i]) {
            const std::int64_t room = top - ExponentOf(p.k[i]) + 1;
            const std::int64_t e = room >= 0 ? (room + i - 1) / i : -((-room) / i);
            const B bound = PowerOfTwo<B>(e);
            if (bound < far)
                far = bound;
        }
    auto within = [&](const B& f) {
        B square = B(0);
        for (int i = N - 1; i >= 2; --i)
            square = square * f + p.k[i];
        return QuadraticWithin(p.k[0], p.k[1], square, target, f);
    };
    const B first = within(far);
    const B twice = B(2) * first;
    const B second = twice < far ? within(twice) : B(0);
    return first < second ? second : first;
}

}  // namespace korvanta
