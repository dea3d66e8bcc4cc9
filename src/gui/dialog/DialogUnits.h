#pragma once

#include <QRect>

namespace korvanta {

// Fixed dialog base units (a 6 x 13 pixel average character), so the dialog has the same
// geometry on every machine: recorded macros depend on it.
inline QRect FromDialogUnits(int x, int y, int width, int height)
{
    constexpr int kBaseX = 6, kBaseY = 13;
    return {x * kBaseX / 4, y * kBaseY / 8, width * kBaseX / 4, height * kBaseY / 8};
}

}  // namespace korvanta
