#pragma once

#include "core/picture/PixelRows.h"
#include "core/render/RenderJob.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace korvanta {

// A picture computed as a writer asks for its rows, on several threads, each with its own
// copy of the formula: only the rows in flight and a few ahead are ever held, so a picture
// of any size costs a few rows of memory. Rows are the pixels the whole-picture renderer
// writes. The order is the writer's, learnt from its first row (top or bottom edge); a row
// asked out of that order is computed on the spot.
//
// The job must outlive this and be ready to render (a deep picture prepared); it is only
// read. Its formula object is left as it was.
class StreamedRows final : public PixelRows {
public:
    // `progress` is called on the writer's thread with the number of rows handed out, now
    // and then and at the last row.
    StreamedRows(const RenderJob& job, int threads,
                 std::function<void(std::int32_t rowsDone)> progress = {});
    // Waits for the rows in the threads' hands, which are dropped.
    ~StreamedRows() override;
    StreamedRows(const StreamedRows&) = delete;
    StreamedRows& operator=(const StreamedRows&) = delete;

    std::int32_t Width() const override { return m_width; }
    std::int32_t Height() const override { return m_height; }
    // Null once a thread failed.
    const std::uint32_t* Row(std::int32_t row) override;

    // The first failure of a thread, raised here; nothing when there was none.
    void RaiseFailure();
    // Rows computed, counting each row as often as it was.
    std::int64_t RowsComputed() const;

private:
    using Pixels = std::vector<std::uint32_t>;
    void Start(std::int32_t firstRow);
    void Work();
    std::int32_t RowOf(std::int32_t index) const { return m_topFirst ? m_height - 1 - index : index; }
    Pixels SpareRow();  // with the lock held
    void Report();

    const RenderJob& m_job;
    const std::int32_t m_width, m_height;
    const int m_threadCount;
    const std::int32_t m_ahead;  // rows computed beyond the one the writer waits for
    std::function<void(std::int32_t)> m_progress;
    std::chrono::steady_clock::time_point m_reported{};
    std::int32_t m_handed = 0;
    bool m_topFirst = false;
    bool m_started = false;
    Pixels m_current;                   // the row last handed out
    std::unique_ptr<CFractAlg> m_own;   // for rows asked out of order

    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;  // a row is ready, or a thread failed
    std::condition_variable m_room;     // a row may be started, or the threads stop
    std::int32_t m_wanted = 0;          // in the writer's order: the next row it takes
    std::int32_t m_next = 0;            // in the writer's order: the next row to start
    std::map<std::int32_t, Pixels> m_ready;  // by place in the writer's order
    std::vector<Pixels> m_spare;
    std::int64_t m_computed = 0;
    std::exception_ptr m_failure;
    bool m_stop = false;
    std::vector<std::jthread> m_threads;  // last: they are joined before the rest goes
};

}  // namespace korvanta
