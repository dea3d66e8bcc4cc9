#pragma once

#include "core/files/MacroFile.h"
#include "core/files/MacroPlaces.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
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

    // `dialog` is the control window: macros keep their mouse positions relative to it, and
    // to each window they click in. `openWindows` lists the render windows open at a start,
    // first to last.
    using WindowList = std::function<QList<QWidget*>()>;
    explicit MacroEngine(QWidget* dialog, WindowList openWindows = {});
    ~MacroEngine() override;

    State CurrentState() const { return m_state; }

    // False, with the message to show, when the file cannot be made.
    bool StartRecording(const QString& path, QString& error);
    void StopRecording();

    // False, with the message to show, when the file cannot be opened. A file without a
    // whole header places the cursor at the control window's corner and ends at once.
    bool Play(const QString& path, QString& error);
    // The attention key, three presses of Escape, or closing the control window: playback
    // stops at once.
    void CancelPlayback();

    // For tests: the player's clock in milliseconds, and delivering what is due by hand.
    void SetClock(std::function<qint64()> clock);
    void DeliverDue();

    // Ctrl+Break, which cancels a playback, as the window system delivers it: X11 names
    // Ctrl+Pause "Break" (a key Qt has no name for), others send Pause with Ctrl or Cancel.
    // `keysym` is the key's native symbol.
    static bool IsAttentionKey(int key, Qt::KeyboardModifiers modifiers, quint32 keysym = 0);
    // How many Escape presses in a row end a playback.
    static constexpr int kEscapesToStop = 3;

signals:
    // Every event played, with the player's time of its delivery since the start.
    void eventPlayed(const korvanta::MacroEvent& event, qint64 atMs);
    void playbackEnded();
    // The file stopped taking data; what was written stays.
    void recordingFailed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Record(QObject* watched, QEvent* event);
    bool ReadNext();
    void Schedule();
    void DeliverOne();
    void Deliver(const MacroEvent& event);
    void DeliverMouse(const MacroEvent& event);
    void DeliverKey(const MacroEvent& event);
    void EndPlayback();
    qint64 Now() const;
    // The windows as a recording or playback starts to number them.
    void StartNumbering();
    // Numbers a window shown while recording or playing, the first time it shows.
    void Meet(QWidget* window);
    std::uint32_t NumberOf(const QWindow* window) const;
    QWidget* WindowNumbered(std::uint32_t number) const;
    // Where a numbered window's client area stands now; empty when it is not shown.
    std::optional<MacroPlaces::Point> OriginOf(std::uint32_t number) const;
    // Takes the real input that reaches the program while it plays: true to hold it off.
    bool HoldOff(QEvent* event);

    QWidget* m_dialog;
    WindowList m_openWindows;
    State m_state = State::Idle;
    QList<QPointer<QWidget>> m_windows;      // the control window, then each shown: from 1
    QList<QPointer<QWidget>> m_openAtStart;  // render windows: from kOpenAtStart
    QHash<std::uint32_t, QPoint> m_noted;  // where the recording last said each one stood
    MacroPlaces m_places;
    int m_escapes = 0;

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
