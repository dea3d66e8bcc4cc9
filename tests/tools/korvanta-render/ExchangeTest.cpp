#include "support/Pictures.h"
#include "support/ToolRuns.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

using test::RunTool;

class Exchange : public ::testing::Test {
protected:
    void SetUp() override { dir = test::TempDir(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }

    // Whether this korvanta-render draws the value panel (a build without the GUI does not).
    bool PanelAvailable()
    {
        const auto probe = RunTool({"--values", "--size=64x48", "-q", "-o", Path("probe.bmp")});
        return !(probe.status == 2 && probe.err.find("without the value panel") != std::string::npos);
    }

    // Renders `picture` as PNG and BMP, then from the PNG alone: the same BMP.
    void ExpectThePngRendersTheSameBytes(std::vector<std::string> picture, const std::string& stem)
    {
        if (!PanelAvailable())
            picture.push_back("--no-values");
        picture.insert(picture.end(), {"-q", "-o", Path(stem + ".png"), "-o", Path(stem + ".bmp")});
        const auto first = RunTool(picture);
        ASSERT_EQ(first.status, 0) << first.err;
        const auto again = RunTool({"-q", "--from=" + Path(stem + ".png"), "-o", Path(stem + "-again.bmp")});
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(test::ReadAll(Path(stem + "-again.bmp")), test::ReadAll(Path(stem + ".bmp"))) << stem;
    }

    std::filesystem::path dir;
};

// A sample scene, a Julia set with its values shown, a deep location and a frame of a zoom:
// each PNG brings back its picture byte for byte. (Merged bands write the whole run's PNG.)
TEST_F(Exchange, EveryPngRendersItsPictureAgain)
{
    ExpectThePngRendersTheSameBytes({"--scene", "9"}, "scene");
    ExpectThePngRendersTheSameBytes(
        {"-f", "Julia", "--constant=-0.7454294,0.113", "--values", "--size=260x190", "--area=-1.5,1.5,-1.1,1.1"},
        "julia");
    ExpectThePngRendersTheSameBytes({"--centre=1.7598171308048478136108250105617982382,0.0125933107997498653838",
                                     "--radius=2e-14", "--size=64x48", "-c", "RGB", "-n", "3000"},
                                    "deep");
    const auto frames = RunTool({"-q", "--size=64x48", "--frames=3", "--zoom-to=0.7,0.8,0.1,0.175", "-o",
                                 Path("frame-%d.png"), "-o", Path("frame-%d.bmp")});
    ASSERT_EQ(frames.status, 0) << frames.err;
    ASSERT_EQ(RunTool({"-q", "--from=" + Path("frame-1.png"), "-o", Path("frame-again.bmp")}).status, 0);
    EXPECT_EQ(test::ReadAll(Path("frame-again.bmp")), test::ReadAll(Path("frame-1.bmp")));
    // A standard tool reads the texts; the Julia set's panel fits, and is in them.
    EXPECT_EQ(test::RunShell("pngcheck -t " + test::ShellQuoted(Path("julia.png")) +
                             " | grep -q 'Julia Set, .*C ( -0.7454294, 0.113 )'"),
              0);
    if (PanelAvailable()) {
        EXPECT_EQ(test::RunShell("pngcheck -t " + test::ShellQuoted(Path("julia.png")) + " | grep -q 'Show values: yes'"),
                  0);
    }
}

// Options after --from change the picture as they change a scene's.
TEST_F(Exchange, OptionsOverrideWhatThePngSays)
{
    ASSERT_EQ(RunTool({"-q", "--scene", "0", "-o", Path("scene.png")}).status, 0);
    ASSERT_EQ(RunTool({"-q", "--from=" + Path("scene.png"), "--size=40x30", "-o", Path("small.bmp")}).status, 0);
    ASSERT_EQ(RunTool({"-q", "--scene", "0", "--size=40x30", "--no-aspect", "-o", Path("direct.bmp")}).status, 0);
    EXPECT_EQ(test::ReadAll(Path("small.bmp")), test::ReadAll(Path("direct.bmp")));
}

TEST_F(Exchange, PicturesWithoutParametersAreRefused)
{
    std::ofstream(Path("not.png")) << "not a picture";
    ASSERT_EQ(RunTool({"-q", "--scene", "0", "-o", Path("scene.png"), "-o", Path("scene.bmp")}).status, 0);
    test::ExpectRefused({
        {{"--from=" + Path("not.png"), "-o", Path("x.bmp")}, "Not a PNG file"},
        {{"--from=" + Path("scene.bmp"), "-o", Path("x.bmp")}, "Not a PNG file"},
        {{"--from=" + Path("missing.png"), "-o", Path("x.bmp")}, "cannot open"},
        {{"--from=" + Path("scene.png"), "--scene", "1", "-o", Path("x.bmp")}, "give one of them"},
        {{"--from=" + Path("scene.png"), "-d", Path("x.fra"), "-o", Path("x.bmp")}, "--document goes alone"},
    });
}

}  // namespace
}  // namespace korvanta

