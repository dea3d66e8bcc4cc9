#include "support/GuiFixture.h"

#include "core/scenes/SampleScenes.h"

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

class Samples : public GuiTest {
protected:
    void ChooseSample(int index) { Choose(kIdSamples, index); }
};

TEST_F(Samples, ListShowsTheFirstRowWithoutApplyingIt)
{
    EXPECT_EQ(Combo(kIdSamples)->count(), 11);
    EXPECT_EQ(Combo(kIdSamples)->currentText(), "Mandelbrot");
    EXPECT_EQ(Edit(kIdXStart)->text(), "-1");
    EXPECT_EQ(Combo(kIdSamples)->itemText(10), "NR -x^3+9x^2-18x+C");
}

TEST_F(Samples, JuliaFillsExactlyItsFields)
{
    Choose(kIdColoring, 2);  // a settable coloring before, to see the box follow the row
    Check(kIdDesktop)->setChecked(true);
    ChooseSample(2);
    EXPECT_EQ(Combo(kIdFormula)->currentText(), "Julia Set");
    EXPECT_EQ(Combo(kIdColoring)->currentText(), "Fantasy 2304");
    EXPECT_TRUE(Edit(kIdCRe)->isEnabled());
    EXPECT_EQ(Edit(kIdCRe)->text(), "-0.3698490348311085");
    EXPECT_EQ(Edit(kIdCIm)->text(), "-0.2920315174901869");
    EXPECT_EQ(Edit(kIdNumColors)->text(), "10000");
    EXPECT_FALSE(Edit(kIdNumColors)->isEnabled());
    EXPECT_FALSE(dialog->Control(kIdUpDown)->isEnabled());
    EXPECT_EQ(Edit(kIdXStart)->text(), "-0.3700558848150183");
    EXPECT_EQ(Edit(kIdYEnd)->text(), "-0.2917587030851057");
    EXPECT_EQ(Edit(kIdWidth)->text(), "400");
    EXPECT_EQ(Edit(kIdHeight)->text(), "400");
    EXPECT_TRUE(Check(kIdAspectRatio)->isChecked());
    EXPECT_FALSE(Check(kIdShowValues)->isChecked());
    EXPECT_TRUE(Check(kIdDesktop)->isChecked());  // untouched
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Samples, OnTopIsShownButNotApplied)
{
    Check(kIdOnTop)->click();
    ASSERT_FALSE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ChooseSample(5);
    EXPECT_TRUE(Check(kIdOnTop)->isChecked());
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(Samples, ChoosingAgainOverwritesEdits)
{
    ChooseSample(3);
    Edit(kIdXStart)->setText("7");
    ChooseSample(3);
    EXPECT_EQ(Edit(kIdXStart)->text(), "-1.22");
    EXPECT_EQ(Edit(kIdYStart)->text(), "-.132");
    CFractalWnd* window = Render();  // "-.132" scans
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Job().Settings().m_dYStart, -0.132);
    EXPECT_EQ(window->Job().Settings().m_bShowValues, 1);
}

TEST_F(Samples, EverySceneRendersAtAReducedSize)
{
    for (int i = 0; i < static_cast<int>(kSampleScenes.size()); ++i) {
        ChooseSample(i);
        SetSize("24", "18");
        CFractalWnd* window = Render();
        ASSERT_NE(window, nullptr) << kSampleScenes[i].name;
        EXPECT_EQ(window->Job().Settings().m_nFormula, kSampleScenes[i].formula);
        EXPECT_TRUE(WaitFor([&] { return window->Job().Finished(); }, 60000))
            << kSampleScenes[i].name;
        EXPECT_EQ(window->windowTitle(), "Nimbrel's renderer ready") << kSampleScenes[i].name;
        window->close();
    }
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("; ").toStdString();
}

}  // namespace
}  // namespace korvanta
