#include "gui/shell/MacroEngine.h"

#include "core/files/InputFile.h"
#include "gui/shell/VirtualKeys.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <atomic>
#include <climits>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Qt GUI's own entry points for input as the window system delivers it (exported for its
// test library): the events take the full way through Qt, with popups, grabs, focus and
// shortcuts, exactly as the user's own input does.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* window, QEvent::Type type, int key,
                                    Qt::KeyboardModifiers mods, const QString& text,
                                    bool autorep, ushort count);
QT_END_NAMESPACE

namespace korvanta {

// Writes recorded events on a thread of its own, so a slow disk never holds up the user.
class MacroWriter {
public:
    explicit MacroWriter(std::ofstream out) : m_out(std::move(out))
    {
        m_thread = std::jthread([this](std::stop_token stop) { Run(stop); });
    }
    ~MacroWriter()
    {
        // Under the lock: a writer between its look at the queue and its wait would miss
        // the stop, and the join would wait for ever.
        {
            std::lock_guard lock(m_mutex);
            m_thread.request_stop();
        }
        m_wake.notify_all();
    }
    void Append(const MacroEvent& event)
    {
        {
            std::lock_guard lock(m_mutex);
            m_queue.push_back(event);
        }
        m_wake.notify_all();
    }
    bool Failed() const { return m_failed; }

private:
    void Run(std::stop_token stop)
    {
        std::unique_lock lock(m_mutex);
        while (true) {
            m_wake.wait(lock, [&] { return stop.stop_requested() || !m_queue.empty(); });
            std::deque<MacroEvent> batch;
            batch.swap(m_queue);
            lock.unlock();
            for (const MacroEvent& event : batch)
                WriteMacroEvent(m_out, event);
            m_out.flush();
            if (!m_out)
                m_failed = true;
            lock.lock();
            if (m_failed || (stop.stop_requested() && m_queue.empty()))
                return;
        }
    }

    std::ofstream m_out;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<MacroEvent> m_queue;
    std::atomic<bool> m_failed{false};
    std::jthread m_thread;  // last: it stops and joins before the rest goes
};

namespace {

constexpr int kWriteCheckMilliseconds = 200;

std::uint32_t MouseMessage(const QMouseEvent& event)
{
    const bool down = event.type() == QEvent::MouseButtonPress;
    const bool twice = event.type() == QEvent::MouseButtonDblClick;
    std::uint32_t first = 0;
    switch (event.button()) {
    case Qt::LeftButton: first = macro::kLeftDown; break;
    case Qt::RightButton: first = macro::kRightDown; break;
    case Qt::MiddleButton: first = macro::kMiddleDown; break;
    default: return 0;
    }
    return twice ? first + 2 : down ? first : first + 1;
}

// What a played key types, for the keys that type something.
QString TextOf(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier))
        return {};
    const bool shift = modifiers & Qt::ShiftModifier;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QChar((shift ? 'A' : 'a') + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9 && !shift)
        return QChar('0' + (key - Qt::Key_0));
    switch (key) {
    case Qt::Key_Period: return ".";
    case Qt::Key_Minus: return shift ? "_" : "-";
    case Qt::Key_Plus: return "+";
    case Qt::Key_Equal: return shift ? "+" : "=";
    case Qt::Key_Comma: return ",";
    case Qt::Key_Slash: return "/";
    case Qt::Key_Space: return " ";
    case Qt::Key_Return: return "\r";
    case Qt::Key_Enter: return "\r";
    case Qt::Key_Tab: return "\t";
    case Qt::Key_Backspace: return "\b";
    case Qt::Key_Escape: return "\x1b";
    default: return {};
    }
}

Qt::KeyboardModifier ModifierOf(int key)
{
    switch (key) {
    case Qt::Key_Shift: return Qt::ShiftModifier;
    case Qt::Key_Control: return Qt::ControlModifier;
    case Qt::Key_Alt: return Qt::AltModifier;
    default: return Qt::NoModifier;
    }
}

bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}

}  // namespace

MacroEngine::MacroEngine(QWidget* dialog, WindowList openWindows)
    : QObject(dialog), m_dialog(dialog), m_openWindows(std::move(openWindows))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &MacroEngine::DeliverOne);
    m_writeCheck.setInterval(kWriteCheckMilliseconds);
    connect(&m_writeCheck, &QTimer::timeout, this, [this] {
        if (m_writer && m_writer->Failed()) {
            StopRecording();
            emit recordingFailed();
        }
    });
    qApp->installEventFilter(this);
}

