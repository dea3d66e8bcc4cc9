#include "support/Pictures.h"
#include "support/ToolRuns.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace korvanta {
namespace {

using test::RunTool;

const char* const kImages[] = {".png", ".bmp", ".tga", ".wmf"};

// Images alone are rendered as they are written; a document among the outputs, or
// --in-memory, keeps the whole picture. Every image is byte for byte the same either way.
class StreamedRender : public ::testing::Test {
protected:
    void SetUp() override { dir = test::TempDir(::testing::UnitTest::GetInstance()->current_test_info()->name()); }

    std::string Path(const std::string& name) const { return (dir / name).string(); }

    void Run(std::vector<std::string> args, const std::string& stem, bool withDocument, const char* const* images,
             std::size_t count)
    {
        args.push_back("-q");
        for (std::size_t i = 0; i < count; ++i)
            args.insert(args.end(), {"-o", Path(stem + images[i])});
        if (withDocument)
            args.insert(args.end(), {"-o", Path(stem + ".fra")});
        const auto run = RunTool(args);
        ASSERT_EQ(run.status, 0) << run.err;
    }

    // The picture written with a document beside it, then alone; and alone on its own in
    // each format, so that each one's order of rows is met first.
    void ExpectStreamedAsWhole(const std::vector<std::string>& picture)
    {
        Run(picture, "whole", true, kImages, std::size(kImages));
        Run(picture, "rows", false, kImages, std::size(kImages));
        for (const char* image : kImages) {
            Run(picture, "alone", false, &image, 1);
            const std::string whole = test::ReadAll(Path(std::string("whole") + image));
            ASSERT_FALSE(whole.empty()) << image;
            EXPECT_TRUE(test::ReadAll(Path(std::string("rows") + image)) == whole) << image;
            EXPECT_TRUE(test::ReadAll(Path(std::string("alone") + image)) == whole) << image;
        }
    }

