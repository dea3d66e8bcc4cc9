#include "support/Pictures.h"
#include "support/ToolRuns.h"

#include "core/archive/Archive.h"
#include "core/deep/FractAlgDeep.h"
#include "core/files/RenderRecord.h"
#include "core/render/ClassRegistry.h"

#include <gtest/gtest.h>

#include <fstream>

namespace korvanta {
namespace {

using test::RunTool;

// The first published deep-zoom benchmark, in this program's mirrored coordinates.
const std::string kCentre = "--centre=1.759817130804847813610825010561798238243999999999999999999800,"
                            "0.012593310799749865383746631843264858450340000000000000000000";

class DeepRender : public ::testing::Test {
protected:
    void SetUp() override { dir = test::TempDir(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }

    // The formula a written document holds.
    std::unique_ptr<RenderJob> Load(const std::string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        Archive ar(in, FindRegisteredClass);
        return ReadRenderRecord(ar).job;
    }

    std::filesystem::path dir;
};

TEST_F(DeepRender, DeepPicturesAreTheSameOnAnyNumberOfThreads)
{
    for (const char* threads : {"1", "2", "7"}) {
        const auto run = RunTool({kCentre, "--radius=2e-40", "--size=48x27", "-c", "HSV", "-n", "3000", "-q", "-t",
                                  threads, "-o", Path(std::string("t") + threads + ".fra"),
                                  "-o", Path(std::string("t") + threads + ".png")});
        ASSERT_EQ(run.status, 0) << run.err;
    }
    for (const char* other : {"t2", "t7"})
        for (const char* extension : {".fra", ".png"})
            EXPECT_TRUE(test::ReadAll(Path(std::string("t1") + extension)) ==
                        test::ReadAll(Path(std::string(other) + extension)))
                << other << extension;
    const auto job = Load("t1.fra");
    const auto* deep = dynamic_cast<const CFractAlgDeep*>(job->Settings().m_pAlg);
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(std::string(deep->GetRuntimeClass().m_lpszClassName), "CFractAlgDeepMandelbrot");
}

// Two areas that differ only in the 46th digit are two pictures: nothing passes through a
// double on the way. The document keeps the texts as given.
TEST_F(DeepRender, TheAreaIsReadToItsLastDigit)
{
    const std::string y0 = "-1.000000000000000000000000000000000000000000001";
    const std::string y1 = "-0.999999999999999999999999999999999999999999999";
    const std::string shifted = "-0.9999999999999999999999999999999999999999999995";
    auto render = [&](const std::string& top, const std::string& name) {
        return RunTool({"--area=0.3e-45,2.3e-45," + y0 + "," + top, "--size=16x16", "-c", "HSV", "-n", "3000", "-q",
                        "-o", Path(name + ".fra"), "-o", Path(name + ".bmp")});
    };
    const auto a = render(y1, "a"), b = render(shifted, "b");
    ASSERT_EQ(a.status, 0) << a.err;
    ASSERT_EQ(b.status, 0) << b.err;
    EXPECT_FALSE(test::ReadAll(Path("a.bmp")) == test::ReadAll(Path("b.bmp")));
    const auto job = Load("a.fra");
    const auto* deep = dynamic_cast<const CFractAlgDeep*>(job->Settings().m_pAlg);
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(deep->Area().yStart, y0);
    EXPECT_EQ(deep->Area().yEnd, y1);
}

// --centre and --radius say what --area says: the same picture.
TEST_F(DeepRender, ACentreAndRadiusAreAnotherWayToGiveTheArea)
{
    ASSERT_EQ(RunTool({"--centre=-0.75,0.25", "--radius=0.5", "--size=30x20", "-q", "-o", Path("c.bmp")}).status, 0);
    ASSERT_EQ(RunTool({"--area=-1.5,0,-0.25,0.75", "--size=30x20", "-q", "-o", Path("a.bmp")}).status, 0);
    EXPECT_TRUE(test::ReadAll(Path("c.bmp")) == test::ReadAll(Path("a.bmp")));
    // The size asked for is the size made, at any depth.
    ASSERT_EQ(RunTool({kCentre, "--radius=1e-40", "--size=640x360", "-n", "50", "-q", "-o", Path("deep.fra")}).status,
              0);
    const auto job = Load("deep.fra");
    EXPECT_EQ(job->Settings().m_nWidth, 640);
    EXPECT_EQ(job->Settings().m_nHeight, 360);
}

TEST_F(DeepRender, BadDeepInputIsRefusedWithAReason)
{
    const std::string far = "0.1" + std::string(100000, '0') + "1";
    test::ExpectRefused({
        {{kCentre, "--radius=0", "-o", Path("x.png")}, "--radius needs a number above 0"},
        {{kCentre, "--radius=-1e-20", "-o", Path("x.png")}, "--radius needs a number above 0"},
        {{kCentre, "--radius=nan", "-o", Path("x.png")}, "--radius needs a number above 0"},
        {{kCentre, "--radius=1e-30000", "-o", Path("x.png")}, "--radius needs a number above 0"},
        {{"--centre=inf,0", "--radius=1", "-o", Path("x.png")}, "--centre needs RE,IM"},
        {{kCentre, "-o", Path("x.png")}, "--centre needs --radius"},
        {{"--radius=1", "-o", Path("x.png")}, "--radius needs --centre"},
        {{kCentre, "--radius=1", "--area=0,1,0,1", "-o", Path("x.png")}, "give one of them"},
        {{"--area=0,1e-999999999,0,1", "-o", Path("x.png")}, "--area needs four numbers"},
        {{"--area=0.1," + far + ",0,1", "--no-aspect", "-o", Path("x.png")}, "deeper than Korvanta goes"},
        {{kCentre, "--radius=1e-1000", "-c", "HSV", "-n", "2147483647", "-o", Path("x.png")},
         "--colors: a deep picture takes at most 16777216"},
        {{"-f", "Sinz", "--centre=0.5,0.5", "--radius=1e-20", "-o", Path("x.png")},
         "Sinz Set is computed in double precision"},
        {{"-f", "Sinz", "--centre=0.5,0.5", "--radius=1e-14", "-o", Path("x.png")},
         "Sinz Set is computed in double precision"},
    });
    EXPECT_FALSE(std::filesystem::exists(Path("x.png")));
}

}  // namespace
}  // namespace korvanta
