#include "support/GuiFixture.h"

#include "gui/resources/Icons.h"
#include "gui/shell/Help.h"
#include "gui/shell/HelpWindow.h"
#include "gui/shell/WindowPlacing.h"

#include <QLabel>
#include <QScreen>
#include <QTextBrowser>
#include <QToolButton>

namespace korvanta {
namespace {

using test::GuiTest;

// An openbox-like frame: thin borders and a title bar.
const QMargins kFrame(1, 22, 1, 4);
const QSize kGuide(900, 640);
const QSize kGuideOuter = kGuide.grownBy(kFrame);

qint64 Covered(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// The least any window of `size` inside `area` can cover of `anchor`, tried every 2 pixels
// and at the far edges.
qint64 LeastCoverable(const QRect& area, const QRect& anchor, QSize size)
{
    qint64 least = Covered(area, anchor);
    auto positions = [](int low, int high) {
        QList<int> at;
        for (int p = low; p < high; p += 2)
            at << p;
        at << high;
        return at;
    };
    for (int x : positions(area.left(), area.right() + 1 - size.width()))
        for (int y : positions(area.top(), area.bottom() + 1 - size.height()))
            least = std::min(least, Covered(QRect(QPoint(x, y), size), anchor));
    return least;
}

TEST(HelpPlacement, BesideTheControlWindowOnAScreenWithRoom)
{
    const QRect wide(0, 0, 1920, 1050);
    const QRect topLeft(0, 0, 560, 380);
    EXPECT_EQ(PlaceBeside(wide, topLeft, kGuide, kFrame), QRect(QPoint(560, 0), kGuideOuter));
    // At the right edge: to its left, level with it.
    const QRect right(1360, 200, 560, 380);
    EXPECT_EQ(PlaceBeside(wide, right, kGuide, kFrame), QRect(QPoint(1360 - kGuideOuter.width(), 200), kGuideOuter));
    // Low on the screen: still beside it, lifted as far as the bottom of the screen needs.
    const QRect low(0, 900, 560, 150);
    EXPECT_EQ(PlaceBeside(wide, low, kGuide, kFrame), QRect(QPoint(560, 1050 - kGuideOuter.height()), kGuideOuter));
    // As wide as the screen: below it, else above it.
    EXPECT_EQ(PlaceBeside(wide, QRect(0, 0, 1920, 300), kGuide, kFrame), QRect(QPoint(0, 300), kGuideOuter));
    EXPECT_EQ(PlaceBeside(wide, QRect(100, 700, 1820, 300), kGuide, kFrame),
              QRect(QPoint(100, 700 - kGuideOuter.height()), kGuideOuter));
}

TEST(HelpPlacement, OnA1280By1024ScreenItIsNarrowedToFitBesideTheControlWindow)
{
    const QRect screen(0, 0, 1280, 994);  // less a panel
    // Top-left and right: 720 pixels of room beside it, less than the guide wants.
    EXPECT_EQ(PlaceBeside(screen, QRect(0, 0, 560, 380), kGuide, kFrame), QRect(560, 0, 720, kGuideOuter.height()));
    EXPECT_EQ(PlaceBeside(screen, QRect(720, 0, 560, 380), kGuide, kFrame), QRect(0, 0, 720, kGuideOuter.height()));
    // A tall control window narrows it below it, not beside it.
    EXPECT_EQ(PlaceBeside(screen, QRect(0, 0, 1000, 500), kGuide, kFrame),
              QRect(0, 500, kGuideOuter.width(), 494));

    // Centred there is room on no side: on the screen, over as little of it as can be.
    const QRect centred(360, 307, 560, 380);
    const QRect place = PlaceBeside(screen, centred, kGuide, kFrame);
    EXPECT_TRUE(screen.contains(place)) << place.x() << "," << place.y();
    EXPECT_EQ(place.size(), kGuideOuter);
    EXPECT_EQ(Covered(place, centred), LeastCoverable(screen, centred, kGuideOuter));
}

// 1024 x 768 with the control window top-left: too little room for two thirds of the guide
// on any side, enough for a guide that reads below it.
TEST(HelpPlacement, OnA1024By768ScreenItTakesTheRoomiestSideRatherThanHideUnderIt)
{
    const QRect screen(0, 0, 1024, 768);
    EXPECT_EQ(PlaceBeside(screen, QRect(0, 0, 557, 332), kGuide, kFrame),
              QRect(0, 332, kGuideOuter.width(), 768 - 332));
    EXPECT_EQ(PlaceBeside(screen, QRect(0, 0, 557, 500), kGuide, kFrame),
              QRect(557, 0, 1024 - 557, kGuideOuter.height()));
}

TEST(HelpPlacement, ASmallScreenShrinksItToTheScreen)
{
    const QRect small(0, 0, 800, 600);
    for (const QRect& control : {QRect(0, 0, 560, 380), QRect(120, 110, 560, 380), QRect(240, 220, 560, 380)})
        EXPECT_EQ(PlaceBeside(small, control, kGuide, kFrame), small);
    // A frame larger than the screen still leaves a window on it.
    const QRect tiny(0, 0, 10, 10);
    const QRect place = PlaceBeside(tiny, QRect(0, 0, 5, 5), kGuide, QMargins(20, 20, 20, 20));
    EXPECT_FALSE(place.isEmpty());
    EXPECT_TRUE(tiny.contains(place));
}

TEST(HelpPlacement, StaysOnTheScreenOfTheControlWindow)
{
    const QRect first(0, 0, 1280, 994), second(1280, -100, 1920, 1050);
    // On the second screen, of which the top lies above the first one's.
    EXPECT_EQ(PlaceBeside(second, QRect(1300, -80, 560, 380), kGuide, kFrame),
              QRect(QPoint(1860, -80), kGuideOuter));
    // At the right edge of the first: not across onto the second.
    const QRect place = PlaceBeside(first, QRect(1000, 0, 280, 300), kGuide, kFrame);
    EXPECT_EQ(place, QRect(QPoint(1000 - kGuideOuter.width(), 0), kGuideOuter));
    // Without a control window: in the middle.
    EXPECT_LE((PlaceBeside(second, QRect(), kGuide, kFrame).center() - second.center()).manhattanLength(), 2);
}

TEST(HelpPlacement, EveryPlaceIsOnTheScreenAndClearOfTheControlWindowWhenItCanBe)
{
    for (const QRect& screen : {QRect(0, 0, 1280, 994), QRect(0, 0, 800, 600), QRect(-1024, 200, 1024, 740)}) {
        const QSize outer = kGuideOuter.boundedTo(screen.size());
        for (int x = screen.left() - 100; x < screen.right(); x += 97)
            for (int y = screen.top() - 50; y < screen.bottom(); y += 89) {
                const QRect control(x, y, 560, 380);
                const QRect place = PlaceBeside(screen, control, kGuide, kFrame);
                const auto where = [&] { return std::to_string(x) + "," + std::to_string(y); };
                ASSERT_TRUE(screen.contains(place)) << where();
                // Two thirds of it at least, or all of it clear of the control window and
                // still large enough to read.
                const bool twoThirds = place.width() >= outer.width() * 2 / 3 &&
                                       place.height() >= outer.height() * 2 / 3;
                const bool clearAndReadable = !place.intersects(control) && place.width() >= 420 &&
                                              place.height() >= 320;
                EXPECT_TRUE(twoThirds || clearAndReadable) << where();
                if (LeastCoverable(screen, control, outer) == 0) {
                    EXPECT_FALSE(place.intersects(control)) << where();
                }
            }
    }
}

class HelpWindow : public GuiTest {
protected:
    void SetUp() override
    {
        SetHelpFolder(KORVANTA_HELP_DIR);
        GuiTest::SetUp();
    }
    void TearDown() override
    {
        GuiTest::TearDown();
        SetHelpFolder({});
    }

    CHelpWindow* OpenGuide()
    {
        dialog->OnHelp();
        auto* guide = qobject_cast<CHelpWindow*>(LastHelpWindow().data());
        if (guide) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(guide));
        }
        return guide;
    }

