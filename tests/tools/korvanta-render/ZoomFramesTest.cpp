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

// Deep zooms are the same zoom in arbitrary precision: the frames of shallow areas agree with
// the doubles', and deep ones shrink by one factor to the end, whatever their depth.
TEST(ZoomFrameDeepArea, SizeShrinksByOneFactorAtAnyDepth)
{
    const DeepArea start{"-2", "1", "-1.5", "1.5"}, shallow{"-0.75", "-0.74", "0.1", "0.11"};
    for (std::int32_t k = 0; k < 5; ++k) {
        const DeepArea deep = *ZoomFrameDeepArea(start, shallow, k, 5, 64, 64);
        const Area plain = *ZoomFrameArea({-2, 1, -1.5, 1.5}, {-0.75, -0.74, 0.1, 0.11}, k, 5);
        EXPECT_NEAR(std::stod(deep.xStart), plain.xStart, 1e-13) << k;
        EXPECT_NEAR(std::stod(deep.yEnd), plain.yEnd, 1e-13) << k;
    }
    // To 1e-300 around -i: each frame's side is log-evenly between the ends' and centred
    // on the way there.
    const DeepArea end{"-1e-300", "1e-300", "-1.0000000000000000000000000000000000001", "-0.9999999999999999999999999999999999999"};
    const std::int32_t frames = 7;
    auto log10Of = [](const std::string& a, const std::string& b) {
        const auto x = BigFloat::FromDecimal(a, 2000), y = BigFloat::FromDecimal(b, 2000);
        BigFloat d(2000);
        mpfr_sub(d.get(), y->get(), x->get(), MPFR_RNDN);
        long exponent = 0;
        const double mantissa = mpfr_get_d_2exp(&exponent, d.get(), MPFR_RNDN);
        return std::log10(mantissa) + static_cast<double>(exponent) * std::log10(2.0);
    };
    for (std::int32_t k = 0; k < frames; ++k) {
        const auto a = ZoomFrameDeepArea(start, end, k, frames, 64, 64);
        ASSERT_TRUE(a) << k;
        const double t = k / double(frames - 1);
        EXPECT_NEAR(log10Of(a->xStart, a->xEnd), std::log10(3.0) + t * (-299.69897 - std::log10(3.0)), 1e-4) << k;
        EXPECT_NEAR(log10Of(a->yStart, a->yEnd), std::log10(3.0) + t * (-36.69897 - std::log10(3.0)), 1e-4) << k;
        if (k == frames - 1) {
            // The end itself, within 1e-12 of its width.
            const auto x = BigFloat::FromDecimal(a->xStart, 2000), e = BigFloat::FromDecimal(end.xStart, 2000);
            BigFloat off(2000);
            mpfr_sub(off.get(), x->get(), e->get(), MPFR_RNDN);
            EXPECT_LT(std::fabs(off.ToDouble()), 2e-312);
        }
    }
    // Deeper than the engine goes, not numbers, or running opposite ways: none.
    EXPECT_FALSE(ZoomFrameDeepArea(start, {"-1e-30000", "1e-30000", "0", "1e-30000"}, 1, 3, 64, 64));
    EXPECT_FALSE(ZoomFrameDeepArea(start, {"-1e-30", "x", "0", "1e-30"}, 1, 3, 64, 64));
    EXPECT_FALSE(ZoomFrameDeepArea(start, {"1e-30", "-1e-30", "0", "1e-30"}, 1, 3, 64, 64));
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

// A zoom past what doubles hold: every frame is a picture of its own (in doubles the later
// ones came out at the wrong size), the last is the end picture, and a frame alone is the
// same frame.
TEST_F(Frames, DeepZoomsGoAllTheWay)
{
    const std::vector<std::string> picture{"--formula=0", "--colors=3000", "--size=40x30", "--no-values", "-q",
                                           "--area=-0.4,0.4,-1.3,-0.7"};
    auto with = [&](std::vector<std::string> extra) {
        auto args = picture;
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    const std::string end = "-4e-40,4e-40,-1.0000000000000000000000000000000000000003,"
                            "-0.9999999999999999999999999999999999999997";
    const auto run = RunTool(with({"--frames=6", "--zoom-to=" + end, "-o", Path("d-%d.png")}));
    ASSERT_EQ(run.status, 0) << run.err;
    for (int k = 0; k + 1 < 6; ++k)
        EXPECT_FALSE(test::ReadAll(Path("d-" + std::to_string(k) + ".png")) ==
                     test::ReadAll(Path("d-" + std::to_string(k + 1) + ".png")))
            << k;
    auto direct = picture;
    direct.back() = "--area=" + end;
    direct.insert(direct.end(), {"-o", Path("end.png")});
    ASSERT_EQ(RunTool(direct).status, 0);
    EXPECT_TRUE(test::ReadAll(Path("d-5.png")) == test::ReadAll(Path("end.png")));
    ASSERT_EQ(RunTool(with({"--frames=6", "--frame=4", "--zoom-to=" + end, "-o", Path("alone-%d.png")})).status, 0);
    EXPECT_TRUE(test::ReadAll(Path("alone-4.png")) == test::ReadAll(Path("d-4.png")));
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
