#include "support/GuiFixture.h"
#include "support/Pictures.h"

#include "core/deep/FractAlgDeep.h"
#include "gui/shell/AppPaths.h"

#include <QFile>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

class Desktop : public GuiTest {
protected:
    std::filesystem::path File() const { return DesktopFilePath().toStdString(); }

    // Exit with Desktop checked, as the user does.
    void ExitSavingTheDesktop()
    {
        Check(kIdDesktop)->setChecked(true);
        dialog->reject();
        ASSERT_TRUE(std::filesystem::exists(File()));
    }

    // The next start of the program, with its messages recorded.
    void Restart()
    {
        dialog.reset();
        dialog = std::make_unique<CFractalDlg>();
        dialog->show();
    }

    CFractalWnd* RenderSized(const char* width, const char* height)
    {
        Check(kIdAspectRatio)->setChecked(false);
        SetSize(width, height);
        return Render();
    }
};

TEST_F(Desktop, FieldsSelectionsOptionsAndPlaceComeBackExactly)
{
    SetArea("", "0.5", "-1.25e-3", "abc");
    Edit(kIdCRe)->setText("0.25");
    Edit(kIdCIm)->setText("-0.5");
    Choose(kIdFormula, 2);
    Choose(kIdColoring, 4);
    Edit(kIdNumColors)->setText("777");
    Combo(kIdSamples)->setCurrentIndex(3);
    SetSize("321", "123");
    Check(kIdShowValues)->setChecked(true);
    Check(kIdAspectRatio)->setChecked(false);
    Check(kIdOnTop)->setChecked(false);
    dialog->move(123, 77);
    ASSERT_TRUE(WaitFor([&] { return dialog->pos() == QPoint(123, 77); }));
    ExitSavingTheDesktop();

    const std::string bytes = test::ReadAll(File());
    EXPECT_EQ(bytes.substr(0, 5), std::string("\0\0\0\0\0", 5));  // no window; empty X Start
    // C: the imaginary part first.
    EXPECT_NE(bytes.find(std::string("\x04-0.5\x04" "0.25", 10)), std::string::npos);
    EXPECT_EQ(bytes.size(), 4 + (1 + 0) + (1 + 3) + (1 + 8) + (1 + 3) + (1 + 3) + (1 + 3) +
                                (1 + 4) + (1 + 4) + 4 * 4 + (1 + 3) + 3 * 4 + 44);

    Restart();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(Edit(kIdXStart)->text(), "");
    EXPECT_EQ(Edit(kIdXEnd)->text(), "0.5");
    EXPECT_EQ(Edit(kIdYStart)->text(), "-1.25e-3");
    EXPECT_EQ(Edit(kIdYEnd)->text(), "abc");
    EXPECT_EQ(Edit(kIdCRe)->text(), "0.25");
    EXPECT_EQ(Edit(kIdCIm)->text(), "-0.5");
    EXPECT_EQ(Edit(kIdNumColors)->text(), "777");
    EXPECT_EQ(Combo(kIdFormula)->currentIndex(), 2);
    EXPECT_EQ(Combo(kIdColoring)->currentIndex(), 4);
    EXPECT_EQ(Combo(kIdSamples)->currentIndex(), 3);
    EXPECT_EQ(Edit(kIdWidth)->text(), "321");
    EXPECT_EQ(Edit(kIdHeight)->text(), "123");
    EXPECT_TRUE(Check(kIdShowValues)->isChecked());
    EXPECT_FALSE(Check(kIdAspectRatio)->isChecked());
    EXPECT_FALSE(Check(kIdOnTop)->isChecked());
    EXPECT_TRUE(Check(kIdDesktop)->isChecked());
    EXPECT_TRUE(Edit(kIdCRe)->isEnabled());  // the controls follow the restored selections
    EXPECT_EQ(dialog->frameGeometry().topLeft(), QPoint(123, 77));
}

