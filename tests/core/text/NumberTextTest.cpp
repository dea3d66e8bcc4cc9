#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <mpfr.h>
#include <random>

namespace korvanta {
namespace {

TEST(ScanReal, ReadsTheLeadingDecimalNumber)
{
    EXPECT_EQ(ScanReal("0.1"), 0.1);
    EXPECT_EQ(ScanReal("0.10"), 0.1);
    EXPECT_EQ(ScanReal("-2"), -2.0);
    EXPECT_EQ(ScanReal("+2"), 2.0);
    EXPECT_EQ(ScanReal("  1e3"), 1000.0);
    EXPECT_EQ(ScanReal("1.5E-2"), 0.015);
    EXPECT_EQ(ScanReal(".5"), 0.5);
    EXPECT_EQ(ScanReal("3-4"), 3.0);
    EXPECT_EQ(ScanReal("0x10"), 0.0);
    EXPECT_EQ(ScanReal("-0.7500000000000001"), -0.7500000000000001);
}

TEST(ScanReal, RefusesWhatIsNoNumber)
{
    for (const char* text : {"", "-", ".", "-.", "abc", "inf", "nan", "--1", "1e999"})
        EXPECT_FALSE(ScanReal(text).has_value()) << '"' << text << '"';
}

TEST(AtoI, LeadingDigitsWithSignAndSaturation)
{
    EXPECT_EQ(AtoI("200"), 200);
    EXPECT_EQ(AtoI("  -17abc"), -17);
    EXPECT_EQ(AtoI("+5"), 5);
    EXPECT_EQ(AtoI("abc"), 0);
    EXPECT_EQ(AtoI(""), 0);
    EXPECT_EQ(AtoI("99999999999"), 2147483647);
    EXPECT_EQ(AtoI("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(AtoI("2147483647"), 2147483647);
}

}  // namespace
}  // namespace korvanta

namespace korvanta {
namespace {

TEST(FormatReal, SixteenSignificantDigitsUpperCaseAndAlwaysAPoint)
{
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // a comma locale, where installed
    EXPECT_EQ(FormatReal(-2), "-2");
    EXPECT_EQ(FormatReal(1), "1");
    EXPECT_EQ(FormatReal(0), "0");
    EXPECT_EQ(FormatReal(0.1), "0.1");
    EXPECT_EQ(FormatReal(1.5e-20), "1.5E-20");
    EXPECT_EQ(FormatReal(1.0 / 3), "0.3333333333333333");
    EXPECT_EQ(FormatReal(-0.3700558848150183), "-0.3700558848150183");
    EXPECT_EQ(FormatReal(1e16), "1E+16");
    EXPECT_EQ(FormatInt(-17), "-17");
    std::setlocale(LC_NUMERIC, "C");
}

TEST(PlainDecimal, WritesTheExponentOutWithTheSameDigits)
{
    EXPECT_EQ(PlainDecimal("1.25e-3"), "0.00125");
    EXPECT_EQ(PlainDecimal("-7.453e-01"), "-0.7453");
    EXPECT_EQ(PlainDecimal("-1.7598171308048478136e+00"), "-1.7598171308048478136");
    EXPECT_EQ(PlainDecimal("1.5E+02"), "150");
    EXPECT_EQ(PlainDecimal("+12.5e0"), "12.5");
    EXPECT_EQ(PlainDecimal(".5e1"), "5");
    EXPECT_EQ(PlainDecimal("000.5e0"), "0.5");
    EXPECT_EQ(PlainDecimal("-0e5"), "-0");
    EXPECT_EQ(PlainDecimal("3e-20"), "0.00000000000000000003");
}

TEST(PlainDecimal, LeavesEverythingElseAsItIs)
{
    for (const char* text : {"-0.75", "2", "", "-", "e5", "1e", "1e5x", "1.2.3e4", "1e+-5", "abc", "1e99999999999"})
        EXPECT_EQ(PlainDecimal(text), text) << text;
}

// The plain text is the same number, exactly: read in MPFR at a precision that holds
// either text without rounding, both give the same bits.
TEST(PlainDecimal, IsExactlyTheSameNumber)
{
    std::mt19937_64 random(5);
    for (int i = 0; i < 300; ++i) {
        std::string text = random() % 2 ? "-" : "";
        text += std::to_string(1 + random() % 9) + ".";
        for (int d = static_cast<int>(random() % 40); d > 0; --d)
            text += char('0' + random() % 10);
        text += "e" + std::to_string(static_cast<int>(random() % 400) - 300);
        const std::string plain = PlainDecimal(text);
        ASSERT_EQ(plain.find_first_not_of("-0123456789."), std::string::npos) << plain;
        mpfr_t a, b;
        mpfr_inits2(4000, a, b, static_cast<mpfr_ptr>(nullptr));
        mpfr_set_str(a, text.c_str(), 10, MPFR_RNDN);
        mpfr_set_str(b, plain.c_str(), 10, MPFR_RNDN);
        EXPECT_TRUE(mpfr_equal_p(a, b)) << text << " became " << plain;
        mpfr_clears(a, b, static_cast<mpfr_ptr>(nullptr));
    }
}

}  // namespace
}  // namespace korvanta
