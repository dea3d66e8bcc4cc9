#pragma once

#include <cstdint>
#include <iterator>
#include <random>

namespace korvanta::monkey {

// The run's one source of chance. Only integer draws from the engine itself are used:
// the standard distributions differ between library versions, a replay must not.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : m_engine(seed) {}

    // 0 to n - 1; 0 for an empty range.
    int Below(int n)
    {
        return n <= 0 ? 0 : static_cast<int>(m_engine() % static_cast<std::uint64_t>(n));
    }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Chance(int percent) { return Below(100) < percent; }

    template <typename List>
    const auto& Pick(const List& list)
    {
        return *(std::begin(list) + Below(static_cast<int>(std::size(list))));
    }

private:
    std::mt19937_64 m_engine;
};

}  // namespace korvanta::monkey
