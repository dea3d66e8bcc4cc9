#include "core/colorings/FractColPolarLog.h"
#include "core/archive/Archive.h"
#include "core/files/RenderRecord.h"
#include "core/formulas/FractAlgSinz.h"
#include "core/render/ParallelRender.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace korvanta {
namespace {

std::string Document(const RenderJob& job)
{
    std::ostringstream out;
    Archive ar(out);
    WriteRenderRecord(ar, job, {});
    return out.str();
}

std::unique_ptr<RenderJob> SinzJob(long steps = 0)
{
    auto* sinz = new CFractAlgSinz;
    sinz->SetConstant(CFractValue(1, 0.4));
    auto* col = new CFractColPolarLog;
    col->SetNumColors(300);
    auto job = std::make_unique<RenderJob>(
        RenderSettings::ForArea(-3, 3, -2.25, 2.25, 53, 41, sinz, col));
    job->CreateBitmaps();
    for (long i = 0; i < steps; ++i)
        job->RenderStep();
    return job;
}

TEST(ParallelRender, AnyNumberOfThreadsGivesTheSteppedPictureAndDocument)
{
    auto stepped = test::MandelbrotJob(61, 47);
    const std::string expected = Document(*stepped);
    for (int threads : {1, 2, 3, 8}) {
        auto job = test::MandelbrotJob(61, 47, 0);
        std::vector<std::int32_t> reports;
        RenderInParallel(*job, threads, [&](std::int32_t rows) { reports.push_back(rows); });
        EXPECT_TRUE(job->Finished());
        EXPECT_EQ(Document(*job), expected) << threads << " threads";
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.back(), 47);
    }
}

TEST(ParallelRender, ResumesAPictureStoppedInTheMiddleOfARow)
{
    auto whole = SinzJob();
    while (whole->RenderStep() != 0) {
    }
    auto partial = SinzJob(5 * 53 + 20);
    ASSERT_EQ(partial->Row(), 5);
    ASSERT_EQ(partial->Column(), 20);
    RenderInParallel(*partial, 2);
    EXPECT_EQ(Document(*partial), Document(*whole));
}

TEST(ParallelRender, AFinishedPictureIsLeftAlone)
{
    auto job = test::MandelbrotJob(10, 10);
    const std::string before = Document(*job);
    RenderInParallel(*job, 2);
    EXPECT_EQ(Document(*job), before);
}

}  // namespace
}  // namespace korvanta
