#pragma once

#include "core/deep/FloatExp.h"

#include <mpfr.h>

#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// A real number in arbitrary precision (GNU MPFR). Every operation rounds to nearest at the
// precision of its result, so the same inputs at the same precision give the same bits on
// every machine.
class BigFloat {
public:
    explicit BigFloat(mpfr_prec_t bits);
    BigFloat(mpfr_prec_t bits, double value);
    BigFloat(const BigFloat& other);
    BigFloat(BigFloat&& other) noexcept;
    BigFloat& operator=(const BigFloat& other);
    BigFloat& operator=(BigFloat&& other) noexcept;
    ~BigFloat();

    // A decimal number, the whole text ([-+]digits[.digits][e[-+]digits]), finite; empty for
    // anything else. Read exactly and rounded once, to `bits`.
    static std::optional<BigFloat> FromDecimal(std::string_view text, mpfr_prec_t bits);

    mpfr_prec_t Precision() const { return mpfr_get_prec(m_value); }
    double ToDouble() const { return mpfr_get_d(m_value, MPFR_RNDN); }
    // Rounded to 53 bits, at any size.
    FloatExp ToFloatExp() const
    {
        long exponent = 0;
        const double mantissa = mpfr_get_d_2exp(&exponent, m_value, MPFR_RNDN);
        return FloatExp(mantissa, exponent);
    }

    // In scientific notation with `digits` significant digits, trailing zeros dropped:
    // "-1.25e-300".
    std::string ToDecimal(int digits) const;

    mpfr_ptr get() { return m_value; }
    mpfr_srcptr get() const { return m_value; }

private:
    mpfr_t m_value;
};

}  // namespace korvanta
