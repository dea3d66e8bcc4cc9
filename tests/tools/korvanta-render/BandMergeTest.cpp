#include "support/Pictures.h"
#include "support/ToolRuns.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace korvanta {
namespace {

using test::RunTool;

const char* const kExtensions[] = {".fra", ".png", ".bmp", ".tga", ".wmf"};

class BandMerge : public ::testing::Test {
protected:
    void SetUp() override { dir = test::TempDir(::testing::UnitTest::GetInstance()->current_test_info()->name()); }

    std::string Path(const std::string& name) const { return (dir / name).string(); }

    // Every output format of one run, under `stem`.
    std::vector<std::string> Outputs(const std::string& stem) const
    {
        std::vector<std::string> args;
        for (const char* extension : kExtensions) {
            args.push_back("-o");
            args.push_back(Path(stem + extension));
        }
        return args;
    }

    // Renders the picture in `bands` bands and merges them into every format under `stem`.
    void RenderInBands(const std::vector<std::string>& picture, std::int32_t bands, const std::string& stem)
    {
        std::vector<std::string> merge{"--merge"};
        for (std::int32_t k = 0; k < bands; ++k) {
            const std::string band = Path(stem + "-" + std::to_string(k) + ".band");
            auto args = picture;
            args.insert(args.end(), {"-q", "--band", std::to_string(k) + "/" + std::to_string(bands), "-o", band});
            const auto run = RunTool(args);
            ASSERT_EQ(run.status, 0) << run.err;
            merge.push_back(band);
        }
        const auto outputs = Outputs(stem);
        merge.insert(merge.end(), outputs.begin(), outputs.end());
        const auto run = RunTool(merge);
        ASSERT_EQ(run.status, 0) << run.err;
        for (std::int32_t k = 0; k < bands; ++k)
            std::filesystem::remove(Path(stem + "-" + std::to_string(k) + ".band"));
    }

    // The picture whole, then in 1, 2, 3, 7 and `height` bands: every format is byte for byte
    // the whole run's.
    void ExpectBandsMergeToTheWholePicture(const std::vector<std::string>& picture)
    {
        auto whole = picture;
        whole.push_back("-q");
        const auto outputs = Outputs("whole");
        whole.insert(whole.end(), outputs.begin(), outputs.end());
        const auto run = RunTool(whole);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string bmp = test::ReadAll(Path("whole.bmp"));
        ASSERT_GE(bmp.size(), 26u);
        const auto height = static_cast<std::int32_t>(static_cast<unsigned char>(bmp[22]) |
                                                      static_cast<unsigned char>(bmp[23]) << 8);
        for (const std::int32_t bands : {1, 2, 3, 7, height}) {
            const std::string stem = "merged" + std::to_string(bands);
            RenderInBands(picture, bands, stem);
            for (const char* extension : kExtensions)
                EXPECT_TRUE(test::ReadAll(Path(stem + extension)) == test::ReadAll(Path(std::string("whole") + extension)))
                    << bands << " bands, " << extension;
        }
    }

    std::filesystem::path dir;
};

TEST_F(BandMerge, EveryFormulaFamilyMergesToTheWholePictureInEveryFormat)
{
    for (int formula = 0; formula < 8; ++formula) {
        SCOPED_TRACE("formula " + std::to_string(formula));
        ExpectBandsMergeToTheWholePicture({"-f", std::to_string(formula), "-c", std::to_string(formula % 7), "-n",
                                           "150", "--constant=-0.75,0.1", "--area=-1.7,1.3,-1.1,1.2",
                                           "--size=31x23", "--no-aspect", "--no-values"});
    }
}

// Deep pictures: the reference orbits are computed afresh for each band, to the same bits.
TEST_F(BandMerge, DeepPicturesMergeToTheWholePicture)
{
    ExpectBandsMergeToTheWholePicture({"--centre=1e-40,-1", "--radius=1e-40", "--size=31x23", "-c", "HSV", "-n",
                                       "2000", "--no-values"});
    ExpectBandsMergeToTheWholePicture({"-f", "3", "--constant=0.3,0", "--centre=1.1,1e-330",
                                       "--radius=1e-330", "--size=17x13", "-c", "HSV", "-n", "300", "--no-values"});
}

// The value panel is blended into the rows it covers; bands of such a picture carry it too.
TEST_F(BandMerge, PicturesWithTheValuePanelMergeToTheWholePicture)
{
    const std::vector<std::string> julia{"--scene", "3", "--size=220x160", "-n", "300"};
    const auto probe = RunTool({"--scene", "3", "--size=220x160", "-n", "300", "-q", "-o", Path("values.bmp")});
    if (probe.status == 2 && probe.err.find("without the value panel") != std::string::npos)
        GTEST_SKIP() << "korvanta-render was built without the GUI";
    ASSERT_EQ(probe.status, 0) << probe.err;
    ASSERT_EQ(RunTool({"--scene", "3", "--size=220x160", "-n", "300", "--no-values", "-q", "-o", Path("plain.bmp")}).status, 0);
    ASSERT_NE(test::ReadAll(Path("values.bmp")), test::ReadAll(Path("plain.bmp"))) << "the panel must show";

    ExpectBandsMergeToTheWholePicture(julia);
    ExpectBandsMergeToTheWholePicture({"--scene", "Apfelmaenchen", "--size=200x200", "-n", "200"});
}

// Bands rendered with the panel drawn differently (another machine's fonts, say) are of
// another picture.
TEST_F(BandMerge, BandsOfAnotherPictureAreRefused)
{
    const std::vector<std::string> picture{"-c", "HSV", "-n", "300", "--size=40x30", "--no-aspect", "-q", "--no-values"};
    auto band = [&](const std::string& name, const std::string& k, std::vector<std::string> extra = {}) {
        auto args = picture;
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"--band", k, "-o", Path(name)});
        ASSERT_EQ(RunTool(args).status, 0);
    };
    band("a0", "0/2");
    band("b1", "1/2", {"-n", "99"});
    band("c1", "1/2", {"--area=-1,1,-1,1.0000001"});
    band("d1", "1/2", {"-f", "1"});
    for (const char* other : {"b1", "c1", "d1"}) {
        const auto run = RunTool({"--merge", Path("a0"), Path(other), "-o", Path("out.png")});
        EXPECT_EQ(run.status, 2) << other;
        EXPECT_NE(run.err.find("'" + Path(other) + "' belongs to another picture than '" + Path("a0") + "'"),
                  std::string::npos)
            << run.err;
        EXPECT_FALSE(std::filesystem::exists(Path("out.png")));
    }
}