namespace korvanta {
namespace {

// The published 1e50 benchmark location, as the other programs write it (the usual set):
// here it is mirrored through the origin, and the picture is that of --centre and --radius.
TEST_F(Exchange, APublishedLocationComesInMirroredAndGoesOutAsItCame)
{
    const std::string re = "-0.0494700290631040937516922267273536301187457124882248793181049402326421947726869";
    const std::string im = "-0.6747875758446753640113920531305976563347707068224034806979997947909941983454845";
    std::ofstream(Path("published.kfr")) << "Re: " << re << "\r\nIm: " << im << "\r\nZoom: 1E50\r\nIterations: 2500\r\n";
    const auto imported = RunTool({"-q", "--location=" + Path("published.kfr"), "--size=48x32", "-c", "RGB", "-o",
                                   Path("imported.bmp"), "--write-location=" + Path("out.toml")});
    ASSERT_EQ(imported.status, 0) << imported.err;
    const auto direct = RunTool({"-q", "--centre=" + re.substr(1) + "," + im.substr(1), "--radius=2e-50", "--size=48x32",
                                 "-c", "RGB", "-n", "2500", "-o", Path("direct.bmp")});
    ASSERT_EQ(direct.status, 0) << direct.err;
    EXPECT_EQ(test::ReadAll(Path("imported.bmp")), test::ReadAll(Path("direct.bmp")));
    // Written back as the other programs write it: the same centre, plainly, to the digits the
    // picture needs, the same zoom.
    const std::string written = test::ReadAll(Path("out.toml"));
    EXPECT_NE(written.find("real = \"-0.049470029063104093751692226727353630118745712488224879318"), std::string::npos)
        << written;
    EXPECT_NE(written.find("imag = \"-0.67478757584467536401139205313059765633477070682240348069"), std::string::npos)
        << written;
    EXPECT_NE(written.find("zoom = \"1e+50\""), std::string::npos) << written;
    EXPECT_NE(written.find("iterations = 2500"), std::string::npos) << written;
    // And read again, the same picture.
    ASSERT_EQ(RunTool({"-q", "--location=" + Path("out.toml"), "--size=48x32", "-c", "RGB", "-o", Path("again.bmp")}).status,
              0);
    EXPECT_EQ(test::ReadAll(Path("again.bmp")), test::ReadAll(Path("direct.bmp")));
    // The key-value lines likewise, and no exponent in the centre.
    ASSERT_EQ(RunTool({"--location=" + Path("out.toml"), "--size=48x32", "--write-location=" + Path("out.kfr")}).status, 0);
    const std::string lines = test::ReadAll(Path("out.kfr"));
    EXPECT_EQ(lines.find("Re: -0.04947002906310409375169222672735363011874571248822487931"), 0u) << lines;
    EXPECT_EQ(lines.substr(0, lines.find("Zoom")).find_first_of("eE", 2), std::string::npos) << lines;
    ASSERT_EQ(RunTool({"-q", "--location=" + Path("out.kfr"), "--size=48x32", "-c", "RGB", "-o", Path("lines.bmp")}).status,
              0);
    EXPECT_EQ(test::ReadAll(Path("lines.bmp")), test::ReadAll(Path("direct.bmp")));
}

TEST_F(Exchange, BadLocationsAreRefused)
{
    std::ofstream(Path("good.kfr")) << "Re: -0.75\nIm: 0\nZoom: 1\n";
    std::ofstream(Path("zero.kfr")) << "Re: -0.75\nIm: 0\nZoom: 0\n";
    std::ofstream(Path("partial.kfr")) << "Re: -0.75\nZoom: 1\n";
    ASSERT_EQ(RunTool({"-q", "--scene", "4", "-o", Path("julia.png")}).status, 0);
    test::ExpectRefused({
        {{"--location=" + Path("zero.kfr"), "-o", Path("x.bmp")}, "--location: "},
        {{"--location=" + Path("partial.kfr"), "-o", Path("x.bmp")}, "Im"},
        {{"--location=" + Path("missing.kfr"), "-o", Path("x.bmp")}, "Unable to open"},
        {{"--location=" + Path("good.kfr"), "--area=0,1,0,1", "-o", Path("x.bmp")}, "leave out --area"},
        {{"--from=" + Path("julia.png"), "--write-location=" + Path("x.kfr")}, "Mandelbrot"},
    });
    EXPECT_FALSE(std::filesystem::exists(Path("x.kfr")));
}

}  // namespace
}  // namespace korvanta
