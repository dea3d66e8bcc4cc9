#include "core/formulas/Viewport.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

// Digits that make every rounding step count.
constexpr Area kArea{-0.3700558848150183, -0.3694490348311085, -0.2924315174901869,
                     -0.2917587030851057};

TEST(Viewport, PointsFollowTheQuotientProductSumOrderExactly)
{
    const Viewport view(kArea, 413, 287);
    for (int x : {0, 1, 17, 206, 412, 413}) {
        for (int y : {0, 3, 143, 286, 287}) {
            const double re = (x / 413.0) * (kArea.xEnd - kArea.xStart) + kArea.xStart;
            const double im = ((287.0 - y) / 287.0) * (kArea.yEnd - kArea.yStart) + kArea.yStart;
            const CFractValue point = view.PointAt(x, y);
            EXPECT_EQ(point.m_z.real(), re) << x << "," << y;
            EXPECT_EQ(point.m_z.imag(), im) << x << "," << y;
        }
    }
    // The top-left corner is (X start, Y end), the bottom-right (X end, Y start).
    EXPECT_EQ(view.PointAt(0, 0).m_z, std::complex<double>(kArea.xStart, kArea.yEnd));
    EXPECT_EQ(view.PointAt(413, 287).m_z, std::complex<double>(kArea.xEnd, kArea.yStart));
}

TEST(Viewport, ZoomAreaTakesTheCornersOfTheDrag)
{
    const Viewport view({-2, 2, -1, 1}, 200, 100);
    const Area zoomed = view.ZoomArea(50, 25, 150, 75);
    EXPECT_EQ(zoomed.xStart, -1);
    EXPECT_EQ(zoomed.xEnd, 1);
    EXPECT_EQ(zoomed.yStart, -0.5);
    EXPECT_EQ(zoomed.yEnd, 0.5);

    // The same client point gives the same doubles as a zoom edge and as Set Constant.
    const Viewport odd(kArea, 333, 251);
    const Area a = odd.ZoomArea(7, 11, 250, 199);
    EXPECT_EQ(a.xStart, odd.PointAt(7, 0).m_z.real());
    EXPECT_EQ(a.xEnd, odd.PointAt(250, 0).m_z.real());
    EXPECT_EQ(a.yStart, odd.PointAt(0, 199).m_z.imag());
    EXPECT_EQ(a.yEnd, odd.PointAt(0, 11).m_z.imag());
}

TEST(Viewport, StretchedClientAreasMapTheWholeArea)
{
    // A 200-pixel picture shown 400 wide: the left half of the window is the left half.
    const Area left = Viewport({-2, 2, -1, 1}, 400, 100).ZoomArea(0, 0, 200, 100);
    EXPECT_EQ(left.xStart, -2);
    EXPECT_EQ(left.xEnd, 0);
    EXPECT_EQ(left.yStart, -1);
    EXPECT_EQ(left.yEnd, 1);
}

TEST(Viewport, PositionsOfPointsGoBackToTheirPixels)
{
    const Viewport view(kArea, 640, 480);
    for (int x : {0, 5, 320, 639}) {
        for (int y : {0, 9, 240, 479}) {
            double px = -1, py = -1;
            view.PositionOf(view.PointAt(x, y), px, py);
            EXPECT_NEAR(px, x, 1e-6);
            EXPECT_NEAR(py, y, 1e-6);
        }
    }
}

}  // namespace
}  // namespace korvanta
