#include "core/deep/BigFloat.h"
#include "core/deep/DeepReal.h"

#include <gtest/gtest.h>

#include <random>

namespace korvanta {
namespace {

// The exact value of `x`.
BigFloat Exactly(const FloatExp& x)
{
    BigFloat v(64, x.Mantissa());
    mpfr_mul_2si(v.get(), v.get(), static_cast<long>(x.Exponent()), MPFR_RNDN);
    return v;
}

bool Same(const FloatExp& a, const BigFloat& b)
{
    return mpfr_equal_p(Exactly(a).get(), b.get()) != 0;
}

// Products and sums round once, to the double nearest the exact result, at any size: where
// doubles reach, they are the double operations; beyond, what MPFR at 53 bits says.
TEST(FloatExp, EveryOperationRoundsOnceAtAnySize)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-80, 80), far(-5000, 5000);
    for (int i = 0; i < 20000; ++i) {
        const double a = std::ldexp(mantissa(random), exponent(random)), b = std::ldexp(mantissa(random), exponent(random));
        ASSERT_EQ((FloatExp(a) * FloatExp(b)).ToDouble(), a * b) << a << " " << b;
        ASSERT_EQ((FloatExp(a) + FloatExp(b)).ToDouble(), a + b) << a << " " << b;
        ASSERT_EQ((FloatExp(a) - FloatExp(b)).ToDouble(), a - b) << a << " " << b;
        const FloatExp x(mantissa(random), far(random)), y(mantissa(random), far(random));
        BigFloat product(53), sum(53);
        mpfr_mul(product.get(), Exactly(x).get(), Exactly(y).get(), MPFR_RNDN);
        mpfr_add(sum.get(), Exactly(x).get(), Exactly(y).get(), MPFR_RNDN);
        ASSERT_TRUE(Same(x * y, product));
        ASSERT_TRUE(Same(x + y, sum));
        ASSERT_EQ(x < y, mpfr_less_p(Exactly(x).get(), Exactly(y).get()) != 0);
    }
    EXPECT_EQ(FloatExp(1e-300).ToDouble(), 1e-300);
    EXPECT_EQ((FloatExp(1e-200) * FloatExp(1e-200)).ToDouble(), 0.0);
    // Below the doubles and back: nothing lost on the way.
    EXPECT_NEAR((FloatExp(1e-200) * FloatExp(1e-200) * FloatExp(1e300)).ToDouble(), 1e-100, 1e-114);
}

// Sizes compared where their squares underflow.
TEST(FloatExp, TinyValuesStillCompareBySize)
{
    EXPECT_TRUE(SmallerThan(3e-200, 4e-200, 0, 6e-200));
    EXPECT_FALSE(SmallerThan(3e-200, 4e-200, 0, 4e-200));
    EXPECT_TRUE(SmallerThan(FloatExp(3, -3000), FloatExp(4, -3000), FloatExp(0), FloatExp(6, -3000)));
    EXPECT_FALSE(SmallerThan(FloatExp(3, -3000), FloatExp(4, -3000), FloatExp(4, -3000), FloatExp(0)));
    EXPECT_EQ(Magnitude(3e-200, 4e-200), 5e-200);
    EXPECT_EQ(Magnitude(FloatExp(3, -3000), FloatExp(4, -3000)).Mantissa(), FloatExp(5, -3000).Mantissa());
    EXPECT_EQ(Magnitude(FloatExp(3, -3000), FloatExp(4, -3000)).Exponent(), FloatExp(5, -3000).Exponent());
}

}  // namespace
}  // namespace korvanta
