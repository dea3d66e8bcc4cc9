#include "core/formulas/FractAlg.h"

#include "core/archive/Archive.h"

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlg, CObject)

void CFractAlg::SetPoint(std::int32_t column, std::int32_t row)
{
    m_nIter = 0;
    m_nPointColumn = column;
    m_nPointRow = row;
    m_cx = m_x = m_dXStart + column * m_dDx;
    m_cy = m_y = m_dYStart + row * m_dDy;
}

void CFractAlg::SetArea(double xStart, double xEnd, double yStart, double yEnd)
{
    m_dXStart = xStart;
    m_dXEnd = xEnd;
    m_dYStart = yStart;
    m_dYEnd = yEnd;
}

// The divisors are taken as unsigned, so a negative size gives a huge one, not a sign flip.
void CFractAlg::SetHeight(std::int32_t height)
{
    m_nHeight = height;
    m_dDy = (m_dYEnd - m_dYStart) / static_cast<double>(static_cast<std::uint32_t>(height));
}

void CFractAlg::SetWidth(std::int32_t width)
{
    m_nWidth = width;
    m_dDx = (m_dXEnd - m_dXStart) / static_cast<double>(static_cast<std::uint32_t>(width));
}

void CFractAlg::Serialize(Archive& ar)
{
    ar.TransferAll(m_x, m_y, m_dDx, m_dDy, m_nIter, m_cx, m_cy, m_dYEnd, m_dYStart, m_dXEnd,
                   m_dXStart, m_nMaxIter, m_nWidth, m_nHeight, m_C.m_z, m_result.m_z);
    if (ar.IsLoading()) {
        m_C.SetCount(0);
        m_result.SetCount(0);
    }
}

}  // namespace korvanta
