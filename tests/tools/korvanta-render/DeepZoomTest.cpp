#include "support/ExactNumbers.h"
#include "support/GuiFixture.h"
#include "support/Pictures.h"
#include "support/ToolRuns.h"

#include "core/deep/FractAlgDeep.h"
#include "core/text/NumberText.h"
#include "gui/shell/FractalPropDlg.h"

#include <QTimer>

#include <algorithm>
#include <cmath>
#include <set>

namespace korvanta {
namespace {

using test::Exact;
using test::GuiTest;
using test::WaitFor;

constexpr int kWidth = 110, kHeight = 66;

class DeepZoom : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        dir = test::TempDir("deep-zoom");
    }

    std::string Path(const std::string& name) { return (dir / name).string(); }

    void Drag(QWidget* window, QPoint from, QPoint to)
    {
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        QTest::mouseMove(window, to);
        QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    }

    static const CFractAlgDeep* DeepOf(const CFractalWnd* window)
    {
        return dynamic_cast<const CFractAlgDeep*>(window->Job().Settings().m_pAlg);
    }

    // A window's location exactly: the texts of a deep picture, the doubles of another.
    static std::array<Exact, 4> LocationOf(const CFractalWnd* window)
    {
        if (const CFractAlgDeep* deep = DeepOf(window)) {
            const DeepArea& a = deep->Area();
            return {Exact(a.xStart), Exact(a.xEnd), Exact(a.yStart), Exact(a.yEnd)};
        }
        const RenderSettings& s = window->Job().Settings();
        return {Exact(s.m_dXStart), Exact(s.m_dXEnd), Exact(s.m_dYStart), Exact(s.m_dYEnd)};
    }

    std::array<std::string, 4> AreaTexts()
    {
        return {Edit(kIdXStart)->text().toStdString(), Edit(kIdXEnd)->text().toStdString(),
                Edit(kIdYStart)->text().toStdString(), Edit(kIdYEnd)->text().toStdString()};
    }

    // korvanta-render's picture of the same fields, against the window's own, as bitmaps.
    void ExpectTheToolsPicture(CFractalWnd* window, const std::array<std::string, 4>& area, int zoom)
    {
        const test::ToolRun run =
            test::RunTool({"--area=" + area[0] + "," + area[1] + "," + area[2] + "," + area[3], "--size=110x66",
                           "-c", "RGB", "-n", "1500", "--no-values", "--no-aspect", "-q", "-o", Path("tool.bmp")});
        ASSERT_EQ(run.status, 0) << run.err;
        prompts.answers << Prompter::FileChoice{QString::fromStdString(Path("explorer.bmp")), 2};
        window->OnSaveAs();
        EXPECT_TRUE(test::ReadAll(dir / "tool.bmp") == test::ReadAll(dir / "explorer.bmp")) << "zoom " << zoom;
        // Pictures of one color would agree whatever the engines did.
        const PixelBuffer& pixels = window->Job().Pixels();
        const std::set<std::uint32_t> colors(pixels.data(), pixels.data() + pixels.size());
        EXPECT_GE(colors.size(), 20u) << "zoom " << zoom;
    }

    std::filesystem::path dir;
};

