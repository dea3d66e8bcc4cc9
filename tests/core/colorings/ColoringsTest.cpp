#include "core/colorings/ColoringList.h"
#include "core/colorings/FantasyPalette.h"
#include "core/colorings/FractColPOVRay.h"
#include "core/colorings/FractColPolarLog.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvanta {
namespace {

enum Index { kFantasy, kRedShift, kRgb, kPolar, kPolarLog, kBlueLagoon, kPovRay };

std::uint32_t Color(CFractCol& col, std::uint32_t count)
{
    CFractValue result;
    result.SetCount(static_cast<std::int32_t>(count));
    return col.GetColor(result);
}

std::uint32_t Color(int index, std::uint32_t count)
{
    return Color(*CreateColoring(index), count);
}

TEST(Colorings, NamesDefaultsAndWhoMaySetTheCount)
{
    struct Expect {
        const char* name;
        bool canSet;
        std::int32_t colors;
    };
    const Expect expected[] = {
        {"Fantasy 2304", false, 2304}, {"Red Shift", false, 2304},
        {"RGB", true, 262143},         {"Polar", false, 23040},
        {"Polar Log", true, 1000000},  {"Blue Lagoon", true, 1000000},
        {"POV-Ray heightfield", true, 65535},
    };
    for (int i = 0; i < 7; ++i) {
        auto col = CreateColoring(i);
        EXPECT_STREQ(col->GetName(), expected[i].name);
        EXPECT_EQ(col->CanSetNumColors(), expected[i].canSet) << expected[i].name;
        EXPECT_EQ(col->GetNumColors(), expected[i].colors) << expected[i].name;
    }
    EXPECT_EQ(CreateColoring(7), nullptr);
    CFractCol base;
    EXPECT_STREQ(base.GetName(), "BaseClass");
    EXPECT_EQ(base.GetNumColors(), 1);
}

TEST(Colorings, FixedPaletteClassesKeepTheirCount)
{
    for (int i : {kFantasy, kRedShift}) {
        auto col = CreateColoring(i);
        col->SetNumColors(5);
        EXPECT_EQ(col->GetNumColors(), 2304);
    }
}

TEST(Colorings, PovRayClampsAboveSixteenBitsAndNegatives)
{
    CFractColPOVRay pov;
    pov.SetNumColors(70000);
    EXPECT_EQ(pov.GetNumColors(), 65535);
    pov.SetNumColors(-1);
    EXPECT_EQ(pov.GetNumColors(), 65535);
    pov.SetNumColors(65535);
    EXPECT_EQ(pov.GetNumColors(), 65535);
    pov.SetNumColors(1000);
    EXPECT_EQ(pov.GetNumColors(), 1000);
}

TEST(Colorings, CountZeroGivesEachSchemesFirstColor)
{
    const std::uint32_t expected[] = {0, 0, 0, 0x0080FF, 0x0180FF, 0x0080FF, 0};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Color(i, 0), expected[i]) << CreateColoring(i)->GetName();
    CFractCol base;
    for (std::uint32_t n : {0u, 1u, 2303u, 4294967295u})
        EXPECT_EQ(Color(base, n), 0u);
}

TEST(Colorings, FantasyScaleAndRedShiftEntries)
{
    EXPECT_EQ(Color(kFantasy, 1), 0xCE0000u);   // entry 206
    EXPECT_EQ(Color(kFantasy, 2), 0xFF4700u);   // entry 326
    EXPECT_EQ(Color(kFantasy, 2303), FantasyColor(2303));
    EXPECT_EQ(Color(kRedShift, 511), 0x01000000u);
    EXPECT_EQ(Color(kRedShift, 1023), 0x010000u);
    EXPECT_EQ(Color(kRedShift, 1535), 0x010000FFu);
    EXPECT_EQ(Color(kRedShift, 1536), 0xFF0100u);
    EXPECT_EQ(Color(kRedShift, 2304), 0u);
    EXPECT_EQ(Color(kRedShift, 510), 0xFFFF00u);
    EXPECT_EQ(Color(kRedShift, 766), 0x00FF00u);
}

TEST(Colorings, RgbSpreadsSixBitFields)
{
    EXPECT_EQ(Color(kRgb, 1), 0x000004u);
    EXPECT_EQ(Color(kRgb, 64), 0x040000u);
    EXPECT_EQ(Color(kRgb, 4096), 0x000400u);
    EXPECT_EQ(Color(kRgb, 262143), 0xFCFCFCu);
    EXPECT_EQ(Color(kRgb, 262144), 0u);
}

TEST(Colorings, PolarAtItsDefaultCount)
{
    EXPECT_EQ(Color(kPolar, 23040), 0xFF7EFEu);
}

TEST(Colorings, NoColorsMeansBlackForTheLogScales)
{
    for (int i : {kPolarLog, kBlueLagoon, kPovRay}) {
        auto col = CreateColoring(i);
        col->SetNumColors(0);
        for (std::uint32_t n : {0u, 1u, 100u, 4294967295u})
            EXPECT_EQ(Color(*col, n), 0u) << col->GetName() << " n=" << n;
    }
}

}  // namespace
}  // namespace korvanta
