#include "core/formulas/Viewport.h"

namespace korvanta {

CFractValue Viewport::PointAt(double x, double y) const
{
    const Area& a = m_area;
    return CFractValue((x / m_width) * (a.xEnd - a.xStart) + a.xStart,
                       ((m_height - y) / m_height) * (a.yEnd - a.yStart) + a.yStart);
}

void Viewport::PositionOf(const CFractValue& point, double& x, double& y) const
{
    const Area& a = m_area;
    x = (point.m_z.real() - a.xStart) / (a.xEnd - a.xStart) * m_width;
    y = m_height - (point.m_z.imag() - a.yStart) / (a.yEnd - a.yStart) * m_height;
}

Area Viewport::ZoomArea(int left, int top, int right, int bottom) const
{
    const CFractValue lowLeft = PointAt(left, bottom), topRight = PointAt(right, top);
    return {lowLeft.m_z.real(), topRight.m_z.real(), lowLeft.m_z.imag(), topRight.m_z.imag()};
}

}  // namespace korvanta
