#include "core/render/RenderSettings.h"

#include "core/archive/Archive.h"
#include "core/render/AspectFit.h"
#include "core/text/NumberText.h"

namespace korvanta {

RenderSettings::RenderSettings(const DialogFields& fields, CFractalDlg* dialog)
    : m_dXStart(ScanReal(fields.xStart).value_or(0)),
      m_dXEnd(ScanReal(fields.xEnd).value_or(0)),
      m_dYStart(ScanReal(fields.yStart).value_or(0)),
      m_dYEnd(ScanReal(fields.yEnd).value_or(0)),
      m_bAspect(fields.aspectRatio == 1 ? 1 : 0),
      m_bShowValues(fields.showValues == 1 ? 1 : 0),
      m_nColoring(fields.coloring),
      m_nFormula(fields.formula),
      m_nWidth(AtoI(fields.width)),
      m_nHeight(AtoI(fields.height)),
      m_pDlg(dialog)
{
}

RenderSettings RenderSettings::ForArea(double xStart, double xEnd, double yStart, double yEnd,
                                       std::int32_t width, std::int32_t height, CFractAlg* alg,
                                       CFractCol* col)
{
    RenderSettings s;
    s.m_dXStart = xStart;
    s.m_dXEnd = xEnd;
    s.m_dYStart = yStart;
    s.m_dYEnd = yEnd;
    s.m_nWidth = width;
    s.m_nHeight = height;
    s.m_pAlg = alg;
    s.m_pCol = col;
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

void RenderSettings::HandOver(CFractAlg* alg, CFractCol* col, const std::string& colorsText,
                              const CFractValue& constant)
{
    m_pAlg = alg;
    m_pCol = col;
    if (col->CanSetNumColors())
        col->SetNumColors(AtoI(colorsText));
    if (alg->UsesConstant())
        alg->SetConstant(constant);
}

void RenderSettings::Serialize(Archive& ar)
{
    ar.TransferAll(m_nFormula, m_nColoring, m_bAspect, m_bShowValues, m_nHeight, m_nWidth,
                   m_dXStart, m_dXEnd, m_dYStart, m_dYEnd);
    if (ar.IsStoring()) {
        ar.WriteObject(m_pAlg);
        ar.WriteObject(m_pCol);
        return;
    }
    // Both objects are read before either is handed over, so a failure leaks nothing.
    std::unique_ptr<CObject> alg = ar.ReadObject(CFractAlg::kClass);
    std::unique_ptr<CObject> col = ar.ReadObject(CFractCol::kClass);
    m_pAlg = static_cast<CFractAlg*>(alg.release());
    m_pCol = static_cast<CFractCol*>(col.release());
}

}  // namespace korvanta
