#include "core/render/RenderRequest.h"
#include "support/GuiFixture.h"

#include "gui/resources/Strings.h"

#include <QTimer>

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

class Zoom : public GuiTest {
protected:
    // A 200 x 100 window on (-2, 2) x (-1, 1).
    CFractalWnd* OpenWindow()
    {
        SetArea("-2", "2", "-1", "1");
        SetSize("200", "100");
        Check(kIdAspectRatio)->setChecked(false);
        CFractalWnd* window = Render();
        EXPECT_NE(window, nullptr);
        return window;
    }

    void Drag(QWidget* window, QPoint from, QPoint to)
    {
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        QTest::mouseMove(window, (from + to) / 2);
        QTest::mouseMove(window, to);
        QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    }

    QStringList Area()
    {
        return {Edit(kIdXStart)->text(), Edit(kIdXEnd)->text(), Edit(kIdYStart)->text(),
                Edit(kIdYEnd)->text()};
    }
};

TEST_F(Zoom, DragWritesTheAreaWhicheverWayItGoes)
{
    CFractalWnd* window = OpenWindow();
    Drag(window, {50, 25}, {150, 75});
    // x: 50/200 * 4 - 2 = -1, 150/200 * 4 - 2 = 1; y: (100-75)/100 * 2 - 1 = -0.5, 0.5.
    const QStringList expected{"-1", "1", "-0.5", "0.5"};
    EXPECT_EQ(Area(), expected);
    SetArea("9", "9", "9", "9");
    Drag(window, {150, 75}, {50, 25});
    EXPECT_EQ(Area(), expected);
}

TEST_F(Zoom, AClickWithoutMovementLeavesAnAreaRenderRefuses)
{
    CFractalWnd* window = OpenWindow();
    Drag(window, {40, 40}, {40, 40});
    EXPECT_EQ(Edit(kIdXStart)->text(), Edit(kIdXEnd)->text());
    EXPECT_EQ(Edit(kIdYStart)->text(), Edit(kIdYEnd)->text());
    EXPECT_EQ(Render(), nullptr);
    EXPECT_EQ(prompts.messages, QStringList{messages::kXTooClose});
}

TEST_F(Zoom, StretchedWindowsZoomWhereTheCursorIs)
{
    CFractalWnd* window = OpenWindow();
    window->resize(400, 100);
    ASSERT_EQ(window->width(), 400);
    Drag(window, {0, 100}, {200, 0});  // (0, 0) would mean "the centre" to QTest
    EXPECT_EQ(Area(), (QStringList{"-2", "0", "-1", "1"}));
}

TEST_F(Zoom, CarriesFormulaColoringLimitAndConstant)
{
    Choose(kIdFormula, 2);  // Julia
    Choose(kIdColoring, 4);  // Polar Log
    Edit(kIdNumColors)->setText("1234");
    Edit(kIdCRe)->setText("-0.75");
    Edit(kIdCIm)->setText("0.125");
    CFractalWnd* window = OpenWindow();
    Choose(kIdFormula, 0);
    Choose(kIdColoring, 2);
    Edit(kIdCRe)->setText("5");
    Drag(window, {10, 10}, {20, 20});
    EXPECT_EQ(Combo(kIdFormula)->currentIndex(), 2);
    EXPECT_EQ(Combo(kIdColoring)->currentIndex(), 4);
    EXPECT_EQ(Edit(kIdNumColors)->text(), "1234");
    EXPECT_TRUE(Edit(kIdNumColors)->isEnabled());
    EXPECT_EQ(Edit(kIdCRe)->text(), "-0.75");
    EXPECT_EQ(Edit(kIdCIm)->text(), "0.125");
    EXPECT_TRUE(Edit(kIdCRe)->isEnabled());
}

TEST_F(Zoom, ARightClickDuringADragEndsItWithoutFrameOrZoom)
{
    CFractalWnd* window = OpenWindow();
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }));
    const QImage picture = window->grab().toImage();
    QTest::mousePress(window, Qt::LeftButton, {}, {20, 20});
    QTest::mouseMove(window, {120, 70});
    ASSERT_NE(window->grab().toImage(), picture) << "no drag frame to begin with";
    QTimer::singleShot(100, [] {
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    });
    QTest::mouseClick(window, Qt::RightButton, {}, {120, 70});
    EXPECT_EQ(window->grab().toImage(), picture);
    QTest::mouseRelease(window, Qt::LeftButton, {}, {120, 70});
    EXPECT_EQ(Area(), (QStringList{"-2", "2", "-1", "1"}));
}

TEST_F(Zoom, LongNumbersWrittenIntoTheFieldsShowTheirStart)
{
    Choose(kIdFormula, 2);  // Julia, which uses C
    Edit(kIdCRe)->setText("-0.7436438870371587");
    Edit(kIdCIm)->setText("0.1318259042053201");
    SetArea("-2", "2", "-2", "2");
    SetSize("300", "300");
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);
    Drag(window, {100, 100}, {200, 200});  // thirds: sixteen digits each
    window->SetMenuPoint({71, 29});
    window->OnSetConstant();
    for (int id : {kIdXStart, kIdXEnd, kIdYStart, kIdYEnd, kIdCRe, kIdCIm}) {
        EXPECT_GT(Edit(id)->text().size(), 10) << id;
        EXPECT_EQ(Edit(id)->cursorPosition(), 0) << id;
    }
    Choose(kIdSamples, 2);
    EXPECT_EQ(Edit(kIdCRe)->text(), "-0.3698490348311085");
    EXPECT_EQ(Edit(kIdCRe)->cursorPosition(), 0);
}

}  // namespace
}  // namespace korvanta
