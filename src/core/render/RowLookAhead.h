#pragma once

#include "core/colorings/FractCol.h"
#include "core/formulas/FractAlg.h"
#include "core/render/RowWorkers.h"

#include <atomic>
#include <condition_variable>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace korvanta {

// What a picture's look-ahead and the workers share: the copies rows are computed from and
// the rows computed; the last of them to let go frees it.
class RowsAhead {
public:
    struct Rows {
        std::int32_t first, end;
    };

    RowsAhead(std::unique_ptr<CFractAlg> formula, std::unique_ptr<CFractCol> coloring, std::int32_t width,
              std::int32_t height, std::int32_t rowsPerTask, std::int32_t bound, std::int32_t firstRow);
    // Rows to compute, if some are due within the bound.
    std::optional<Rows> NextRows();
    void Compute(Rows rows);
    std::optional<std::vector<std::uint32_t>> Take(std::int32_t row, std::chrono::microseconds wait);
    void Cancel() { m_cancelled = true; }

private:
    void ComputeRow(std::int32_t row);

    std::unique_ptr<CFractAlg> m_formula;
    std::unique_ptr<CFractCol> m_coloring;
    std::int32_t m_width, m_height;
    std::int32_t m_rowsPerTask;
    std::int32_t m_bound;
    std::mutex m_mutex;
    std::condition_variable m_arrived;  // a row is ready
    std::int32_t m_taken;               // rows below this one were taken by the picture
    std::int32_t m_next;                // the next row to hand to a worker
    std::map<std::int32_t, std::vector<std::uint32_t>> m_ready;
    std::atomic<bool> m_cancelled{false};
};

// The rows of one picture that the workers compute ahead of where the picture stands: the
// colors of whole rows, kept until the picture takes them in order. At most `bound` rows
// are ahead, so a picture that does not move on (a dialog is open) holds the workers back.
class RowLookAhead {
public:
    // `formula` and `coloring` are copied now: the workers never touch the picture's own
    // objects, and may finish a row after the picture is gone.
    RowLookAhead(RowWorkers& workers, const CFractAlg& formula, const CFractCol& coloring,
                 std::int32_t width, std::int32_t height, std::int32_t firstRow);
    // Never waits: a row in a worker's hands stops between pieces and is dropped there, so
    // closing a picture does not wait for its slowest row.
    ~RowLookAhead();
    RowLookAhead(const RowLookAhead&) = delete;
    RowLookAhead& operator=(const RowLookAhead&) = delete;

    RowWorkers& Workers() const { return m_workers; }

    // The colors of `row` when it is ready, waiting at most `wait` for it (the row then
    // leaves the look-ahead). Without a wait, a row whose lock a worker holds is not ready.
    std::optional<std::vector<std::uint32_t>> Take(std::int32_t row,
                                                   std::chrono::microseconds wait = {});

private:
    RowWorkers& m_workers;
    std::shared_ptr<RowsAhead> m_shared;
};

}  // namespace korvanta
