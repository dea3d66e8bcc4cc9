#include "tools/korvanta-render/Options.h"
#include "tools/korvanta-render/PictureRequest.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

RenderOptions Parse(std::vector<std::string> args, std::string& error)
{
    args.insert(args.begin(), "korvanta-render");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return ParseRenderOptions(static_cast<int>(args.size()), argv.data(), error);
}

// The picture the options describe, or the reason it is refused.
std::string Refusal(std::vector<std::string> args)
{
    std::string error;
    const RenderOptions options = Parse(std::move(args), error);
    if (error.empty() && PreparePicture(options, [](const RenderSettings&) { return PixelBuffer{}; }, error))
        return {};
    return error.empty() ? "refused without a reason" : error;
}

TEST(RenderOptions, AnOptionWithoutItsValueIsNamed)
{
    for (auto [arg, name] : {std::pair{"--area", "--area"}, {"--output", "--output"}, {"-o", "-o"},
                             {"-n", "-n"}, {"--threads", "--threads"}}) {
        std::string error;
        Parse({"-q", arg}, error);
        EXPECT_EQ(error, std::string("option '") + name + "' needs a value");
    }
    std::string error;
    Parse({"-x"}, error);
    EXPECT_EQ(error, "unrecognized option '-x'");
}

TEST(RenderOptions, NumbersMustBeWholeTexts)
{
    for (const char* area : {"1.2.3,1,-1,1", "-1,1,-1,1,", "1e,2,-1,1", "inf,1,-1,1", "nan,1,-1,1",
                             "0x1p0,2,-1,1", " 1,2,-1,1", "1,2,-1,1 ", ",1,2,-1,1", "1,,2,-1"})
        EXPECT_NE(Refusal({"--area", area}).find("--area needs four numbers"), std::string::npos) << area;
    for (const char* constant : {"1,2,", "1.5.1,0", "1,2e"})
        EXPECT_NE(Refusal({"-f", "Julia", "--constant", constant}).find("--constant needs RE,IM"),
                  std::string::npos)
            << constant;
    for (const char* size : {"10x20x", "10x", "x10", "1e2x10", "+10x10"})
        EXPECT_NE(Refusal({"--size", size}).find("--size needs WIDTHxHEIGHT"), std::string::npos) << size;
    EXPECT_NE(Refusal({"-c", "HSV", "-n", "2147483648"}).find("--colors"), std::string::npos);

    EXPECT_EQ(Refusal({"--area", "+1,2e0,-1E-1,.5", "--size", "0020x10"}), "");
    EXPECT_EQ(Refusal({"-f", "Julia", "--constant", "-0.8,+0.156"}), "");
}

TEST(RenderOptions, ColoringsByNumberOrByAnyOfTheirNames)
{
    std::string error;
    auto coloringOf = [&](const char* wanted) {
        const RenderOptions options = Parse({"-c", wanted, "--size", "2x2"}, error);
        const auto job = PreparePicture(options, [](const RenderSettings&) { return PixelBuffer{}; }, error);
        return job ? std::string(job->Settings().m_pCol->GetRuntimeClass().m_lpszClassName) : error;
    };
    EXPECT_EQ(coloringOf("0"), coloringOf("Fantasy 2304"));
    EXPECT_EQ(coloringOf("2304"), "CFractCol2304");
    EXPECT_EQ(coloringOf("cfractcol2304"), "CFractCol2304");
    EXPECT_EQ(coloringOf("7"), "no coloring '7'");
}

TEST(RenderOptions, TheLargestCountIsAccepted)
{
    std::string error;
    const RenderOptions options = Parse({"-c", "HSV", "-n", "2147483647", "--size", "2x2"}, error);
    ASSERT_EQ(error, "");
    const auto job = PreparePicture(options, [](const RenderSettings&) { return PixelBuffer{}; }, error);
    ASSERT_NE(job, nullptr) << error;
    EXPECT_EQ(job->Settings().m_pCol->GetNumColors(), 2147483647);
}

TEST(RenderOptions, AreasWhoseFitLeavesTheSizeLimitsAreRefused)
{
    EXPECT_NE(Refusal({"--area=-1,1,-1e-300,1e-300"}).find("less than one pixel high"), std::string::npos);
    EXPECT_NE(Refusal({"--area=-1e-9,1e-9,-1000,1000", "--size=1000x1000"}).find("less than one pixel wide"),
              std::string::npos);
    EXPECT_NE(Refusal({"--area=-1e-6,1e-6,-1,1", "--size=1000x1000"}).find("more than 32000 pixels high"),
              std::string::npos);
    EXPECT_EQ(Refusal({"--area=-1e-6,1e-6,-1,1", "--size=1000x1000", "--no-aspect"}), "");
}

}  // namespace
}  // namespace korvanta
