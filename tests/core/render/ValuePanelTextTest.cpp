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

}  // namespace
}  // namespace korvanta
