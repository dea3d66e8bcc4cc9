#include "core/render/RowLookAhead.h"

#include "core/colorings/FractCol.h"
#include "core/deep/FractAlgDeep.h"
#include "core/formulas/FormulaKernel.h"
#include "core/render/ClassRegistry.h"

#include <algorithm>

namespace korvanta {

namespace {

// Columns the kernels compute at once: whole rows of most pictures, so the lanes and the
// cycle watch run on without restarting. (They look at the cancel flag as they go.)
constexpr std::int32_t kPiece = 1024;
constexpr std::int32_t kDeepPiece = 64;

}  // namespace

RowLookAhead::RowLookAhead(RowWorkers& workers, const CFractAlg& formula,
                           const CFractCol& coloring, std::int32_t width, std::int32_t height,
                           std::int32_t firstRow)
    : m_workers(workers)
{
    const std::int32_t rowsPerTask = std::clamp(4096 / std::max(1, width), 1, 8);
    m_shared = std::make_shared<RowsAhead>(CloneFormula(formula), CloneColoring(coloring), width, height, rowsPerTask,
                                        2 * std::max(1, workers.Threads()) * rowsPerTask + 2, firstRow);
    m_workers.Add(m_shared);
}

RowLookAhead::~RowLookAhead()
{
    m_shared->Cancel();
    m_workers.Remove(m_shared.get());
}

std::optional<std::vector<std::uint32_t>> RowLookAhead::Take(std::int32_t row, std::chrono::microseconds wait)
{
    auto colors = m_shared->Take(row, wait);
    if (colors)
        m_workers.Wake();  // room for another row ahead
    return colors;
}

RowsAhead::RowsAhead(std::unique_ptr<CFractAlg> formula, std::unique_ptr<CFractCol> coloring,
                             std::int32_t width, std::int32_t height, std::int32_t rowsPerTask, std::int32_t bound,
                             std::int32_t firstRow)
    : m_formula(std::move(formula)),
      m_coloring(std::move(coloring)),
      m_width(width),
      m_height(height),
      m_rowsPerTask(rowsPerTask),
      m_bound(bound),
      m_taken(firstRow),
      m_next(firstRow)
{
}

// Called by a worker with the workers' lock held. Narrow rows go out several at a time, so
// handing them over costs little beside computing them.
std::optional<RowsAhead::Rows> RowsAhead::NextRows()
{
    std::lock_guard lock(m_mutex);
    if (m_cancelled || m_next >= m_height || m_next >= m_taken + m_bound)
        return std::nullopt;
    const Rows rows{m_next, std::min({m_height, m_taken + m_bound, m_next + m_rowsPerTask})};
    m_next = rows.end;
    return rows;
}

void RowsAhead::Compute(Rows rows)
{
    for (std::int32_t row = rows.first; row < rows.end && !m_cancelled; ++row)
        ComputeRow(row);
}

void RowsAhead::ComputeRow(std::int32_t row)
{
    std::vector<std::uint32_t> colors(static_cast<std::size_t>(std::max(0, m_width)));
    std::vector<CFractValue> results;
    bool complete = true;
    if (FormulaKernel::Handles(*m_formula)) {
        const FormulaKernel kernel(*m_formula);
        for (std::int32_t from = 0; from < m_width && complete; from += kPiece) {
            const std::int32_t to = std::min(m_width, from + kPiece);
            kernel.Row(row, from, to, results, &m_cancelled);
            for (std::int32_t column = from; column < to; ++column)
                colors[column] = m_coloring->GetColor(results[column - from]);
            complete = !m_cancelled;
        }
    } else if (dynamic_cast<const CFractAlgDeep*>(m_formula.get())) {
        // Whole pieces in the engine's vector lanes, as korvanta-render computes them; short
        // ones, since its pixels do not look at the flag.
        std::unique_ptr<CFractAlg> alg = CloneFormula(*m_formula);
        auto& deep = static_cast<CFractAlgDeep&>(*alg);
        deep.StopWhen(&m_cancelled);
        for (std::int32_t from = 0; from < m_width && complete; from += kDeepPiece) {
            const std::int32_t to = std::min(m_width, from + kDeepPiece);
            deep.Row(row, from, to, results);
            for (std::int32_t column = from; column < to; ++column)
                colors[column] = m_coloring->GetColor(results[column - from]);
            complete = !m_cancelled;
        }
    } else {
        // A copy of its own: stepping changes a formula object.
        std::unique_ptr<CFractAlg> alg = CloneFormula(*m_formula);
        alg->StopWhen(&m_cancelled);
        bool watchCycles = false;
        for (std::int32_t column = 0; column < m_width && complete; ++column) {
            alg->SetPoint(column, row);
            alg->IteratePixel(watchCycles);
            watchCycles = watchCycles || alg->GetResult()->GetCount() == 0;
            colors[column] = m_coloring->GetColor(*alg->GetResult());
            // A pixel the flag cut short is no result: the row goes unstored.
            complete = !m_cancelled;
        }
    }
    std::lock_guard lock(m_mutex);
    if (complete && !m_cancelled)
        m_ready.emplace(row, std::move(colors));
    m_arrived.notify_all();
}

std::optional<std::vector<std::uint32_t>> RowsAhead::Take(std::int32_t row,
                                                                     std::chrono::microseconds wait)
{
    // A look without waiting does not queue behind a worker that holds the lock either: the
    // interface comes back for the row at its next tick.
    std::unique_lock lock(m_mutex, std::defer_lock);
    if (wait.count() > 0) {
        lock.lock();
        m_arrived.wait_for(lock, wait, [&] { return m_ready.count(row) != 0; });
    } else if (!lock.try_lock()) {
        return std::nullopt;
    }
    const auto found = m_ready.find(row);
    if (found == m_ready.end())
        return std::nullopt;
    std::optional<std::vector<std::uint32_t>> colors = std::move(found->second);
    m_ready.erase(found);
    m_taken = std::max(m_taken, row + 1);
    return colors;
}

}  // namespace korvanta
