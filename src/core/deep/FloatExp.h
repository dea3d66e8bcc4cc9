#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace korvanta {

// A real number beyond the range of doubles: a double mantissa of 0.5 to 1 in size (or 0)
// with an integer exponent of its own, value = m * 2^e. Deltas of pictures deeper than about
// 1e-300 live here. Every operation is a double operation and exact scalings, so results
// are the same on every machine.
class FloatExp {
public:
    FloatExp() = default;
    FloatExp(double value) { Set(value, 0); }  // NOLINT: doubles convert freely
    FloatExp(double mantissa, std::int64_t exponent) { Set(mantissa, exponent); }

    double Mantissa() const { return m_m; }
    std::int64_t Exponent() const { return m_e; }
    bool IsZero() const { return m_m == 0; }

    // 0 below the smallest double, infinite above the largest.
    double ToDouble() const
    {
        // m_m is 0.5 to 1 in size: its biased exponent is 1022, and m_e adds to it.
        if (m_m != 0 && m_e > -1021 && m_e < 1025)
            return WithExponentField(m_m, static_cast<std::uint64_t>(1022 + m_e));
        if (m_e > 2000)
            return std::copysign(HUGE_VAL, m_m);
        if (m_e < -2000)
            return std::copysign(0.0, m_m);
        return std::ldexp(m_m, static_cast<int>(m_e));
    }

    friend FloatExp operator*(const FloatExp& a, const FloatExp& b)
    {
        return FloatExp(a.m_m * b.m_m, a.m_e + b.m_e);
    }
    friend FloatExp operator+(const FloatExp& a, const FloatExp& b)
    {
        if (a.IsZero())
            return b;
        if (b.IsZero())
            return a;
        // The smaller is scaled to the larger's exponent; beyond 64 binary places it cannot
        // change a double mantissa.
        const std::int64_t shift = a.m_e - b.m_e;
        if (shift > 64)
            return a;
        if (shift < -64)
            return b;
        // Scaling by a power of two at most 2^-64 keeps a mantissa normal, so it is exact.
        return shift >= 0 ? FloatExp(a.m_m + b.m_m * PowerOfTwo(-shift), a.m_e)
                          : FloatExp(a.m_m * PowerOfTwo(shift) + b.m_m, b.m_e);
    }
    friend FloatExp operator/(const FloatExp& a, const FloatExp& b)
    {
        return FloatExp(a.m_m / b.m_m, a.m_e - b.m_e);
    }
    friend FloatExp operator-(const FloatExp& a) { return FloatExp(-a.m_m, a.m_e); }
    friend FloatExp operator-(const FloatExp& a, const FloatExp& b) { return a + -b; }
    // Twice the value: an exponent step.
    FloatExp Twice() const { return IsZero() ? *this : FloatExp(m_m, m_e + 1); }

    FloatExp Abs() const { return FloatExp(std::fabs(m_m), m_e); }
    // sqrt(a^2 + b^2): exact scalings around one correctly rounded square root.
    friend FloatExp Hypot(const FloatExp& a, const FloatExp& b)
    {
        const std::int64_t e = a.m_e > b.m_e ? a.m_e : b.m_e;
        const double x = a.Scaled(-e), y = b.Scaled(-e);
        return FloatExp(std::sqrt(x * x + y * y), e);
    }

    friend bool operator<(const FloatExp& a, const FloatExp& b)
    {
        if (a.IsZero() || b.IsZero() || (a.m_m < 0) != (b.m_m < 0))
            return a.m_m < b.m_m;
        // Same sign, both normalised: the exponent decides, then the mantissa.
        if (a.m_e != b.m_e)
            return (a.m_e < b.m_e) == (a.m_m > 0);
        return a.m_m < b.m_m;
    }

private:
    // The value times 2^shift, as a double (0 when it falls below the smallest one).
    double Scaled(std::int64_t shift) const
    {
        const std::int64_t e = m_e + shift;
        return e < -1100 ? std::copysign(0.0, m_m) : std::ldexp(m_m, static_cast<int>(e > 1100 ? 1100 : e));
    }

    static double PowerOfTwo(std::int64_t k)  // -1022 <= k <= 1023
    {
        return std::bit_cast<double>(static_cast<std::uint64_t>(1023 + k) << 52);
    }
    static double WithExponentField(double m, std::uint64_t field)
    {
        const auto bits = std::bit_cast<std::uint64_t>(m);
        return std::bit_cast<double>((bits & ~kExponentMask) | (field << 52));
    }

    // m = mantissa 2^exponent, as frexp splits it, read off the bits for normal numbers.
    void Set(double m, std::int64_t e)
    {
        const auto field = static_cast<std::int64_t>((std::bit_cast<std::uint64_t>(m) & kExponentMask) >> 52);
        if (field != 0 && field != 0x7FF) {
            m_m = WithExponentField(m, 1022);
            m_e = e + field - 1022;
            return;
        }
        if (m == 0 || !std::isfinite(m)) {
            m_m = m;
            m_e = 0;
            return;
        }
        int shift = 0;
        m_m = std::frexp(m, &shift);
        m_e = e + shift;
    }

    static constexpr std::uint64_t kExponentMask = 0x7FF0000000000000u;

    double m_m = 0;
    std::int64_t m_e = 0;
};

}  // namespace korvanta
