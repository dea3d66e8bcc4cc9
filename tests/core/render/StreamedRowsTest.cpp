#include "core/colorings/FractCol2304.h"
#include "core/colorings/FractColPolarLog.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/formulas/FractAlgSinz.h"
#include "core/render/ParallelRender.h"
#include "core/render/StreamedRows.h"
#include "support/FailingColoring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <numeric>
#include <random>
#include <stdexcept>

namespace korvanta {
namespace {

// A panel with black text in it, which leaves the pixels beneath as the buffer held them.
PixelBuffer Panel(std::int32_t width, std::int32_t height)
{
    PixelBuffer panel = PixelBuffer::Allocate(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            panel.at(x, y) = (x + y) % 3 == 0 ? 0 : 0x00F0A050u + std::uint32_t(x * 7 + y);
    return panel;
}

struct Picture {
    bool sinz;  // no vector kernel: pixel by pixel
    std::int32_t width, height;
    bool panel;
};

std::unique_ptr<RenderJob> Job(const Picture& p, bool whole)
{
    PictureObjects objects;
    if (p.sinz) {
        auto sinz = std::make_unique<CFractAlgSinz>();
        sinz->SetConstant(CFractValue(1, 0.4));
        auto col = std::make_unique<CFractColPolarLog>();
        col->SetNumColors(300);
        objects = {std::move(sinz), std::move(col)};
    } else {
        objects = {std::make_unique<CFractAlgMandelbrot>(), std::make_unique<CFractCol2304>()};
    }
    RenderSettings settings = RenderSettings::ForArea(-2.5, 1.5, -1.5, 1.5, p.width, p.height);
    settings.m_bShowValues = p.panel ? 1 : 0;
    auto job = std::make_unique<RenderJob>(settings, std::move(objects));
    PixelBuffer panel = p.panel ? Panel(p.width / 2 + 1, p.height / 2 + 1) : PixelBuffer{};
    if (whole) {
        EXPECT_TRUE(job->CreateBitmaps(std::move(panel)));
        RenderInParallel(*job, 2);
    } else {
        job->CreateOverlayOnly(std::move(panel));
    }
    return job;
}

TEST(StreamedRows, HandsOutTheWholePicturesRowsInWhateverOrderTheyAreAsked)
{
    const Picture pictures[] = {{false, 1, 1, false},  {false, 1, 9, false},   {false, 9, 1, false},
                                {false, 37, 23, true}, {true, 53, 41, false},  {true, 21, 16, true},
                                {false, 1500, 5, false}};
    std::mt19937 random(7);
    for (const Picture& p : pictures) {
        SCOPED_TRACE(std::to_string(p.width) + "x" + std::to_string(p.height) + (p.sinz ? " sinz" : "") +
                     (p.panel ? " panel" : ""));
        const auto whole = Job(p, true);
        const auto streamed = Job(p, false);
        ASSERT_EQ(whole->Settings().m_bShowValues, streamed->Settings().m_bShowValues);
        std::vector<std::int32_t> up(static_cast<std::size_t>(p.height));
        std::iota(up.begin(), up.end(), 0);
        std::vector<std::int32_t> down(up.rbegin(), up.rend()), twice, skipping, shuffled = up;
        for (std::int32_t row : down)
            twice.insert(twice.end(), {row, row});
        for (std::int32_t row = 0; row < p.height; row += 3)
            skipping.push_back(row);
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        for (const auto* order : {&up, &down, &twice, &skipping, &shuffled}) {
            for (int threads : {1, 2, 5}) {
                StreamedRows rows(*streamed, threads);
                ASSERT_EQ(rows.Width(), p.width);
                ASSERT_EQ(rows.Height(), p.height);
                for (std::int32_t row : *order) {
                    const std::uint32_t* pixels = rows.Row(row);
                    ASSERT_NE(pixels, nullptr);
                    ASSERT_EQ(std::memcmp(pixels, &whole->Pixels().at(0, row), std::size_t(p.width) * 4), 0)
                        << "row " << row << ", " << threads << " threads";
                }
                if (order == &down || order == &up) {
                    EXPECT_EQ(rows.RowsComputed(), p.height) << "a row in order is computed once";
                }
            }
        }
        EXPECT_EQ(StreamedRows(*streamed, 2).Row(p.height), nullptr);
        EXPECT_EQ(StreamedRows(*streamed, 2).Row(-1), nullptr);
    }
}

TEST(StreamedRows, AFailingThreadMakesRowsMissingAndItsErrorIsRaised)
{
    for (int threads : {1, 2, 4}) {
        RenderJob job(RenderSettings::ForArea(-1, 1, -1, 1, 40, 300),
                      {std::make_unique<CFractAlgMandelbrot>(), std::make_unique<test::FailingColoring>(2000)});
        job.CreateOverlayOnly();
        StreamedRows rows(job, threads);
        std::int32_t had = 0;
        while (had < 300 && rows.Row(299 - had))
            ++had;
        EXPECT_LT(had, 300) << threads << " threads";
        EXPECT_EQ(rows.Row(299 - had), nullptr) << "a failure stays";
        EXPECT_THROW(rows.RaiseFailure(), std::runtime_error);
    }
    // Nothing failed, nothing is raised.
    RenderJob fine(RenderSettings::ForArea(-1, 1, -1, 1, 4, 3),
                   {std::make_unique<CFractAlgMandelbrot>(), std::make_unique<CFractCol2304>()});
    fine.CreateOverlayOnly();
    StreamedRows rows(fine, 2);
    EXPECT_NE(rows.Row(0), nullptr);
    EXPECT_NO_THROW(rows.RaiseFailure());
}

}  // namespace
}  // namespace korvanta
