#include "core/render/RenderRequest.h"
#include "support/GuiFixture.h"

#include "core/colorings/FractColHSV.h"
#include "core/formulas/FractAlgJulia.h"
#include "gui/resources/Strings.h"

#include <sys/resource.h>

namespace korvanta {
namespace {

using test::GuiTest;

class RenderCommand : public GuiTest {};

TEST_F(RenderCommand, SelectingAColoringShowsItsCountAndWhetherItCanChange)
{
    Choose(kIdColoring, 2);
    EXPECT_EQ(Edit(kIdNumColors)->text(), "262143");
    EXPECT_TRUE(Edit(kIdNumColors)->isEnabled());
    EXPECT_TRUE(dialog->Control(kIdUpDown)->isEnabled());
    Choose(kIdColoring, 3);
    EXPECT_EQ(Edit(kIdNumColors)->text(), "23040");
    EXPECT_FALSE(Edit(kIdNumColors)->isEnabled());
    Choose(kIdColoring, 2);
    Edit(kIdNumColors)->setText("77");
    Choose(kIdColoring, 2);  // the same entry again resets a typed count
    EXPECT_EQ(Edit(kIdNumColors)->text(), "262143");

    Edit(kIdCRe)->setText("0.25");
    Choose(kIdFormula, 2);
    EXPECT_TRUE(Edit(kIdCRe)->isEnabled());
    EXPECT_EQ(Edit(kIdCRe)->text(), "0.25");
    Choose(kIdFormula, 1);
    EXPECT_FALSE(Edit(kIdCIm)->isEnabled());
}

TEST_F(RenderCommand, HandsOverThePrototypesWithCountAndConstantAndRefillsThem)
{
    Choose(kIdFormula, 2);
    Choose(kIdColoring, 2);
    Edit(kIdNumColors)->setText("500");
    Edit(kIdCRe)->setText("-0.75");
    Edit(kIdCIm)->setText("0.1");
    SetSize("60", "30");
    Check(kIdAspectRatio)->setChecked(false);
    const CFractAlg* used = dialog->Algorithms()[2].get();

    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);
    const RenderSettings& s = window->Job().Settings();
    EXPECT_EQ(s.m_pAlg, used);
    EXPECT_EQ(s.m_pAlg->GetConstant().m_z, std::complex<double>(-0.75, 0.1));
    EXPECT_EQ(s.m_pCol->GetNumColors(), 500);
    EXPECT_EQ(s.m_pAlg->GetMaxIter(), 500);
    EXPECT_EQ(window->size(), QSize(60, 30));
    EXPECT_EQ(window->windowTitle(), "Nimbrel's");
    EXPECT_EQ(s.m_pDlg, dialog.get());

    ASSERT_EQ(dialog->Algorithms().size(), 8u);
    ASSERT_EQ(dialog->Colorings().size(), 7u);
    EXPECT_NE(dialog->Algorithms()[2].get(), nullptr);
    EXPECT_NE(dialog->Algorithms()[2].get(), used);
    EXPECT_EQ(dialog->Colorings()[2]->GetNumColors(), 262143);
    Choose(kIdColoring, 2);
    EXPECT_EQ(Edit(kIdNumColors)->text(), "262143");
    // The dialog's fields are not changed by Render.
    EXPECT_EQ(Edit(kIdNumColors)->text(), "262143");
    EXPECT_EQ(Edit(kIdWidth)->text(), "60");
}

TEST_F(RenderCommand, AspectRatioReshapesThePictureButNotTheFields)
{
    SetArea("0", "4", "0", "1");
    SetSize("200", "200");
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Job().Settings().m_nWidth, 400);
    EXPECT_EQ(window->Job().Settings().m_nHeight, 100);
    EXPECT_EQ(Edit(kIdWidth)->text(), "200");
}

TEST_F(RenderCommand, AConstantThatDoesNotScanIsRefused)
{
    Choose(kIdFormula, 2);
    const CFractAlg* prototype = dialog->Algorithms()[2].get();
    Edit(kIdCRe)->setText("-");
    EXPECT_EQ(Render(), nullptr);
    EXPECT_EQ(prompts.messages, QStringList{messages::kIllegalCRe});
    EXPECT_TRUE(Edit(kIdCRe)->hasFocus());
    EXPECT_EQ(dialog->Algorithms()[2].get(), prototype);

    prompts.messages.clear();
    Edit(kIdCRe)->setText("0.5");
    Edit(kIdCIm)->setText("");
    EXPECT_EQ(Render(), nullptr);
    EXPECT_EQ(prompts.messages, QStringList{messages::kIllegalCIm});

    // A formula without a constant does not care what the fields hold.
    prompts.messages.clear();
    Choose(kIdFormula, 0);
    EXPECT_NE(Render(), nullptr);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(RenderCommand, AnAreaThatLeavesNoPixelAcrossOpensNoWindow)
{
    SetArea("0", "1e12", "0", "1");  // Aspect Ratio is on
    const CFractAlg* prototype = dialog->Algorithms()[0].get();
    EXPECT_EQ(Render(), nullptr);
    EXPECT_EQ(prompts.messages, QStringList{messages::kAreaTooFlat});
    EXPECT_EQ(QApplication::focusWidget(), Edit(kIdYStart));
    EXPECT_EQ(dialog->Algorithms()[0].get(), prototype);
    EXPECT_TRUE(dialog->RenderWindows().empty());
}

TEST_F(RenderCommand, APictureThatCannotBeAllocatedIsRefusedAndNothingIsTaken)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the address sanitizer's shadow memory needs more address space than the limit";
#endif
    Choose(kIdColoring, 2);
    Edit(kIdNumColors)->setText("99");
    Check(kIdAspectRatio)->setChecked(false);
    SetSize("32000", "32000");
    const CFractCol* prototype = dialog->Colorings()[2].get();

    // Leave the process less address space than the 4 GB picture needs.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = rlim_t{3} << 30;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    CFractalWnd* window = Render();
    setrlimit(RLIMIT_AS, &old);

    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(prompts.messages, QStringList{messages::kOutOfMemory});
    EXPECT_EQ(dialog->Colorings()[2].get(), prototype);
    EXPECT_EQ(prototype->GetNumColors(), 262143);
    EXPECT_TRUE(dialog->RenderWindows().empty());
}

}  // namespace
}  // namespace korvanta
