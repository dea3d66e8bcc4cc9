#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace korvanta {

// The outer rectangle (frame included) for a window of client size `client` with `frame`
// around it, inside `area` (shrunk to it if it must be) and beside `anchor`, the frame of
// another window: right of it where there is room, else left, else below, else above, else
// shrunk by up to a third across to fit one of those sides in that order, else shrunk
// further (not below 420 x 320) on the side where it is largest, else where it covers the
// least of it. With an empty anchor it is centred in the area.
QRect PlaceBeside(const QRect& area, const QRect& anchor, QSize client, const QMargins& frame);

// The frame the window manager puts around a window: its own once it has one, else that of
// `reference` (before it is first shown a window has none, but it will get the same).
QMargins ExpectedFrame(const QWidget& window, const QWidget* reference);

}  // namespace korvanta
