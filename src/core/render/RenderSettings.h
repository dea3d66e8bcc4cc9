#pragma once

#include "core/colorings/FractCol.h"
#include "core/formulas/FractAlg.h"
#include "core/formulas/Viewport.h"

#include <cstdint>
#include <memory>

namespace korvanta {

class Archive;
class CFractalDlg;

// The formula and the coloring of one picture, owned.
struct PictureObjects {
    std::unique_ptr<CFractAlg> alg;
    std::unique_ptr<CFractCol> col;
};

// The parameters of one picture. `m_pAlg` and `m_pCol` are views: the render job that holds
// the settings owns the objects (see PictureObjects).
class RenderSettings {
public:
    // A record for a picture of an area at a size.
    static RenderSettings ForArea(double xStart, double xEnd, double yStart, double yEnd,
                                  std::int32_t width, std::int32_t height);

    Area GetArea() const { return {m_dXStart, m_dXEnd, m_dYStart, m_dYEnd}; }

    // Fits the size to the area's proportions when Aspect Ratio is set, as Render does.
    void FitSizeToArea();

    // Stores or loads the fields and both objects. Loading puts the objects into `loaded`,
    // which must be given, points the views at them, and refuses a formula or coloring of
    // the wrong family; on failure `loaded` stays as it was.
    void Serialize(Archive& ar, PictureObjects* loaded = nullptr);

    double m_dXStart = 0, m_dXEnd = 0, m_dYStart = 0, m_dYEnd = 0;
    std::int32_t m_bAspect = 0;
    std::int32_t m_bShowValues = 0;
    std::int32_t m_nColoring = 0;
    std::int32_t m_nFormula = 0;
    std::int32_t m_nWidth = 0;
    std::int32_t m_nHeight = 0;
    CFractAlg* m_pAlg = nullptr;
    CFractCol* m_pCol = nullptr;
    CFractalDlg* m_pDlg = nullptr;  // the control window of the picture, never stored
};

}  // namespace korvanta
