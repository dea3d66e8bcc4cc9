#include "support/Pictures.h"
#include "support/ToolRuns.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

using test::RunShell;
using test::ShellQuoted;

// The real program, its bands run by GNU parallel through the script users are shown.
TEST(BandProcesses, BandsRunByGnuParallelMergeToTheWholePicture)
{
    ASSERT_EQ(RunShell("command -v parallel > /dev/null"), 0) << "GNU parallel (package parallel) is needed";
    const auto dir = test::TempDir("bands-parallel");
    const std::string tool = ShellQuoted(KORVANTA_RENDER_TOOL);
    const std::string picture = "-f Julia --constant=-0.8,0.156 -c 'Blue Lagoon' -n 400 --size=90x67 --no-values";
    const std::string d = ShellQuoted(dir.string());
    ASSERT_EQ(RunShell(tool + " -q " + picture + " -o " + d + "/whole.png -o " + d + "/whole.fra"), 0);
    // Its own home: GNU parallel's notice is acknowledged without touching the user's.
    const std::string env = "HOME=" + d + " KORVANTA_RENDER=" + tool + " ";
    ASSERT_EQ(RunShell(env + ShellQuoted(KORVANTA_BANDS_SCRIPT) + " -j 3 7 " + picture + " -o " + d +
                       "/merged.png --output=" + d + "/merged.fra"),
              0);
    EXPECT_TRUE(test::ReadAll(dir / "merged.png") == test::ReadAll(dir / "whole.png"));
    EXPECT_TRUE(test::ReadAll(dir / "merged.fra") == test::ReadAll(dir / "whole.fra"));
    EXPECT_FALSE(std::filesystem::exists(dir / ".parallel"));
}

TEST(BandProcesses, ExitStatusesOfTheProgram)
{
    const auto dir = test::TempDir("bands-status");
    const std::string tool = ShellQuoted(KORVANTA_RENDER_TOOL);
    const std::string d = ShellQuoted(dir.string());
    ASSERT_EQ(RunShell(tool + " -q --size=20x20 --band 0/2 -o " + d + "/b0.band"), 0);
    // A missing band: refused, nothing written.
    EXPECT_EQ(RunShell(tool + " --merge " + d + "/b0.band -o " + d + "/out.png 2> /dev/null"), 2);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.png"));
    // A band that cannot be written is a failure of the run, not of its arguments.
    EXPECT_EQ(RunShell(tool + " -q --size=20x20 --band 1/2 -o " + d + "/no/such/folder/b1.band 2> /dev/null"), 1);
}

}  // namespace
}  // namespace korvanta
