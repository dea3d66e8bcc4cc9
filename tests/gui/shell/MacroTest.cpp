#include "support/GuiFixture.h"
#include "support/Pictures.h"

#include "core/files/MacroFile.h"
#include "core/files/MacroPlaces.h"
#include "gui/shell/Help.h"
#include "gui/shell/MacroEngine.h"

#include <QCursor>
#include <QCloseEvent>
#include <QSignalSpy>
#include <QWindow>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <sys/resource.h>
#include <thread>

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

class Macros : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        dir = test::TempDir("macros");
    }

    // The center of a control, in the control window's own window coordinates and on screen.
    QPoint InWindow(int id) { return dialog->Control(id)->mapTo(dialog.get(), dialog->Control(id)->rect().center()); }
    QPoint OnScreen(int id) { return dialog->Control(id)->mapToGlobal(dialog->Control(id)->rect().center()); }

    std::string WriteMacro(const std::string& name, const MacroHeader& header,
                           const std::vector<MacroEvent>& events)
    {
        const std::string path = (dir / name).string();
        std::ofstream out(path, std::ios::binary);
        WriteMacroHeader(out, header);
        for (const MacroEvent& event : events)
            WriteMacroEvent(out, event);
        return path;
    }

    MacroHeader HeaderHere()
    {
        const QRect frame = dialog->frameGeometry();
        return {frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1, 10, 10};
    }

    // Plays a file with the player's clock in the test's hands; returns what was played when.
    std::vector<std::pair<MacroEvent, qint64>> PlayByHand(const std::string& path, qint64 until)
    {
        qint64 now = 0;
        dialog->Macros().SetClock([&] { return now; });
        std::vector<std::pair<MacroEvent, qint64>> played;
        auto connection = QObject::connect(&dialog->Macros(), &MacroEngine::eventPlayed,
                                           [&](const MacroEvent& e, qint64 at) { played.emplace_back(e, at); });
        dialog->PlayMacroFile(QString::fromStdString(path));
        for (; now <= until && dialog->Macros().CurrentState() == MacroEngine::State::Playing; ++now)
            dialog->Macros().DeliverDue();
        QObject::disconnect(connection);
        dialog->Macros().SetClock({});
        return played;
    }

    std::filesystem::path dir;
};