TEST_F(BandMerge, EachKindOfBadBandSetIsRefusedByNameWritingNothing)
{
    const std::vector<std::string> picture{"-f", "Julia", "--constant=-0.75,0.1", "--size=40x30", "--no-aspect",
                                           "-q", "--no-values"};
    auto band = [&](const std::string& k, const std::string& name) {
        auto args = picture;
        args.insert(args.end(), {"--band", k, "-o", Path(name)});
        const auto run = RunTool(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return Path(name);
    };
    const std::string b0 = band("0/3", "b0.band"), b1 = band("1/3", "b1.band"), b2 = band("2/3", "b2.band");
    const std::string half = band("1/2", "half.band");
    std::filesystem::copy_file(b1, Path("copy.band"));
    const std::string copy = Path("copy.band");
    const std::string text = test::ReadAll(b1);
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    };
    const std::string truncated = write("truncated.band", text.substr(0, text.size() - 1));
    std::string flipped = text;
    flipped[text.size() / 2] ^= 1;
    const std::string corrupt = write("corrupt.band", flipped);
    const std::string picture1 = write("picture.png", "\x89PNG\r\n\x1a\n");

    struct Case {
        std::vector<std::string> bands;
        std::string message;
    };
    const Case cases[] = {
        {{b0, b2}, "rows 10 to 19 of the picture are in none of the files given: band 1/3 is missing"},
        {{b0}, "rows 10 to 29 of the picture are in none of the files given: bands 1/3, 2/3 are missing"},
        {{b2, b1}, "rows 0 to 9 of the picture are in none of the files given: band 0/3 is missing"},
        {{b0, b1, b1, b2}, "'" + b1 + "' is given twice"},
        {{b0, b1, copy, b2}, "'" + b1 + "' and '" + copy + "' are both band 1/3 of the picture"},
        {{b0, b1, half, b2}, "'" + b1 + "' and '" + half + "' both hold rows 15 to 19"},
        {{b0, truncated, b2}, "'" + truncated + "': truncated: band 1/3 takes"},
        {{b0, corrupt, b2}, "'" + corrupt + "': corrupt: its checksum does not match its contents"},
        {{b0, picture1, b2}, "'" + picture1 + "': not a band file of korvanta-render"},
        {{b0, Path("absent.band"), b2}, "'" + Path("absent.band") + "': cannot open it"},
        {{b0, dir.string(), b2}, "'" + dir.string() + "': cannot open it"},
        {{}, "no band files given"},
    };
    const auto before = std::distance(std::filesystem::directory_iterator(dir), {});
    for (const Case& c : cases) {
        std::vector<std::string> args{"--merge"};
        args.insert(args.end(), c.bands.begin(), c.bands.end());
        args.insert(args.end(), {"-o", Path("out.png"), "-o", Path("out.fra")});
        const auto run = RunTool(args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), before) << c.message;
    }
    const auto good = RunTool({"--merge", b2, b0, b1, "-o", Path("out.png")});
    EXPECT_EQ(good.status, 0) << good.err;
}

TEST_F(BandMerge, BandAndMergeCommandLinesAreChecked)
{
    test::ExpectRefused({
        {{"--band", "3/3", "-o", "x.band"}, "--band needs K/N, band K (0 to N-1) of N, e.g. 3/8; not '3/3'"},
        {{"--band", "-1/3", "-o", "x.band"}, "--band needs K/N"},
        {{"--band", "1/0", "-o", "x.band"}, "--band needs K/N"},
        {{"--band", "1/3x", "-o", "x.band"}, "--band needs K/N"},
        {{"--band", "0/201", "-o", "x.band"}, "--band 0/201: the picture has 200 rows, so at most 200 bands"},
        {{"--band", "0/2", "-o", "x.png"}, "'x.png': --band writes a band file, not a picture"},
        {{"--band", "0/2", "-o", "a.band", "-o", "b.band"}, "give exactly one -o FILE"},
        {{"--band", "0/2"}, "give exactly one -o FILE"},
        {{"--band", "0/2", "--document", "x.fra", "-o", "a.band"}, "--band renders a new picture"},
        {{"--merge", "a.band", "--size=20x20", "-o", "x.png"}, "--merge takes band files and -o FILE only"},
        {{"--merge", "a.band", "-o", "x.band"}, "the name must end in"},
        {{"--merge", "a.band"}, "no output given"},
        {{"a.band", "-o", "x.png"}, "unexpected argument 'a.band'"},
    });
}

}  // namespace
}  // namespace korvanta
