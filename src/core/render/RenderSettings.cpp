#include "core/render/RenderSettings.h"

#include "core/archive/Archive.h"
#include "core/render/AspectFit.h"

#include <stdexcept>

namespace korvanta {

RenderSettings RenderSettings::ForArea(double xStart, double xEnd, double yStart, double yEnd,
                                       std::int32_t width, std::int32_t height)
{
    RenderSettings s;
    s.m_dXStart = xStart;
    s.m_dXEnd = xEnd;
    s.m_dYStart = yStart;
    s.m_dYEnd = yEnd;
    s.m_nWidth = width;
    s.m_nHeight = height;
    return s;
}

void RenderSettings::FitSizeToArea()
{
    if (m_bAspect != 1)
        return;
    const PictureSize fitted =
        FitToAspect(m_dXStart, m_dXEnd, m_dYStart, m_dYEnd, {m_nWidth, m_nHeight});
    m_nWidth = fitted.width;
    m_nHeight = fitted.height;
}

void RenderSettings::Serialize(Archive& ar, PictureObjects* loaded)
{
    ar.TransferAll(m_nFormula, m_nColoring, m_bAspect, m_bShowValues, m_nHeight, m_nWidth,
                   m_dXStart, m_dXEnd, m_dYStart, m_dYEnd);
    if (ar.IsStoring()) {
        ar.WriteObject(m_pAlg);
        ar.WriteObject(m_pCol);
        return;
    }
    if (loaded == nullptr)
        throw std::logic_error("loading settings needs a place for their objects");
    // Both objects are read before either is handed over, so a failure changes nothing.
    std::unique_ptr<CObject> alg = ar.ReadObject(CFractAlg::kClass);
    std::unique_ptr<CObject> col = ar.ReadObject(CFractCol::kClass);
    loaded->alg.reset(static_cast<CFractAlg*>(alg.release()));
    loaded->col.reset(static_cast<CFractCol*>(col.release()));
    m_pAlg = loaded->alg.get();
    m_pCol = loaded->col.get();
}

}  // namespace korvanta
