#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

namespace korvanta::monkey {

// Mouse and keyboard input through the window system's entry into Qt, as the macro player
// delivers it: popups, modal windows and focus decide where it lands. Delivery is
// synchronous, so a click that opens a modal loop returns only when the loop ends.
namespace input {

// A press and release at `at` in `widget`'s coordinates.
void Click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
// Press at `from`, a few moves, release at `to`.
void Drag(QWidget* widget, QPoint from, QPoint to);
// A press and release to the window that has the keyboard now.
void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {});
// Text as an input method commits it, in pieces.
void Type(const QString& text);

// Where keys go: the open popup, the modal window or the active window.
QWidget* KeyTarget();

}  // namespace input

}  // namespace korvanta::monkey
