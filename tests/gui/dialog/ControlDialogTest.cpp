#include "core/render/RenderRequest.h"
#include "support/GuiFixture.h"

#include "gui/resources/Strings.h"

namespace korvanta {
namespace {

using test::GuiTest;

class ControlDialog : public GuiTest {};

TEST_F(ControlDialog, StartsWithTheDefaultFields)
{
    EXPECT_EQ(dialog->windowTitle(), "Nimbrel's Fractal Renderer");
    EXPECT_EQ(Edit(kIdXStart)->text(), "-1");
    EXPECT_EQ(Edit(kIdXEnd)->text(), "1");
    EXPECT_EQ(Edit(kIdYStart)->text(), "-1");
    EXPECT_EQ(Edit(kIdYEnd)->text(), "1");
    EXPECT_EQ(Edit(kIdWidth)->text(), "200");
    EXPECT_EQ(Edit(kIdHeight)->text(), "200");
    EXPECT_EQ(Edit(kIdCRe)->text(), "0.0");
    EXPECT_EQ(Edit(kIdCIm)->text(), "0.0");
    EXPECT_EQ(Combo(kIdFormula)->currentText(), "Mandelbrot Set");
    EXPECT_EQ(Combo(kIdColoring)->currentText(), "Fantasy 2304");
    EXPECT_EQ(Edit(kIdNumColors)->text(), "2304");
    EXPECT_FALSE(Edit(kIdCRe)->isEnabled());
    EXPECT_FALSE(Edit(kIdCIm)->isEnabled());
    EXPECT_FALSE(Edit(kIdNumColors)->isEnabled());
    EXPECT_FALSE(dialog->Control(kIdUpDown)->isEnabled());
    EXPECT_TRUE(Check(kIdAspectRatio)->isChecked());
    EXPECT_FALSE(Check(kIdShowValues)->isChecked());
    EXPECT_TRUE(Check(kIdOnTop)->isChecked());
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // No desktop file was ever saved in the test location.
    EXPECT_FALSE(Check(kIdDesktop)->isChecked());
    EXPECT_EQ(Combo(kIdFormula)->count(), 8);
    EXPECT_EQ(Combo(kIdColoring)->count(), 7);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ControlDialog, EditsLetOnlyTheirCharactersThrough)
{
    Edit(kIdXStart)->clear();
    QTest::keyClicks(Edit(kIdXStart), "-1a.5e3 x");
    EXPECT_EQ(Edit(kIdXStart)->text(), "-1.53");
    QTest::keyClick(Edit(kIdXStart), Qt::Key_Backspace);
    EXPECT_EQ(Edit(kIdXStart)->text(), "-1.5");

    Edit(kIdWidth)->clear();
    QTest::keyClicks(Edit(kIdWidth), "3-2.0k");
    EXPECT_EQ(Edit(kIdWidth)->text(), "320");

    Choose(kIdColoring, 2);  // RGB lets the count be typed
    Edit(kIdNumColors)->clear();
    QTest::keyClicks(Edit(kIdNumColors), "1-0.0");
    EXPECT_EQ(Edit(kIdNumColors)->text(), "100");
    QTest::keyClick(Edit(kIdNumColors), Qt::Key_Up);
    EXPECT_EQ(Edit(kIdNumColors)->text(), "101");
    Edit(kIdNumColors)->setText("0");
    QTest::keyClick(Edit(kIdNumColors), Qt::Key_Down);
    EXPECT_EQ(Edit(kIdNumColors)->text(), "0");
}

TEST_F(ControlDialog, SizesOutsideTheRangeAreRefusedWithTheirTextSelected)
{
    const QString message = "Value should be between or equal to 1 and 32000!";
    for (const char* width : {"0", "32001", ""}) {
        prompts.messages.clear();
        SetSize(width, "200");
        EXPECT_FALSE(dialog->DoDataExchange(true)) << width;
        EXPECT_EQ(prompts.messages, QStringList{message}) << width;
        EXPECT_TRUE(Edit(kIdWidth)->hasFocus());
        EXPECT_EQ(Edit(kIdWidth)->selectedText(), Edit(kIdWidth)->text());
    }
    prompts.messages.clear();
    SetSize("1", "32001");
    EXPECT_FALSE(dialog->DoDataExchange(true));
    EXPECT_EQ(prompts.messages, QStringList{message});
    EXPECT_TRUE(Edit(kIdHeight)->hasFocus());
    SetSize("1", "32000");
    EXPECT_TRUE(dialog->DoDataExchange(true));
}

TEST_F(ControlDialog, OnlyTheFirstFailedCheckSpeaks)
{
    SetSize("0", "200");
    Edit(kIdXStart)->setText("-");
    EXPECT_FALSE(dialog->DoDataExchange(true));
    EXPECT_EQ(prompts.messages, QStringList{"Value should be between or equal to 1 and 32000!"});
}

TEST_F(ControlDialog, CoordinatesMustScanAndDiffer)
{
    struct Case {
        int id;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {kIdXStart, "-", messages::kIllegalXStart}, {kIdXEnd, ".", messages::kIllegalXEnd},
        {kIdYStart, "", messages::kIllegalYStart},  {kIdYEnd, "-.", messages::kIllegalYEnd},
    };
    for (const Case& c : cases) {
        SetArea("-1", "1", "-1", "1");
        prompts.messages.clear();
        Edit(c.id)->setText(c.text);
        EXPECT_FALSE(dialog->DoDataExchange(true)) << c.message;
        EXPECT_EQ(prompts.messages, QStringList{c.message});
        EXPECT_TRUE(Edit(c.id)->hasFocus()) << c.message;
        EXPECT_TRUE(Edit(c.id)->selectedText().isEmpty());
    }

    prompts.messages.clear();
    SetArea("0.1", "0.10", "-1", "1");
    EXPECT_FALSE(dialog->DoDataExchange(true));
    EXPECT_EQ(prompts.messages, QStringList{messages::kXTooClose});
    EXPECT_TRUE(Edit(kIdXStart)->hasFocus());

    prompts.messages.clear();
    SetArea("2", "-2", "1e3", "1.5abc");  // pasted text scans as far as it is a number
    EXPECT_TRUE(dialog->DoDataExchange(true));
    SetArea("2", "-2", "1.5", "1.5abc");
    EXPECT_FALSE(dialog->DoDataExchange(true));
    EXPECT_EQ(prompts.messages, QStringList{messages::kYTooClose});
    EXPECT_TRUE(Edit(kIdYStart)->hasFocus());
}

TEST_F(ControlDialog, ExitWithDesktopCheckedSkipsTheChecks)
{
    Check(kIdDesktop)->setChecked(true);
    Edit(kIdXStart)->setText("-");
    dialog->reject();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ControlDialog, OnTopFollowsItsBox)
{
    Check(kIdOnTop)->click();
    EXPECT_EQ(dialog->m_bOnTop, 0);
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(dialog->isVisible());
    Check(kIdOnTop)->click();
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
}  // namespace korvanta
