#include "core/render/RowWorkers.h"

#include "core/render/RowLookAhead.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace korvanta {

RowWorkers::RowWorkers(int threads)
{
    for (int i = 0; i < threads; ++i)
        m_threads.emplace_back([this](std::stop_token stop) { Work(stop); });
}

RowWorkers::~RowWorkers()
{
    {
        // Rows under way stop at their next piece rather than keep the exit waiting.
        std::lock_guard lock(m_mutex);
        for (const Source& source : m_sources)
            source->Cancel();
    }
    for (std::jthread& thread : m_threads)
        thread.request_stop();
    m_wake.notify_all();
}

int RowWorkers::DefaultThreads()
{
    const char* sequential = std::getenv("KORVANTA_SEQUENTIAL");
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    if ((sequential && *sequential && *sequential != '0') || cores <= 1)
        return 0;
    return cores;
}

void RowWorkers::Add(Source source)
{
    {
        std::lock_guard lock(m_mutex);
        m_sources.push_back(std::move(source));
    }
    m_wake.notify_all();
}

void RowWorkers::Remove(const RowsAhead* source)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_sources, [source](const Source& s) { return s.get() == source; });
}

void RowWorkers::Wake()
{
    // Through the lock: a worker between its look and its wait cannot miss this.
    { std::lock_guard lock(m_mutex); }
    m_wake.notify_all();
}

void RowWorkers::Work(std::stop_token stop)
{
    // Rows are computed in the interface's idle time: when both want a core, the thread
    // that handles the user's input goes first. A nice value, not an idle class, so that
    // pictures still grow beside other busy programs. Failure only costs responsiveness.
    const auto self = static_cast<id_t>(gettid());
    setpriority(PRIO_PROCESS, self, getpriority(PRIO_PROCESS, self) + kNice);
    while (!stop.stop_requested()) {
        Source source;  // held while its rows are computed, even if its picture goes
        std::optional<RowsAhead::Rows> rows;
        {
            std::unique_lock lock(m_mutex);
            // The pictures take turns; a picture with nothing due is passed over.
            auto findRow = [&] {
                for (std::size_t i = 0; i < m_sources.size(); ++i) {
                    const Source& candidate = m_sources[(m_turn + i) % m_sources.size()];
                    if ((rows = candidate->NextRows())) {
                        source = candidate;
                        m_turn = (m_turn + i + 1) % m_sources.size();
                        return true;
                    }
                }
                return false;
            };
            if (!m_wake.wait(lock, stop, findRow))
                return;
        }
        source->Compute(*rows);
        // A picture closed meanwhile is freed here, off the interface's thread.
        source.reset();
    }
}

}  // namespace korvanta