TEST_F(Macros, RecordingStoresTheHeaderAndTheProgramsOwnInput)
{
    dialog->move(40, 30);
    ASSERT_TRUE(WaitFor([&] { return dialog->pos() == QPoint(40, 30); }));
    QCursor::setPos(dialog->mapToGlobal(QPoint(7, 9)));
    prompts.answers << Prompter::FileChoice{QString::fromStdString((dir / "rec").string()), 1};
    dialog->OnStartRecord();
    ASSERT_EQ(dialog->Macros().CurrentState(), MacroEngine::State::Recording);
    QWindow* window = dialog->windowHandle();
    QTest::mouseMove(window, InWindow(kIdXEnd));
    QTest::mouseClick(window, Qt::LeftButton, {}, InWindow(kIdXEnd));
    QTest::keyClick(window, Qt::Key_5);
    QTest::keyClick(window, Qt::Key_Period);
    dialog->OnStopRecord();
    EXPECT_EQ(Edit(kIdXEnd)->text(), "15.");  // the input went where it was meant to go

    std::ifstream in(dir / "rec.FRM", std::ios::binary);
    ASSERT_TRUE(in) << "the name gets .FRM";
    const auto header = ReadMacroHeader(in);
    ASSERT_TRUE(header);
    const QRect frame = dialog->frameGeometry();
    EXPECT_EQ(header->left, frame.left());
    EXPECT_EQ(header->top, frame.top());
    EXPECT_EQ(header->right, frame.left() + frame.width());
    EXPECT_EQ(header->bottom, frame.top() + frame.height());
    EXPECT_EQ(QPoint(header->cursorX, header->cursorY), QPoint(7, 9));
    // The test's own pointer moves come along too; the rest is exactly the input.
    std::vector<MacroEvent> events;
    bool movedThere = false;
    std::uint32_t lastTime = 0;
    const QPoint at = OnScreen(kIdXEnd);
    const std::uint32_t x = static_cast<std::uint32_t>(at.x()), y = static_cast<std::uint32_t>(at.y());
    // Our own files begin with the mark, and say where the control window's client area
    // stood before its first mouse event, which names it as window 1.
    const auto mark = ReadMacroEvent(in);
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->message, 0u);
    EXPECT_EQ(mark->paramL, MacroPlaces::kMark);
    bool noted = false;
    const QPoint origin = dialog->mapToGlobal(QPoint(0, 0));
    while (const auto event = ReadMacroEvent(in)) {
        EXPECT_GE(event->time, lastTime);
        lastTime = event->time;
        if (event->message == 0) {
            EXPECT_FALSE(noted) << "the window did not move: one note";
            EXPECT_EQ(event->window, 1u);
            EXPECT_EQ(QPoint(std::int32_t(event->paramL), std::int32_t(event->paramH)), origin);
            noted = true;
            continue;
        }
        EXPECT_TRUE(noted || !macro::IsMouse(event->message));
        EXPECT_EQ(event->window, macro::IsMouse(event->message) ? 1u : 0u);
        if (event->message == macro::kMouseMove)
            movedThere |= event->paramL == x && event->paramH == y;
        else
            events.push_back(*event);
    }
    EXPECT_TRUE(movedThere);
    const std::vector<std::array<std::uint32_t, 3>> expected{
        {macro::kLeftDown, x, y}, {macro::kLeftUp, x, y},
        {macro::kKeyDown, 0x35, 1}, {macro::kKeyUp, 0x35, 1},
        {macro::kKeyDown, 0xBE, 1}, {macro::kKeyUp, 0xBE, 1}};
    ASSERT_EQ(events.size(), expected.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].message, expected[i][0]) << i;
        EXPECT_EQ(events[i].paramL & 0xFFu, expected[i][1] & 0xFFu) << i;  // the scan code is the window system's
        if (macro::IsMouse(events[i].message)) {
            EXPECT_EQ(events[i].paramL, expected[i][1]) << i;
        }
        EXPECT_EQ(events[i].paramH, expected[i][2]) << i;
    }
}

TEST_F(Macros, MouseEventsFollowTheMovedWindowAndKeysStayAsTheyAre)
{
    MacroHeader header = HeaderHere();
    const QPoint render = OnScreen(kIdRender);
    const QPoint xEnd = OnScreen(kIdXEnd);
    // Recorded with the window 25 to the left and 15 higher than it stands now.
    header.left -= 25;
    header.top -= 15;
    auto at = [](QPoint p, std::uint32_t message, std::uint32_t time) {
        return MacroEvent{message, std::uint32_t(p.x() - 25), std::uint32_t(p.y() - 15), time, 0};
    };
    const std::string path = WriteMacro("moved.frm", header,
        {at(xEnd, macro::kLeftDown, 0), at(xEnd, macro::kLeftUp, 10),
         {macro::kKeyDown, 0x37, 1, 20, 0}, {macro::kKeyUp, 0x37, 1, 30, 0},
         at(render, macro::kLeftDown, 40), at(render, macro::kLeftUp, 50)});
    const auto played = PlayByHand(path, 100);
    ASSERT_EQ(played.size(), 6u);
    EXPECT_EQ(played[0].first.paramL, std::uint32_t(xEnd.x()));
    EXPECT_EQ(played[0].first.paramH, std::uint32_t(xEnd.y()));
    EXPECT_EQ(played[2].first.paramL, 0x37u);
    EXPECT_EQ(Edit(kIdXEnd)->text(), "17");
    EXPECT_EQ(dialog->RenderWindows().size(), 1u) << "the click landed on Render";
    EXPECT_EQ(QCursor::pos(), render);
}

