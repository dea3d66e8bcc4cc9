#include "tools/korvanta-render/ZoomFrames.h"
#include "support/Pictures.h"
#include "support/ToolRuns.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvanta {
namespace {

using test::RunTool;

TEST(FrameName, OneNumberConversionIsReplaced)
{
    EXPECT_EQ(FrameName("frame-%05d.png", 7), "frame-00007.png");
    EXPECT_EQ(FrameName("%d.bmp", 123456), "123456.bmp");
    EXPECT_EQ(FrameName("f%3d.tga", 7), "f  7.tga");
    EXPECT_EQ(FrameName("100%%-%02d.png", 3), "100%-03.png");
    EXPECT_EQ(FrameName("%02d.png", 123), "123.png");
    for (const char* refused : {"frame.png", "%d-%d.png", "%s.png", "%x.png", "%ld.png", "%-5d.png",
                                "%5.png", "%.3d.png", "%n.png", "50%.png", "%", "%999999999999d.png"})
        EXPECT_FALSE(FrameName(refused, 1)) << refused;
}

TEST(ZoomFrameArea, SizeShrinksByOneFactorAndTheCentreMovesInStep)
{
    const Area start{-2, 1, -1.5, 1.5}, end{-0.75, -0.74, 0.1, 0.11};
    const std::int32_t frames = 11;
    std::vector<Area> areas;
    for (std::int32_t k = 0; k < frames; ++k)
        areas.push_back(*ZoomFrameArea(start, end, k, frames));
    auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-13 * std::max(std::fabs(a), std::fabs(b)); };
    EXPECT_TRUE(near(areas.front().xStart, start.xStart) && near(areas.front().yEnd, start.yEnd));
    EXPECT_TRUE(near(areas.back().xStart, end.xStart) && near(areas.back().yEnd, end.yEnd));
    const double factor = 0.01 / 3.0;  // the size's whole change, the same on both axes here
    for (std::int32_t k = 0; k < frames; ++k) {
        const Area& a = areas[k];
        const double width = a.xEnd - a.xStart, height = a.yEnd - a.yStart;
        EXPECT_TRUE(near(width, 3 * std::pow(factor, k / 10.0))) << k;
        EXPECT_TRUE(near(height, 3 * std::pow(factor, k / 10.0))) << k;
        // How far the centre has come is how far the size has come.
        const double moved = ((a.xStart + a.xEnd) / 2 - (-0.5)) / (-0.745 - (-0.5));
        const double shrunk = (3 - width) / (3 - 0.01);
        EXPECT_NEAR(moved, shrunk, 1e-12) << k;
    }
    // A pan keeps the size and moves evenly.
    const Area pan = *ZoomFrameArea({0, 1, 0, 1}, {2, 3, -4, -3}, 1, 5);
    EXPECT_DOUBLE_EQ(pan.xStart, 0.5);
    EXPECT_DOUBLE_EQ(pan.xEnd, 1.5);
    EXPECT_DOUBLE_EQ(pan.yStart, -1);
    // Areas running opposite ways cannot be zoomed between.
    EXPECT_FALSE(ZoomFrameArea({0, 1, 0, 1}, {1, 0, 0, 1}, 1, 3));
    EXPECT_FALSE(ZoomFrameArea({0, 1, 0, 1}, {0, 1, 1, 0}, 1, 3));
}

class Frames : public ::testing::Test {
protected:
    void SetUp() override { dir = test::TempDir(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::filesystem::path dir;
};

// The first and last frames are the start and end pictures rendered directly, documents
// included; a frame rendered alone is that frame of the whole sequence.
TEST_F(Frames, EndsAreTheDirectPicturesAndFramesAreIndependent)
{
    const std::vector<std::string> picture{"--scene", "Mandelbrot", "-n", "500", "--size=48x36", "--no-values", "-q"};
    auto with = [&](std::vector<std::string> extra) {
        auto args = picture;
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    const std::string end = "-0.3700558848150183,-0.3694490348311085,-0.2924315174901869,-0.2917587030851057";
    const std::string target = "--zoom-to=" + end;
    auto run = RunTool(with({"--area=-2,2,-1.5,1.5", "--frames=4", target, "-o", Path("f-%02d.png"),
                             "-o", Path("f-%02d.fra")}));
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(RunTool(with({"--area=-2,2,-1.5,1.5", "-o", Path("start.png"), "-o", Path("start.fra")})).status, 0);
    ASSERT_EQ(RunTool(with({"--area=" + end, "-o", Path("end.png"), "-o", Path("end.fra")})).status, 0);
    EXPECT_TRUE(test::ReadAll(Path("f-00.png")) == test::ReadAll(Path("start.png")));
    EXPECT_TRUE(test::ReadAll(Path("f-00.fra")) == test::ReadAll(Path("start.fra")));
    EXPECT_TRUE(test::ReadAll(Path("f-03.png")) == test::ReadAll(Path("end.png")));
    EXPECT_TRUE(test::ReadAll(Path("f-03.fra")) == test::ReadAll(Path("end.fra")));
    EXPECT_FALSE(test::ReadAll(Path("f-01.png")) == test::ReadAll(Path("f-02.png")));

    run = RunTool(with({"--area=-2,2,-1.5,1.5", "--frames=4", "--frame=2", target, "-o",
                        Path("alone-%d.png")}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(test::ReadAll(Path("alone-2.png")) == test::ReadAll(Path("f-02.png")));
    EXPECT_FALSE(std::filesystem::exists(Path("alone-1.png")));

    // Without --area the sequence starts from the scene's (or the explorer's first) area.
    ASSERT_EQ(RunTool({"--scene", "5", "--size=40x40", "--no-values", "-q", "--frames=3", "--frame=0",
                       "--zoom-to=-1,0,-0.5,0.5", "-o", Path("scene-%d.bmp")})
                  .status,
              0);
    ASSERT_EQ(RunTool({"--scene", "5", "--size=40x40", "--no-values", "-q", "-o", Path("scene.bmp")}).status, 0);
    EXPECT_TRUE(test::ReadAll(Path("scene-0.bmp")) == test::ReadAll(Path("scene.bmp")));
}

TEST_F(Frames, CommandLinesAreChecked)
{
    test::ExpectRefused({
        {{"--frames=3", "-o", "f.png"}, "--frames needs the last frame's area"},
        {{"--frames=0", "--zoom-to=0,1,0,1", "-o", "f%d.png"}, "--frames needs a number of frames, 1 or more"},
        {{"--frames=x", "--zoom-to=0,1,0,1", "-o", "f%d.png"}, "--frames needs a number"},
        {{"--frame=1", "--zoom-to=0,1,0,1", "-o", "f%d.png"}, "--frames needs a number"},
        {{"--frames=3", "--frame=3", "--zoom-to=0,1,0,1", "-o", "f%d.png"}, "--frame needs a frame number from 0 to 2"},
        {{"--frames=3", "--zoom-to=0,1,0,1", "-o", "f.png"}, "each output names its frames with one %d"},
        {{"--frames=3", "--zoom-to=0,1,0", "-o", "f%d.png"}, "--zoom-to needs four numbers"},
        {{"--frames=3", "--zoom-to=1,0,0,1", "-o", "f%d.png"}, "--zoom-to must run the same way"},
        {{"--frames=3", "--zoom-to=0,1,0,1", "--document", "a.fra", "-o", "f%d.png"}, "--frames goes with neither --document nor --merge"},
    });
}

}  // namespace
}  // namespace korvanta
