#pragma once

#include <QIcon>

namespace korvanta {

// Icons drawn by the program's own formulas, so no image files need to ship.
QIcon AppIcon();
QIcon WindowIcon();

}  // namespace korvanta
