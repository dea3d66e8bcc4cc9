#pragma once

#include "core/archive/Object.h"
#include "core/formulas/FractValue.h"

#include <bit>

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace korvanta {

// What a step's test value says about the point.
enum class StepTest { Continue, Stop, Undecided };

// Escape-time test: on below the bailout, done at or above it; NaN decides nothing.
inline StepTest EscapeTest(double t, double bailout)
{
    if (t < bailout)
        return StepTest::Continue;
    return t >= bailout ? StepTest::Stop : StepTest::Undecided;
}

// Convergence test: on while the step is larger than epsilon, done below it; a step of
// exactly epsilon or NaN decides nothing.
inline StepTest ConvergenceTest(double t)
{
    constexpr double kEpsilon = 1e-9;
    if (t > kEpsilon)
        return StepTest::Continue;
    return t < kEpsilon ? StepTest::Stop : StepTest::Undecided;
}

// A formula: maps pixels to points and iterates one point at a time, resumably, giving
// control back after at most 5000 steps.
class CFractAlg : public CObject {
    KORVANTA_DECLARE_SERIAL(CFractAlg)

public:
    static constexpr std::uint32_t kStepsPerCall = 5000;

    void Serialize(Archive& ar) override;

    // True when the point is finished and GetResult holds its outcome.
    virtual bool Iterate() { return true; }
    // The whole point at once, leaving the object as iterating it to the end does. With
    // `watchCycles`, formulas that can stop an orbit that comes back bit for bit (it can
    // never end otherwise) do so, with the same outcome.
    virtual void IteratePixel(bool watchCycles)
    {
        (void)watchCycles;
        while (!Iterate()) {
        }
    }
    // A flag that, once set, ends IteratePixel early with the point unfinished: a worker's
    // copy whose picture closed must not hold the closing up for a huge iteration limit.
    // The flag must outlive this object (a copy would share it).
    void StopWhen(const std::atomic<bool>* flag) { m_stop = flag; }
    virtual bool UsesConstant() const { return false; }
    // How far work done once before the first pixel (a deep picture's reference orbits)
    // has come, in thousandths, while it is under way in any copy; -1 otherwise.
    virtual int PreparingPermille() const { return -1; }
    // Gives a copy made through the stored form what storing leaves out but the copy may
    // share (work computed once for the whole picture).
    virtual void ShareComputedState(CFractAlg& copy) const { (void)copy; }
    virtual const char* GetName() const { return "Define GetName function!"; }

    // The constant is only seen by formulas that use one.
    CFractValue GetConstant() const { return UsesConstant() ? m_C : CFractValue{}; }
    void SetConstant(const CFractValue& c)
    {
        if (UsesConstant())
            m_C = c;
    }

    void SetPoint(std::int32_t column, std::int32_t row);
    std::int32_t GetMaxIter() const { return m_nMaxIter; }
    void SetMaxIter(std::int32_t limit) { m_nMaxIter = limit; }
    void SetArea(double xStart, double xEnd, double yStart, double yEnd);
    void SetHeight(std::int32_t height);
    void SetWidth(std::int32_t width);
    const CFractValue* GetResult() const { return &m_result; }

    // Read-only views for the render job's overlay, the properties and the tests.
    double XStart() const { return m_dXStart; }
    double XEnd() const { return m_dXEnd; }
    double YStart() const { return m_dYStart; }
    double YEnd() const { return m_dYEnd; }
    double StepX() const { return m_dDx; }
    double StepY() const { return m_dDy; }
    std::int32_t Width() const { return m_nWidth; }
    std::int32_t Height() const { return m_nHeight; }

protected:
    bool StopAsked() const { return m_stop && m_stop->load(std::memory_order_relaxed); }

    // The iteration every formula shares: count, step, limit check first, test, yield at
    // multiples of 5000, result. `step(x, y)` replaces the iterate and returns its test.
    template <class Step>
    bool RunSteps(Step step);
    // IteratePixel for formulas whose step is `step`.
    template <class Step>
    void RunWholePixel(Step step, bool watchCycles);

    double m_y = 0, m_x = 0;
    std::int32_t m_nPointColumn = 0, m_nPointRow = 0;  // of the current point, never stored
    CFractValue m_result;
    std::int32_t m_nIter = 0;
    double m_cy = 0, m_cx = 0;
    std::int32_t m_nMaxIter = 0;
    double m_dXEnd = 0, m_dXStart = 0, m_dYEnd = 0, m_dYStart = 0;
    std::int32_t m_nHeight = 0, m_nWidth = 0;
    double m_dDy = 0, m_dDx = 0;
    CFractValue m_C;
    const std::atomic<bool>* m_stop = nullptr;
};

template <class Step>
bool CFractAlg::RunSteps(Step step)
{
    const auto limit = static_cast<std::uint32_t>(m_nMaxIter);
    auto n = static_cast<std::uint32_t>(m_nIter);
    // The inner loop only has to look for the end of this call: the limit, the next
    // multiple of 5000, or a test that does not say "go on".
    const std::uint64_t yieldAt = (std::uint64_t{n} / kStepsPerCall + 1) * kStepsPerCall;
    const auto stopAt = static_cast<std::uint32_t>(std::min<std::uint64_t>(limit, yieldAt));
    // At least one step is always made, even when the limit was already reached.
    std::uint32_t remaining = stopAt > n ? stopAt - n : 1;
    double x = m_x, y = m_y;
    StepTest test;
    do {
        ++n;
        test = step(x, y);
    } while (--remaining != 0 && test == StepTest::Continue);

    m_x = x;
    m_y = y;
    m_nIter = static_cast<std::int32_t>(n);
    const bool finished = n >= limit || test == StepTest::Stop;
    if (finished) {
        m_result = std::complex<double>(x, y);
        m_result.SetCount(n < limit ? static_cast<std::int32_t>(n) : 0);
    }
    return finished;
}

template <class Step>
void CFractAlg::RunWholePixel(Step step, bool watchCycles)
{
    if (!watchCycles) {
        while (!RunSteps(step) && !StopAsked()) {
        }
        return;
    }
    const auto limit = static_cast<std::uint32_t>(m_nMaxIter);
    auto n = static_cast<std::uint32_t>(m_nIter);
    double x = m_x, y = m_y;
    // An iterate kept at steps 1, 2, 4, 8, ...: one that comes back bit for bit makes the
    // orbit periodic, every test of the period has said go on, so it runs to the limit.
    double keptX = x, keptY = y;
    std::uint64_t watched = 0, keepAt = 1, keptAt = 0;
    StepTest test;
    do {
        ++n;
        test = step(x, y);
        ++watched;
        if (test == StepTest::Stop || n >= limit)
            break;
        if (std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(keptX) &&
            std::bit_cast<std::uint64_t>(y) == std::bit_cast<std::uint64_t>(keptY)) {
            for (std::uint64_t rest = (limit - n) % (watched - keptAt); rest != 0; --rest)
                step(x, y);
            n = limit;
            break;
        }
        if (watched == keepAt) {
            keptX = x;
            keptY = y;
            keptAt = watched;
            keepAt *= 2;
        }
        if (watched % kStepsPerCall == 0 && StopAsked())
            return;
    } while (true);
    m_x = x;
    m_y = y;
    m_nIter = static_cast<std::int32_t>(n);
    m_result = std::complex<double>(x, y);
    m_result.SetCount(n < limit ? static_cast<std::int32_t>(n) : 0);
}

}  // namespace korvanta
