#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace korvanta {

// Feeds idle ticks to the render windows: batches of back-to-back ticks under a small time
// budget, so input is handled between batches; nothing while a modal dialog, message box or
// popup menu is open; and the timer sleeps while no picture needs work.
class IdleDriver : public QObject {
    Q_OBJECT

public:
    // `tick(count)` runs one idle step; `busy()` says whether any picture still needs steps.
    IdleDriver(std::function<void(int)> tick, std::function<bool()> busy, QObject* parent = nullptr);
    ~IdleDriver() override;

    // Starts ticking again after a picture was added.
    void Wake();

    // Time spent on one batch of ticks before input gets its turn.
    static constexpr int kBudgetMicroseconds = 4000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunBatch();
    static bool NestedLoopOpen();

    std::function<void(int)> m_tick;
    std::function<bool()> m_busy;
    QTimer m_timer;
    int m_count = 0;
};

}  // namespace korvanta
