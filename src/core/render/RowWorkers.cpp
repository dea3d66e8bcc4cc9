#include "core/render/RowWorkers.h"

#include "core/render/RowLookAhead.h"

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

void RowWorkers::Add(RowLookAhead* source)
{
    {
        std::lock_guard lock(m_mutex);
        m_sources.push_back(source);
    }
    m_wake.notify_all();
}

void RowWorkers::Remove(RowLookAhead* source)
{
    std::lock_guard lock(m_mutex);
    m_sources.erase(std::remove(m_sources.begin(), m_sources.end(), source), m_sources.end());
}

void RowWorkers::Wake()
{
    // Through the lock: a worker between its look and its wait cannot miss this.
    { std::lock_guard lock(m_mutex); }
    m_wake.notify_all();
}

void RowWorkers::Work(std::stop_token stop)
{
    while (!stop.stop_requested()) {
        RowLookAhead* source = nullptr;
        std::optional<RowLookAhead::Rows> rows;
        {
            std::unique_lock lock(m_mutex);
            // The pictures take turns; a picture with nothing due is passed over.
            auto findRow = [&] {
                for (std::size_t i = 0; i < m_sources.size(); ++i) {
                    RowLookAhead* candidate = m_sources[(m_turn + i) % m_sources.size()];
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
    }
}

}  // namespace korvanta
