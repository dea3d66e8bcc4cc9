#include "core/archive/Archive.h"
#include "core/colorings/ColoringList.h"
#include "core/files/RenderRecord.h"
#include "core/formulas/FormulaList.h"
#include "core/render/RenderJob.h"
#include "core/render/RowWorkers.h"

#include "support/DocumentBytes.h"
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <climits>
#include <limits>
#include <sstream>
#include <thread>

namespace korvanta {
namespace {

using test::Document;

struct Scene {
    int formula, coloring, colors;
    double x0, x1, y0, y1, a, b;
    bool values;
};

std::unique_ptr<RenderJob> MakeJob(const Scene& s)
{
    auto settings = RenderSettings::ForArea(s.x0, s.x1, s.y0, s.y1, 57, 41);
    settings.m_nFormula = s.formula;
    settings.m_nColoring = s.coloring;
    settings.m_bShowValues = s.values ? 1 : 0;
    PictureObjects objects{CreateFormula(s.formula), CreateColoring(s.coloring)};
    objects.col->SetNumColors(s.colors);
    objects.alg->SetConstant(CFractValue(s.a, s.b));
    auto job = std::make_unique<RenderJob>(settings, std::move(objects));
    PixelBuffer panel = PixelBuffer::Allocate(20, 9);  // a stand-in for the value panel
    for (std::size_t i = 0; i < panel.size(); ++i)
        panel.data()[i] = i % 7 ? 0x00DDDDDD : 0;
    job->CreateBitmaps(s.values ? std::move(panel) : PixelBuffer{});
    return job;
}

// Takes rows from the workers as the idle loop does, waiting for them where needed.
bool StepLookAhead(RenderJob& job)
{
    const auto row = job.Row();
    for (int tries = 0; tries < 20000 && job.Row() == row && !job.Finished(); ++tries)
        if (job.RenderStep() == 1 && job.Row() == row)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
    return job.Row() != row;
}

// At every place where the workers' picture stands, the picture stepped pixel by pixel to
// the same place stores exactly the same document.
TEST(LookAhead, EveryPlaceTheWorkersReachStoresWhatSteppingStores)
{
    const Scene scenes[] = {
        {0, 0, 2304, -2, 2, -2, 2, 0, 0, false},                 // Apfelmaenchen
        {2, 4, 3000, -1.6, 1.6, -1.2, 1.2, 0.123, -0.745, true},  // a Julia set, with a panel
        {5, 3, 23040, -10, 10, -10, 10, 1, 0.6, true},           // Newton, no kernel
        {6, 4, 100, -3.141, 3.141, -3, 3, 1, -0.6, false},        // Sinz
    };
    RowWorkers workers(3);
    for (const Scene& scene : scenes) {
        auto ahead = MakeJob(scene);
        auto stepped = MakeJob(scene);
        ahead->EnableLookAhead(workers);
        ASSERT_TRUE(ahead->LooksAhead());
        while (!ahead->Finished()) {
            ASSERT_TRUE(StepLookAhead(*ahead)) << "no row came from the workers";
            while (stepped->Row() < ahead->Row() && stepped->RenderStep() != 0) {
            }
            ASSERT_EQ(stepped->Row(), ahead->Row());
            ASSERT_EQ(stepped->Column(), ahead->Column());
            ASSERT_EQ(Document(*ahead), Document(*stepped)) << "formula " << scene.formula
                                                           << ", row " << ahead->Row();
        }
        EXPECT_TRUE(stepped->Finished());
    }
}

TEST(LookAhead, AResumedPictureAndAClosedOneLeaveNothingBehind)
{
    const Scene julia{2, 0, 2304, -1.6, 1.6, -1.2, 1.2, 0.123, -0.745, false};
    RowWorkers workers(2);
    // Resumed in the middle of a row: the rest of that row first, as stepping does.
    auto ahead = MakeJob(julia);
    auto stepped = MakeJob(julia);
    for (int i = 0; i < 3 * 57 + 11; ++i) {
        ahead->RenderStep();
        stepped->RenderStep();
    }
    ASSERT_EQ(ahead->Column(), 11);
    ahead->EnableLookAhead(workers);
    ASSERT_TRUE(ahead->LooksAhead());
    ASSERT_TRUE(StepLookAhead(*ahead));
    EXPECT_EQ(ahead->Row(), 4);
    EXPECT_EQ(ahead->Column(), 0);
    while (!ahead->Finished())
        ASSERT_TRUE(StepLookAhead(*ahead));
    while (stepped->RenderStep() != 0) {
    }
    EXPECT_EQ(Document(*ahead), Document(*stepped));

    // Slow pictures closed while the workers hold their rows: they go at once, and the
    // workers go on with the others. The second one's first row lies on the real axis in
    // the chaotic band, where orbits neither escape nor soon come back: a row of it takes
    // minutes, which neither the close nor the workers' end may wait for.
    const Scene slow{0, 2, 2000000, -0.2, 0.2, -0.2, 0.2, 0, 0, false};
    const Scene endless{0, 2, INT32_MAX, 1.5, 1.9, 0, 0, 0, 0, false};
    for (const Scene& scene : {slow, endless}) {
        auto closing = MakeJob(scene);
        closing->EnableLookAhead(workers);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const auto start = std::chrono::steady_clock::now();
        closing.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        auto after = MakeJob(julia);
        after->EnableLookAhead(workers);
        EXPECT_TRUE(StepLookAhead(*after));
    }
}

// Orbits that neither escape nor come back bit for bit: at the highest limit every pixel
// takes minutes, and closing the picture must still not wait for the pixel in hand.
TEST(LookAhead, AClosedPictureGoesAtOnceHoweverHighItsLimit)
{
    constexpr int kHighest = std::numeric_limits<std::int32_t>::max();
    const Scene scenes[] = {
        {6, 2, kHighest, 0.5, 1.0, -0.01, 0.01, 1, 0, false},  // Sinz creeping to 0: no kernel
        {0, 2, kHighest, 0.25 - 1e-15, 0.25 + 1e-15, -1e-15, 1e-15, 0, 0, false},  // the cusp
    };
    RowWorkers workers(2);
    for (const Scene& scene : scenes) {
        auto closing = MakeJob(scene);
        closing->EnableLookAhead(workers);
        ASSERT_TRUE(closing->LooksAhead());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const auto start = std::chrono::steady_clock::now();
        closing.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2))
            << "formula " << scene.formula;
    }
}