// Forty drags, each to an eleventh of the picture, from the full view towards the
// Misiurewicz point -i of this program's (mirrored) set. Every new area is the drag
// rectangle of the window it was dragged in, worked out here in MPFR on its own: to a
// hundred millionth of a pixel once doubles no longer resolve the picture (with no more digits than
// the pixels need), to a twentieth before. Every picture is korvanta-render's.
TEST_F(DeepZoom, FortyDragsFromTheFullViewReachBelow1e40Exactly)
{
    Choose(kIdFormula, 0);
    Choose(kIdColoring, Combo(kIdColoring)->findText("RGB"));
    Edit(kIdNumColors)->setText("1500");
    Check(kIdAspectRatio)->setChecked(false);
    Check(kIdShowValues)->setChecked(false);
    SetArea("-2.2", "2.2", "-1.32", "1.32");
    SetSize("110", "66");
    const Exact targetRe("0"), targetIm("-1");
    int deepWindows = 0;
    std::array<std::string, 4> area = AreaTexts();
    for (int zoom = 0; zoom <= 40; ++zoom) {
        CFractalWnd* window = Render();
        ASSERT_NE(window, nullptr) << zoom << ": " << prompts.messages.join("; ").toStdString();
        ASSERT_EQ(window->size(), QSize(kWidth, kHeight));
        ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }, 60000)) << zoom;
        ExpectTheToolsPicture(window, area, zoom);
        deepWindows += DeepOf(window) != nullptr;
        if (zoom == 40)
            break;

        // Drag 10 x 6 pixels around the target's pixel.
        const std::array<Exact, 4> at = LocationOf(window);
        Exact x, y;
        mpfr_sub(x.v, targetRe.v, at[0].v, MPFR_RNDN);
        mpfr_div(x.v, x.v, test::Step(at[0], at[1], kWidth).v, MPFR_RNDN);
        mpfr_sub(y.v, at[3].v, targetIm.v, MPFR_RNDN);
        mpfr_div(y.v, y.v, test::Step(at[2], at[3], kHeight).v, MPFR_RNDN);
        const int left = std::clamp(static_cast<int>(std::lround(mpfr_get_d(x.v, MPFR_RNDN))) - 5, 0, kWidth - 10);
        const int top = std::clamp(static_cast<int>(std::lround(mpfr_get_d(y.v, MPFR_RNDN))) - 3, 0, kHeight - 6);
        Drag(window, {left, top}, {left + 10, top + 6});

        area = AreaTexts();
        const Exact want[] = {test::Between(at[0], at[1], left, kWidth), test::Between(at[0], at[1], left + 10, kWidth),
                              test::Between(at[2], at[3], kHeight - top - 6, kHeight),
                              test::Between(at[2], at[3], kHeight - top, kHeight)};
        const Exact pixel = test::Step(want[0], want[1], kWidth);
        // Doubles resolve a picture whose pixels are 64 units of their last place apart.
        const bool doubles = mpfr_get_d(pixel.v, MPFR_RNDN) >= 64 * std::ldexp(1.0, -52);
        const int depth = static_cast<int>(-std::floor(std::log10(mpfr_get_d(pixel.v, MPFR_RNDN))));
        for (int i = 0; i < 4; ++i) {
            const Exact got(area[i]);
            ASSERT_TRUE(got.ok) << area[i];
            EXPECT_LT(test::Apart(got, want[i], pixel), doubles ? 0.05 : 1e-8) << "zoom " << zoom << ": " << area[i];
            if (!doubles) {
                EXPECT_LE(test::SignificantDigits(area[i]), depth + 12) << area[i];
            }
        }
        window->close();
    }
    const std::array<Exact, 4> last = LocationOf(dialog->RenderWindows().back());
    EXPECT_LT(mpfr_get_d(test::Step(last[0], last[1], 1).v, MPFR_RNDN), 1e-40);
    EXPECT_GE(deepWindows, 25);
}