TEST_F(Desktop, WindowsReopenInOrderAndResumeWhereTheyStopped)
{
    CFractalWnd* finished = RenderSized("20", "10");
    ASSERT_TRUE(WaitFor([&] { return finished->Job().Finished(); }));
    Choose(kIdFormula, 2);  // Julia, so the second window brings new classes
    CFractalWnd* reference = RenderSized("40", "30");
    ASSERT_TRUE(WaitFor([&] { return reference->Job().Finished(); }));
    const std::vector<std::uint32_t> expected(reference->Job().Pixels().data(),
                                              reference->Job().Pixels().data() + 40 * 30);
    const std::vector<std::uint32_t> first(finished->Job().Pixels().data(),
                                           finished->Job().Pixels().data() + 20 * 10);
    // Stepped by hand, without the event loop, so it stops where the test says.
    CFractalWnd* stopped = RenderSized("40", "30");
    for (int i = 0; i < 9 * 40 + 17; ++i)
        stopped->RenderStep(0);
    const std::int32_t row = stopped->Job().Row(), column = stopped->Job().Column();
    ASSERT_EQ(row, 9);
    ASSERT_EQ(column, 17);
    reference->close();
    stopped->move(60, 50);
    ExitSavingTheDesktop();

    Restart();
    ASSERT_EQ(dialog->RenderWindows().size(), 2u);
    const CFractalWnd* a = dialog->RenderWindows()[0];
    CFractalWnd* b = dialog->RenderWindows()[1];
    EXPECT_TRUE(a->Job().Finished());
    EXPECT_EQ(a->windowTitle(), "Nimbrel's renderer ready");
    EXPECT_EQ(b->windowTitle(), "Nimbrel's");
    EXPECT_EQ(std::memcmp(a->Job().Pixels().data(), first.data(), first.size() * 4), 0);
    EXPECT_EQ(b->Job().Row(), row);
    EXPECT_EQ(b->Job().Column(), column);
    EXPECT_EQ(b->Job().Settings().m_nFormula, 2);
    EXPECT_EQ(b->frameGeometry().topLeft(), QPoint(60, 50));
    ASSERT_TRUE(WaitFor([&] { return b->Job().Finished(); }));
    EXPECT_EQ(std::memcmp(b->Job().Pixels().data(), expected.data(), expected.size() * 4), 0);
}

// A deep Julia set stopped part way comes back with every digit of its location and C, in
// the fields too, and finishes to the bytes of an uninterrupted picture.
TEST_F(Desktop, ADeepPictureComesBackExactAndResumesToTheSameBytes)
{
    Choose(kIdFormula, 2);
    SetArea("0.1000000000000000000000000000000000000000000001", "0.1000000000000000000000000000000000000000000003",
            "0.2999999999999999999999999999999999999999999999", "0.3000000000000000000000000000000000000000000001");
    Edit(kIdCRe)->setText("-0.74543000000000000000000000000000000000000000017");
    Edit(kIdCIm)->setText("0.11301000000000000000000000000000000000000000003");
    CFractalWnd* reference = RenderSized("40", "40");
    ASSERT_NE(reference, nullptr) << prompts.messages.join("; ").toStdString();
    const auto* deep = dynamic_cast<const CFractAlgDeep*>(reference->Job().Settings().m_pAlg);
    ASSERT_NE(deep, nullptr);
    const DeepArea area = deep->Area();
    const std::string cRe = deep->ConstantRe(), cIm = deep->ConstantIm();
    ASSERT_TRUE(WaitFor([&] { return reference->Job().Finished(); }, 60000));
    const std::vector<std::uint32_t> expected(reference->Job().Pixels().data(),
                                              reference->Job().Pixels().data() + 40 * 40);
    reference->close();
    CFractalWnd* stopped = RenderSized("40", "40");
    // Stepped by hand, without the event loop, so it stops part way.
    for (int tries = 0; tries < 100000 && stopped->Job().Row() < 7; ++tries)
        stopped->RenderStep(0);
    ASSERT_FALSE(stopped->Job().Finished());
    const QString fieldText = Edit(kIdXEnd)->text();
    ExitSavingTheDesktop();

    Restart();
    ASSERT_EQ(dialog->RenderWindows().size(), 1u);
    CFractalWnd* back = dialog->RenderWindows()[0];
    const auto* restored = dynamic_cast<const CFractAlgDeep*>(back->Job().Settings().m_pAlg);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->Area().xStart, area.xStart);
    EXPECT_EQ(restored->Area().yEnd, area.yEnd);
    EXPECT_EQ(restored->ConstantRe(), cRe);
    EXPECT_EQ(restored->ConstantIm(), cIm);
    EXPECT_EQ(Edit(kIdXEnd)->text(), fieldText);
    EXPECT_FALSE(back->Job().Finished());
    ASSERT_TRUE(WaitFor([&] { return back->Job().Finished(); }, 60000));
    EXPECT_EQ(std::memcmp(back->Job().Pixels().data(), expected.data(), expected.size() * 4), 0);
}

