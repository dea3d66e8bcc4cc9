#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>

namespace korvanta {

// The highest resident memory of this process so far (VmHWM), in bytes; 0 where the
// system does not tell.
std::uint64_t PeakResidentBytes();

// What --verbose prints at the end: pixels computed since the start and their rate, and
// the peak memory.
class RunFigures {
public:
    RunFigures() : m_start(std::chrono::steady_clock::now()) {}
    void AddPixels(std::int64_t pixels) { m_pixels += pixels; }
    void Print(std::ostream& err) const;

private:
    std::chrono::steady_clock::time_point m_start;
    std::int64_t m_pixels = 0;
};

}  // namespace korvanta
