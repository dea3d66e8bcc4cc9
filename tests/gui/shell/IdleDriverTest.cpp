#include "support/GuiFixture.h"

#include "gui/shell/IdleDriver.h"

#include <QMessageBox>
#include <QTimer>

#include <chrono>
#include <thread>
#include <vector>

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

class IdleLoop : public GuiTest {};

TEST_F(IdleLoop, WindowsAdvanceAlternatelyInOpeningOrder)
{
    SetSize("50", "50");
    CFractalWnd* first = Render();
    CFractalWnd* second = Render();
    ASSERT_TRUE(first && second);
    for (int tick = 1; tick <= 3; ++tick) {
        dialog->IdleStep(0);
        EXPECT_EQ(first->Job().Column(), second->Job().Column()) << tick;
    }
    EXPECT_GT(first->Job().Column(), 0);
}

// A tick over many big pictures can take a millisecond: a batch looks at the clock early
// enough that it stays near its budget instead of running sixteen such ticks.
TEST_F(IdleLoop, SlowTicksEndTheBatchNearItsBudget)
{
    std::vector<int> batches;  // ticks per batch; each batch begins by asking whether to go on
    IdleDriver driver([&](int) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ++batches.back();
    },
                      [&] {
                          batches.push_back(0);
                          return batches.size() < 20;
                      });
    driver.Wake();
    ASSERT_TRUE(WaitFor([&] { return batches.size() >= 20; }));
    batches.pop_back();
    // 1 + 2 + 4 ticks of at least a millisecond each are past the 4 ms budget.
    EXPECT_LE(*std::max_element(batches.begin(), batches.end()), 7);
    EXPECT_GE(*std::min_element(batches.begin(), batches.end()), 1);
}

TEST_F(IdleLoop, RendersToTheEndWithoutHelp)
{
    SetSize("64", "64");
    CFractalWnd* window = Render();
    EXPECT_TRUE(WaitFor([&] { return window->Job().Finished(); }));
    EXPECT_EQ(window->windowTitle(), "Nimbrel's renderer ready");
    // Closing and opening again needs no restart of the loop.
    window->close();
    CFractalWnd* again = Render();
    EXPECT_TRUE(WaitFor([&] { return again->Job().Finished(); }));
}

TEST_F(IdleLoop, NothingRendersWhileAMessageBoxIsOpen)
{
    SetSize("600", "600");
    Edit(kIdXStart)->setText("-0.5");  // mostly inside: slow pixels
    CFractalWnd* window = Render();
    ASSERT_TRUE(WaitFor([&] { return window->Job().Column() > 0 || window->Job().Row() > 0; }));

    std::int64_t atOpen = -1, beforeClose = -1;
    auto position = [&] { return std::int64_t{window->Job().Row()} * 600 + window->Job().Column(); };
    QTimer::singleShot(50, [&] { atOpen = position(); });
    QTimer::singleShot(300, [&] {
        beforeClose = position();
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    BoxPrompter().Message(dialog.get(), "paused");
    EXPECT_GE(atOpen, 0);
    EXPECT_EQ(beforeClose, atOpen);
    EXPECT_TRUE(WaitFor([&] { return position() > beforeClose; }));
}

TEST_F(IdleLoop, ADropDownListDoesNotPauseRendering)
{
    SetSize("300", "300");
    CFractalWnd* window = Render();
    Combo(kIdSamples)->showPopup();
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    const std::int32_t rowAtOpen = window->Job().Row();
    EXPECT_TRUE(WaitFor([&] { return window->Job().Row() > rowAtOpen + 5; }, 5000));
    EXPECT_NE(QApplication::activePopupWidget(), nullptr) << "the list closed by itself";
    Combo(kIdSamples)->hidePopup();
}

TEST_F(IdleLoop, MinimisingTheDialogHidesTheWindowsAndRestoringShowsThem)
{
    CFractalWnd* a = Render();
    CFractalWnd* b = Render();
    dialog->showMinimized();
    ASSERT_TRUE(WaitFor([&] { return dialog->isMinimized(); }));
    EXPECT_FALSE(a->isVisible());
    EXPECT_FALSE(b->isVisible());
    dialog->showNormal();
    ASSERT_TRUE(WaitFor([&] { return !dialog->isMinimized(); }));
    EXPECT_TRUE(a->isVisible());
    EXPECT_TRUE(b->isVisible());
}

}  // namespace
}  // namespace korvanta