// The picture's document needs the formula object as stepping leaves it after the last row
// the workers handed in; working that pixel out at a high # Colors, inside the set, must
// not hold the program up (a save, the desktop at exit): 2147483647 took 20 seconds.
TEST(LookAhead, ThePictureStoresAtOnceHoweverHighItsLimit)
{
    constexpr int kHigh = 300000000;
    const Scene scenes[] = {
        {0, 2, kHigh, -0.1, 0.1, -0.1, 0.1, 0, 0, false},           // Mandelbrot
        {2, 2, kHigh, -0.1, 0.1, -0.1, 0.1, 0.123, -0.745, false},  // Julia
    };
    RowWorkers workers(2);
    for (const Scene& scene : scenes) {
        auto job = MakeJob(scene);
        job->EnableLookAhead(workers);
        // The first pixels of a row go to the limit before the workers watch for cycles.
        for (int tries = 0; tries < 30 && job->Row() == 0; ++tries)
            StepLookAhead(*job);
        ASSERT_GT(job->Row(), 0) << "formula " << scene.formula;
        const auto start = std::chrono::steady_clock::now();
        Document(*job);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1))
            << "formula " << scene.formula;
    }
}

// The nice value of each of this process's threads, from the kernel's own account.
std::vector<int> ThreadNiceValues()
{
    std::vector<int> values;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream stat(task.path() / "stat");
        std::string line;
        std::getline(stat, line);
        // Fields after the command's closing parenthesis; the nice value is the 17th.
        std::istringstream rest(line.substr(line.rfind(')') + 2));
        std::string field;
        for (int i = 0; i < 17 && rest >> field; ++i) {
        }
        values.push_back(std::stoi(field));
    }
    return values;
}

// The workers give way to the thread that handles input, and to it alone.
TEST(LookAhead, TheWorkersRunBelowTheInterface)
{
    const int before = getpriority(PRIO_PROCESS, 0);
    RowWorkers workers(3);
    long lowered = 0;
    for (int tries = 0; tries < 2000 && lowered < 3; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const auto values = ThreadNiceValues();
        lowered = std::count(values.begin(), values.end(), std::min(before + RowWorkers::kNice, 19));
    }
    EXPECT_EQ(lowered, 3);
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), before);
}

}  // namespace
}  // namespace korvanta
