#pragma once

#include "support/DirectIteration.h"

#include "core/deep/BigFloat.h"
#include "core/deep/DeepFormula.h"
#include "core/deep/DeepLocation.h"

#include <algorithm>
#include <cstdint>
#include <string>

// Deep pictures the tests of the deep engine share: published centres, small pictures around
// centres in arbitrary precision, and points on the edges of sets.
namespace korvanta::testing {

inline constexpr mpfr_prec_t kTextBits = 8000;

// The centres of published deep-zoom benchmarks, mirrored.
inline constexpr const char* kCentre1e50Re =
    "0.0494700290631040937516922267273536301187457124882248793181049402326421947726869034279915499747594190000000000"
    "00000000";
inline constexpr const char* kCentre1e50Im =
    "0.6747875758446753640113920531305976563347707068224034806979997947909941983454845111514208499540310299999999999"
    "99999880";
inline constexpr const char* kCentre5e113Re =
    "1.47981577613247326072298452597877854692240725774045369689878510139864920741002293820250517329282011227363313"
    "053159203914640783415609608168660705123082446357179491909705403381200";
inline constexpr const char* kCentre5e113Im =
    "0.00063911193261361727152139632255671572957303918943984736047394936471220951961813321928573067036466151147195"
    "436388486168819318341208023229522609015461543581599807510715681229605";

inline constexpr const char* kCentre5e227Re =
    "0.749624497378761682078626204268361386845295278123640257544815714245582864796728016987502039767791356081486877"
    "471965951748581253882975777885730827532104698067397213779012974511726247624509405298147130483778736122972203"
    "130169470392874699999999999999989999999999999999999999499999999999999999980";
inline constexpr const char* kCentre5e227Im =
    "-0.03427010874046016945172951545749474868051534672439111853174854738370595772935930171842999778713222794215453"
    "436628998200591914208207632674780780978496784843807690510401829301309069542198413574392425885166367231192087"
    "4163384970654955099999999999999990000000000000000000000000000000000000000000";

// A small picture around a centre given in arbitrary precision.
struct Scene {
    const char* name;
    DeepKind kind;
    BigFloat re, im;
    std::string width;  // of the picture, a decimal
    std::int32_t columns, rows, limit;
    std::string cRe = "0", cIm = "0";
};

inline BigFloat Big(const std::string& text)
{
    return *BigFloat::FromDecimal(text, kTextBits);
}

inline DeepArea AreaOf(const Scene& s)
{
    const BigFloat width = Big(s.width);
    BigFloat half(kTextBits), halfHeight(kTextBits), v(kTextBits);
    mpfr_div_2ui(half.get(), width.get(), 1, MPFR_RNDN);
    mpfr_mul_ui(halfHeight.get(), half.get(), static_cast<unsigned long>(s.rows), MPFR_RNDN);
    mpfr_div_ui(halfHeight.get(), halfHeight.get(), static_cast<unsigned long>(s.columns), MPFR_RNDN);
    // Digits enough to hold the pixels apart, and some.
    const int digits = static_cast<int>(std::max<long>(0, -mpfr_get_exp(width.get())) * 0.302) + 30;
    DeepArea area;
    mpfr_sub(v.get(), s.re.get(), half.get(), MPFR_RNDN);
    area.xStart = DecimalText(v, digits);
    mpfr_add(v.get(), s.re.get(), half.get(), MPFR_RNDN);
    area.xEnd = DecimalText(v, digits);
    mpfr_sub(v.get(), s.im.get(), halfHeight.get(), MPFR_RNDN);
    area.yStart = DecimalText(v, digits);
    mpfr_add(v.get(), s.im.get(), halfHeight.get(), MPFR_RNDN);
    area.yEnd = DecimalText(v, digits);
    return area;
}


inline BigFloat Sqrt2()
{
    BigFloat r(kTextBits);
    mpfr_sqrt_ui(r.get(), 2, MPFR_RNDN);
    return r;
}

// The repelling fixed point (1 + sqrt 3) / 2 of z^2 - 1/2, on the edge of its Julia set's
// interior.
inline BigFloat QuadraticFixedPoint()
{
    BigFloat z(kTextBits);
    mpfr_sqrt_ui(z.get(), 3, MPFR_RNDN);
    mpfr_add_ui(z.get(), z.get(), 1, MPFR_RNDN);
    mpfr_div_2ui(z.get(), z.get(), 1, MPFR_RNDN);
    return z;
}

// The real fixed point above 1 of z^3 - a, a repelling point of its Julia set.
inline BigFloat CubicFixedPoint(const std::string& text)
{
    const BigFloat a = Big(text);
    BigFloat z(kTextBits, 1.2), f(kTextBits), d(kTextBits);
    for (int i = 0; i < 20; ++i) {
        // z <- z - (z^3 - z - a) / (3 z^2 - 1)
        mpfr_pow_ui(f.get(), z.get(), 3, MPFR_RNDN);
        mpfr_sub(f.get(), f.get(), z.get(), MPFR_RNDN);
        mpfr_sub(f.get(), f.get(), a.get(), MPFR_RNDN);
        mpfr_sqr(d.get(), z.get(), MPFR_RNDN);
        mpfr_mul_ui(d.get(), d.get(), 3, MPFR_RNDN);
        mpfr_sub_ui(d.get(), d.get(), 1, MPFR_RNDN);
        mpfr_div(f.get(), f.get(), d.get(), MPFR_RNDN);
        mpfr_sub(z.get(), z.get(), f.get(), MPFR_RNDN);
    }
    return z;
}


}  // namespace korvanta::testing
