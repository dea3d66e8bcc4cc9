#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>

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

}  // namespace
}  // namespace korvanta
