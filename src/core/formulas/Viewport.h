#pragma once

#include "core/formulas/FractValue.h"

namespace korvanta {

// A rectangle of the complex plane. The picture's top edge is `yEnd`, its bottom `yStart`.
struct Area {
    double xStart = 0, xEnd = 0, yStart = 0, yEnd = 0;
};

// An area shown in a window's client area, which may be stretched to any size. Positions
// are in client pixels from the top-left corner, y downwards. Formulas map a pixel of the
// picture to its point themselves (CFractAlg::SetPoint); this maps what the user points at.
class Viewport {
public:
    Viewport(const Area& area, double width, double height)
        : m_area(area), m_width(width), m_height(height)
    {
    }

    // The point at a client position: the pixel quotient first, then the product, then the
    // sum, so the zoom and Set Constant give the same doubles.
    CFractValue PointAt(double x, double y) const;

    // The client position of a point; PointAt's inverse up to rounding.
    void PositionOf(const CFractValue& point, double& x, double& y) const;

    // The area of a dragged rectangle given by its edges.
    Area ZoomArea(int left, int top, int right, int bottom) const;

    const Area& area() const { return m_area; }

private:
    Area m_area;
    double m_width, m_height;
};

}  // namespace korvanta
