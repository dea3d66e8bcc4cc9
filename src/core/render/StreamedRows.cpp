#include "core/render/StreamedRows.h"

#include "core/render/ClassRegistry.h"

#include <algorithm>

namespace korvanta {

namespace {

// Often enough for a progress bar, seldom enough to cost nothing beside the rows.
constexpr std::chrono::milliseconds kReportEvery{50};

}  // namespace

StreamedRows::StreamedRows(const RenderJob& job, int threads, std::function<void(std::int32_t)> progress)
    : m_job(job),
      m_width(std::max(0, job.Settings().m_nWidth)),
      m_height(std::max(0, job.Settings().m_nHeight)),
      m_threadCount(std::max(1, threads)),
      // Enough that no thread waits for the writer while the writer takes a row.
      m_ahead(2 * std::max(1, threads) + 2),
      m_progress(std::move(progress))
{
}

StreamedRows::~StreamedRows()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_room.notify_all();
}

void StreamedRows::Start(std::int32_t firstRow)
{
    m_started = true;
    m_topFirst = m_height > 1 && firstRow == m_height - 1;
    if (!m_job.Settings().m_pAlg || !m_job.Settings().m_pCol)
        return;
    try {
        for (int i = 0; i < m_threadCount; ++i)
            m_threads.emplace_back([this] { Work(); });
    } catch (...) {
        // Writers hand rows on through C libraries: a failure is a missing row, never a throw.
        std::lock_guard lock(m_mutex);
        m_failure = std::current_exception();
        m_room.notify_all();
    }
}

StreamedRows::Pixels StreamedRows::SpareRow()
{
    if (m_spare.empty())
        return Pixels(static_cast<std::size_t>(m_width));
    Pixels pixels = std::move(m_spare.back());
    m_spare.pop_back();
    return pixels;
}

void StreamedRows::Work()
{
    try {
        const auto alg = CloneFormula(*m_job.Settings().m_pAlg);
        for (;;) {
            std::int32_t index;
            Pixels pixels;
            {
                std::unique_lock lock(m_mutex);
                m_room.wait(lock, [&] {
                    return m_stop || m_failure || (m_next < m_height && m_next < m_wanted + m_ahead);
                });
                if (m_stop || m_failure)
                    return;
                index = m_next++;
                pixels = SpareRow();
            }
            m_job.RenderRowInto(*alg, RowOf(index), pixels.data());
            std::lock_guard lock(m_mutex);
            ++m_computed;
            // A row the writer skipped meanwhile is of no more use.
            if (index >= m_wanted)
                m_ready.emplace(index, std::move(pixels));
            else
                m_spare.push_back(std::move(pixels));
            m_arrived.notify_all();
        }
    } catch (...) {
        std::lock_guard lock(m_mutex);
        if (!m_failure)
            m_failure = std::current_exception();
        m_arrived.notify_all();
        m_room.notify_all();
    }
}

const std::uint32_t* StreamedRows::Row(std::int32_t row)
{
    if (row < 0 || row >= m_height || !m_job.Settings().m_pAlg || !m_job.Settings().m_pCol)
        return nullptr;
    if (!m_started)
        Start(row);
    const std::int32_t index = m_topFirst ? m_height - 1 - row : row;
    std::unique_lock lock(m_mutex);
    if (m_failure)
        return nullptr;
    if (index < m_wanted) {
        // Asked again, or out of order: computed here, the threads go on undisturbed.
        lock.unlock();
        try {
            if (!m_own)
                m_own = CloneFormula(*m_job.Settings().m_pAlg);
            m_current.resize(static_cast<std::size_t>(m_width));
            m_job.RenderRowInto(*m_own, row, m_current.data());
        } catch (...) {
            lock.lock();
            if (!m_failure)
                m_failure = std::current_exception();
            return nullptr;
        }
        lock.lock();
        ++m_computed;
    } else {
        if (index > m_wanted) {
            // Rows skipped are dropped; the threads move on to where the writer is.
            for (auto it = m_ready.begin(); it != m_ready.end() && it->first < index;) {
                m_spare.push_back(std::move(it->second));
                it = m_ready.erase(it);
            }
            m_wanted = index;
            m_next = std::max(m_next, index);
            m_room.notify_all();
        }
        m_arrived.wait(lock, [&] { return m_failure || m_ready.count(index) != 0; });
        if (m_failure)
            return nullptr;
        const auto found = m_ready.find(index);
        if (!m_current.empty())
            m_spare.push_back(std::move(m_current));
        m_current = std::move(found->second);
        m_ready.erase(found);
        m_wanted = index + 1;
        m_room.notify_all();
    }
    lock.unlock();
    ++m_handed;
    Report();
    return m_current.data();
}

void StreamedRows::Report()
{
    if (!m_progress)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (m_handed < m_height && now - m_reported < kReportEvery)
        return;
    m_reported = now;
    m_progress(std::min(m_handed, m_height));
}

void StreamedRows::RaiseFailure()
{
    std::exception_ptr failure;
    {
        std::lock_guard lock(m_mutex);
        failure = m_failure;
    }
    if (failure)
        std::rethrow_exception(failure);
}

std::int64_t StreamedRows::RowsComputed() const
{
    std::lock_guard lock(m_mutex);
    return m_computed;
}

}  // namespace korvanta
