#pragma once

// Input that arrives at known times, to measure how long the explorer's event loop keeps
// the user waiting while pictures render.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

namespace korvanta::bench {

// An event that stands for user input arriving at a known time.
class InputEvent : public QEvent {
public:
    static inline const Type kType = static_cast<Type>(QEvent::registerEventType());
    explicit InputEvent(qint64 sentNs) : QEvent(kType), sentNs(sentNs) {}
    qint64 sentNs;
};

// Records how long each input event waited before the event loop handled it.
class InputProbe : public QObject {
public:
    InputProbe() { clock.start(); }

    qint64 longestWaitNs = 0;
    // The same without input sent while the loop was busy with something Exclude names.
    qint64 longestRenderingWaitNs = 0;
    int handled = 0;
    QElapsedTimer clock;

    // Input that waited while the loop was busy from `from` to `to` (clock times) waited for
    // that work, not for rendering.
    void Exclude(qint64 from, qint64 to)
    {
        // Only recent work can still hold up input.
        std::erase_if(m_excluded, [to](const auto& span) { return span.second < to - 10'000'000'000; });
        m_excluded.push_back({from, to});
    }

    bool event(QEvent* event) override
    {
        if (event->type() != InputEvent::kType)
            return QObject::event(event);
        const qint64 now = clock.nsecsElapsed(), sent = static_cast<InputEvent*>(event)->sentNs, wait = now - sent;
        longestWaitNs = std::max(longestWaitNs, wait);
        const bool excluded = std::any_of(m_excluded.begin(), m_excluded.end(), [&](const auto& span) {
            return sent <= span.second && now >= span.first;
        });
        if (!excluded)
            longestRenderingWaitNs = std::max(longestRenderingWaitNs, wait);
        ++handled;
        return true;
    }

private:
    std::vector<std::pair<qint64, qint64>> m_excluded;
};

// Posts an input event to the probe every `period` from its own thread while it lives.
class InputSender {
public:
    InputSender(InputProbe& probe, std::chrono::milliseconds period)
        : m_thread([&probe, period](std::stop_token stop) {
              while (!stop.stop_requested()) {
                  QCoreApplication::postEvent(&probe, new InputEvent(probe.clock.nsecsElapsed()));
                  std::this_thread::sleep_for(period);
              }
          })
    {
    }

private:
    std::jthread m_thread;
};

}  // namespace korvanta::bench
