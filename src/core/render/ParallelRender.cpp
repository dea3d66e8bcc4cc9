#include "core/render/ParallelRender.h"

#include "core/render/ClassRegistry.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace korvanta {

namespace {

// The first exception of any thread, kept to be raised on the calling one.
class FirstFailure {
public:
    void Keep(std::exception_ptr failure)
    {
        std::lock_guard lock(m_mutex);
        if (!m_failure)
            m_failure = std::move(failure);
        m_failed = true;
    }
    bool Failed() const { return m_failed; }
    void RaiseIfAny()
    {
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

private:
    std::mutex m_mutex;
    std::exception_ptr m_failure;
    std::atomic<bool> m_failed{false};
};

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
        auto alg = CloneFormula(*job.Settings().m_pAlg);
        job.RenderRowWith(*alg, first, job.Column());
        ++first;
    }
    RenderRowsInParallel(job, first, height, threads,
                         progress ? [&](std::int32_t rows) { progress(first + rows); }
                                  : std::function<void(std::int32_t)>{});
    job.FinishAfterRows();
    if (progress)
        progress(height);
}

void RenderRowsInParallel(RenderJob& job, std::int32_t first, std::int32_t end, int threads,
                          const std::function<void(std::int32_t rowsDone)>& progress)
{
    if (!job.Settings().m_pAlg || !job.Settings().m_pCol || job.Pixels().empty())
        return;
    first = std::max(first, 0);
    end = std::min(end, job.Settings().m_nHeight);
    if (first >= end)
        return;
    std::atomic<std::int32_t> next{first};
    std::atomic<std::int32_t> done{first};
    FirstFailure failure;
    // Wakes the caller when the last row is done or a thread failed, so a small picture
    // takes no longer than its work.
    std::mutex finishedMutex;
    std::condition_variable finished;
    auto tellCaller = [&] {
        std::lock_guard lock(finishedMutex);
        finished.notify_all();
    };
    auto work = [&](std::stop_token stop) {
        try {
            auto alg = CloneFormula(*job.Settings().m_pAlg);
            for (std::int32_t row; !stop.stop_requested() && !failure.Failed() &&
                                   (row = next.fetch_add(1)) < end;) {
                job.RenderRowWith(*alg, row);
                if (done.fetch_add(1) + 1 == end)
                    tellCaller();
            }
        } catch (...) {
            failure.Keep(std::current_exception());
            tellCaller();
        }
    };
    {
        // Should starting a thread or the progress report fail, the threads are asked to
        // stop and joined as the vector goes; otherwise they finish their rows first.
        std::vector<std::jthread> workers;
        for (int i = 0; i < std::max(1, threads); ++i)
            workers.emplace_back(work);
        while (progress && done.load() < end && !failure.Failed()) {
            progress(done.load() - first);
            std::unique_lock lock(finishedMutex);
            finished.wait_for(lock, std::chrono::milliseconds(50),
                              [&] { return done.load() >= end || failure.Failed(); });
        }
        for (std::jthread& worker : workers)
            worker.join();
    }
    failure.RaiseIfAny();
}

}  // namespace korvanta