TEST_F(Desktop, ALaterWindowNamesClassesThatAnEarlierOneIntroduced)
{
    RenderSized("3", "2");
    RenderSized("3", "2");
    ExitSavingTheDesktop();
    const std::string bytes = test::ReadAll(File());
    // Class names contain "Frac" too: the second magic follows the first record's last name.
    const std::size_t lastName = bytes.find("CFractCol2304");
    ASSERT_NE(lastName, std::string::npos);
    const std::size_t second = bytes.find("Frac", lastName + 13);
    ASSERT_NE(second, std::string::npos);
    // After the magic and the 56 bytes of settings: Mandelbrot as a reference to class 1.
    EXPECT_EQ(bytes.substr(second + 4 + 56, 2), std::string("\x01\x80", 2));
    EXPECT_EQ(bytes.find("CFractAlgMandelbrot", second), std::string::npos);
    EXPECT_EQ(bytes.find("CFractAlgMandelbrot"), 4 + 4 + 56 + 6);
}

TEST_F(Desktop, UncheckedDesktopDeletesTheFileAndAFirstStartUnchecksTheBox)
{
    ExitSavingTheDesktop();
    Restart();
    EXPECT_TRUE(Check(kIdDesktop)->isChecked());
    Check(kIdDesktop)->setChecked(false);
    dialog->reject();
    EXPECT_FALSE(std::filesystem::exists(File()));
    Restart();
    EXPECT_FALSE(Check(kIdDesktop)->isChecked());
    EXPECT_EQ(Edit(kIdXStart)->text(), "-1");
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Desktop, AFileCutInTheFieldsKeepsTheWindowsAndTheDefaultTexts)
{
    RenderSized("5", "4");
    SetArea("7", "8", "9", "10");
    SetSize("33", "44");
    ExitSavingTheDesktop();
    const auto size = std::filesystem::file_size(File());
    std::filesystem::resize_file(File(), size - 44 - 12 - 3);  // inside # Colors
    const std::string damaged = test::ReadAll(File());
    Restart();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith("Failure reading file!\n"));
    // The file is named, and the damaged one is kept beside it before anything replaces it.
    const QString copy = DesktopFilePath() + ".damaged";
    EXPECT_TRUE(prompts.messages[0].contains("\"" + DesktopFilePath() + "\"")) << prompts.messages[0].toStdString();
    EXPECT_TRUE(prompts.messages[0].contains("\"" + copy + "\"")) << prompts.messages[0].toStdString();
    EXPECT_EQ(test::ReadAll(copy.toStdString()), damaged);
    EXPECT_EQ(dialog->RenderWindows().size(), 1u);
    EXPECT_EQ(Edit(kIdXStart)->text(), "-1");
    EXPECT_EQ(Edit(kIdYEnd)->text(), "1");
    EXPECT_EQ(Edit(kIdCRe)->text(), "0.0");
    EXPECT_EQ(Edit(kIdWidth)->text(), "33");  // read before the cut: kept

    // The next exit writes a new desktop and the damaged copy stays; a second damaged
    // file gets a copy of its own.
    ExitSavingTheDesktop();
    EXPECT_NE(test::ReadAll(File()), damaged);
    EXPECT_EQ(test::ReadAll(copy.toStdString()), damaged);
    std::filesystem::resize_file(File(), 10);
    prompts.messages.clear();
    Restart();
    EXPECT_TRUE(prompts.messages.value(0).contains(copy + "-2")) << prompts.messages.value(0).toStdString();
    EXPECT_EQ(test::ReadAll(copy.toStdString()), damaged);
    EXPECT_EQ(std::filesystem::file_size((copy + "-2").toStdString()), 10u);
}

