#include "support/GuiFixture.h"

#include "gui/overlay/ValueOverlay.h"

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

class ValueOverlay : public GuiTest {
protected:
    CFractalWnd* RenderWithValues(bool values, const char* width, const char* height)
    {
        SetArea("-2", "2", "-2", "2");
        SetSize(width, height);
        Check(kIdAspectRatio)->setChecked(false);
        Check(kIdShowValues)->setChecked(values);
        CFractalWnd* window = Render();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(WaitFor([&] { return window->Job().Finished(); }));
        return window;
    }
};

TEST_F(ValueOverlay, PanelIsARaisedGrayBoxWithBlackText)
{
    RenderSettings s;
    auto alg = std::make_unique<CFractAlg>();
    s.m_pAlg = alg.get();
    s.m_dXStart = -0.3700558848150183;
    s.m_dXEnd = 1;
    const PixelBuffer panel = BuildValueOverlay(s);
    ASSERT_FALSE(panel.empty());
    const int w = panel.width(), h = panel.height();
    // Bottom-up: the top-left corner on screen is the last buffer row.
    EXPECT_EQ(panel.at(0, h - 1), 0xFFFFFFu);
    EXPECT_EQ(panel.at(w - 1, 0), 0x666666u);
    EXPECT_EQ(panel.at(w / 2, 1), 0x666666u);   // bottom bevel, second line
    EXPECT_EQ(panel.at(4, 4), 0xDDDDDDu);       // fill just inside the bevel
    std::size_t black = 0, other = 0;
    for (std::size_t i = 0; i < panel.size(); ++i) {
        const std::uint32_t v = panel.data()[i];
        black += v == 0;
        other += v != 0 && v != 0xDDDDDD && v != 0xFFFFFF && v != 0x666666;
    }
    EXPECT_GT(black, 100u);
    EXPECT_EQ(other, 0u) << "text must be drawn without antialiasing";
    // Longer coordinates make a wider panel.
    s.m_dXEnd = 0.1234567890123456;
    EXPECT_GT(BuildValueOverlay(s).width(), w);
}

TEST_F(ValueOverlay, PixelsUnderThePanelFollowTheBlendRule)
{
    const CFractalWnd* plain = RenderWithValues(false, "400", "300");
    const CFractalWnd* shown = RenderWithValues(true, "400", "300");
    ASSERT_EQ(shown->Job().Settings().m_bShowValues, 1);
    const PixelBuffer& overlay = shown->Job().Overlay();
    const int rowOffset = 300 - overlay.height(), colOffset = 400 - overlay.width();
    int blended = 0, text = 0;
    for (int row = 0; row < 300; ++row) {
        for (int col = 0; col < 400; ++col) {
            const std::uint32_t v = plain->Job().Pixels().at(col, row);
            const std::uint32_t got = shown->Job().Pixels().at(col, row);
            if (row <= rowOffset || col <= colOffset) {
                ASSERT_EQ(got, v) << col << "," << row;
                continue;
            }
            const std::uint32_t o = overlay.at(col - colOffset, row - rowOffset);
            std::uint32_t expected = 0;
            if (o != 0) {
                for (int shift = 0; shift < 24; shift += 8)
                    expected |= ((((v >> shift) & 0xFF) / 2) + (((o >> shift) & 0xFF) / 2)) << shift;
                ++blended;
            } else {
                ++text;
            }
            ASSERT_EQ(got, expected) << col << "," << row;
        }
    }
    EXPECT_GT(blended, 1000);
    EXPECT_GT(text, 50);
}

TEST_F(ValueOverlay, APictureSmallerThanThePanelHasNone)
{
    const CFractalWnd* small = RenderWithValues(true, "60", "300");
    EXPECT_EQ(small->Job().Settings().m_bShowValues, 0);
    EXPECT_TRUE(small->Job().Overlay().empty());
}

}  // namespace
}  // namespace korvanta
