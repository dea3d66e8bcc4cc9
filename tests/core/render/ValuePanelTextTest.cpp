#include "core/deep/FractAlgDeep.h"
#include "core/formulas/FractAlgJulia.h"
#include "core/render/ValuePanelText.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

TEST(ValuePanelText, NamePaddedAndRangesWithSixteenDigits)
{
    CFractAlgJulia julia;
    RenderSettings s = RenderSettings::ForArea(-0.3700558848150183, 1, -2.5e-300, 1e21, 10, 10);
    s.m_pAlg = &julia;
    const ValuePanelText text = ValuePanelTextOf(s);
    EXPECT_EQ(text.name, std::string(julia.GetName()) +
                             std::string(20 - std::string(julia.GetName()).size(), ' ') + " ");
    EXPECT_EQ(text.re, "Re ( -0.3700558848150183, 1 )");
    EXPECT_EQ(text.im, "Im ( -2.5E-300, 1E+21 )");

    // A name of 20 characters or more is kept whole, then the blank.
    class LongName : public CFractAlg {
    public:
        const char* GetName() const override { return "A formula with a long name"; }
    } longName;
    s.m_pAlg = &longName;
    EXPECT_EQ(ValuePanelTextOf(s).name, "A formula with a long name ");
}

// Both edges of a deep picture have the same first seventeen digits: the panel gives its
// centre and width instead, readable at any depth.
TEST(ValuePanelText, ADeepPictureShowsItsCentreAndWidth)
{
    CFractAlgDeepJulia deep;
    deep.SetLocation({"-0.75000000000000000000000000000000000001", "-0.74999999999999999999999999999999999999",
                      "1.2345e-400", "1.2346e-400"},
                     "0.3", "0.5");
    RenderSettings s = RenderSettings::ForArea(-0.75, -0.75, 0, 0, 10, 10);
    s.m_pAlg = &deep;
    const ValuePanelText text = ValuePanelTextOf(s);
    EXPECT_EQ(text.name, "Julia Set            ");
    EXPECT_EQ(text.re, "Centre ( -0.75, 1.23455E-400 )");
    // The zoom as the deep-zoom programs count it: 4 over the height of 1e-404.
    EXPECT_EQ(text.im, "Width 2E-38  Zoom 4E+404");
    const auto depth = DepthTextOf(s);
    ASSERT_TRUE(depth);
    EXPECT_EQ(depth->width, "Width 2E-38");
    EXPECT_EQ(depth->zoom, "Zoom 4E+404");
    s.m_pAlg = nullptr;
    EXPECT_FALSE(DepthTextOf(s));
}

}  // namespace
}  // namespace korvanta