// Set Constant at a point of a deep picture gives the point's exact texts; Properties shows
// the picture's exact texts and Set copies them back.
TEST_F(DeepZoom, SetConstantAndPropertiesKeepEveryDigit)
{
    Choose(kIdFormula, 0);
    Check(kIdAspectRatio)->setChecked(false);
    const DeepArea area{"-1.00000000000000000000000000000000000000004", "-1.00000000000000000000000000000000000000001",
                        "0.20000000000000000000000000000000000000001", "0.20000000000000000000000000000000000000003"};
    SetArea(area.xStart.c_str(), area.xEnd.c_str(), area.yStart.c_str(), area.yEnd.c_str());
    SetSize("30", "20");
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(DeepOf(window), nullptr);

    window->SetMenuPoint({10, 5});
    window->OnSetConstant();
    const Exact re(Edit(kIdCRe)->text().toStdString()), im(Edit(kIdCIm)->text().toStdString());
    const Exact pixel = test::Step(Exact(area.xStart), Exact(area.xEnd), 30);
    EXPECT_LT(test::Apart(re, test::Between(Exact(area.xStart), Exact(area.xEnd), 10, 30), pixel), 1e-8);
    EXPECT_LT(test::Apart(im, test::Between(Exact(area.yStart), Exact(area.yEnd), 15, 20), pixel), 1e-8);

    // A Julia set there: its C is the point, every digit of it.
    Choose(kIdFormula, 2);
    const QString cRe = Edit(kIdCRe)->text(), cIm = Edit(kIdCIm)->text();
    CFractalWnd* julia = Render();
    ASSERT_NE(julia, nullptr);
    ASSERT_NE(DeepOf(julia), nullptr);
    EXPECT_EQ(DeepOf(julia)->ConstantRe(), cRe.toStdString());
    EXPECT_EQ(DeepOf(julia)->ConstantIm(), cIm.toStdString());

    CFractalPropDlg properties(julia->Job().Settings(), dialog.get());
    // 3e-41 wide, 2e-41 high: zoom 4 / 2e-41.
    EXPECT_EQ(properties.DepthText(), "Width 3E-41, Zoom 2E+41");
    EXPECT_EQ(properties.FieldText(kIdXStart).toStdString(), area.xStart);
    EXPECT_EQ(properties.FieldText(kIdYEnd).toStdString(), area.yEnd);
    EXPECT_EQ(properties.FieldText(kIdCRe), cRe);
    EXPECT_EQ(properties.FieldText(kIdCIm), cIm);
    SetArea("0", "1", "0", "1");
    Edit(kIdCRe)->setText("0");
    properties.OnSet();
    EXPECT_EQ(Edit(kIdXStart)->text().toStdString(), area.xStart);
    EXPECT_EQ(Edit(kIdYEnd)->text().toStdString(), area.yEnd);
    EXPECT_EQ(Edit(kIdCRe)->text(), cRe);
}

// A deep zoom writes its texts as plain decimals, which the fields take when typed: typed
// back key by key they give the same picture, and so do the same numbers in exponent form.
TEST_F(DeepZoom, ZoomTextsTypedBackGiveTheSamePicture)
{
    Choose(kIdFormula, 0);
    Choose(kIdColoring, Combo(kIdColoring)->findText("RGB"));
    Edit(kIdNumColors)->setText("1500");
    Check(kIdAspectRatio)->setChecked(false);
    Check(kIdShowValues)->setChecked(false);
    SetArea("-0.7436438870371587", "-0.7436438870371547", "0.1318259042053111", "0.1318259042053135");
    SetSize("110", "66");
    CFractalWnd* window = Render();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitFor([&] { return window->Job().Finished(); }, 60000));
    Drag(window, {40, 20}, {51, 27});
    const std::array<std::string, 4> zoomed = AreaTexts();
    const auto picture = [&] {
        CFractalWnd* w = Render();
        EXPECT_NE(w, nullptr) << prompts.messages.join("; ").toStdString();
        if (w == nullptr)
            return std::vector<std::uint32_t>{};
        EXPECT_NE(DeepOf(w), nullptr);
        EXPECT_TRUE(WaitFor([&] { return w->Job().Finished(); }, 60000));
        const PixelBuffer& p = w->Job().Pixels();
        return std::vector<std::uint32_t>(p.data(), p.data() + p.size());
    };
    const auto fromZoom = picture();
    ASSERT_FALSE(fromZoom.empty());

    const int ids[] = {kIdXStart, kIdXEnd, kIdYStart, kIdYEnd};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(zoomed[i].find_first_not_of("-0123456789."), std::string::npos) << zoomed[i];
        Edit(ids[i])->clear();
        QTest::keyClicks(Edit(ids[i]), QString::fromStdString(zoomed[i]));
    }
    EXPECT_EQ(AreaTexts(), zoomed);
    EXPECT_EQ(picture(), fromZoom);

    // The same numbers as the exponent form reads them (pasted: typing drops the 'e').
    for (int i = 0; i < 4; ++i) {
        const Exact value(zoomed[i]);
        char text[200];
        mpfr_snprintf(text, sizeof text, "%.40Re", value.v);
        Edit(ids[i])->setText(text);
        ASSERT_TRUE(mpfr_equal_p(Exact(text).v, value.v)) << text << " is not " << zoomed[i];
    }
    EXPECT_EQ(picture(), fromZoom);
}

}  // namespace
}  // namespace korvanta