TEST_F(Macros, EventsPlayAtHalfTheirTimeOnThePlayersClock)
{
    const QPoint far(-100000, -100000);  // outside every window: delivered nowhere
    const std::string path = WriteMacro("times.frm", HeaderHere(),
        {{macro::kMouseMove, std::uint32_t(far.x()), std::uint32_t(far.y()), 1000, 0},
         {0x0999, 1, 2, 2000, 0},  // no input this program knows: skipped
         {macro::kMouseMove, std::uint32_t(far.x()), std::uint32_t(far.y()), 3001, 0}});
    const auto played = PlayByHand(path, 2000);
    ASSERT_EQ(played.size(), 3u);
    EXPECT_EQ(played[0].second, 500);
    EXPECT_EQ(played[1].second, 1000);
    EXPECT_EQ(played[2].second, 1500);
    EXPECT_EQ(dialog->Macros().CurrentState(), MacroEngine::State::Idle);
    EXPECT_TRUE(dialog->RenderWindows().empty());
}

TEST_F(Macros, AHeaderOnlyFileEndsAtOnceAndBringsTheHelpBack)
{
    SetHelpFolder(KORVANTA_HELP_DIR);
    dialog->OnHelp();
    QWidget* help = LastHelpWindow();
    ASSERT_NE(help, nullptr);
    help->showMinimized();
    QSignalSpy ended(&dialog->Macros(), &MacroEngine::playbackEnded);
    dialog->PlayMacroFile(QString::fromStdString(WriteMacro("header.frm", HeaderHere(), {})));
    EXPECT_EQ(ended.size(), 1);
    EXPECT_EQ(dialog->Macros().CurrentState(), MacroEngine::State::Idle);
    EXPECT_FALSE(help->isMinimized());
    EXPECT_EQ(QCursor::pos(), dialog->mapToGlobal(QPoint(10, 10)));

    // Shorter than a header: the cursor goes to the window's corner, and that is all.
    std::ofstream(dir / "short.frm", std::ios::binary) << "12345";
    dialog->PlayMacroFile(QString::fromStdString((dir / "short.frm").string()));
    EXPECT_EQ(ended.size(), 2);
    EXPECT_EQ(QCursor::pos(), dialog->mapToGlobal(QPoint(0, 0)));
    CloseHelpWindow();
    SetHelpFolder({});
}

