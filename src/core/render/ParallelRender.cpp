#include "core/render/ParallelRender.h"

#include "core/archive/Archive.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

namespace korvanta {

namespace {

// An exact copy of a formula, state included, through its stored form.
std::unique_ptr<CFractAlg> Clone(const CFractAlg& alg)
{
    std::ostringstream stored;
    Archive store(stored);
    store.WriteObject(&alg);
    std::istringstream bytes(stored.str());
    Archive load(bytes);
    return std::unique_ptr<CFractAlg>(static_cast<CFractAlg*>(load.ReadObject(CFractAlg::kClass).release()));
}

}  // namespace

void RenderInParallel(RenderJob& job, int threads,
                      const std::function<void(std::int32_t rowsDone)>& progress)
{
    if (job.Finished() || !job.Settings().m_pAlg || !job.Settings().m_pCol)
        return;
    const std::int32_t height = job.Settings().m_nHeight;
    std::int32_t first = job.Row();
    if (job.Column() > 0) {
        // The row a document stopped in is finished first, from where it stopped.
        auto alg = Clone(*job.Settings().m_pAlg);
        job.RenderRowWith(*alg, first, job.Column());
        ++first;
    }

    std::atomic<std::int32_t> next{first};
    std::atomic<std::int32_t> done{first};
    auto work = [&] {
        auto alg = Clone(*job.Settings().m_pAlg);
        for (std::int32_t row; (row = next.fetch_add(1)) < height;) {
            job.RenderRowWith(*alg, row);
            done.fetch_add(1);
        }
    };
    std::vector<std::thread> workers;
    for (int i = 0; i < std::max(1, threads); ++i)
        workers.emplace_back(work);
    while (progress && done.load() < height) {
        progress(done.load());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    for (std::thread& t : workers)
        t.join();
    job.FinishAfterRows();
    if (progress)
        progress(height);
}

}  // namespace korvanta
