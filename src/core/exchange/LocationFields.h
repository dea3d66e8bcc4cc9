#pragma once

#include "core/exchange/LocationFile.h"
#include "core/render/RenderRequest.h"

#include <string>
#include <variant>

namespace korvanta {

// This program's Mandelbrot formulas iterate z <- z^2 - c (and z^3 - c) from z = c: the
// usual sets mirrored through the origin. A location's centre (re, im) is the centre
// (-re, -im) here.

// The control window's fields showing `location` in a picture of the current fields' size,
// which must be from 1 to 32000 pixels a side (else the message says so): the area around the
// mirrored centre with the half height 2 / zoom, Aspect Ratio off since the area already fits
// the size, the Mandelbrot formula of the location's power. Iterations, when the location has
// them, become the number of colors, and the coloring one that takes a number (the current
// one when it does, else the first in the list that does). The rest stays as it was.
std::variant<RenderFields, std::string> FieldsFromLocation(const Location& location, RenderFields current);

// The location of the fields' area, for the other programs: the mirrored midpoint with the
// digits that tell the pixels of a picture of the fields' size apart, the zoom of the area's
// height to 17 digits, the number of colors as the iterations. The area's width is not
// kept: the other programs take it from their picture's proportions. Refused with a message
// for formulas other than the two Mandelbrot sets, area texts that are no decimal numbers,
// areas that run backwards, and areas no location can hold.
std::variant<Location, std::string> LocationOfFields(const RenderFields& fields);

}  // namespace korvanta