    // Ctrl+F, as the reader opens the find bar.
    void OpenFindBar(CHelpWindow* guide)
    {
        guide->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(guide));
        QTest::keyClick(guide, Qt::Key_F, Qt::ControlModifier);
        EXPECT_TRUE(test::WaitFor([&] { return guide->FindBar()->isVisible(); }, 2000));
        QApplication::processEvents();
    }

    void Find(CHelpWindow* guide, const QString& text)
    {
        guide->FindField()->setText(text);
        QTest::keyClick(guide->FindField(), Qt::Key_Return);
    }
};

TEST_F(HelpWindow, OpensOnTheControlWindowsScreenAndBesideItWhereThereIsRoom)
{
    const QRect screen = dialog->screen()->availableGeometry();
    dialog->move(screen.topLeft());
    ASSERT_TRUE(test::WaitFor([&] { return dialog->frameGeometry().topLeft() == screen.topLeft(); }, 2000));
    CHelpWindow* guide = OpenGuide();
    ASSERT_NE(guide, nullptr);
    const QRect place = guide->frameGeometry();
    EXPECT_TRUE(screen.contains(place)) << place.x() << "," << place.y() << " " << place.width() << "x"
                                        << place.height();
    EXPECT_EQ(Covered(place, dialog->frameGeometry()),
              LeastCoverable(screen, dialog->frameGeometry(), place.size()));

    // Opened again, it stays where the reader put it.
    guide->move(place.topLeft() + QPoint(10, 10));
    const QPoint moved = guide->pos();
    dialog->OnHelp();
    EXPECT_EQ(guide->pos(), moved);
}

