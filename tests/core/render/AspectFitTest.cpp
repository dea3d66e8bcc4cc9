#include "core/render/AspectFit.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvanta {
namespace {

TEST(AspectFit, TakesTheAreasShapeKeepingThePixelCount)
{
    const PictureSize wide = FitToAspect(0, 4, 0, 1, {200, 200});
    EXPECT_EQ(wide.width, 400);
    EXPECT_EQ(wide.height, 100);
    // The sign of either side does not matter; truncation, not rounding.
    const PictureSize tall = FitToAspect(1, 0, 0, 3, {100, 100});
    EXPECT_EQ(tall.height, 173);  // sqrt(30000) = 173.2
    EXPECT_EQ(tall.width, 57);    // 173 / 3 = 57.67
}

TEST(AspectFit, ExtremeAreasSaturateInsteadOfWrapping)
{
    const PictureSize veryWide = FitToAspect(0, 1e12, 0, 1, {200, 200});
    EXPECT_EQ(veryWide.height, 0);
    EXPECT_EQ(veryWide.width, 0);
    const PictureSize veryTall = FitToAspect(0, 1, 0, 1e12, {32000, 32000});
    EXPECT_EQ(veryTall.height, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(veryTall.width, 0);
    const PictureSize point = FitToAspect(1, 1, 1, 1, {200, 200});
    EXPECT_EQ(point.height, 0);
    EXPECT_EQ(point.width, 0);
}

TEST(AspectFit, PicturesShrinkToFitInsideKeepingTheirShape)
{
    EXPECT_EQ(FitInside({300, 200}, {800, 600}).width, 300);  // fits: unchanged
    const PictureSize big = FitInside({32000, 16000}, {800, 600});
    EXPECT_EQ(big.width, 800);
    EXPECT_EQ(big.height, 400);
    const PictureSize tall = FitInside({1000, 30000}, {800, 600});
    EXPECT_EQ(tall.width, 20);
    EXPECT_EQ(tall.height, 600);
    const PictureSize sliver = FitInside({32000, 1}, {800, 600});
    EXPECT_EQ(sliver.width, 800);
    EXPECT_EQ(sliver.height, 1);  // never less than a pixel
}

}  // namespace
}  // namespace korvanta