MacroEngine::~MacroEngine()
{
    qApp->removeEventFilter(this);
}

bool MacroEngine::IsAttentionKey(int key, Qt::KeyboardModifiers modifiers, quint32 keysym)
{
    constexpr quint32 kXBreak = 0xFF6B, kXPause = 0xFF13;
    const bool control = modifiers & Qt::ControlModifier;
    return key == Qt::Key_Cancel || keysym == kXBreak ||
           (control && (key == Qt::Key_Pause || keysym == kXPause));
}

void MacroEngine::StartNumbering()
{
    m_windows = {m_dialog};
    m_openAtStart.clear();
    if (m_openWindows) {
        for (QWidget* window : m_openWindows())
            m_openAtStart << window;
    }
    m_noted.clear();
}

void MacroEngine::Meet(QWidget* window)
{
    // Tooltips come and go with the pointer's pauses, which a playback does not keep.
    const Qt::WindowType type = window->windowType();
    if (type == Qt::ToolTip || type == Qt::SplashScreen || type == Qt::Desktop)
        return;
    if (m_windows.contains(window) || m_openAtStart.contains(window))
        return;
    m_windows << window;
}

QWidget* MacroEngine::WindowNumbered(std::uint32_t number) const
{
    if (number >= MacroPlaces::kOpenAtStart) {
        const std::uint32_t index = number - MacroPlaces::kOpenAtStart;
        return index < static_cast<std::uint32_t>(m_openAtStart.size()) ? m_openAtStart[index].data() : nullptr;
    }
    if (number == 0 || number > static_cast<std::uint32_t>(m_windows.size()))
        return nullptr;
    return m_windows[number - 1];
}

std::uint32_t MacroEngine::NumberOf(const QWindow* window) const
{
    for (qsizetype i = 0; i < m_windows.size(); ++i) {
        if (m_windows[i] && m_windows[i]->windowHandle() == window)
            return static_cast<std::uint32_t>(i + 1);
    }
    for (qsizetype i = 0; i < m_openAtStart.size(); ++i) {
        if (m_openAtStart[i] && m_openAtStart[i]->windowHandle() == window)
            return MacroPlaces::kOpenAtStart + static_cast<std::uint32_t>(i);
    }
    return 0;
}

std::optional<MacroPlaces::Point> MacroEngine::OriginOf(std::uint32_t number) const
{
    const QWidget* window = WindowNumbered(number);
    if (!window || !window->isVisible())
        return std::nullopt;
    const QPoint origin = window->mapToGlobal(QPoint(0, 0));
    return MacroPlaces::Point{origin.x(), origin.y()};
}

bool MacroEngine::StartRecording(const QString& path, QString& error)
{
    if (m_state != State::Idle)
        return true;
    std::ofstream out(QFile::encodeName(path).toStdString(), std::ios::binary | std::ios::trunc);
    const QRect frame = m_dialog->frameGeometry();
    const QPoint cursor = m_dialog->mapFromGlobal(QCursor::pos());
    WriteMacroHeader(out, {frame.left(), frame.top(), frame.left() + frame.width(),
                           frame.top() + frame.height(), cursor.x(), cursor.y()});
    WriteMacroEvent(out, MacroPlaces::Mark());
    out.flush();
    if (!out) {
        error = "Couldn't open macro file";
        return false;
    }
    m_writer = std::make_unique<MacroWriter>(std::move(out));
    StartNumbering();
    m_recordClock.start();
    m_writeCheck.start();
    m_state = State::Recording;
    return true;
}

void MacroEngine::StopRecording()
{
    if (m_state != State::Recording)
        return;
    m_writeCheck.stop();
    m_writer.reset();  // writes what is queued, then closes
    m_state = State::Idle;
}

