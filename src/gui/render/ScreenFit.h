#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

namespace korvanta {

// The client size a render window opens at: the picture's own size, or, when the window
// would not fit the available area of the primary screen with `frame` around it, the
// largest size of the same shape that does. The picture is then shown stretched.
QSize FittedClientSize(QSize picture, QMargins frame);

// An outer window rectangle that lies on no screen, moved onto the nearest one and inside
// its available area as far as its size allows; one that shows anywhere stays as it is.
QRect OntoNearestScreen(QRect outer);

}  // namespace korvanta
