#include "core/render/ValuePanelText.h"

#include "core/text/NumberText.h"

namespace korvanta {

ValuePanelText ValuePanelTextOf(const RenderSettings& s)
{
    const Area area = s.GetArea();
    std::string name = s.m_pAlg ? s.m_pAlg->GetName() : "";
    if (name.size() < 20)
        name.resize(20, ' ');
    return {name + ' ', "Re ( " + FormatReal(area.xStart) + ", " + FormatReal(area.xEnd) + " )",
            "Im ( " + FormatReal(area.yStart) + ", " + FormatReal(area.yEnd) + " )"};
}

}  // namespace korvanta