void MacroEngine::Record(QObject* watched, QEvent* event)
{
    MacroEvent record;
    record.time = macro::RecordedTime(static_cast<std::uint32_t>(m_recordClock.elapsed()), 0);
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool keypad = key->modifiers() & Qt::KeypadModifier;
        const std::uint32_t vk = VirtualKeyOf(key->key(), keypad);
        if (vk == 0)
            return;  // a key no macro file can name
        const bool system = key->modifiers() & Qt::AltModifier;
        const bool down = event->type() == QEvent::KeyPress;
        record.message = down ? (system ? macro::kSysKeyDown : macro::kKeyDown)
                              : (system ? macro::kSysKeyUp : macro::kKeyUp);
        const std::uint32_t scan = key->nativeScanCode() > 8 ? (key->nativeScanCode() - 8) & 0xFF : 0;
        record.paramL = vk | (scan << 8);
        record.paramH = 1u | (IsExtendedKey(key->key(), keypad) ? 0x8000u : 0u);
    } else if (event->type() == QEvent::Wheel) {
        const QPoint at = static_cast<QWheelEvent*>(event)->globalPosition().toPoint();
        record.message = macro::kWheel;
        record.paramL = static_cast<std::uint32_t>(at.x());
        record.paramH = static_cast<std::uint32_t>(at.y());
    } else {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        record.message = event->type() == QEvent::MouseMove ? macro::kMouseMove : MouseMessage(*mouse);
        if (record.message == 0)
            return;
        const QPoint at = mouse->globalPosition().toPoint();
        record.paramL = static_cast<std::uint32_t>(at.x());
        record.paramH = static_cast<std::uint32_t>(at.y());
        record.window = NumberOf(static_cast<QWindow*>(watched));
        // Where its window stands, whenever that is news.
        if (const QWidget* window = WindowNumbered(record.window)) {
            const QPoint origin = window->mapToGlobal(QPoint(0, 0));
            const auto noted = m_noted.constFind(record.window);
            if (noted == m_noted.constEnd() || *noted != origin) {
                m_noted[record.window] = origin;
                m_writer->Append(MacroPlaces::Note(record.window, {origin.x(), origin.y()}, record.time));
            }
        }
    }
    m_writer->Append(record);
}

bool MacroEngine::eventFilter(QObject* watched, QEvent* event)
{
    if (m_state == State::Idle)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow())
            Meet(widget);
        return QObject::eventFilter(watched, event);
    }
    // Input reaches a window first; what its widgets get after that is the same event again.
    if (!qobject_cast<QWindow*>(watched) || !event->spontaneous() || !IsInput(event->type()))
        return QObject::eventFilter(watched, event);
    if (m_state == State::Recording) {
        Record(watched, event);
        return QObject::eventFilter(watched, event);
    }
    return HoldOff(event);
}

// Playing: only what the player delivers gets through, and the ways out.
bool MacroEngine::HoldOff(QEvent* event)
{
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (key && m_keysPlaying == 0 && event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        m_escapes = press->key() == Qt::Key_Escape ? m_escapes + 1 : 0;
        if (IsAttentionKey(press->key(), press->modifiers(), press->nativeVirtualKey()) ||
            m_escapes >= kEscapesToStop) {
            CancelPlayback();
            return true;
        }
    }
    if (key)
        return m_keysPlaying == 0;
    return !m_injecting.contains(static_cast<QInputEvent*>(event)->timestamp());
}

void MacroEngine::SetClock(std::function<qint64()> clock)
{
    m_clock = std::move(clock);
}

qint64 MacroEngine::Now() const
{
    return m_clock ? m_clock() : m_playClock.elapsed();
}

bool MacroEngine::Play(const QString& path, QString& error)
{
    if (m_state != State::Idle)
        return true;
    m_in = std::ifstream();
    if (!OpenInputFile(m_in, QFile::encodeName(path).toStdString())) {
        error = QString("Unable to open file \"%1\"").arg(path);
        return false;
    }
    const QRect now = m_dialog->frameGeometry();
    const auto header = ReadMacroHeader(m_in);
    const QPoint cursor = header ? QPoint(header->cursorX, header->cursorY) : QPoint(0, 0);
    QCursor::setPos(m_dialog->mapToGlobal(cursor));
    m_offsetX = header ? static_cast<std::int32_t>(std::int64_t{header->left} - now.left()) : 0;
    m_offsetY = header ? static_cast<std::int32_t>(std::int64_t{header->top} - now.top()) : 0;
    m_buttons = Qt::NoButton;
    m_modifiers = Qt::NoModifier;
    m_grab = nullptr;
    m_escapes = 0;
    m_places = MacroPlaces();
    StartNumbering();
    m_state = State::Playing;
    m_playClock.start();
    m_start = Now();
    if (!header || !ReadNext()) {
        EndPlayback();
        return true;
    }
    Schedule();
    return true;
}

// Mouse events are placed only as they are played: the window they go to may open just
// before.
bool MacroEngine::ReadNext()
{
    while (const auto event = ReadMacroEvent(m_in)) {
        if (m_places.Take(*event))
            continue;
        m_current = *event;
        return true;
    }
    return false;
}

