#include "core/colorings/ColoringList.h"
#include "core/exchange/LocationFields.h"
#include "core/exchange/LocationFile.h"
#include "core/deep/DeepLocation.h"
#include "support/ExactNumbers.h"

#include <gtest/gtest.h>

#include <string>

namespace korvanta {
namespace {

using test::Exact;

Location Read(std::string_view text)
{
    auto read = ReadLocation(text);
    if (const auto* problem = std::get_if<std::string>(&read)) {
        ADD_FAILURE() << *problem << "\nreading:\n" << text.substr(0, 300);
        return {};
    }
    return std::get<Location>(read);
}

std::string Problem(std::string_view text)
{
    const auto read = ReadLocation(text);
    const auto* problem = std::get_if<std::string>(&read);
    return problem ? *problem : "(read as a location)";
}

void ExpectSame(const Location& got, const Location& want)
{
    EXPECT_EQ(got.re, want.re);
    EXPECT_EQ(got.im, want.im);
    EXPECT_EQ(got.zoom, want.zoom);
    EXPECT_EQ(got.iterations, want.iterations);
    EXPECT_EQ(got.power, want.power);
}

RenderFields Placed(const Location& location, RenderFields current)
{
    auto placed = FieldsFromLocation(location, std::move(current));
    if (const auto* problem = std::get_if<std::string>(&placed)) {
        ADD_FAILURE() << *problem;
        return {};
    }
    return std::get<RenderFields>(placed);
}

Exact Midpoint(const std::string& a, const std::string& b)
{
    return test::Between(Exact(a), Exact(b), 1, 2);
}

// --- Reading ---------------------------------------------------------------------------------

TEST(LocationFile, ReadsTheKeyValueFormPassingOverOtherKeys)
{
    const Location got = Read("Re: -0.75\r\nIm: 0.1\r\n\r\nZoom: 5E113\r\nIterations: 4036\r\n"
                              "ColorMethod: 7\r\nPower: 3\r\nFractalType: 0\r\nColors: 255,255,255,\r\n");
    ExpectSame(got, {"-0.75", "0.1", "5E113", 4036, 3});
    // Without Iterations and Power; blank lines with spaces, no final line end.
    ExpectSame(Read("  \nZoom:1.2e-3\nRe:  +1\t\nIm: -2e-5"), {"+1", "-2e-5", "1.2e-3", std::nullopt, 2});
}

TEST(LocationFile, ReadsTheTomlTableAndDottedKeysSkippingEverythingElse)
{
    const Location got = Read("# written by another program\n"
                              "program = \"fraktaler-3\"\n"
                              "version = \"3\"\n"
                              "[render]\n"
                              "# a string over lines that looks like the keys must not count\n"
                              "shader = \"\"\"\n[location]\nreal = \"9\"\n\"\"\"\n"
                              "sizes = [ 1, [2, \"]\" ], # comment ]\n 3 ]\n"
                              "[location]\n"
                              "real = \"-1.5\"   # centre\n"
                              "imag = '0.25'\n"
                              "zoom = \"1e14\"\r\n"
                              "[bailout]\n"
                              "iterations = 1_024\n"
                              "maximum_reference_iterations = 100000\n"
                              "[[colours]]\n"
                              "real = 7\n");
    ExpectSame(got, {"-1.5", "0.25", "1e14", 1024, 2});
    ExpectSame(Read("location.real = \"2\"\nlocation . imag = \"-3\"\n\"location\".zoom = \"4\"\n"),
               {"2", "-3", "4", std::nullopt, 2});
}

TEST(LocationFile, WritesExactlyItsKeysAndReadsThemBack)
{
    const Location cubic{"-0.75", "1e-3", "4e+14", 600, 3};
    EXPECT_EQ(WriteLocation(cubic, LocationForm::KeyValue),
              "Re: -0.75\nIm: 1e-3\nZoom: 4e+14\nIterations: 600\nPower: 3\n");
    const Location plain{"1", "2", "3", 100, 2};
    EXPECT_EQ(WriteLocation(plain, LocationForm::Toml),
              "[location]\nreal = \"1\"\nimag = \"2\"\nzoom = \"3\"\n\n[bailout]\niterations = 100\n");
    for (const Location& location : {cubic, plain, Location{"0", "-0", "1", std::nullopt, 2}}) {
        ExpectSame(Read(WriteLocation(location, LocationForm::KeyValue)), location);
        if (location.power == 2)
            ExpectSame(Read(WriteLocation(location, LocationForm::Toml)), location);
    }
    EXPECT_EQ(LocationFormOfName("/home/u/deep.TOML"), LocationForm::Toml);
    EXPECT_EQ(LocationFormOfName("a.toml"), LocationForm::Toml);
    EXPECT_EQ(LocationFormOfName("deep.kfr"), LocationForm::KeyValue);
    EXPECT_EQ(LocationFormOfName("toml"), LocationForm::KeyValue);
}

TEST(LocationFile, RefusesMissingTwiceNamedAndMistypedKeysByName)
{
    const std::pair<std::string_view, const char*> cases[] = {
        {"Im: 0\nZoom: 1\n", "The location has no Re: line"},
        {"Re: 0\nIm: 0\n", "The location has no Zoom: line"},
        {"re: 0\nIm: 0\nZoom: 1\n", "The location has no Re: line"},
        {"Re: 0\nIm: 0\nZoom: 1\nRe: 1\n", "The location names Re twice"},
        {"Re: 0\nIm: 0\nZoom: 1\nIterations: 9\nIterations: 9\n", "names Iterations twice"},
        {"Re: 0x10\nIm: 0\nZoom: 1\n", "Re is not a decimal number: \"0x10\""},
        {"Re: 0\nIm: \nZoom: 1\n", "Im is not a decimal number"},
        {"Re: 0\nIm: 1e999999999999\nZoom: 1\n", "Im is beyond the range"},
        {"Re: 0\nIm: 1e9e9\nZoom: 1\n", "Im is not a decimal number"},
        {"Re: 0\nIm: 1e999999999\nZoom: 1\n", "Im is beyond the range"},
        {"Re: 2e10\nIm: 0\nZoom: 1\n", "Re must lie between -1e10 and 1e10"},
        {"Re: 0\nIm: 0\nZoom: 1\nIterations: 0\n", "Iterations must be a whole number from 1 to 2147483647"},
        {"Re: 0\nIm: 0\nZoom: 1\nIterations: 2147483648\n", "Iterations must be a whole number from 1"},
        {"Re: 0\nIm: 0\nZoom: 1\nIterations: 99999999999999999999999\n", "Iterations must be a whole number"},
        {"Re: 0\nIm: 0\nZoom: 1\nIterations: -5\n", "Iterations must be a whole number"},
        {"Re: 0\nIm: 0\nZoom: 1\nIterations: 1.5\n", "Iterations must be a whole number"},
        {"Re: 0\nIm: 0\nZoom: 1\nPower: 4\n", "power 2 and 3 only; the location has power 4"},
        {"Re: 0\nIm: 0\nZoom: 1\nPower: two\n", "Power must be a whole number"},
        {"[location]\nimag = \"0\"\nzoom = \"1\"\n", "The location has no location.real"},
        {"[location]\nreal = \"0\"\nimag = \"0\"\nzoom = \"1\"\nreal = \"0\"\n", "names location.real twice"},
        {"[location]\nreal = -0.75\nimag = \"0\"\nzoom = \"1\"\n",
         "Line 2 of the location: location.real must be a decimal number in quotes"},
        {"[location]\nreal = \"0\"\nimag = \"0\"\nzoom = \"1\"\n[bailout]\niterations = \"100\"\n",
         "Line 6 of the location: bailout.iterations must be a whole number"},
        {"[location]\nreal = \"0\"\nimag = \"0\"\nzoom = \"nan\"\n", "location.zoom is not a decimal number"},
        {"[location]\nreal = \"0\nimag = \"0\"\n", "Line 2 of the location has a string that does not end"},
        {"x = \"\"\"\nreal\n", "Line 1 of the location has a string that does not end"},
        {"x = [1,\n2\n", "Line 1 of the location opens an array or table that does not close"},
        {"[location\nreal = \"0\"\n", "Line 1 of the location has a table name without its ]"},
        {"[location]\nreal = \"0\" imag = \"0\"\n", "Line 2 of the location has more after its value"},
        {"[location]\nreal\n", "Line 2 of the location is neither a [table] nor key = value"},
        {"[location]\nreal =\n", "Line 2 of the location has a key without a value"},
        {"", "The location has no Re: line"},
        {std::string_view("\0\xff\x01", 3), "The location has no Re: line"},
    };
    for (const auto& [text, want] : cases)
        EXPECT_NE(Problem(text).find(want), std::string::npos) << text << "\ngave: " << Problem(text);
}

TEST(LocationFile, RefusesZoomsBeyondTheDeepEngineAndBelowAnyView)
{
    const auto zoomProblem = [](const std::string& zoom) { return Problem("Re: 0\nIm: 0\nZoom: " + zoom + "\n"); };
    for (const char* zoom : {"0", "-0", "-1e5", "-1e999999999"})
        EXPECT_NE(zoomProblem(zoom).find("Zoom must be a number above 0"), std::string::npos) << zoom;
    for (const char* zoom : {"NaN", "inf", "1e", "1,5", "1e5e5"})
        EXPECT_NE(zoomProblem(zoom).find("Zoom is not a decimal number"), std::string::npos) << zoom;
    for (const char* zoom : {"1e19750", "1e999999999"})
        EXPECT_NE(zoomProblem(zoom).find("Zoom is deeper than Korvanta goes"), std::string::npos) << zoom;
    for (const char* zoom : {"9.9e-11", "1e-999999999"})
        EXPECT_NE(zoomProblem(zoom).find("Zoom must be at least 1e-10"), std::string::npos) << zoom;
    // Both ends of what is taken: the deepest zoom fits even the tallest picture.
    for (const char* zoom : {"1e-10", "1e19700"}) {
        const Location location = Read(std::string("Re: 0.1\nIm: 0\nZoom: ") + zoom + "\n");
        RenderFields tall;
        tall.width = "32000", tall.height = "32000";
        const RenderFields placed = Placed(location, tall);
        EXPECT_TRUE(std::holds_alternative<DeepLocation>(
            DeepLocation::Make({placed.xStart, placed.xEnd, placed.yStart, placed.yEnd}, 32000, 32000, 1)))
            << zoom;
    }
}

TEST(LocationFile, RefusesOversizedInputsBeforeReadingThem)
{
    const std::string huge(kLargestLocationFile + 1, '1');
    EXPECT_NE(Problem(huge).find("too large for a location"), std::string::npos);
    const std::string longRe = "Re: 0." + std::string(kLongestDeepText, '1') + "\nIm: 0\nZoom: 1\n";
    EXPECT_EQ(Problem(longRe), "Re has more than 1000000 characters");
    // A million digits are still a location.
    const std::string longest = "Re: 0." + std::string(kLongestDeepText - 2, '1') + "\nIm: 0\nZoom: 1\n";
    EXPECT_EQ(Read(longest).re.size(), kLongestDeepText);
}

// --- Placing in the fields -------------------------------------------------------------------

// The benchmark location of the usual set lands on its mirror image here.
TEST(LocationFields, PublishedLocationLandsMirroredWithItsHalfHeight)
{
    const Location location = Read("Re: -1.759817130804847813610825010561798238243999999999999999999800\r\n"
                                   "Im: -0.012593310799749865383746631843264858450340000000000000000000\r\n"
                                   "Zoom: 1e14\r\nIterations: 4036\r\n");
    RenderFields current;
    current.width = "640", current.height = "480";
    const RenderFields f = Placed(location, current);
    const Exact pixel = test::Step(Exact(f.yStart), Exact(f.yEnd), 480);
    EXPECT_LT(test::Apart(Midpoint(f.xStart, f.xEnd),
                          Exact("1.759817130804847813610825010561798238243999999999999999999800"), pixel),
              1e-6);
    EXPECT_LT(test::Apart(Midpoint(f.yStart, f.yEnd),
                          Exact("0.012593310799749865383746631843264858450340000000000000000000"), pixel),
              1e-6);
    EXPECT_LT(test::Apart(test::Step(Exact(f.yStart), Exact(f.yEnd), 2), Exact("2e-14"), pixel), 1e-6);
    EXPECT_LT(test::Apart(test::Step(Exact(f.xStart), Exact(f.xEnd), 2), Exact("2.6666666666666666666667e-14"), pixel),
              1e-6);
    EXPECT_EQ(f.formula, 0);
    EXPECT_EQ(f.colors, "4036");
    EXPECT_EQ(f.aspectRatio, 0);
    EXPECT_EQ(f.width, "640");
    EXPECT_EQ(f.height, "480");
}

TEST(LocationFields, ShallowLocationGivesTheMirroredArea)
{
    RenderFields current;
    current.width = "300", current.height = "200";
    current.cRe = "0.3";
    const RenderFields f = Placed(Read("Re: -0.75\nIm: 0.1\nZoom: 1\n"), current);
    for (auto [got, want] : {std::pair{f.yStart, "-2.1"}, std::pair{f.yEnd, "1.9"}, std::pair{f.xStart, "-2.25"},
                             std::pair{f.xEnd, "3.75"}}) {
        const Exact read(got);
        ASSERT_TRUE(read.ok) << got;
        EXPECT_EQ(mpfr_cmp(read.v, Exact(want).v), 0) << got << " for " << want;
    }
    EXPECT_EQ(f.cRe, "0.3");
    EXPECT_EQ(f.colors, "");  // no iterations: the coloring keeps its own number
    EXPECT_EQ(Placed(Read("Re: 0\nIm: 0\nZoom: 1\nPower: 3\n"), current).formula, 1);
}

TEST(LocationFields, IterationsGoToAColoringThatTakesANumber)
{
    const auto count = static_cast<std::int32_t>(ColoringClasses().size());
    std::int32_t firstTaking = -1, lastTaking = -1, notTaking = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        if (CreateColoring(i)->CanSetNumColors()) {
            firstTaking = firstTaking < 0 ? i : firstTaking;
            lastTaking = i;
        } else {
            notTaking = i;
        }
    }
    ASSERT_GE(firstTaking, 0);
    ASSERT_GE(notTaking, 0);
    ASSERT_NE(firstTaking, lastTaking);
    const Location location = Read("Re: 0\nIm: 0\nZoom: 1\nIterations: 500\n");
    RenderFields current;
    current.coloring = lastTaking;
    EXPECT_EQ(Placed(location, current).coloring, lastTaking);
    current.coloring = notTaking;
    EXPECT_EQ(Placed(location, current).coloring, firstTaking);
    current.coloring = count + 5;
    EXPECT_EQ(Placed(location, current).coloring, firstTaking);
}

TEST(LocationFields, RefusesWhatHasNoPlaceInTheFieldsOrNoLocation)
{
    const Location location{"0", "0", "1", std::nullopt, 2};
    RenderFields current;
    current.height = "0";
    EXPECT_NE(std::get<std::string>(FieldsFromLocation(location, current)).find("from 1 to 32000"),
              std::string::npos);
    EXPECT_NE(std::get<std::string>(FieldsFromLocation({"0", "0", "1", std::nullopt, 5}, RenderFields{}))
                  .find("power 5"),
              std::string::npos);
    EXPECT_NE(std::get<std::string>(FieldsFromLocation({"0", "0", "0", std::nullopt, 2}, RenderFields{})).find("above 0"),
              std::string::npos);

    const auto problem = [](RenderFields f) {
        const auto got = LocationOfFields(f);
        return std::holds_alternative<std::string>(got) ? std::get<std::string>(got) : "(a location)";
    };
    RenderFields f;
    f.formula = 2;
    EXPECT_NE(problem(f).find("Only the two Mandelbrot formulas"), std::string::npos);
    f = {};
    f.xEnd = "1x";
    EXPECT_EQ(problem(f), messages::kIllegalXEnd);
    f = {};
    f.yStart = "1";
    EXPECT_EQ(problem(f), messages::kYTooClose);
    f = {};
    f.yStart = "2";
    EXPECT_NE(problem(f).find("the right way round"), std::string::npos);
    f = {};
    f.width = "40000";
    EXPECT_NE(problem(f).find("from 1 to 32000"), std::string::npos);
    f = {};
    f.yStart = "-1e11", f.yEnd = "1e11";
    EXPECT_NE(problem(f).find("Zoom must be at least 1e-10"), std::string::npos);
}

// Fields to a location, through a file of either form, and back to fields: the same picture.
// The zoom has 17 digits and the half height comes back to 25, so the edges agree to within
// 1e-9 of a pixel rather than digit for digit; the area must fit its size, since a location
// keeps only the height.
TEST(LocationFields, RoundTripThroughEitherFormKeepsTheArea)
{
    struct Case {
        const char *xStart, *xEnd, *yStart, *yEnd, *width, *height;
        std::int32_t formula;
    };
    const std::string deep(300, '3');
    const std::string deepX0 = "-1.7" + deep + "7", deepX1 = "-1.7" + deep + "1";
    const std::string deepY0 = "0.2" + deep + "1", deepY1 = "0.2" + deep + "5";
    const Case cases[] = {
        {"-2.5", "1.5", "-1.5", "1.5", "400", "300", 0},
        {"0.1", "0.3", "-1", "-0.9", "64", "32", 1},
        {"1.0000000000000000000000000000000000000000000000001", "1.0000000000000000000000000000000000000000000000005",
         "-0.5", "-0.4999999999999999999999999999999999999999999999998", "640", "320", 0},
        {deepX0.c_str(), deepX1.c_str(), deepY0.c_str(), deepY1.c_str(), "300", "200", 0},
    };
    for (const Case& c : cases) {
        RenderFields f;
        f.xStart = c.xStart, f.xEnd = c.xEnd, f.yStart = c.yStart, f.yEnd = c.yEnd;
        f.width = c.width, f.height = c.height, f.formula = c.formula;
        f.colors = "777";
        f.aspectRatio = 1;
        const auto made = LocationOfFields(f);
        ASSERT_TRUE(std::holds_alternative<Location>(made)) << std::get<std::string>(made);
        const Location location = std::get<Location>(made);
        EXPECT_EQ(location.iterations, 777);
        EXPECT_EQ(location.power, c.formula == 1 ? 3 : 2);
        for (const LocationForm form : {LocationForm::KeyValue, LocationForm::Toml}) {
            if (form == LocationForm::Toml && location.power != 2)
                continue;
            RenderFields current;
            current.width = f.width, current.height = f.height;
            const RenderFields back = Placed(Read(WriteLocation(location, form)), current);
            const Exact pixel = test::Step(Exact(f.yStart), Exact(f.yEnd), std::stod(f.height));
            for (auto [got, want] : {std::pair{back.xStart, f.xStart}, std::pair{back.xEnd, f.xEnd},
                                     std::pair{back.yStart, f.yStart}, std::pair{back.yEnd, f.yEnd}})
                EXPECT_LT(test::Apart(Exact(got), Exact(want), pixel), 1e-9) << got << " for " << want;
            EXPECT_EQ(back.formula, c.formula);
            EXPECT_EQ(back.colors, "777");
            EXPECT_EQ(back.aspectRatio, 0);
        }
    }
}

}  // namespace
}  // namespace korvanta