TEST_F(Macros, FileNamesGetFrmAndEachStateIgnoresTheOthersStart)
{
    prompts.answers << Prompter::FileChoice{QString::fromStdString((dir / "missing").string()), 1};
    dialog->OnStartPlayback();
    EXPECT_EQ(prompts.messages, QStringList{"Unable to open file \"" + QString::fromStdString((dir / "missing").string()) + ".FRM\""});
    prompts.messages.clear();

    prompts.answers << Prompter::FileChoice{QString::fromStdString((dir / "kept.Frm").string()), 1};
    dialog->OnStartRecord();
    EXPECT_TRUE(std::filesystem::exists(dir / "kept.Frm"));
    const int asked = prompts.filtersAsked.size();
    dialog->OnStartPlayback();  // recording: nothing happens
    dialog->OnStartRecord();
    EXPECT_EQ(prompts.filtersAsked.size(), asked);
    EXPECT_EQ(prompts.filtersAsked.first(), "Korvanta Macro File (*.Frm)");
    EXPECT_EQ(prompts.filtersAsked.last(), "Korvanta macro (*.frm)");
    dialog->OnStopRecord();

    const std::string path = WriteMacro("long.frm", HeaderHere(), {{macro::kMouseMove, 0, 0, 0xFFFFFFFFu, 0}});
    dialog->PlayMacroFile(QString::fromStdString(path));
    ASSERT_EQ(dialog->Macros().CurrentState(), MacroEngine::State::Playing);
    dialog->OnStartRecord();  // playing: nothing happens
    EXPECT_EQ(prompts.filtersAsked.size(), asked);
    // Real input is held off; the program stays responsive; Ctrl+Break ends it at once.
    QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, InWindow(kIdRender));
    EXPECT_TRUE(dialog->RenderWindows().empty());
    QTest::sendKeyEvent(QTest::Press, dialog->windowHandle(), Qt::Key_Cancel, QString(), Qt::ControlModifier);
    EXPECT_EQ(dialog->Macros().CurrentState(), MacroEngine::State::Idle);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Macros, EveryWayOutOfAPlaybackEndsIt)
{
    const std::string path = WriteMacro("far.frm", HeaderHere(), {{macro::kMouseMove, 0, 0, 0xFFFFFFF0u, 0}});
    QWindow* window = dialog->windowHandle();
    auto playing = [&] { return dialog->Macros().CurrentState() == MacroEngine::State::Playing; };
    auto play = [&] {
        dialog->PlayMacroFile(QString::fromStdString(path));
        ASSERT_TRUE(playing());
    };
    // The attention key as each window system names it; X11 calls Ctrl+Pause "Break", a
    // key Qt has no name for (real X input in the window manager tests).
    constexpr quint32 kBreak = 0xFF6B, kPause = 0xFF13;
    EXPECT_TRUE(MacroEngine::IsAttentionKey(0, Qt::ControlModifier, kBreak));
    EXPECT_TRUE(MacroEngine::IsAttentionKey(0, Qt::NoModifier, kBreak));
    EXPECT_TRUE(MacroEngine::IsAttentionKey(Qt::Key_Pause, Qt::ControlModifier, kPause));
    EXPECT_TRUE(MacroEngine::IsAttentionKey(Qt::Key_Pause, Qt::ControlModifier));
    EXPECT_TRUE(MacroEngine::IsAttentionKey(Qt::Key_Cancel, Qt::NoModifier));
    EXPECT_FALSE(MacroEngine::IsAttentionKey(Qt::Key_Pause, Qt::NoModifier, kPause));
    EXPECT_FALSE(MacroEngine::IsAttentionKey(0, Qt::ControlModifier, 0));
    auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::sendKeyEvent(QTest::Press, window, Qt::Key(key), QString(), modifiers);
    };
    play();
    press(Qt::Key_Pause, Qt::ControlModifier);
    EXPECT_FALSE(playing()) << "Pause with Ctrl";
    // Pause alone is no way out, nor are Escapes with another key among them.
    play();
    press(Qt::Key_Pause);
    press(Qt::Key_Escape);
    press(Qt::Key_Escape);
    press(Qt::Key_A);
    press(Qt::Key_Escape);
    EXPECT_TRUE(playing());
    EXPECT_TRUE(dialog->isVisible()) << "the Escapes were held off, not taken as Exit";
    press(Qt::Key_Escape);
    press(Qt::Key_Escape);
    EXPECT_FALSE(playing()) << "three Escapes in a row";
    EXPECT_TRUE(dialog->isVisible());
    // The window manager's close ends the playback, not the program; once idle it exits.
    play();
    QCloseEvent close;
    QCoreApplication::sendEvent(dialog.get(), &close);
    EXPECT_FALSE(playing());
    EXPECT_TRUE(dialog->isVisible());
    QCloseEvent again;
    QCoreApplication::sendEvent(dialog.get(), &again);
    EXPECT_FALSE(dialog->isVisible());
}

// Under a window manager the render windows open where it likes and every window has a
// frame of its own: a recorded drag still zooms the same rectangle of the same picture.
TEST_F(Macros, ARecordedZoomReplaysIntoTheWindowItWasRecordedIn)
{
    Check(kIdAspectRatio)->setChecked(false);
    SetSize("120", "90");
    dialog->move(300, 300);
    ASSERT_TRUE(WaitFor([&] { return dialog->pos() == QPoint(300, 300); }));
    prompts.answers << Prompter::FileChoice{QString::fromStdString((dir / "zoom.frm").string()), 1};
    dialog->OnStartRecord();
    QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, InWindow(kIdRender));
    ASSERT_EQ(dialog->RenderWindows().size(), 1u);
    CFractalWnd* recorded = dialog->RenderWindows().back();
    recorded->move(420, 60);
    ASSERT_TRUE(WaitFor([&] { return recorded->pos() == QPoint(420, 60); }));
    const QPoint from(20, 15), to(70, 50);
    QTest::mousePress(recorded->windowHandle(), Qt::LeftButton, {}, from);
    QTest::mouseMove(recorded->windowHandle(), to);
    QTest::mouseRelease(recorded->windowHandle(), Qt::LeftButton, {}, to);
    dialog->OnStopRecord();
    const QString zoomed = Edit(kIdXStart)->text() + Edit(kIdXEnd)->text() + Edit(kIdYStart)->text() +
                           Edit(kIdYEnd)->text();
    ASSERT_NE(Edit(kIdXStart)->text(), "-1") << "the recording zoomed";

    // Played with the control window elsewhere and the new render window where it opens.
    SetArea("-1", "1", "-1", "1");
    dialog->move(150, 420);
    ASSERT_TRUE(WaitFor([&] { return dialog->pos() == QPoint(150, 420); }));
    dialog->PlayMacroFile(QString::fromStdString((dir / "zoom.frm").string()));
    ASSERT_TRUE(WaitFor([&] { return dialog->Macros().CurrentState() == MacroEngine::State::Idle; }));
    ASSERT_EQ(dialog->RenderWindows().size(), 2u);
    EXPECT_NE(dialog->RenderWindows().back()->pos(), QPoint(420, 60));
    EXPECT_EQ(Edit(kIdXStart)->text() + Edit(kIdXEnd)->text() + Edit(kIdYStart)->text() + Edit(kIdYEnd)->text(),
              zoomed);
}

