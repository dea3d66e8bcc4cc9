#pragma once

#include "core/colorings/FractCol.h"

#include <atomic>
#include <stdexcept>

namespace korvanta::test {

// Throws once enough pixels were colored, from whichever thread gets there.
class FailingColoring : public CFractCol {
public:
    explicit FailingColoring(int failAt) : m_failAt(failAt) {}
    std::uint32_t GetColor(const CFractValue&) const override
    {
        if (m_calls.fetch_add(1) == m_failAt)
            throw std::runtime_error("coloring failed");
        return 0x00123456;
    }

private:
    int m_failAt;
    mutable std::atomic<int> m_calls{0};
};

}  // namespace korvanta::test