    std::filesystem::path dir;
};

TEST_F(StreamedRender, EveryFormulaAndSizeIsWrittenAsTheWholePicture)
{
    for (int formula = 0; formula < 8; ++formula) {
        for (const char* size : {"31x23", "1x1", "1x9", "9x1", "2x3", "129x7"}) {
            SCOPED_TRACE("formula " + std::to_string(formula) + ", " + size);
            ExpectStreamedAsWhole({"-f", std::to_string(formula), "-c", std::to_string(formula % 7), "-n", "150",
                                   "--constant=-0.75,0.1", "--area=-1.7,1.3,-1.1,1.2",
                                   std::string("--size=") + size, "--no-aspect", "--no-values"});
        }
    }
}

TEST_F(StreamedRender, EveryThreadCountWritesTheSamePicture)
{
    for (const char* threads : {"1", "2", "3", "8"}) {
        SCOPED_TRACE(std::string(threads) + " threads");
        ExpectStreamedAsWhole({"--scene", "2", "--size=157x101", "-n", "400", "-t", threads, "--no-values"});
    }
    // The forced whole picture is the one a document run keeps.
    Run({"--scene", "2", "--size=157x101", "-n", "400", "--no-values", "--in-memory"}, "forced", false, kImages,
        std::size(kImages));
    for (const char* image : kImages)
        EXPECT_TRUE(test::ReadAll(Path(std::string("forced") + image)) ==
                    test::ReadAll(Path(std::string("whole") + image)))
            << image;
}

TEST_F(StreamedRender, TheValuePanelIsBlendedIntoStreamedRows)
{
    const auto probe = RunTool({"--scene", "3", "--size=220x160", "-n", "300", "-q", "-o", Path("values.bmp")});
    if (probe.status == 2 && probe.err.find("without the value panel") != std::string::npos)
        GTEST_SKIP() << "korvanta-render was built without the GUI";
    ASSERT_EQ(probe.status, 0) << probe.err;
    ASSERT_EQ(RunTool({"--scene", "3", "--size=220x160", "-n", "300", "--no-values", "-q", "-o", Path("plain.bmp")})
                  .status,
              0);
    ASSERT_NE(test::ReadAll(Path("values.bmp")), test::ReadAll(Path("plain.bmp"))) << "the panel must show";

    ExpectStreamedAsWhole({"--scene", "3", "--size=220x160", "-n", "300"});
    ExpectStreamedAsWhole({"--scene", "Apfelmaenchen", "--size=201x199", "-n", "200", "--values", "-t", "3"});
}

// The reference orbits are computed once, before the rows; every thread's copy reads them.
TEST_F(StreamedRender, DeepPicturesAreWrittenAsTheWholePicture)
{
    ExpectStreamedAsWhole({"--centre=1.7598171308048478136108250105617982382,0.0125933107997498653838",
                           "--radius=2e-14", "-n", "3000", "--size=61x47", "--no-values"});
    ExpectStreamedAsWhole({"--centre=1e-40,-1", "--radius=1e-40", "--size=31x23", "-c", "HSV", "-n", "2000",
                           "--no-values", "-t", "3"});
    ExpectStreamedAsWhole({"-f", "3", "--constant=0.3,0", "--centre=1.1,1e-330", "--radius=1e-330",
                           "--size=17x13", "-c", "HSV", "-n", "300", "--no-values"});
}

TEST_F(StreamedRender, ZoomFramesAreWrittenAsTheWholePictures)
{
    const std::vector<std::string> shallow{"--area=-2.5,1.5,-1.5,1.5", "--zoom-to=-0.75,-0.73,0.1,0.115",
                                           "--size=45x31", "-n", "250", "--frames=4", "--no-values"};
    const std::vector<std::string> deep{"--area=-0.76,-0.74,0.09,0.11",
                                        "--zoom-to=-0.75000000000000000001,-0.74999999999999999999,"
                                        "0.09999999999999999999,0.10000000000000000001",
                                        "--size=23x17", "-n", "400", "--frames=3", "--no-values"};
    for (const auto* frames : {&shallow, &deep}) {
        Run(*frames, "whole%02d", true, kImages, std::size(kImages));
        Run(*frames, "rows%02d", false, kImages, std::size(kImages));
        auto one = *frames;
        one.push_back("--frame=1");
        Run(one, "one%02d", false, kImages + 1, 1);
        const int count = frames == &shallow ? 4 : 3;
        for (int k = 0; k < count; ++k) {
            for (const char* image : kImages) {
                char number[8];
                std::snprintf(number, sizeof number, "%02d", k);
                const std::string whole = test::ReadAll(Path("whole" + std::string(number) + image));
                ASSERT_FALSE(whole.empty()) << k << image;
                EXPECT_TRUE(test::ReadAll(Path("rows" + std::string(number) + image)) == whole) << k << image;
            }
        }
        EXPECT_TRUE(test::ReadAll(Path("one01.bmp")) == test::ReadAll(Path("whole01.bmp")));
    }
}

// What cannot be written is reported as before, and the other outputs are still written.
TEST_F(StreamedRender, AFailedOutputIsReportedAndTheOthersWritten)
{
    const auto run = RunTool({"--size=40x30", "--no-aspect", "-n", "20", "--no-values", "-q", "-o",
                              Path("missing/x.png"), "-o", Path("x.bmp")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("missing/x.png: Error while saving file"), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::exists(Path("x.bmp")));
}

TEST_F(StreamedRender, VerboseTellsTheRateAndThePeakMemory)
{
    for (const char* document : {"x.bmp", "x.fra"}) {
        const auto run = RunTool({"--size=40x30", "--no-aspect", "-n", "50", "--no-values", "-q", "-v", "-o", Path(document)});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.err.find("korvanta-render: 1200 pixels in "), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(" million pixels/s; peak memory "), std::string::npos) << run.err;
        EXPECT_EQ(RunTool({"--size=40x30", "-q", "-o", Path(document)}).err, "");
    }
}

}  // namespace
}  // namespace korvanta
