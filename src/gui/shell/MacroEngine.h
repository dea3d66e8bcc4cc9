#pragma once

#include "core/files/MacroFile.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <functional>
#include <fstream>
#include <memory>

class QWidget;
class QWindow;

namespace korvanta {

class MacroWriter;

// Records the program's own mouse and keyboard input into a macro file, and plays one back
// at twice the speed, as if the user typed and clicked again. Only the program's windows
// are seen; the rest of the desktop is never recorded.
class MacroEngine : public QObject {
    Q_OBJECT

public:
    enum class State { Idle, Recording, Playing };

    // `dialog` is the control window: macros keep their mouse positions relative to it.
    explicit MacroEngine(QWidget* dialog);
    ~MacroEngine() override;

    State CurrentState() const { return m_state; }

    // False, with the message to show, when the file cannot be made.
    bool StartRecording(const QString& path, QString& error);
    void StopRecording();

    // False, with the message to show, when the file cannot be opened. A file without a
    // whole header places the cursor at the control window's corner and ends at once.
    bool Play(const QString& path, QString& error);
    // The attention key: playback stops at once.
    void CancelPlayback();

    // For tests: the player's clock in milliseconds, and delivering what is due by hand.
    void SetClock(std::function<qint64()> clock);
    void DeliverDue();

    // Ctrl+Break, which cancels a playback.
    static bool IsAttentionKey(int key, Qt::KeyboardModifiers modifiers);

signals:
    // Every event played, with the player's time of its delivery since the start.
    void eventPlayed(const korvanta::MacroEvent& event, qint64 atMs);
    void playbackEnded();
    // The file stopped taking data; what was written stays.
    void recordingFailed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Record(QEvent* event);
    bool ReadNext();
    void Schedule();
    void DeliverOne();
    void Deliver(const MacroEvent& event);
    void DeliverMouse(const MacroEvent& event);
    void DeliverKey(const MacroEvent& event);
    void EndPlayback();
    qint64 Now() const;

    QWidget* m_dialog;
    State m_state = State::Idle;

    std::unique_ptr<MacroWriter> m_writer;
    QElapsedTimer m_recordClock;
    QTimer m_writeCheck;

    std::ifstream m_in;
    MacroEvent m_current;
    std::int32_t m_offsetX = 0, m_offsetY = 0;
    qint64 m_start = 0;
    std::function<qint64()> m_clock;
    QElapsedTimer m_playClock;
    QTimer m_timer;
    Qt::MouseButtons m_buttons;
    Qt::KeyboardModifiers m_modifiers;
    QPointer<QWindow> m_grab;  // the window a pressed button belongs to
    QSet<ulong> m_injecting;   // timestamps of the events being played right now
    ulong m_nextStamp = 1;
    int m_keysPlaying = 0;
};

}  // namespace korvanta
