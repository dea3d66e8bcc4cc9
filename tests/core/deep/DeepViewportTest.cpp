#include "core/deep/DeepViewport.h"
#include "support/ExactNumbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvanta {
namespace {

using test::Exact;

struct Drag {
    int left, top, right, bottom;
};

// A deep area's zooms and points are the exact values, to far below a pixel of the picture
// they make, with the digits that pixel needs and ten more: not the hundreds more that a
// fixed length would write.
TEST(DeepViewport, ZoomsAndPointsAreExactWithTheDigitsTheirDepthNeeds)
{
    for (const auto& [radius, depth] : {std::pair{"1e-20", 20}, std::pair{"1e-300", 300}, std::pair{"3e-1000", 1000}}) {
        const auto area = AreaAroundCentre("-0.7436438870371587047521915061147", "0.1318259042053119704931320563852",
                                           radius, 200, 100);
        ASSERT_TRUE(area);
        // Shown stretched in a client area of another size.
        const auto viewport = DeepViewport::FromTexts(*area, 300, 120, 200, 100);
        ASSERT_TRUE(viewport);
        const Exact x0(area->xStart), x1(area->xEnd), y0(area->yStart), y1(area->yEnd);
        for (const Drag d : {Drag{0, 0, 300, 120}, Drag{30, 10, 60, 22}, Drag{299, 0, 300, 1}, Drag{7, 113, 8, 114}}) {
            const DeepArea zoomed = viewport->ZoomArea(d.left, d.top, d.right, d.bottom);
            const Exact want[] = {Between(x0, x1, d.left, 300), Between(x0, x1, d.right, 300),
                                  Between(y0, y1, 120 - d.bottom, 120), Between(y0, y1, 120 - d.top, 120)};
            const Exact pixel = Step(want[0], want[1], 200);
            const std::string* got[] = {&zoomed.xStart, &zoomed.xEnd, &zoomed.yStart, &zoomed.yEnd};
            for (int i = 0; i < 4; ++i) {
                const Exact read(*got[i]);
                ASSERT_TRUE(read.ok) << *got[i];
                EXPECT_LT(test::Apart(read, want[i], pixel), 1e-8) << radius << " edge " << i << ": " << *got[i];
                // A 1/300 drag of a picture 10^-depth high goes about 4.5 digits deeper.
                EXPECT_LE(test::SignificantDigits(*got[i]), depth + 20) << *got[i];
            }
        }
        const PointTexts point = viewport->PointAt(123, 45);
        const Exact pixel = Step(x0, x1, 200);
        EXPECT_LT(test::Apart(Exact(point.re), Between(x0, x1, 123, 300), pixel), 1e-8) << point.re;
        EXPECT_LT(test::Apart(Exact(point.im), Between(y0, y1, 120 - 45, 120), pixel), 1e-8) << point.im;
        EXPECT_LE(test::SignificantDigits(point.re), depth + 14) << point.re;
    }
}

// From a picture in doubles the same arithmetic gives what Viewport gives, but exactly:
// the two agree to the last digits of a double, y upwards included.
TEST(DeepViewport, FromDoublesAgreesWithTheViewport)
{
    const Area area{-2.25, 0.75, -1.125, 1.5};
    const Viewport doubles(area, 640, 480);
    const DeepViewport exact = DeepViewport::FromDoubles(area, 640, 480, 320, 240);
    for (const Drag d : {Drag{0, 0, 640, 480}, Drag{13, 400, 77, 479}, Drag{320, 240, 321, 241}}) {
        const Area want = doubles.ZoomArea(d.left, d.top, d.right, d.bottom);
        const DeepArea got = exact.ZoomArea(d.left, d.top, d.right, d.bottom);
        for (auto [value, text] : {std::pair{want.xStart, &got.xStart}, std::pair{want.xEnd, &got.xEnd},
                                   std::pair{want.yStart, &got.yStart}, std::pair{want.yEnd, &got.yEnd}})
            EXPECT_NEAR(std::strtod(text->c_str(), nullptr), value, 4e-16 * std::max(1.0, std::fabs(value))) << *text;
    }
    const PointTexts point = exact.PointAt(160, 120);
    EXPECT_DOUBLE_EQ(std::strtod(point.re.c_str(), nullptr), doubles.PointAt(160, 120).m_z.real());
    EXPECT_DOUBLE_EQ(std::strtod(point.im.c_str(), nullptr), doubles.PointAt(160, 120).m_z.imag());
}

TEST(DeepViewport, TextsThatAreNoNumbersGiveNone)
{
    EXPECT_FALSE(DeepViewport::FromTexts({"-1", "1", "-1", "one"}, 10, 10, 10, 10));
    EXPECT_FALSE(DeepViewport::FromTexts({"-1", "1", "", "1"}, 10, 10, 10, 10));
    EXPECT_FALSE(DeepViewport::FromTexts({std::string(kLongestDeepText + 1, '1'), "1", "-1", "1"}, 10, 10, 10, 10));
}

}  // namespace
}  // namespace korvanta
