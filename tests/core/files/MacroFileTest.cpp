#include "core/files/MacroFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace korvanta {
namespace {

TEST(MacroFile, HeaderAndEventsAreLittleEndianFieldsInOrder)
{
    std::ostringstream out;
    WriteMacroHeader(out, {-5, 10, 300, 400, 7, -1});
    WriteMacroEvent(out, {macro::kLeftDown, 120, 0x80000000u, 1500, 0xDEADBEEF});
    const std::string bytes = out.str();
    ASSERT_EQ(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\xFB\xFF\xFF\xFF\x0A\0\0\0", 8));
    EXPECT_EQ(bytes.substr(20, 4), std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_EQ(bytes.substr(24, 8), std::string("\x01\x02\0\0\x78\0\0\0", 8));
    EXPECT_EQ(bytes.substr(40, 4), std::string("\xEF\xBE\xAD\xDE", 4));

    std::istringstream in(bytes);
    const auto header = ReadMacroHeader(in);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->left, -5);
    EXPECT_EQ(header->cursorY, -1);
    const auto event = ReadMacroEvent(in);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->paramH, 0x80000000u);
    EXPECT_EQ(event->time, 1500u);
    EXPECT_FALSE(ReadMacroEvent(in));
}

TEST(MacroFile, ShortPiecesEndTheFile)
{
    std::istringstream shortHeader(std::string(23, '\x01'));
    EXPECT_FALSE(ReadMacroHeader(shortHeader));
    std::istringstream trailing(std::string(24 + 20 + 19, '\x02'));
    ASSERT_TRUE(ReadMacroHeader(trailing));
    EXPECT_TRUE(ReadMacroEvent(trailing));
    EXPECT_FALSE(ReadMacroEvent(trailing));
}

TEST(MacroFile, TimesAreRelativeToTheStartAndPlayedTwiceAsFast)
{
    EXPECT_EQ(macro::RecordedTime(5000, 4000), 1000u);
    EXPECT_EQ(macro::RecordedTime(3999, 4000), 0u);  // before the start
    EXPECT_EQ(macro::RecordedTime(4000, 4000), 0u);
    EXPECT_EQ(macro::RecordedTime(5, 0xFFFFFFF0u), 0u);
    EXPECT_EQ(macro::PlaybackTime(1000), 500u);
    EXPECT_EQ(macro::PlaybackTime(3001), 1500u);
    EXPECT_EQ(macro::PlaybackTime(0xFFFFFFFFu), 0x7FFFFFFFu);
}

TEST(MacroFile, OnlyMouseEventsMoveWithTheWindow)
{
    const MacroEvent mouse = ShiftedEvent({macro::kMouseMove, 100, 50, 0, 0}, -30, 20);
    EXPECT_EQ(mouse.paramL, 130u);
    EXPECT_EQ(mouse.paramH, 30u);
    const MacroEvent last = ShiftedEvent({macro::kMouseLast, 0, 0, 0, 0}, 1, 1);
    EXPECT_EQ(last.paramL, 0xFFFFFFFFu);  // wraps like the field
    const MacroEvent key = ShiftedEvent({macro::kKeyDown, 0x41, 1, 0, 0}, -30, 20);
    EXPECT_EQ(key.paramL, 0x41u);
    EXPECT_EQ(key.paramH, 1u);
    EXPECT_FALSE(macro::IsMouse(0x20E));
    EXPECT_FALSE(macro::IsKey(0x102));
}

}  // namespace
}  // namespace korvanta