TEST_F(HelpWindow, HasTheProgramsIcon)
{
    CHelpWindow* guide = OpenGuide();
    ASSERT_NE(guide, nullptr);
    EXPECT_FALSE(guide->windowIcon().isNull());
    EXPECT_EQ(guide->windowIcon().cacheKey(), AppIcon().cacheKey());
}

TEST_F(HelpWindow, TheFindBarIsOneRowBelowThePageAndCloses)
{
    CHelpWindow* guide = OpenGuide();
    ASSERT_NE(guide, nullptr);
    guide->resize(kGuide);
    EXPECT_FALSE(guide->FindBar()->isVisible());
    OpenFindBar(guide);
    EXPECT_TRUE(guide->FindField()->hasFocus());
    const QRect bar = guide->FindBar()->geometry();
    const QRect page(guide->Browser()->mapTo(guide, QPoint(0, 0)), guide->Browser()->size());
    EXPECT_LE(bar.height(), QLineEdit().sizeHint().height() * 3 / 2);
    EXPECT_GT(bar.top(), page.bottom());
    EXPECT_GE(bar.bottom(), guide->height() - 16);  // no more than the window's margin below it
    EXPECT_GT(page.height(), guide->height() * 3 / 4);

    // Its close button, and Escape.
    QToolButton* close = nullptr;
    for (auto* button : guide->FindBar()->findChildren<QToolButton*>())
        if (button->text() == "Close")
            close = button;
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(guide->FindBar()->isVisible());
    OpenFindBar(guide);
    QTest::keyClick(guide->FindField(), Qt::Key_Escape);
    EXPECT_FALSE(guide->FindBar()->isVisible());
}

TEST_F(HelpWindow, ASearchWithoutAMatchSaysSoUntilTheTextChangesOrTheBarCloses)
{
    CHelpWindow* guide = OpenGuide();
    ASSERT_NE(guide, nullptr);
    OpenFindBar(guide);
    QLineEdit* field = guide->FindField();
    const QColor usual = field->palette().color(QPalette::Base);
    auto reddish = [&] {
        const QColor now = field->palette().color(QPalette::Base);
        return now != usual && now.red() > now.green() + 40 && now.red() > now.blue() + 40;
    };
    const QString word = guide->Browser()->toPlainText().section(' ', 1, 1).trimmed();
    ASSERT_GE(word.size(), 2);

    Find(guide, word);
    EXPECT_EQ(guide->Browser()->textCursor().selectedText().toLower(), word.toLower());
    EXPECT_FALSE(guide->NotFoundLabel()->isVisible());
    EXPECT_FALSE(reddish());

    Find(guide, "qqxqqzq");
    EXPECT_TRUE(guide->NotFoundLabel()->isVisible());
    EXPECT_EQ(guide->NotFoundLabel()->text(), "Not found");
    EXPECT_TRUE(reddish());
    EXPECT_EQ(guide->Browser()->textCursor().selectedText().toLower(), word.toLower())
        << "a search without a match keeps the place of the last one";
    const QColor tinted = field->palette().color(QPalette::Base);
    QTest::keyClick(field, Qt::Key_Return);  // again: the same colour, no redder
    EXPECT_EQ(field->palette().color(QPalette::Base), tinted);

    QTest::keyClick(field, Qt::Key_Backspace);  // any change of the text clears it
    EXPECT_FALSE(guide->NotFoundLabel()->isVisible());
    EXPECT_EQ(field->palette().color(QPalette::Base), usual);

    // Closing the bar forgets it too.
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_TRUE(guide->NotFoundLabel()->isVisible());
    QTest::keyClick(field, Qt::Key_Escape);
    OpenFindBar(guide);
    EXPECT_FALSE(guide->NotFoundLabel()->isVisible());
    EXPECT_FALSE(reddish());
}

}  // namespace
}  // namespace korvanta
