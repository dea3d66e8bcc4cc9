#pragma once

#include "core/formulas/FractAlg.h"
#include "core/render/RowWorkers.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace korvanta {

class CFractCol;

// The rows of one picture that the workers compute ahead of where the picture stands: the
// colors of whole rows, kept until the picture takes them in order. At most `bound` rows
// are ahead, so a picture that does not move on (a dialog is open) holds the workers back.
class RowLookAhead {
public:
    // `formula` is copied now: the workers never touch the picture's own formula object.
    RowLookAhead(RowWorkers& workers, const CFractAlg& formula, const CFractCol& coloring,
                 std::int32_t width, std::int32_t height, std::int32_t firstRow);
    // Waits for the rows in the workers' hands; they stop between pieces of a row.
    ~RowLookAhead();
    RowLookAhead(const RowLookAhead&) = delete;
    RowLookAhead& operator=(const RowLookAhead&) = delete;

    RowWorkers& Workers() const { return m_workers; }

    // The colors of `row` when it is ready, waiting at most `wait` for it (the row then
    // leaves the look-ahead).
    std::optional<std::vector<std::uint32_t>> Take(std::int32_t row,
                                                   std::chrono::microseconds wait = {});

private:
    friend class RowWorkers;
    struct Rows {
        std::int32_t first, end;
    };
    // Rows to compute, if some are due within the bound.
    std::optional<Rows> NextRows();
    void Compute(Rows rows);
    void ComputeRow(std::int32_t row);

    RowWorkers& m_workers;
    std::unique_ptr<CFractAlg> m_formula;
    const CFractCol& m_coloring;
    std::int32_t m_width, m_height;
    std::int32_t m_rowsPerTask;
    std::int32_t m_bound;
    std::mutex m_mutex;
    std::condition_variable m_idle;
    std::int32_t m_taken;  // rows below this one were taken by the picture
    std::int32_t m_next;   // the next row to hand to a worker
    int m_working = 0;
    std::map<std::int32_t, std::vector<std::uint32_t>> m_ready;
    std::atomic<bool> m_cancelled{false};
};

}  // namespace korvanta