// Two zooms recorded at a depth only the deep engine reaches play back to the same exact
// texts, digit for digit.
TEST_F(Macros, ARecordedDiveAtDepthReplaysToTheSameExactTexts)
{
    Check(kIdAspectRatio)->setChecked(false);
    SetSize("120", "90");
    const char* start[] = {"-0.7436438870371587047521915061152", "-0.7436438870371587047521915061140",
                           "0.1318259042053119704931320563846", "0.1318259042053119704931320563855"};
    SetArea(start[0], start[1], start[2], start[3]);
    prompts.answers << Prompter::FileChoice{QString::fromStdString((dir / "dive.frm").string()), 1};
    dialog->OnStartRecord();
    for (const auto& [from, to] : {std::pair{QPoint(20, 15), QPoint(70, 50)}, std::pair{QPoint(50, 40), QPoint(62, 49)}}) {
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, InWindow(kIdRender));
        ASSERT_FALSE(dialog->RenderWindows().empty());
        QWindow* window = dialog->RenderWindows().back()->windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        QTest::mouseMove(window, to);
        QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    }
    dialog->OnStopRecord();
    ASSERT_EQ(dialog->RenderWindows().size(), 2u);
    const QString dived = Edit(kIdXStart)->text() + Edit(kIdXEnd)->text() + Edit(kIdYStart)->text() +
                          Edit(kIdYEnd)->text();
    ASSERT_GT(Edit(kIdXStart)->text().size(), 34) << "the zooms went below doubles";

    SetArea(start[0], start[1], start[2], start[3]);
    dialog->PlayMacroFile(QString::fromStdString((dir / "dive.frm").string()));
    ASSERT_TRUE(WaitFor([&] { return dialog->Macros().CurrentState() == MacroEngine::State::Idle; }, 30000));
    ASSERT_EQ(dialog->RenderWindows().size(), 4u);
    EXPECT_EQ(Edit(kIdXStart)->text() + Edit(kIdXEnd)->text() + Edit(kIdYStart)->text() + Edit(kIdYEnd)->text(),
              dived);
}

TEST_F(Macros, TrainingCardsPlayTheSamplesAndOthersOnlyStepAside)
{
    SetHelpFolder(KORVANTA_HELP_DIR);
    dialog->OnHelp();
    QWidget* help = LastHelpWindow();
    ASSERT_NE(help, nullptr);
    Check(kIdShowValues)->setChecked(true);
    dialog->OnTrainingCard(7);
    EXPECT_TRUE(help->isMinimized());
    EXPECT_TRUE(Check(kIdShowValues)->isChecked());
    EXPECT_EQ(dialog->Macros().CurrentState(), MacroEngine::State::Idle);
    dialog->OnTrainingCard(3);
    EXPECT_FALSE(Check(kIdShowValues)->isChecked());
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(", ").toStdString();
    dialog->Macros().CancelPlayback();
    CloseHelpWindow();
    SetHelpFolder({});
}

