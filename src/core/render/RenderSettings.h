#pragma once

#include "core/colorings/FractCol.h"
#include "core/formulas/FractAlg.h"

#include <cstdint>
#include <string>

namespace korvanta {

class Archive;
class CFractalDlg;

// What the Render command reads from the control dialog, as the dialog holds it.
struct DialogFields {
    std::string xStart, xEnd, yStart, yEnd;
    int aspectRatio = 0;  // the dialog's members; only 1 counts as set
    int showValues = 0;
    std::int32_t coloring = 0;
    std::int32_t formula = 0;
    std::string width, height;
};

// The parameters of one picture. Copies are shallow: whoever holds the record inside a
// render job owns the formula and the coloring; a temporary record only carries them.
class RenderSettings {
public:
    RenderSettings() = default;
    // Coordinates that do not scan stay 0: the dialog has checked them before.
    RenderSettings(const DialogFields& fields, CFractalDlg* dialog);

    // A record for a picture of an area at a size, carrying (not owning) its objects.
    static RenderSettings ForArea(double xStart, double xEnd, double yStart, double yEnd,
                                  std::int32_t width, std::int32_t height, CFractAlg* alg,
                                  CFractCol* col);

    // The last steps of Render, shared by every way a picture is started: fit the size to the
    // area when Aspect Ratio is set, then hand the objects over, giving the coloring the typed
    // number of colors when it takes one and the formula C when it uses one.
    void FitSizeToArea();
    void HandOver(CFractAlg* alg, CFractCol* col, const std::string& colorsText,
                  const CFractValue& constant);

    // Stores or loads the fields and both objects. Loading expects a record that owns
    // nothing yet, and refuses a formula or coloring of the wrong family.
    void Serialize(Archive& ar);

    double m_dXStart = 0, m_dXEnd = 0, m_dYStart = 0, m_dYEnd = 0;
    std::int32_t m_bAspect = 0;
    std::int32_t m_bShowValues = 0;
    std::int32_t m_nColoring = 0;
    std::int32_t m_nFormula = 0;
    std::int32_t m_nWidth = 0;
    std::int32_t m_nHeight = 0;
    CFractAlg* m_pAlg = nullptr;
    CFractCol* m_pCol = nullptr;
    CFractalDlg* m_pDlg = nullptr;
};

}  // namespace korvanta
