#include "support/GuiFixture.h"
#include "support/Pictures.h"
#include "support/ToolRuns.h"

#include "tools/korvanta-render/RenderTool.h"
#include "core/archive/Archive.h"
#include "core/render/ClassRegistry.h"
#include "core/files/RenderRecord.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

namespace korvanta {
namespace {

using test::GuiTest;
using test::WaitFor;

using test::RunTool;
using test::ToolRun;

class RenderTool : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        dir = test::TempDir("render-tool");
    }

    std::string Path(const std::string& name) { return (dir / name).string(); }

    // The explorer's own picture: sample scene, reduced size, Render, Save as.
    CFractalWnd* ExplorerRender(int scene, const char* width, const char* height)
    {
        Choose(kIdSamples, scene);
        SetSize(width, height);
        CFractalWnd* window = Render();
        EXPECT_NE(window, nullptr);
        return window;
    }

    void SaveAs(CFractalWnd* window, const std::string& name, int filter)
    {
        prompts.answers << Prompter::FileChoice{QString::fromStdString(Path(name)), filter};
        window->OnSaveAs();
    }

    std::filesystem::path dir;
};

TEST_F(RenderTool, WritesWhatTheExplorerWritesForTheSameScene)
{
    // Newton, Sinz, and a Julia with the value panel.
    for (int scene : {8, 9, 3}) {
        SCOPED_TRACE(scene);
        CFractalWnd* window = ExplorerRender(scene, "90", "70");
        ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }, 60000));
        SaveAs(window, "explorer.png", 4);
        SaveAs(window, "explorer.fra", 1);
        ASSERT_TRUE(prompts.messages.isEmpty());

        const ToolRun run = RunTool({"--scene", std::to_string(scene), "--size=90x70", "-q",
                                     "-o", Path("tool.png"), "-o", Path("tool.fra")});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(test::ReadAll(dir / "tool.png") == test::ReadAll(dir / "explorer.png"));
        // Everything but the placement, which records the explorer's window frame; the tool
        // has no window and records a frameless one at the top-left corner.
        const std::string tool = test::ReadAll(dir / "tool.fra");
        const std::string explorer = test::ReadAll(dir / "explorer.fra");
        ASSERT_EQ(tool.size(), explorer.size());
        const std::size_t placement = tool.size() - WindowPlacement::kSize;
        EXPECT_TRUE(tool.compare(0, placement, explorer, 0, placement) == 0);
        std::int32_t rect[4];
        std::memcpy(rect, tool.data() + placement + 28, sizeof rect);
        const RenderSettings& s = window->Job().Settings();
        EXPECT_EQ(std::vector<std::int32_t>(rect, rect + 4),
                  (std::vector<std::int32_t>{0, 0, s.m_nWidth, s.m_nHeight}));
        window->close();
    }
}

TEST_F(RenderTool, TheNumberOfThreadsChangesNothing)
{
    for (const char* threads : {"1", "2", "5"}) {
        const ToolRun run = RunTool({"-s", "Mandelbrot^3", "--size", "64x48", "-t", threads, "-q",
                                     "-o", Path(std::string("t") + threads + ".fra")});
        ASSERT_EQ(run.status, 0) << run.err;
    }
    EXPECT_TRUE(test::ReadAll(dir / "t1.fra") == test::ReadAll(dir / "t2.fra"));
    EXPECT_TRUE(test::ReadAll(dir / "t1.fra") == test::ReadAll(dir / "t5.fra"));
}

TEST_F(RenderTool, ResumesADocumentToTheUninterruptedPicture)
{
    CFractalWnd* window = ExplorerRender(7, "80", "60");
    const std::int32_t width = window->Job().Settings().m_nWidth;
    for (int i = 0; i < width * 13 + 29; ++i)
        dialog->IdleStep(0);
    ASSERT_EQ(window->Job().Row(), 13);
    SaveAs(window, "part.fra", 1);
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }));
    SaveAs(window, "whole.fra", 1);
    SaveAs(window, "whole.png", 4);

    const ToolRun run = RunTool({"-d", Path("part.fra"), "-q", "-o", Path("resumed.fra"),
                                 "-o", Path("resumed.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(test::ReadAll(dir / "resumed.fra") == test::ReadAll(dir / "whole.fra"));
    EXPECT_TRUE(test::ReadAll(dir / "resumed.png") == test::ReadAll(dir / "whole.png"));
}

TEST_F(RenderTool, ExplicitParametersOverrideTheScene)
{
    const ToolRun run = RunTool({"-s", "Julia", "-f", "mandelbrot3", "-c", "RGB", "-n", "77",
                                 "--area=-2,2,-1.5,1.5", "--size=40x30", "--no-aspect", "-q",
                                 "-o", Path("p.fra")});
    ASSERT_EQ(run.status, 0) << run.err;
    std::ifstream in(dir / "p.fra", std::ios::binary);
    Archive ar(in, FindRegisteredClass);
    LoadedRecord loaded = ReadRenderRecord(ar);
    const RenderSettings& s = loaded.job->Settings();
    EXPECT_EQ(s.m_nFormula, 1);
    EXPECT_EQ(s.m_nColoring, 2);
    EXPECT_EQ(s.m_pAlg->GetMaxIter(), 77);
    EXPECT_EQ(s.m_dXStart, -2.0);
    EXPECT_EQ(s.m_nWidth, 40);
    EXPECT_TRUE(loaded.job->Finished());
}

// A deep document of the tool, started over in the explorer: its workers compute the reference
// orbits afresh and the picture comes out byte for byte the tool's.
TEST_F(RenderTool, ADeepDocumentStartedOverInTheExplorerIsTheToolsPicture)
{
    const ToolRun run = RunTool({"--centre=1e-40,-1", "--radius=1e-40", "--size=48x32", "-c", "RGB", "-n", "2000",
                                 "--no-values", "--no-aspect", "-q", "-o", Path("deep.fra")});
    ASSERT_EQ(run.status, 0) << run.err;
    LoadedRecord loaded;
    {
        std::ifstream in(dir / "deep.fra", std::ios::binary);
        Archive ar(in, FindRegisteredClass);
        loaded = ReadRenderRecord(ar);
    }
    const auto pixels = static_cast<std::size_t>(loaded.job->Settings().m_nWidth * loaded.job->Settings().m_nHeight);
    const std::string whole(reinterpret_cast<const char*>(loaded.job->Pixels().data()), pixels * 4);
    ASSERT_TRUE(loaded.job->SetPosition(0, 0));
    std::fill_n(loaded.job->Pixels().data(), pixels, 0u);
    {
        std::ofstream out(dir / "again.fra", std::ios::binary);
        Archive ar(out);
        WriteRenderRecord(ar, *loaded.job, loaded.placement);
    }
    ASSERT_TRUE(dialog->OpenDocumentFile(QString::fromStdString(Path("again.fra"))));
    CFractalWnd* window = dialog->RenderWindows().back();
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }, 60000));
    EXPECT_TRUE(std::string(reinterpret_cast<const char*>(window->Job().Pixels().data()), pixels * 4) == whole);
}

