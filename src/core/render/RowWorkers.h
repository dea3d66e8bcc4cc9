#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace korvanta {

class RowLookAhead;
class RowsAhead;

// Worker threads, one per core, that compute rows ahead of the pictures being rendered,
// taking them from the pictures in turn so that several pictures grow side by side.
class RowWorkers {
public:
    explicit RowWorkers(int threads);
    ~RowWorkers();
    RowWorkers(const RowWorkers&) = delete;
    RowWorkers& operator=(const RowWorkers&) = delete;

    // The threads to use: every core, or none when KORVANTA_SEQUENTIAL is set or there is
    // only one (pictures are then stepped pixel by pixel as always).
    static int DefaultThreads();

    int Threads() const { return static_cast<int>(m_threads.size()); }

    // How much lower than the interface the workers run (a Linux thread's nice value).
    static constexpr int kNice = 10;

private:
    friend class RowLookAhead;
    using Source = std::shared_ptr<RowsAhead>;
    void Add(Source source);
    void Remove(const RowsAhead* source);
    // A source has rows to hand out again.
    void Wake();
    void Work(std::stop_token stop);

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::vector<Source> m_sources;
    std::size_t m_turn = 0;
    std::vector<std::jthread> m_threads;  // last: they stop and join before the rest goes
};

}  // namespace korvanta
