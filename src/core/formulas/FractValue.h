#pragma once

#include <complex>
#include <cstdint>

namespace korvanta {

// A complex value with an iteration count: a formula's result, or the constant C (count 0).
class CFractValue {
public:
    CFractValue() = default;
    CFractValue(double re, double im) : m_z(re, im) {}

    std::int32_t GetCount() const { return m_nCount; }
    void SetCount(std::int32_t count) { m_nCount = count; }

    // Replaces the value and keeps the count.
    CFractValue& operator=(const std::complex<double>& z)
    {
        m_z = z;
        return *this;
    }

    std::complex<double> m_z{};
    std::int32_t m_nCount = 0;
};

}  // namespace korvanta
