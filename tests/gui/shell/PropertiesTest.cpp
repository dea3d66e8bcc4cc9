#include "support/GuiFixture.h"

#include "gui/shell/FractalPropDlg.h"

#include <QPushButton>
#include <QTimer>

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

class Properties : public GuiTest {};

TEST_F(Properties, ShowsThePictureAndSetCopiesAllButSizeAndOptions)
{
    Choose(kIdFormula, 2);
    Choose(kIdColoring, 2);
    Edit(kIdNumColors)->setText("640");
    Edit(kIdCRe)->setText("1.5e-20");
    Edit(kIdCIm)->setText("0.1");
    SetArea("-2", "1", "0", "0.3333333333333333");
    SetSize("640", "480");
    Check(kIdAspectRatio)->setChecked(false);
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);

    CFractalPropDlg properties(window->Job().Settings(), dialog.get());
    EXPECT_EQ(properties.windowTitle(), "Dravik's Fractal Renderer");
    EXPECT_EQ(properties.FieldText(kIdXStart), "-2");
    EXPECT_EQ(properties.FieldText(kIdXEnd), "1");
    EXPECT_EQ(properties.FieldText(kIdYEnd), "0.3333333333333333");
    EXPECT_EQ(properties.FieldText(kIdCRe), "1.5E-20");
    EXPECT_EQ(properties.FieldText(kIdCIm), "0.1");
    EXPECT_EQ(properties.FieldText(kIdFormula), "Julia Set");
    EXPECT_EQ(properties.FieldText(1053), "RGB");
    EXPECT_EQ(properties.FieldText(kIdNumColors), "640");
    EXPECT_EQ(properties.FieldText(kIdWidth), "640");
    EXPECT_EQ(properties.FieldText(kIdHeight), "480");
    EXPECT_EQ(properties.findChild<QPushButton*>("4")->toolTip(), "Copy these values to control window");

    SetArea("5", "6", "7", "8");
    SetSize("30", "20");
    Choose(kIdFormula, 0);
    Choose(kIdColoring, 0);
    Check(kIdShowValues)->setChecked(true);
    properties.OnSet();
    EXPECT_EQ(properties.result(), QDialog::Accepted);
    EXPECT_EQ(Edit(kIdXStart)->text(), "-2");
    EXPECT_EQ(Edit(kIdYEnd)->text(), "0.3333333333333333");
    EXPECT_EQ(Combo(kIdFormula)->currentIndex(), 2);
    EXPECT_EQ(Combo(kIdColoring)->currentIndex(), 2);
    EXPECT_EQ(Edit(kIdNumColors)->text(), "640");
    EXPECT_EQ(Edit(kIdCRe)->text(), "1.5E-20");
    EXPECT_EQ(Edit(kIdWidth)->text(), "30");
    EXPECT_EQ(Edit(kIdHeight)->text(), "20");
    EXPECT_TRUE(Check(kIdShowValues)->isChecked());
}

TEST_F(Properties, AFormulaWithoutConstantShowsAndCopiesZero)
{
    Edit(kIdCRe)->setText("0.7");
    CFractalWnd* window = Render();  // Mandelbrot
    CFractalPropDlg properties(window->Job().Settings(), dialog.get());
    EXPECT_EQ(properties.FieldText(kIdCRe), "0");
    properties.OnSet();
    EXPECT_EQ(Edit(kIdCRe)->text(), "0");
    EXPECT_FALSE(Edit(kIdCRe)->isEnabled());
}

TEST_F(Properties, CancelCopiesNothingAndRenderingPausesWhileOpen)
{
    SetSize("600", "600");
    Edit(kIdXStart)->setText("-0.5");
    CFractalWnd* window = Render();
    ASSERT_TRUE(WaitFor([&] { return window->Job().Column() > 0; }));
    std::int64_t atOpen = -1, beforeClose = -2;
    auto position = [&] { return std::int64_t{window->Job().Row()} * 600 + window->Job().Column(); };
    QTimer::singleShot(50, [&] { atOpen = position(); });
    QTimer::singleShot(300, [&] {
        beforeClose = position();
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            open->reject();
    });
    SetArea("1", "2", "3", "4");
    window->OnProperties();
    EXPECT_EQ(beforeClose, atOpen);
    EXPECT_EQ(Edit(kIdXStart)->text(), "1");
}

}  // namespace
}  // namespace korvanta
