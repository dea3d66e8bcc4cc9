#include "core/files/MacroPlaces.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvanta {
namespace {

using Point = MacroPlaces::Point;

MacroEvent Click(std::int32_t x, std::int32_t y, std::uint32_t window)
{
    return {macro::kLeftDown, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 0, window};
}

// Window 1 (the control window) stands 100 to the right and 20 lower now; window 2 at
// (500, 40); window 3 is gone.
std::optional<Point> Now(std::uint32_t window)
{
    if (window == 1)
        return Point{110, 50};
    if (window == 2)
        return Point{500, 40};
    return std::nullopt;
}

TEST(MacroPlaces, NotesFollowingTheMarkPlaceEachClickInItsOwnWindow)
{
    MacroPlaces places;
    EXPECT_TRUE(places.Take(MacroPlaces::Mark()));
    EXPECT_TRUE(places.Marked());
    EXPECT_TRUE(places.Take(MacroPlaces::Note(1, {10, 30}, 0)));
    EXPECT_TRUE(places.Take(MacroPlaces::Note(2, {-5, 0}, 7)));
    EXPECT_TRUE(places.Take(MacroPlaces::Note(3, {0, 0}, 8)));
    EXPECT_FALSE(places.Take(Click(1, 1, 2)));

    // At the same place of the window it was recorded in, whatever the header's offset says.
    const MacroEvent inDialog = places.Placed(Click(15, 35, 1), Now, 999, 999);
    EXPECT_EQ(inDialog.paramL, 115u);
    EXPECT_EQ(inDialog.paramH, 55u);
    const MacroEvent inRender = places.Placed(Click(-5 + 20, 0 + 15, 2), Now, 999, 999);
    EXPECT_EQ(inRender.paramL, 520u);
    EXPECT_EQ(inRender.paramH, 55u);
    EXPECT_EQ(inRender.window, 2u);
    // A window that is gone, or was never noted: moved with the control window.
    for (const std::uint32_t window : {3u, 4u, 0u}) {
        const MacroEvent moved = places.Placed(Click(0, 0, window), Now, 999, 999);
        EXPECT_EQ(moved.paramL, 100u) << window;
        EXPECT_EQ(moved.paramH, 20u) << window;
    }
    // A later note of the same window replaces the earlier one.
    places.Take(MacroPlaces::Note(2, {0, 0}, 9));
    EXPECT_EQ(places.Placed(Click(20, 15, 2), Now, 0, 0).paramL, 520u);
    EXPECT_EQ(places.Placed(Click(20 - 5, 15, 2), Now, 0, 0).paramL, 515u);
    // Keys are never moved.
    const MacroEvent key{macro::kKeyDown, 0x41, 1, 0, 2};
    EXPECT_EQ(places.Placed(key, Now, 5, 5).paramL, 0x41u);
}

// A file of another program, or one that follows the format to the letter, plays as the
// format says: by the header's offset, with null records skipped and window fields ignored.
TEST(MacroPlaces, FilesWithoutTheMarkPlayAsTheFormatSays)
{
    for (const std::vector<MacroEvent>& start :
         {std::vector<MacroEvent>{Click(1, 1, 2)},
          // The mark anywhere but first, or with another window field, is no mark.
          std::vector<MacroEvent>{Click(1, 1, 0), MacroPlaces::Mark()},
          std::vector<MacroEvent>{{0, MacroPlaces::kMark, 1, 0, 7}}}) {
        MacroPlaces places;
        for (const MacroEvent& event : start)
            places.Take(event);
        places.Take(MacroPlaces::Note(1, {10, 30}, 0));
        EXPECT_FALSE(places.Marked());
        const MacroEvent played = places.Placed(Click(15, 35, 1), Now, 5, -3);
        EXPECT_EQ(played.paramL, 10u);
        EXPECT_EQ(played.paramH, 38u);
    }
    MacroPlaces places;
    EXPECT_TRUE(places.Take({0, 1, 2, 3, 0x1234}));  // a null message plays as nothing
    EXPECT_FALSE(places.Take({macro::kKeyDown, 0, 0, 0, 0}));
}

TEST(MacroPlaces, PlacesWrapLikeTheFieldsTheyWorkOn)
{
    MacroPlaces places;
    places.Take(MacroPlaces::Mark());
    places.Take(MacroPlaces::Note(1, {INT32_MIN, INT32_MAX}, 0));
    const MacroEvent played = places.Placed(Click(INT32_MIN, INT32_MAX, 1), Now, 0, 0);
    EXPECT_EQ(played.paramL, 110u);
    EXPECT_EQ(played.paramH, 50u);
}

}  // namespace
}  // namespace korvanta
