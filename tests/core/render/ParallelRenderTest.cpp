#include "core/colorings/FractColPolarLog.h"
#include "core/archive/Archive.h"
#include "core/files/RenderRecord.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/formulas/FractAlgSinz.h"
#include "core/render/ParallelRender.h"
#include "support/DocumentBytes.h"
#include "support/FailingColoring.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <sstream>

namespace korvanta {
namespace {

using test::Document;

std::unique_ptr<RenderJob> SinzJob(long steps = 0)
{
    auto sinz = std::make_unique<CFractAlgSinz>();
    sinz->SetConstant(CFractValue(1, 0.4));
    auto col = std::make_unique<CFractColPolarLog>();
    col->SetNumColors(300);
    auto job = std::make_unique<RenderJob>(RenderSettings::ForArea(-3, 3, -2.25, 2.25, 53, 41),
                                           PictureObjects{std::move(sinz), std::move(col)});
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

class UnlistedFormula : public CFractAlg {
    KORVANTA_DECLARE_SERIAL(UnlistedFormula)
};
KORVANTA_IMPLEMENT_SERIAL(UnlistedFormula, CFractAlg)

TEST(ParallelRender, AFailingThreadEndsTheRenderWithItsErrorInsteadOfTheProgram)
{
    for (int threads : {1, 2, 4}) {
        RenderJob job(RenderSettings::ForArea(-1, 1, -1, 1, 40, 30),
                      {std::make_unique<CFractAlgMandelbrot>(), std::make_unique<test::FailingColoring>(500)});
        ASSERT_TRUE(job.CreateBitmaps());
        int reports = 0;
        try {
            RenderInParallel(job, threads, [&](std::int32_t) { ++reports; });
            ADD_FAILURE() << "the failure was lost with " << threads << " threads";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "coloring failed");
        }
        // Unfinished as it was: stepping or another run picks it up from the start.
        EXPECT_FALSE(job.Finished());
        EXPECT_EQ(job.Row(), 0);
    }

    // A progress report that fails stops the threads, which are joined, and reaches the caller.
    auto cancelled = test::MandelbrotJob(300, 200, 0);
    EXPECT_THROW(RenderInParallel(*cancelled, 2, [](std::int32_t) { throw std::runtime_error("stop"); }),
                 std::runtime_error);
    EXPECT_FALSE(cancelled->Finished());

    // A formula of a class that documents do not know cannot be copied for the threads.
    RenderJob unknown(RenderSettings::ForArea(-1, 1, -1, 1, 8, 8),
                      {std::make_unique<UnlistedFormula>(), std::make_unique<CFractCol>()});
    ASSERT_TRUE(unknown.CreateBitmaps());
    try {
        RenderInParallel(unknown, 2);
        ADD_FAILURE() << "an unlisted formula was copied";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.kind(), ArchiveError::Kind::UnknownClass);
    }
    EXPECT_FALSE(unknown.Finished());
}

}  // namespace
}  // namespace korvanta
