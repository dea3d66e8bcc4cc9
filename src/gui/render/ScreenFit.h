#pragma once

#include "core/files/RenderRecord.h"

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace korvanta {

// The client size a render window opens at: the picture's own size, or, when the window
// would not fit the available area of the primary screen with `frame` around it, the
// largest size of the same shape that does. The picture is then shown stretched.
QSize FittedClientSize(QSize picture, QMargins frame);

// An outer window rectangle that lies on no screen, moved onto the nearest one and inside
// its available area as far as its size allows; one that shows anywhere stays as it is.
QRect OntoNearestScreen(QRect outer);

// Where a shown window stands, as the 44-byte record keeps it: the outer rectangle of its
// normal state and whether it is minimised or maximised.
WindowPlacement PlacementOf(const QWidget& window);

// Puts a shown window where a record says: the outer rectangle taken as this desktop's
// frame makes it, shrunk to the screen (`resizable` windows; others keep their size) and
// brought onto the nearest screen, then minimised or maximised as recorded. A record
// without a rectangle only sets the state.
void PlaceWindow(QWidget& window, const WindowPlacement& placement, bool resizable);

}  // namespace korvanta
