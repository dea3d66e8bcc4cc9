#include "core/deep/DeepLocation.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace korvanta {

namespace {

// The step of a double's last place at the picture's largest coordinate (at least 1).
double LastPlace(double xStart, double xEnd, double yStart, double yEnd)
{
    const double scale = std::max({1.0, std::fabs(xStart), std::fabs(xEnd), std::fabs(yStart), std::fabs(yEnd)});
    return std::ldexp(1.0, std::ilogb(scale) - 52);
}

double SmallerStep(double xStart, double xEnd, double yStart, double yEnd, std::int32_t width, std::int32_t height)
{
    // As the formulas compute their steps.
    const double dx = (xEnd - xStart) / static_cast<double>(static_cast<std::uint32_t>(width));
    const double dy = (yEnd - yStart) / static_cast<double>(static_cast<std::uint32_t>(height));
    return std::min(std::fabs(dx), std::fabs(dy));
}

}  // namespace

std::int64_t LeadingBit(const BigFloat& x)
{
    return mpfr_zero_p(x.get()) ? std::numeric_limits<std::int32_t>::min() : mpfr_get_exp(x.get()) - 1;
}

int DigitsToTellApart(std::int64_t scale, std::int64_t step)
{
    return std::max(17, static_cast<int>(static_cast<double>(std::max<std::int64_t>(0, scale) - step) * 0.30103) + 10);
}

std::variant<ExactArea, DeepLocation::Problem> ReadDeepArea(const DeepArea& area)
{
    const std::string* texts[] = {&area.xStart, &area.xEnd, &area.yStart, &area.yEnd};
    std::size_t longest = 0;
    for (const std::string* text : texts)
        longest = std::max(longest, text->size());
    if (longest > kLongestDeepText)
        return DeepLocation::Problem::TooLong;
    const auto bits = static_cast<mpfr_prec_t>(64 + 4 * longest);
    std::optional<BigFloat> v[4];
    for (int i = 0; i < 4; ++i)
        if (!(v[i] = BigFloat::FromDecimal(*texts[i], bits)))
            return static_cast<DeepLocation::Problem>(i);
    return ExactArea{{*std::move(v[0]), *std::move(v[1]), *std::move(v[2]), *std::move(v[3])}, bits};
}

std::variant<DeepLocation, DeepLocation::Problem> DeepLocation::Make(const DeepArea& area, std::int32_t width,
                                                                     std::int32_t height, std::int32_t limit)
{
    auto read = ReadDeepArea(area);
    if (const auto* problem = std::get_if<Problem>(&read))
        return *problem;
    const auto& [v, readBits] = std::get<ExactArea>(read);
    if (mpfr_equal_p(v[0].get(), v[1].get()))
        return Problem::XEqual;
    if (mpfr_equal_p(v[2].get(), v[3].get()))
        return Problem::YEqual;
    const auto w = static_cast<unsigned long>(std::max(width, 1)), h = static_cast<unsigned long>(std::max(height, 1));
    BigFloat dx(readBits), dy(readBits);
    mpfr_sub(dx.get(), v[1].get(), v[0].get(), MPFR_RNDN);
    mpfr_div_ui(dx.get(), dx.get(), w, MPFR_RNDN);
    mpfr_sub(dy.get(), v[3].get(), v[2].get(), MPFR_RNDN);
    mpfr_div_ui(dy.get(), dy.get(), h, MPFR_RNDN);
    const std::int64_t spacing = std::min(LeadingBit(dx), LeadingBit(dy));
    if (spacing < kDeepestSpacingExponent)
        return Problem::TooDeep;
    std::int64_t scale = 0;
    for (const auto& x : v)
        scale = std::max(scale, LeadingBit(x));
    const auto limitBits = std::bit_width(static_cast<std::uint32_t>(std::max(limit, 0)));
    const auto bits = static_cast<mpfr_prec_t>(64 + (scale - spacing) + limitBits);

    DeepLocation location(bits);
    location.m_precision = bits;
    location.m_width = static_cast<std::int32_t>(w);
    location.m_height = static_cast<std::int32_t>(h);
    location.m_centreColumn = location.m_width / 2;
    location.m_centreRow = location.m_height / 2;
    // The centre pixel exactly, then rounded once to the reference's precision.
    BigFloat at(std::max(bits, readBits));
    mpfr_mul_ui(at.get(), dx.get(), static_cast<unsigned long>(location.m_centreColumn), MPFR_RNDN);
    mpfr_add(at.get(), at.get(), v[0].get(), MPFR_RNDN);
    mpfr_set(location.m_centreRe.get(), at.get(), MPFR_RNDN);
    mpfr_mul_ui(at.get(), dy.get(), static_cast<unsigned long>(location.m_centreRow), MPFR_RNDN);
    mpfr_add(at.get(), at.get(), v[2].get(), MPFR_RNDN);
    mpfr_set(location.m_centreIm.get(), at.get(), MPFR_RNDN);
    location.m_dx = dx.ToFloatExp();
    location.m_dy = dy.ToFloatExp();
    location.m_extended = spacing < -960;
    return location;
}