void MacroEngine::Schedule()
{
    const qint64 due = m_start + macro::PlaybackTime(m_current.time);
    // A far-off time only sets a long timer: the program stays responsive meanwhile.
    m_timer.start(static_cast<int>(std::clamp<qint64>(due - Now(), 0, INT_MAX)));
}

void MacroEngine::DeliverDue()
{
    while (m_state == State::Playing && m_start + macro::PlaybackTime(m_current.time) <= Now())
        DeliverOne();
}

// The next event is read and timed before this one is delivered: delivering may open a
// nested loop (a menu, a message box) that the following events must drive.
void MacroEngine::DeliverOne()
{
    if (m_state != State::Playing)
        return;
    const MacroEvent event = m_places.Placed(
        m_current, [this](std::uint32_t number) { return OriginOf(number); }, m_offsetX, m_offsetY);
    const qint64 at = Now() - m_start;
    const bool more = ReadNext();
    if (more)
        Schedule();
    else
        m_timer.stop();
    Deliver(event);
    emit eventPlayed(event, at);
    if (!more && m_state == State::Playing)
        EndPlayback();
}

void MacroEngine::Deliver(const MacroEvent& event)
{
    if (macro::IsMouse(event.message))
        DeliverMouse(event);
    else if (macro::IsKey(event.message))
        DeliverKey(event);
    // Anything else is no input this program knows how to play: skipped.
}

void MacroEngine::DeliverMouse(const MacroEvent& event)
{
    const QPoint global(static_cast<std::int32_t>(event.paramL), static_cast<std::int32_t>(event.paramH));
    QCursor::setPos(global);
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    switch (event.message) {
    case macro::kMouseMove: break;
    case macro::kLeftDown: case macro::kLeftUp: case macro::kLeftDouble: button = Qt::LeftButton; break;
    case macro::kRightDown: case macro::kRightUp: case macro::kRightDouble: button = Qt::RightButton; break;
    case macro::kMiddleDown: case macro::kMiddleUp: case macro::kMiddleDouble: button = Qt::MiddleButton; break;
    default: return;  // the wheel and extra buttons carry too little to play
    }
    if (button != Qt::NoButton) {
        const std::uint32_t step = (event.message - macro::kLeftDown) % 3;
        type = step == 0 ? QEvent::MouseButtonPress : step == 1 ? QEvent::MouseButtonRelease
                                                                : QEvent::MouseButtonDblClick;
    }
    // An open popup takes the mouse; a pressed button keeps it where it went down.
    QWindow* window = m_grab;
    if (!window) {
        QWidget* target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::topLevelAt(global);
        window = target ? target->windowHandle() : nullptr;
    }
    if (!window)
        return;  // outside every window of the program: delivered nowhere
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        m_buttons |= button;
        m_grab = window;
    } else if (type == QEvent::MouseButtonRelease) {
        m_buttons &= ~button;
        if (m_buttons == Qt::NoButton)
            m_grab = nullptr;
    }
    const ulong stamp = m_nextStamp++;
    m_injecting.insert(stamp);
    qt_handleMouseEvent(window, window->mapFromGlobal(QPointF(global)), QPointF(global), m_buttons,
                        button, type, m_modifiers, static_cast<int>(stamp));
    m_injecting.remove(stamp);
}

void MacroEngine::DeliverKey(const MacroEvent& event)
{
    const int key = QtKeyOf(event.paramL & 0xFF);
    if (key == 0)
        return;
    const bool down = event.message == macro::kKeyDown || event.message == macro::kSysKeyDown;
    if (const Qt::KeyboardModifier modifier = ModifierOf(key))
        m_modifiers = down ? (m_modifiers | modifier) : (m_modifiers & ~modifier);
    QWidget* target = QApplication::activePopupWidget();
    if (!target)
        target = QApplication::activeModalWidget();
    if (!target)
        target = QApplication::activeWindow();
    if (!target)
        target = m_dialog;
    QWindow* window = target->window()->windowHandle();
    if (!window)
        return;
    // Key events carry no time stamp of ours: while this call runs, keys are the player's.
    ++m_keysPlaying;
    qt_handleKeyEvent(window, down ? QEvent::KeyPress : QEvent::KeyRelease, key, m_modifiers,
                      TextOf(key, m_modifiers), false, 1);
    --m_keysPlaying;
}

void MacroEngine::CancelPlayback()
{
    if (m_state == State::Playing)
        EndPlayback();
}

void MacroEngine::EndPlayback()
{
    m_timer.stop();
    m_in.close();
    m_state = State::Idle;
    emit playbackEnded();
}

}  // namespace korvanta
