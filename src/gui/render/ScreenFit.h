#pragma once

#include "core/files/RenderRecord.h"

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace korvanta {

// The client size a render window opens at: the picture's own size, or, when the window
// would not fit the available area of the primary screen with `frame` around it, the
// largest size of the same shape that does. The picture is then shown stretched.
QSize FittedClientSize(QSize picture, QMargins frame);

// An outer window rectangle brought wholly onto the screen area (of `areas`) it overlaps
// most, or the nearest one when it overlaps none: moved, and shrunk where it is larger when
// `resizable`. A window too large for the area keeps its top-left corner (and so its title
// bar) on it. One that lies wholly on an area stays as it is.
QRect OntoScreenArea(QRect outer, const QList<QRect>& areas, bool resizable);
// The same for the available areas of this desktop's screens.
QRect OntoNearestScreen(QRect outer, bool resizable);

// Where a shown window stands, as the 44-byte record keeps it: the outer rectangle of its
// normal state and whether it is minimised or maximised.
WindowPlacement PlacementOf(const QWidget& window);

// Puts a shown window where a record says: the outer rectangle, brought onto a screen
// (shrunk if `resizable`; other windows keep their size), then minimised or maximised as
// recorded. A window manager frames a new window only after it is shown, and until then its
// client size cannot be told from the outer one: the rectangle is applied again, once, when
// the frame is known; `expectedFrame` stands for it until then. A record without a
// rectangle only sets the state.
void PlaceWindow(QWidget& window, const WindowPlacement& placement, bool resizable,
                 QMargins expectedFrame = {});

}  // namespace korvanta