// A recording stopped the moment it starts: its writer thread must still hear the stop.
TEST_F(Macros, ARecordingStoppedAtOnceEndsEveryTime)
{
    std::jthread watchdog([](std::stop_token stop) {
        for (int i = 0; i < 600 && !stop.stop_requested(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!stop.stop_requested()) {
            std::fprintf(stderr, "a recording did not stop\n");
            std::_Exit(1);
        }
    });
    for (int i = 0; i < 3000; ++i) {
        const auto path = dir / ("quick" + std::to_string(i % 10) + ".frm");
        prompts.answers << Prompter::FileChoice{QString::fromStdString(path.string()), 1};
        dialog->OnStartRecord();
        dialog->OnStopRecord();
        ASSERT_EQ(dialog->Macros().CurrentState(), MacroEngine::State::Idle);
        ASSERT_GE(std::filesystem::file_size(path), 24u) << i;
    }
}

TEST_F(Macros, ARecordingWhoseFileFailsStopsWithAMessageAndKeepsWhatWasWritten)
{
    prompts.answers << Prompter::FileChoice{QString::fromStdString((dir / "full.frm").string()), 1};
    dialog->OnStartRecord();
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = 24 + 20 * 10;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    for (int i = 0; i < 200; ++i)
        QTest::mouseMove(dialog->windowHandle(), QPoint(5 + i % 50, 5 + i % 40));
    const bool stopped = WaitFor([&] { return dialog->Macros().CurrentState() == MacroEngine::State::Idle; }, 5000);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(stopped);
    EXPECT_EQ(prompts.messages, QStringList{"Could not write the macro file; the recording has stopped"});
    EXPECT_GE(std::filesystem::file_size(dir / "full.frm"), 24u);
}

TEST_F(Macros, EachSampleLeavesTheWindowsItPromises)
{
    SetHelpFolder(KORVANTA_HELP_DIR);
    for (int sample = 1; sample <= 3; ++sample) {
        // A fresh start, with the control window where the sample was recorded.
        dialog.reset();
        dialog = std::make_unique<CFractalDlg>();
        dialog->show();
        std::ifstream in(SampleMacroPath(sample).toStdString(), std::ios::binary);
        const auto header = ReadMacroHeader(in);
        ASSERT_TRUE(header) << sample;
        dialog->move(header->left, header->top);
        ASSERT_TRUE(WaitFor([&] { return dialog->frameGeometry().topLeft() == QPoint(header->left, header->top); }));
        dialog->PlayMacroFile(SampleMacroPath(sample));
        ASSERT_TRUE(WaitFor([&] { return dialog->Macros().CurrentState() == MacroEngine::State::Idle; }, 30000))
            << "sample " << sample << " did not end";
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(", ").toStdString();
        const auto& windows = dialog->RenderWindows();
        ASSERT_EQ(windows.size(), sample == 1 ? 1u : 2u) << "sample " << sample;
        const RenderSettings& first = windows.front()->Job().Settings();
        EXPECT_EQ(first.m_dXStart, -2.0);  // the Apfelmaenchen scene
        EXPECT_EQ(first.m_dXEnd, 2.0);
        EXPECT_EQ(first.m_nFormula, 0);
        if (sample == 2) {
            const RenderSettings& zoomed = windows.back()->Job().Settings();
            EXPECT_GT(zoomed.m_dXStart, first.m_dXStart);
            EXPECT_LT(zoomed.m_dXEnd, first.m_dXEnd);
            EXPECT_LT(zoomed.m_dXEnd - zoomed.m_dXStart, 1.0);
            EXPECT_LT(zoomed.m_dYEnd - zoomed.m_dYStart, 1.0);
        }
        if (sample == 3) {
            const RenderSettings& julia = windows.back()->Job().Settings();
            EXPECT_EQ(julia.m_nFormula, 2);
            ASSERT_NE(julia.m_pAlg, nullptr);
            EXPECT_NE(julia.m_pAlg->GetConstant().m_z, std::complex<double>(0, 0));
        }
    }
    SetHelpFolder({});
}

}  // namespace
}  // namespace korvanta
