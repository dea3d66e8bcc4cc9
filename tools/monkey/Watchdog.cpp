#include "tools/monkey/Watchdog.h"

#include "tools/monkey/Findings.h"

namespace korvanta::monkey {

Watchdog::Watchdog(int limitMs) : m_limitMs(limitMs), m_lastBeat(Clock::now().time_since_epoch().count())
{
    m_beat.setInterval(50);
    connect(&m_beat, &QTimer::timeout, this,
            [this] { m_lastBeat = Clock::now().time_since_epoch().count(); });
    m_beat.start();
    m_thread = std::thread([this] { Watch(); });
}

Watchdog::~Watchdog()
{
    m_stop = true;
    m_thread.join();
}

void Watchdog::Watch()
{
    using namespace std::chrono;
    while (!m_stop) {
        std::this_thread::sleep_for(milliseconds(100));
        const auto silent = duration_cast<milliseconds>(Clock::now() - Clock::time_point(Clock::duration(m_lastBeat)));
        if (silent.count() > m_limitMs)
            ReportFinding(QString("the event loop did not answer for %1 ms").arg(silent.count()));
    }
}

}  // namespace korvanta::monkey
