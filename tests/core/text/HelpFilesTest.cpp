#include "core/text/HelpFiles.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

TEST(HelpFiles, PopupTopicsAreKeyedByTheirNumber)
{
    const auto topics = ParsePopupTopics(
        "ignored before the first topic\n"
        ".topic 1000\r\n"
        "The real start.\r\n"
        "Second line.\r\n"
        "\n"
        ".topic 1001\n"
        "  X End  \n"
        ".topic 1000\n"
        "a repeated number does not replace the first\n"
        ".topic abc\n"
        "no number: dropped\n"
        ".topic 1002\n"
        "\n"
        ".topic 99999999999\n"
        "too long a number\n");
    EXPECT_EQ(topics.size(), 2u);
    EXPECT_EQ(topics.at(1000), "The real start.\nSecond line.");
    EXPECT_EQ(topics.at(1001), "X End");
    EXPECT_EQ(topics.count(1002), 0u) << "an empty topic is no topic";
}

TEST(HelpFiles, ContentsListPagesInOrderAndOnlyFromTheHelpFolder)
{
    const auto pages = ParseHelpContents(
        "start.html|Getting started\n"
        "no bar here\n"
        "|No file\n"
        "controls.html|  The control window  \r\n"
        "../secret.html|Outside\n"
        "sub/page.html|In a folder\n"
        ".hidden.html|Hidden\n"
        "empty.html|\n");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], (std::pair<std::string, std::string>{"start.html", "Getting started"}));
    EXPECT_EQ(pages[1], (std::pair<std::string, std::string>{"controls.html", "The control window"}));
}

}  // namespace
}  // namespace korvanta
