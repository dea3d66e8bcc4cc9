#include "support/GuiFixture.h"

#include <QPointer>
#include <QSignalSpy>

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

class RenderWindow : public GuiTest {};

TEST_F(RenderWindow, TitleShowsProgressAndEndsReady)
{
    Check(kIdAspectRatio)->setChecked(false);
    SetSize("40", "30");
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);
    QSignalSpy titles(window, &QWidget::windowTitleChanged);
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }));
    QApplication::processEvents();
    QStringList seen;
    for (const auto& args : titles)
        seen << args.at(0).toString();
    EXPECT_EQ(seen, (QStringList{"16 % rendered", "33 % rendered", "50 % rendered",
                                 "66 % rendered", "83 % rendered", "100% rendered",
                                 "Nimbrel's renderer ready"}));
}

TEST_F(RenderWindow, PaintsThePictureTopRowFirstWithoutTheFourthByte)
{
    Check(kIdAspectRatio)->setChecked(false);
    SetSize("8", "4");
    CFractalWnd* window = Render();
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }));
    // A fourth byte that must not show.
    window->Job().Pixels().at(0, 0) = 0x01123456;
    const QImage shown = window->grab().toImage();
    EXPECT_EQ(shown.pixel(0, 3), 0xFF123456u);  // buffer row 0 is the bottom line
    EXPECT_EQ(shown.pixel(1, 0), 0xFF000000u | window->Job().Pixels().at(1, 3));

    window->resize(16, 8);  // stretched
    const QImage stretched = window->grab().toImage();
    EXPECT_EQ(stretched.size(), QSize(16, 8));
    EXPECT_EQ(stretched.pixel(0, 7), 0xFF123456u);
}

TEST_F(RenderWindow, SetConstantWritesThePointUnderTheClick)
{
    SetArea("-2", "2", "-2", "2");
    SetSize("200", "200");
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);
    window->SetMenuPoint({100, 100});
    window->OnSetConstant();
    EXPECT_EQ(Edit(kIdCRe)->text(), "0");
    EXPECT_EQ(Edit(kIdCIm)->text(), "0");

    window->SetMenuPoint({50, 0});  // a quarter across, on the top edge (Y end)
    window->OnSetConstant();
    EXPECT_EQ(Edit(kIdCRe)->text(), "-1");
    EXPECT_EQ(Edit(kIdCIm)->text(), "2");

    window->resize(400, 100);  // stretched: still the point under the cursor
    window->SetMenuPoint({300, 75});
    window->OnSetConstant();
    EXPECT_EQ(Edit(kIdCRe)->text(), "1");
    EXPECT_EQ(Edit(kIdCIm)->text(), "-1");
}

TEST_F(RenderWindow, ClosingOneWindowLeavesTheOthersRendering)
{
    SetSize("300", "300");
    QPointer<CFractalWnd> first = Render();
    SetSize("30", "30");
    CFractalWnd* second = Render();
    ASSERT_TRUE(first && second);
    first->close();
    EXPECT_EQ(dialog->RenderWindows(), std::vector<CFractalWnd*>{second});
    ASSERT_TRUE(WaitFor([&] { return first.isNull(); }));
    ASSERT_TRUE(WaitFor([&] { return second->Job().Finished(); }));
    EXPECT_FALSE(dialog->RemoveRenderWindow(nullptr));
}

TEST_F(RenderWindow, ClosingTheDialogClosesEveryWindow)
{
    QPointer<CFractalWnd> a = Render(), b = Render(), c = Render();
    dialog->reject();
    EXPECT_TRUE(dialog->RenderWindows().empty());
    EXPECT_TRUE(a.isNull() && b.isNull() && c.isNull());
}

}  // namespace
}  // namespace korvanta
