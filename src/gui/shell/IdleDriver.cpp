#include "gui/shell/IdleDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace korvanta {

namespace {

// While paused the timer only polls for the end of the nested loop.
constexpr int kPausedPollMilliseconds = 20;

bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

}  // namespace

IdleDriver::IdleDriver(std::function<void(int)> tick, std::function<bool()> busy, QObject* parent)
    : QObject(parent), m_tick(std::move(tick)), m_busy(std::move(busy))
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &IdleDriver::RunBatch);
    qApp->installEventFilter(this);
}

IdleDriver::~IdleDriver()
{
    qApp->removeEventFilter(this);
}

void IdleDriver::Wake()
{
    m_timer.setInterval(0);
    m_timer.start();
}

// A drop-down list is a popup too, but the user only looks at it: rendering goes on.
bool IdleDriver::NestedLoopOpen()
{
    return QApplication::activeModalWidget() != nullptr ||
           qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr;
}

bool IdleDriver::eventFilter(QObject* watched, QEvent* event)
{
    if (IsUserInput(event->type()))
        m_count = 0;
    return QObject::eventFilter(watched, event);
}

void IdleDriver::RunBatch()
{
    if (NestedLoopOpen()) {
        m_timer.setInterval(kPausedPollMilliseconds);
        return;
    }
    m_timer.setInterval(0);
    if (!m_busy()) {
        m_timer.stop();
        return;
    }
    // Reading the clock costs about as much as a fast pixel, so it is read every few ticks;
    // but a tick over forty pictures' rows can cost a millisecond, so the first reads come
    // after one tick, then two, four, and so on.
    constexpr int kMostTicksPerClockRead = 16;
    QElapsedTimer clock;
    clock.start();
    int ticks = 1;
    do {
        for (int i = 0; i < ticks; ++i) {
            m_tick(m_count);
            if (m_count < INT_MAX)
                ++m_count;
        }
        ticks = std::min(2 * ticks, kMostTicksPerClockRead);
    } while (clock.nsecsElapsed() < kBudgetMicroseconds * 1000LL);
}

}  // namespace korvanta
