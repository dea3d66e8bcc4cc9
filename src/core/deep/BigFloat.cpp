#include "core/deep/BigFloat.h"

#include <cctype>
#include <string>

namespace korvanta {

BigFloat::BigFloat(mpfr_prec_t bits)
{
    mpfr_init2(m_value, bits);
    mpfr_set_zero(m_value, 1);
}

BigFloat::BigFloat(mpfr_prec_t bits, double value) : BigFloat(bits)
{
    mpfr_set_d(m_value, value, MPFR_RNDN);
}

BigFloat::BigFloat(const BigFloat& other) : BigFloat(other.Precision())
{
    mpfr_set(m_value, other.m_value, MPFR_RNDN);
}

BigFloat::BigFloat(BigFloat&& other) noexcept : BigFloat(other.Precision())
{
    mpfr_swap(m_value, other.m_value);
}

BigFloat& BigFloat::operator=(const BigFloat& other)
{
    if (this != &other) {
        mpfr_set_prec(m_value, other.Precision());
        mpfr_set(m_value, other.m_value, MPFR_RNDN);
    }
    return *this;
}

BigFloat& BigFloat::operator=(BigFloat&& other) noexcept
{
    mpfr_swap(m_value, other.m_value);
    return *this;
}

BigFloat::~BigFloat()
{
    mpfr_clear(m_value);
}

namespace {

// [-+]digits[.digits][e[-+]digits], with at least one digit before the exponent.
bool IsDecimal(std::string_view text)
{
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == text.size();
}

}  // namespace

std::optional<BigFloat> BigFloat::FromDecimal(std::string_view text, mpfr_prec_t bits)
{
    if (!IsDecimal(text))
        return std::nullopt;
    BigFloat value(bits);
    const std::string copy(text);
    mpfr_clear_flags();
    const int read = mpfr_set_str(value.m_value, copy.c_str(), 10, MPFR_RNDN);
    // An exponent beyond MPFR's range comes out as infinity or zero: neither is the number.
    if (read != 0 || mpfr_underflow_p() || mpfr_overflow_p() || !mpfr_number_p(value.m_value))
        return std::nullopt;
    return value;
}

std::string BigFloat::ToDecimal(int digits) const
{
    digits = std::max(digits, 1);
    std::string text(static_cast<std::size_t>(digits) + 48, '\0');
    const int n = mpfr_snprintf(text.data(), text.size(), "%.*Re", digits - 1, m_value);
    text.resize(static_cast<std::size_t>(std::max(n, 0)));
    const std::size_t e = text.find('e');
    std::size_t end = e;
    while (end > 0 && text[end - 1] == '0')
        --end;
    if (end > 0 && text[end - 1] == '.')
        --end;
    return text.substr(0, end) + text.substr(e);
}

}  // namespace korvanta
