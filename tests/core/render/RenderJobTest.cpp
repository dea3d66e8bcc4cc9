#include "core/colorings/FractCol2304.h"
#include "core/colorings/FractColHSV.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/render/RenderJob.h"
#include "core/render/RenderView.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace korvanta {
namespace {

struct RecordingView : RenderView {
    struct Event {
        std::int32_t row;
        std::string title;  // empty for a repaint
        std::int32_t fromRow = 0, toRow = 0;
    };
    const RenderJob* job = nullptr;
    std::vector<Event> events;
    void SetTitle(const std::string& title) override { events.push_back({job->Row(), title}); }
    void Invalidate(std::int32_t fromRow, std::int32_t toRow) override
    {
        events.push_back({job->Row(), "", fromRow, toRow});
    }
};

// A formula that finishes each point after a set number of calls, for counting ticks.
class SlowFormula : public CFractAlg {
public:
    int callsPerPoint = 1;
    int calls = 0;
    bool Iterate() override
    {
        if (++calls < callsPerPoint)
            return false;
        calls = 0;
        m_result.SetCount(1);
        return true;
    }
};

RenderSettings Settings(std::int32_t width, std::int32_t height)
{
    return RenderSettings::ForArea(-1, 1, -1, 1, width, height);
}

// Objects of the given classes.
template <class Alg, class Col>
PictureObjects Objects()
{
    return {std::make_unique<Alg>(), std::make_unique<Col>()};
}

int RunToEnd(RenderJob& job)
{
    int steps = 1;
    while (job.RenderStep() != 0)
        ++steps;
    return steps;
}

TEST(RenderJob, ConfiguresTheFormulaFromTheSettings)
{
    RenderJob job(Settings(400, 200), Objects<CFractAlgMandelbrot, CFractCol2304>());
    const CFractAlg* alg = job.Settings().m_pAlg;
    EXPECT_EQ(alg->GetMaxIter(), 2304);
    EXPECT_EQ(alg->StepX(), 2.0 / 400);
    EXPECT_EQ(alg->StepY(), 2.0 / 200);
    EXPECT_EQ(alg->Height(), 200);
}

TEST(RenderJob, ProgressTitlesAndRepaintsFollowTheRows)
{
    RenderJob job(Settings(400, 200), Objects<CFractAlg, CFractCol>());
    ASSERT_TRUE(job.CreateBitmaps());
    RecordingView view;
    view.job = &job;
    job.SetView(&view);
    EXPECT_EQ(RunToEnd(job), 400 * 200);

    std::vector<std::int32_t> titledRows, repaintedRows;
    std::vector<std::pair<std::int32_t, std::int32_t>> spans;
    for (const auto& e : view.events) {
        (e.title.empty() ? repaintedRows : titledRows).push_back(e.row);
        if (e.title.empty())
            spans.emplace_back(e.fromRow, e.toRow);
    }
    ASSERT_EQ(titledRows.size(), 41u);  // every 5 rows, and the final title
    EXPECT_EQ(view.events.front().title, "2  % rendered");
    EXPECT_EQ(view.events[1].title, "5  % rendered");
    EXPECT_EQ(view.events[1].row, 10);
    EXPECT_EQ(repaintedRows, (std::vector<std::int32_t>{30, 60, 90, 120, 150, 180, 200}));
    // Each repaint covers the rows finished since the one before; the last one all of them.
    EXPECT_EQ(spans, (std::vector<std::pair<std::int32_t, std::int32_t>>{
                         {0, 30}, {30, 60}, {60, 90}, {90, 120}, {120, 150}, {150, 180}, {0, 200}}));
    EXPECT_EQ(view.events[view.events.size() - 3].title, "100% rendered");
    EXPECT_EQ(view.events[view.events.size() - 2].title, RenderJob::kReadyTitle);
    EXPECT_EQ(job.RenderStep(), 0);
    EXPECT_EQ(view.events.size(), 41u + 7u);
}

TEST(RenderJob, PixelsGoBottomUpFromTheAreaStart)
{
    // RGB shows the count in blue for small counts, so each pixel tells where it was.
    RenderJob job(Settings(4, 3), Objects<CFractAlgMandelbrot, CFractColHSV>());
    job.CreateBitmaps();
    RunToEnd(job);
    CFractAlgMandelbrot reference;
    reference.SetArea(-1, 1, -1, 1);
    reference.SetWidth(4);
    reference.SetHeight(3);
    reference.SetMaxIter(262143);
    for (std::int32_t row = 0; row < 3; ++row) {
        for (std::int32_t col = 0; col < 4; ++col) {
            reference.SetPoint(col, row);
            while (!reference.Iterate()) {
            }
            CFractColHSV rgb;
            EXPECT_EQ(job.Pixels().data()[row * 4 + col], rgb.GetColor(*reference.GetResult()))
                << col << "," << row;
        }
    }
}

// What a repaint may skip as never written: every row above the mark holds zeros, however the
// position moved.
TEST(RenderJob, RowsAboveTheUnwrittenMarkHoldZeros)
{
    RenderJob job(Settings(6, 9), Objects<CFractAlgMandelbrot, CFractColHSV>());
    job.CreateBitmaps();
    const auto zerosFrom = [&](std::int32_t row) {
        for (std::int32_t r = row; r < 9; ++r)
            for (std::int32_t c = 0; c < 6; ++c)
                if (job.Pixels().at(c, r) != 0)
                    return false;
        return true;
    };
    EXPECT_EQ(job.UnwrittenFrom(), 1);
    while (job.Row() < 4 || job.Column() < 2)
        job.RenderStep();
    EXPECT_EQ(job.UnwrittenFrom(), 5);
    EXPECT_TRUE(zerosFrom(job.UnwrittenFrom()));
    EXPECT_FALSE(zerosFrom(job.UnwrittenFrom() - 1));
    ASSERT_TRUE(job.SetPosition(0, 1));
    EXPECT_EQ(job.UnwrittenFrom(), 5);
    RunToEnd(job);
    EXPECT_EQ(job.UnwrittenFrom(), 9);
}

TEST(RenderJob, SlowPointsTakeOneTickPerSlice)
{
    auto alg = std::make_unique<SlowFormula>();
    alg->callsPerPoint = 3;  // 10001 to 15000 iterations
    RenderJob job(Settings(2, 1), {std::move(alg), std::make_unique<CFractColHSV>()});
    job.CreateBitmaps();
    EXPECT_EQ(job.RenderStep(), 1);
    EXPECT_EQ(job.RenderStep(), 1);
    EXPECT_EQ(job.Pixels().data()[0], 0u);
    EXPECT_EQ(job.RenderStep(), 1);
    EXPECT_EQ(job.Pixels().data()[0], 4u);
    EXPECT_EQ(job.Column(), 1);
}

TEST(RenderJob, EmptyAndImpossiblePicturesDoNoWork)
{
    RenderJob flat(Settings(200, 0), Objects<CFractAlg, CFractCol>());
    EXPECT_TRUE(flat.CreateBitmaps());
    EXPECT_EQ(flat.RenderStep(), 0);

    RenderJob huge(Settings(std::numeric_limits<std::int32_t>::max(),
                            std::numeric_limits<std::int32_t>::max()),
                   Objects<CFractAlg, CFractCol>());
    EXPECT_FALSE(huge.CreateBitmaps());
    EXPECT_TRUE(huge.OutOfMemory());
    EXPECT_EQ(huge.RenderStep(), 0);
    EXPECT_EQ(huge.Row(), 0);

    RenderJob negative(Settings(-5, 10), Objects<CFractAlg, CFractCol>());
    EXPECT_FALSE(negative.CreateBitmaps());
    EXPECT_EQ(negative.RenderStep(), 0);

    // Without a formula there is nothing to compute, but the picture is not done either.
    RenderJob idle(Settings(2, 2), {nullptr, std::make_unique<CFractCol>()});
    idle.CreateBitmaps();
    EXPECT_EQ(idle.RenderStep(), 1);
    EXPECT_EQ(idle.Row(), 0);
}

TEST(RenderJob, PositionsOutsideThePictureAreRefused)
{
    RenderJob job(Settings(10, 5), Objects<CFractAlg, CFractCol>());
    job.CreateBitmaps();
    EXPECT_TRUE(job.SetPosition(9, 4));
    EXPECT_TRUE(job.SetPosition(0, 5));
    EXPECT_FALSE(job.SetPosition(10, 4));
    EXPECT_FALSE(job.SetPosition(0, 6));
    EXPECT_FALSE(job.SetPosition(-1, 0));
    EXPECT_EQ(job.Row(), 5);
}

// A 6 x 4 overlay of light gray with black text at its overlay column 3, row 2.
PixelBuffer GrayOverlay()
{
    PixelBuffer overlay = PixelBuffer::Allocate(6, 4);
    for (std::size_t i = 0; i < overlay.size(); ++i)
        overlay.data()[i] = 0x00DDDDDD;
    overlay.at(3, 2) = 0;
    return overlay;
}

// Every pixel pure red with a fourth byte of 7 already in the buffer's corner.
class RedColoring : public CFractCol {
public:
    std::uint32_t GetColor(const CFractValue&) const override { return 0x00FF0000; }
};

TEST(RenderJob, OverlayBlendsInTheTopRightCornerAndKeepsItsText)
{
    RenderSettings s = Settings(10, 8);
    s.m_bShowValues = 1;
    RenderJob job(s, Objects<CFractAlg, RedColoring>());
    ASSERT_TRUE(job.CreateBitmaps(GrayOverlay()));
    EXPECT_EQ(job.Settings().m_bShowValues, 1);
    job.Pixels().at(9, 7) = 0x07000000;
    RunToEnd(job);

    EXPECT_EQ(job.Pixels().at(9, 7), 0x07ED6E6Eu);  // 237, 110, 110, fourth byte kept
    EXPECT_EQ(job.Pixels().at(5, 6), 0x00ED6E6Eu);
    EXPECT_EQ(job.Pixels().at(4 + 3, 4 + 2), 0u);    // text stays black
    // The overlay's bottom row and left column are plain picture.
    EXPECT_EQ(job.Pixels().at(9, 4), 0x00FF0000u);
    EXPECT_EQ(job.Pixels().at(4, 7), 0x00FF0000u);
    EXPECT_EQ(job.Pixels().at(3, 7), 0x00FF0000u);
}

TEST(RenderJob, OverlayIsOnlyActiveWhenAskedForAndPresent)
{
    RenderSettings s = Settings(10, 8);
    RenderJob notAsked(s, Objects<CFractAlg, RedColoring>());
    notAsked.CreateBitmaps(GrayOverlay());
    EXPECT_EQ(notAsked.Settings().m_bShowValues, 0);
    RunToEnd(notAsked);
    EXPECT_EQ(notAsked.Pixels().at(9, 7), 0x00FF0000u);

    s.m_bShowValues = 1;
    RenderJob noOverlay(s, Objects<CFractAlg, RedColoring>());
    noOverlay.CreateBitmaps();
    EXPECT_EQ(noOverlay.Settings().m_bShowValues, 0);
}

TEST(RenderJob, ApplyingNewSettingsReleasesTheOldObjects)
{
    // Under the address sanitizer a leak or double delete here fails the run.
    RenderJob job(Settings(4, 4), Objects<CFractAlgMandelbrot, CFractCol>());
    job.ApplySettings(Settings(8, 8), Objects<CFractAlgMandelbrot, CFractCol2304>());
    EXPECT_EQ(job.Settings().m_pAlg->GetMaxIter(), 2304);
    EXPECT_EQ(job.Settings().m_pAlg->Width(), 8);
    // Settings copied from the job carry views only: applying them with new objects
    // points the views at those.
    const RenderSettings copied = job.Settings();
    PictureObjects fresh = Objects<CFractAlgMandelbrot, CFractCol>();
    const CFractAlg* freshAlg = fresh.alg.get();
    job.ApplySettings(copied, std::move(fresh));
    EXPECT_EQ(job.Settings().m_pAlg, freshAlg);
    EXPECT_EQ(job.Settings().m_pAlg->Width(), 8);
}

}  // namespace
}  // namespace korvanta