// A deep area typed into the control window: Render hands the texts to the deep engine and
// the picture is korvanta-render's for the same fields, byte for byte. Sinz, which stays in
// doubles, is refused there with the reason and no window.
TEST_F(RenderTool, ADeepAreaTypedIntoTheControlWindowIsTheToolsPicture)
{
    const char* area[] = {"-5e-41", "1.5e-40", "-1.0000000000000000000000000000000000000001",
                          "-0.9999999999999999999999999999999999999999"};
    const std::string joined = std::string(area[0]) + "," + area[1] + "," + area[2] + "," + area[3];
    const ToolRun run = RunTool({"--area=" + joined, "--size=48x32", "-c", "RGB", "-n", "2000", "--no-values",
                                 "--no-aspect", "-q", "-o", Path("tool.png")});
    ASSERT_EQ(run.status, 0) << run.err;

    Choose(kIdFormula, 0);
    Choose(kIdColoring, Combo(kIdColoring)->findText("RGB"));
    Edit(kIdNumColors)->setText("2000");
    Check(kIdAspectRatio)->setChecked(false);
    Check(kIdShowValues)->setChecked(false);
    SetArea(area[0], area[1], area[2], area[3]);
    SetSize("48", "32");
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr) << prompts.messages.join("; ").toStdString();
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }, 60000));
    SaveAs(window, "explorer.png", 4);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(test::ReadAll(dir / "tool.png") == test::ReadAll(dir / "explorer.png"));
    // The fields keep every digit typed.
    EXPECT_EQ(Edit(kIdYStart)->text(), area[2]);

    ASSERT_GE(Combo(kIdFormula)->findText("Sinz Set"), 0);
    Choose(kIdFormula, Combo(kIdFormula)->findText("Sinz Set"));
    const std::size_t windows = dialog->RenderWindows().size();
    EXPECT_EQ(Render(), nullptr);
    EXPECT_EQ(dialog->RenderWindows().size(), windows);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith("Sinz Set is computed in double precision")) << prompts.messages[0].toStdString();
}

TEST_F(RenderTool, BadInputIsRefusedAndNothingIsWritten)
{
    const std::string out = Path("never.png");
    test::ExpectRefused({
        {{"-o", out, "--scene", "42"}, "no sample scene '42'"},
        {{"-o", out, "-f", "Spiral"}, "no formula 'Spiral'"},
        {{"-o", out, "-c", "9"}, "no coloring '9'"},
        {{"-o", out, "--size", "0x10"}, "--size: Value should be between or equal to 1 and 32000!"},
        {{"-o", out, "--size", "40000x10"}, "--size: Value should be between or equal to 1 and 32000!"},
        {{"-o", out, "--area", "1,1,0,1"}, "XStart and XEnd is too small"},
        {{"-o", out, "--area", "0,1,zero,1"}, "--area needs four numbers"},
        {{"-o", out, "--constant", "1"}, "--constant needs RE,IM"},
        {{"-o", out, "-n", "-5"}, "--colors needs a whole number"},
        {{"-o", out, "-t", "0"}, "--threads needs a number"},
        {{"-o", Path("x.jpg")}, "must end in .fra"},
        {{}, "no output given"},
        {{"-o", out, "-d", Path("missing.fra")}, "cannot open"},
        {{"-o", out, "-d", Path("x.fra"), "-s", "1"}, "--document goes alone"},
        {{"-o", out, "--frobnicate"}, "unrecognized option '--frobnicate'"},
    });
    std::ofstream(dir / "text.fra") << "plain text";
    const ToolRun notDocument = RunTool({"-d", Path("text.fra"), "-o", out});
    EXPECT_EQ(notDocument.status, 2);
    EXPECT_NE(notDocument.err.find("is not a Korvanta document"), std::string::npos);

    const ToolRun unwritable = RunTool({"-q", "--size=20x20", "-o", "/nonexistent-folder/p.bmp"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("Error trying to open file for writing"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // text.fra only
}

TEST_F(RenderTool, HelpAndVersion)
{
    const ToolRun help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: korvanta-render", 0), 0u);
    EXPECT_NE(help.out.find("--threads=N"), std::string::npos);
    EXPECT_EQ(RunTool({"--version"}).status, 0);
}

}  // namespace
}  // namespace korvanta
