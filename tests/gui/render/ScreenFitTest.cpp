#include "gui/render/ScreenFit.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

const QRect kSmall(0, 0, 1024, 768);
const QRect kLarge(0, 0, 2560, 1440);

TEST(ScreenFit, AWindowWhollyOnAScreenStaysAsItIs)
{
    EXPECT_EQ(OntoScreenArea({10, 20, 300, 200}, {kSmall}, true), QRect(10, 20, 300, 200));
    EXPECT_EQ(OntoScreenArea(kSmall, {kSmall}, false), kSmall);
}

// A desktop saved on a larger screen: each window comes wholly onto the smaller one.
TEST(ScreenFit, WindowsMostlyOffTheScreenComeWhollyOntoIt)
{
    // Its corner on the screen, the rest off: moved in, size kept.
    EXPECT_EQ(OntoScreenArea({1000, 700, 400, 300}, {kSmall}, true), QRect(624, 468, 400, 300));
    // Off to the left and above.
    EXPECT_EQ(OntoScreenArea({-350, -250, 400, 300}, {kSmall}, false), QRect(0, 0, 400, 300));
    // Entirely off: onto the nearest.
    EXPECT_EQ(OntoScreenArea({2000, 100, 200, 100}, {kSmall}, false), QRect(824, 100, 200, 100));
    // Larger than the screen: a resizable window shrinks to it, another keeps its title bar on it.
    EXPECT_EQ(OntoScreenArea({1500, 900, 2000, 1200}, {kSmall}, true), kSmall);
    EXPECT_EQ(OntoScreenArea({1500, 900, 2000, 1200}, {kSmall}, false), QRect(0, 0, 2000, 1200));
    EXPECT_EQ(OntoScreenArea({-10, 5, 1100, 200}, {kSmall}, true), QRect(0, 5, 1024, 200));
}

TEST(ScreenFit, OfTwoScreensTheOneOverlappedMostTakesTheWindow)
{
    const QRect left(0, 0, 1280, 1024), right(1280, 0, 1920, 1080);
    // Across the seam, mostly on the right.
    EXPECT_EQ(OntoScreenArea({1200, 10, 400, 300}, {left, right}, true), QRect(1280, 10, 400, 300));
    // Mostly on the left.
    EXPECT_EQ(OntoScreenArea({1000, 10, 400, 300}, {left, right}, true), QRect(880, 10, 400, 300));
    // Below the shorter left screen but on neither: the nearest, the right one is not nearer.
    EXPECT_EQ(OntoScreenArea({100, 1100, 300, 200}, {left, right}, false), QRect(100, 824, 300, 200));
    // No screen at all: as it was.
    EXPECT_EQ(OntoScreenArea({5, 5, 10, 10}, {}, true), QRect(5, 5, 10, 10));
}

}  // namespace
}  // namespace korvanta
