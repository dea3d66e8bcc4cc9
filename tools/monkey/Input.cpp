#include "tools/monkey/Input.h"

#include <QApplication>

#include <algorithm>
#include <QPointer>
#include <QWidget>
#include <QWindow>

QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* window, QEvent::Type type, int key,
                                    Qt::KeyboardModifiers mods, const QString& text,
                                    bool autorep, ushort count);
QT_END_NAMESPACE

namespace korvanta::monkey::input {

namespace {

int g_stamp = 1;

// The window the event enters by: an open popup takes the mouse, as on a real desktop.
void Mouse(QPoint global, QEvent::Type type, Qt::MouseButtons state, Qt::MouseButton button,
           QWidget* fallback)
{
    QWidget* target = QApplication::activePopupWidget();
    if (!target)
        target = fallback ? fallback->window() : nullptr;
    QWindow* window = target ? target->windowHandle() : nullptr;
    if (!window)
        return;
    // Timestamps far from the macro player's own, which counts up from 1.
    g_stamp += 1000;
    qt_handleMouseEvent(window, window->mapFromGlobal(QPointF(global)), QPointF(global), state, button,
                        type, Qt::NoModifier, g_stamp);
}

}  // namespace

QWidget* KeyTarget()
{
    QWidget* target = QApplication::activePopupWidget();
    if (!target)
        target = QApplication::activeModalWidget();
    if (!target)
        target = QApplication::activeWindow();
    return target;
}

void Click(QWidget* widget, QPoint at, Qt::MouseButton button)
{
    // The widget may go while the press is handled (a menu, a closing window).
    const QPointer<QWidget> guard(widget);
    const QPoint global = widget->mapToGlobal(at);
    Mouse(global, QEvent::MouseButtonPress, button, button, widget);
    if (guard)
        Mouse(global, QEvent::MouseButtonRelease, Qt::NoButton, button, guard);
    else
        Mouse(global, QEvent::MouseButtonRelease, Qt::NoButton, button, QApplication::activeWindow());
}

void Drag(QWidget* widget, QPoint from, QPoint to)
{
    const QPointer<QWidget> guard(widget);
    const QPoint start = widget->mapToGlobal(from);
    const QPoint end = widget->mapToGlobal(to);
    Mouse(start, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, widget);
    for (int step = 1; step <= 4 && guard; ++step)
        Mouse(start + (end - start) * step / 4, QEvent::MouseMove, Qt::LeftButton, Qt::NoButton, guard);
    if (guard)
        Mouse(end, QEvent::MouseButtonRelease, Qt::NoButton, Qt::LeftButton, guard);
}

void Key(int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QWidget* target = KeyTarget();
        QWindow* window = target ? target->window()->windowHandle() : nullptr;
        if (!window)
            return;
        qt_handleKeyEvent(window, type, key, modifiers, text, false, 1);
    }
}

void Type(const QString& text)
{
    // A long text arrives in a few large pieces, as a paste does: the line edit lays out its
    // whole text for every piece, and a run of hundreds of pieces with no turn of the event
    // loop between them would be a hang of the monkey's own making.
    const qsizetype piece = std::max<qsizetype>(64, text.size() / 4 + 1);
    for (qsizetype at = 0; at < text.size(); at += piece)
        Key(0, Qt::NoModifier, text.mid(at, piece));
}

}  // namespace korvanta::monkey::input