std::optional<DeepArea> AreaAroundCentre(const std::string& re, const std::string& im, const std::string& radius,
                                         std::int32_t width, std::int32_t height)
{
    const std::size_t longest = std::max({re.size(), im.size(), radius.size()});
    if (longest > kLongestDeepText || width < 1 || height < 1)
        return std::nullopt;
    const auto readBits = static_cast<mpfr_prec_t>(64 + 4 * longest);
    const auto x = BigFloat::FromDecimal(re, readBits), y = BigFloat::FromDecimal(im, readBits);
    const auto r = BigFloat::FromDecimal(radius, readBits);
    if (!x || !y || !r || mpfr_sgn(r->get()) <= 0)
        return std::nullopt;
    const std::int64_t scale = std::max<std::int64_t>({0, LeadingBit(*x), LeadingBit(*y)});
    const std::int64_t step = LeadingBit(*r) - std::bit_width(static_cast<std::uint32_t>(height));
    if (step < kDeepestSpacingExponent)
        return std::nullopt;
    const auto bits = static_cast<mpfr_prec_t>(readBits + std::max<std::int64_t>(0, scale - step) + 64);
    const int digits = DigitsToTellApart(scale, step);
    BigFloat half(bits), v(bits);
    mpfr_mul_ui(half.get(), r->get(), static_cast<unsigned long>(width), MPFR_RNDN);
    mpfr_div_ui(half.get(), half.get(), static_cast<unsigned long>(height), MPFR_RNDN);
    DeepArea area;
    mpfr_sub(v.get(), x->get(), half.get(), MPFR_RNDN);
    area.xStart = v.ToDecimal(digits);
    mpfr_add(v.get(), x->get(), half.get(), MPFR_RNDN);
    area.xEnd = v.ToDecimal(digits);
    mpfr_sub(v.get(), y->get(), r->get(), MPFR_RNDN);
    area.yStart = v.ToDecimal(digits);
    mpfr_add(v.get(), y->get(), r->get(), MPFR_RNDN);
    area.yEnd = v.ToDecimal(digits);
    return area;
}

bool BelowDoubles(const std::string& text)
{
    const auto value = text.size() <= kLongestDeepText ? BigFloat::FromDecimal(text, 64) : std::nullopt;
    return value && !mpfr_zero_p(value->get()) && mpfr_get_exp(value->get()) < -1021;
}

bool DoublesResolve(double xStart, double xEnd, double yStart, double yEnd, std::int32_t width, std::int32_t height)
{
    return SmallerStep(xStart, xEnd, yStart, yEnd, width, height) >= 64 * LastPlace(xStart, xEnd, yStart, yEnd);
}

bool DoublesSeparate(double xStart, double xEnd, double yStart, double yEnd, std::int32_t width, std::int32_t height)
{
    return SmallerStep(xStart, xEnd, yStart, yEnd, width, height) >= LastPlace(xStart, xEnd, yStart, yEnd);
}

}  // namespace korvanta
