#pragma once

// Decimal texts and the arithmetic of pointing, in MPFR at a precision far beyond any
// picture here, written without the program's own wrappers: what the program's texts are
// checked against.

#include <mpfr.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace korvanta::test {

class Exact {
public:
    static constexpr mpfr_prec_t kBits = 8192;

    explicit Exact(const std::string& text)
    {
        mpfr_init2(v, kBits);
        ok = mpfr_set_str(v, text.c_str(), 10, MPFR_RNDN) == 0;
    }
    explicit Exact(double value) { mpfr_init2(v, kBits), mpfr_set_d(v, value, MPFR_RNDN); }
    Exact() { mpfr_init2(v, kBits), mpfr_set_zero(v, 1); }
    Exact(const Exact& other) { mpfr_init2(v, kBits), mpfr_set(v, other.v, MPFR_RNDN); }
    Exact& operator=(const Exact& other) { return mpfr_set(v, other.v, MPFR_RNDN), *this; }
    ~Exact() { mpfr_clear(v); }

    mpfr_t v;
    bool ok = true;
};

// `from` + (`to` - `from`) x `num` / `den`: the point a client position shows.
inline Exact Between(const Exact& from, const Exact& to, double num, double den)
{
    Exact r;
    mpfr_sub(r.v, to.v, from.v, MPFR_RNDN);
    mpfr_mul_d(r.v, r.v, num, MPFR_RNDN);
    mpfr_div_d(r.v, r.v, den, MPFR_RNDN);
    mpfr_add(r.v, r.v, from.v, MPFR_RNDN);
    return r;
}

// |a - b| in units of `step`.
inline double Apart(const Exact& a, const Exact& b, const Exact& step)
{
    Exact r;
    mpfr_sub(r.v, a.v, b.v, MPFR_RNDN);
    mpfr_div(r.v, r.v, step.v, MPFR_RNDN);
    return std::fabs(mpfr_get_d(r.v, MPFR_RNDN));
}

// (`to` - `from`) / `pixels`.
inline Exact Step(const Exact& from, const Exact& to, double pixels)
{
    Exact r;
    mpfr_sub(r.v, to.v, from.v, MPFR_RNDN);
    mpfr_div_d(r.v, r.v, pixels, MPFR_RNDN);
    mpfr_abs(r.v, r.v, MPFR_RNDN);
    return r;
}

// The digits of a decimal text's mantissa, leading zeros not counted.
inline int SignificantDigits(const std::string& text)
{
    const std::string mantissa = text.substr(0, text.find_first_of("eE"));
    int digits = 0;
    bool leading = true;
    for (const char c : mantissa) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            continue;
        leading = leading && c == '0';
        digits += !leading;
    }
    return digits;
}

}  // namespace korvanta::test