// Only a file that is not there means "no desktop": one that is there but cannot be read is
// named with the reason, and is neither replaced nor deleted unless the user says so.
TEST_F(Desktop, AFileThatCannotBeReadIsNamedAndKeptUnlessTheUserAgrees)
{
    std::filesystem::create_directories(File() / "pictures");
    for (const bool desktopChecked : {true, false}) {
        prompts.messages.clear();
        prompts.questions.clear();
        Restart();
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages[0].contains("\"" + DesktopFilePath() + "\"")) << prompts.messages[0].toStdString();
        EXPECT_TRUE(prompts.messages[0].contains("Is a directory")) << prompts.messages[0].toStdString();
        EXPECT_TRUE(Check(kIdDesktop)->isChecked());
        Check(kIdDesktop)->setChecked(desktopChecked);
        prompts.confirmations = {false};  // keep it
        dialog->reject();
        ASSERT_EQ(prompts.questions.size(), 1);
        EXPECT_TRUE(prompts.questions[0].contains(desktopChecked ? "Replace it" : "Delete it"));
        EXPECT_TRUE(std::filesystem::exists(File() / "pictures"));
        EXPECT_FALSE(dialog->isVisible());  // kept, and the program still ends
    }
    // Agreed: an unchecked Desktop removes what it can and leaves no question behind.
    std::filesystem::remove(File() / "pictures");
    Restart();
    Check(kIdDesktop)->setChecked(false);
    prompts.confirmations = {true};
    dialog->reject();
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(Desktop, HostileFilesFailCleanlyAndNeverLeaveAHalfMadeWindow)
{
    RenderSized("4", "3");
    Choose(kIdColoring, 5);
    RenderSized("3", "2");
    ExitSavingTheDesktop();
    const std::string good = test::ReadAll(File());
    auto openWith = [&](const std::string& bytes) {
        std::ofstream(File(), std::ios::binary | std::ios::trunc) << bytes;
        prompts.messages.clear();
        Restart();
        for (const QString& message : prompts.messages)
            EXPECT_TRUE(message.startsWith("Failure reading file!\n") ||
                        message == "Not a Korvanta file or file corrupted!" ||
                        message.startsWith("Value should be"))
                << message.toStdString();
        for (const CFractalWnd* window : dialog->RenderWindows())
            EXPECT_FALSE(window->Job().Pixels().empty() && window->Job().Settings().m_nWidth > 0);
        return dialog->RenderWindows().size();
    };
    for (std::size_t cut = 0; cut < good.size(); cut += 3) {
        const std::size_t windows = openWith(good.substr(0, cut));
        EXPECT_LE(windows, 2u) << cut;
        EXPECT_FALSE(prompts.messages.isEmpty()) << "a file cut at " << cut << " was read whole";
    }
    for (std::size_t at = 0; at < good.size(); at += 2) {
        std::string flipped = good;
        flipped[at] = static_cast<char>(flipped[at] ^ 0xA5);
        EXPECT_LE(openWith(flipped), 2u) << at;
    }
    // A count of four thousand million windows in a file of 30 bytes fails at once.
    std::string count("\x00\x28\x6B\xEE", 4);
    openWith(count + std::string(26, '\0'));
    EXPECT_TRUE(dialog->RenderWindows().empty());
    EXPECT_TRUE(prompts.messages.back().startsWith("Failure reading file!\n"));
}

// A save that fails asks before the program ends and the pictures with it; staying is the
// default.
TEST_F(Desktop, AFailedSaveKeepsThePreviousDesktopAndAsksBeforeExiting)
{
    ExitSavingTheDesktop();
    const std::string before = test::ReadAll(File());
    Restart();
    CFractalWnd* window = RenderSized("100", "100");  // 40000 pixel bytes: more than the disk takes
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }));
    SetArea("5", "6", "7", "8");
    // A file size limit makes the write fail like a full disk, even for root.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = 1000;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    prompts.confirmations = {false, true};
    dialog->reject();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->RenderWindows().size(), 1u);
    dialog->reject();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(prompts.questions.size(), 2);
    EXPECT_TRUE(prompts.questions[0].startsWith("Failure Writing file!\n")) << prompts.questions[0].toStdString();
    EXPECT_TRUE(prompts.questions[0].contains("\"" + DesktopFilePath() + "\": File too large"))
        << prompts.questions[0].toStdString();
    EXPECT_TRUE(prompts.questions[0].contains("Exit anyway?"));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(test::ReadAll(File()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(File()).parent_path()), {}), 1);
}

TEST_F(Desktop, AFolderInThePlaceOfTheFileIsAFailedSaveToo)
{
    std::filesystem::create_directories(File() / "x");
    Restart();
    prompts.questions.clear();
    prompts.confirmations = {true, false};  // replace it: yes; exit anyway: no
    Check(kIdDesktop)->setChecked(true);
    dialog->reject();
    ASSERT_EQ(prompts.questions.size(), 2);
    EXPECT_TRUE(prompts.questions[1].startsWith("Failure Writing file!\n")) << prompts.questions[1].toStdString();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(std::filesystem::exists(File() / "x"));
}

}  // namespace
}  // namespace korvanta
