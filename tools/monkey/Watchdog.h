#pragma once

#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

namespace korvanta::monkey {

// A timer on the GUI thread beats; a thread of its own reports a finding when the beats
// stop for longer than the limit, which nested loops (menus, dialogs) do not cause.
class Watchdog : public QObject {
public:
    explicit Watchdog(int limitMs);
    ~Watchdog() override;

private:
    void Watch();

    using Clock = std::chrono::steady_clock;
    const int m_limitMs;
    QTimer m_beat;
    std::atomic<Clock::rep> m_lastBeat;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace korvanta::monkey
