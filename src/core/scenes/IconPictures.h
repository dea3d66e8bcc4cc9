#pragma once

#include "core/picture/PixelBuffer.h"

#include <cstdint>

namespace korvanta {

// The pictures of the program's icons, drawn by its own formulas so no image files ship:
// the whole Mandelbrot set for the program, a Julia set for render windows.
enum class IconPicture { Program, RenderWindow };

PixelBuffer RenderIconPicture(IconPicture which, std::int32_t size);

// The same picture at any size: the area grows the short way to keep its shape.
PixelBuffer RenderIconPicture(IconPicture which, std::int32_t width, std::int32_t height);

// The desktop's icons, shapes on a transparent background (the fourth byte is the alpha):
// the program's picture in a disc; documents and macros as a sheet of paper with a folded
// corner, holding a Julia set or a play sign. They read from 16 pixels up.
enum class DesktopIcon { Program, Document, Macro };

PixelBuffer RenderDesktopIcon(DesktopIcon which, std::int32_t size);

}  // namespace korvanta
